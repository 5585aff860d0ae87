#include "desktop_sandbox.h"
#include "report_fixture.h"

namespace pellimo {
namespace {

using namespace desktop_sandbox;

// Reports offered for viewing; the desktop's associations are the sandbox's.
class ViewRep : public ReportTest {
protected:
    void SetUp() override {
        if (ranInAProcessOfItsOwn())
            GTEST_SKIP() << "ran in a process of its own";
    }

    // The Report command writing the Basics report of A1 to `path`, the offer to view it answered Yes.
    void reportAndView(const QString& path) {
        dialogs.queueFile(path);
        dialogs.msgBoxAnswers.push_back(vbYes);
        reports.Report(BasicsPage, "A1", "Alpha", RepSQL);
    }
};

TEST_F(ViewRep, AnsweringYesOpensTheReportWithItsPathAsOneArgument) {
    associateRecorder(html);
    const QString path = inFolder("Alpha Basics.HTM");
    reportAndView(path);
    EXPECT_EQ(recordedArguments(), (QStringList{"1", path}));
    EXPECT_EQ(dialogs.messages().size(), 1u); // the question alone
}

TEST_F(ViewRep, NoAssociatedBrowserIsReportedAfterTheQuestion) {
    reportAndView(inFolder("Alpha Basics.HTM"));
    const std::vector<DialogCall> boxes = dialogs.messages();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "Could not find associated Browser");
    EXPECT_EQ(boxes[1].flags, vbExclamation);
    EXPECT_EQ(boxes[1].title, "Browser Not Found");
    EXPECT_TRUE(QFile::exists(inFolder("Alpha Basics.HTM")));
}

TEST_F(ViewRep, ABrowserThatCannotStartMeansThePageWasNotOpened) {
    associate(html, "#!/nonexistent/interpreter\n");
    reports.viewRep(inFolder("sets.HTM"));
    expectOneMessage("Web Page not Opened", vbExclamation, "URL Failed");
}

} // namespace
} // namespace pellimo
