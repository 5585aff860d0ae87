#include "desktop_sandbox.h"
#include "frm_main_fixture.h"
#include "window_control.h"

#include <QFile>
#include <QLineEdit>

namespace pellimo {
namespace {

using namespace desktop_sandbox;

// F1 in the main window; the desktop's associations are the sandbox's.
class FrmMainHelpTest : public FrmMainTest {
protected:
    void SetUp() override {
        if (ranInAProcessOfItsOwn())
            GTEST_SKIP() << "ran in a process of its own";
        catalogue.exec("INSERT INTO Sets VALUES ('S1', 'First Set', 0, 0);");
    }

    QString helpFile() const { return catalogue.folder() + QStringLiteral("/PellimoHelp.chm"); }

    // A help file beside the program, as the install puts it there.
    void installHelpFile() const {
        QFile help(helpFile());
        ASSERT_TRUE(help.open(QIODevice::WriteOnly));
        help.write("ITSF");
    }

    void pressF1() {
        start();
        QTest::keyClick(&textBox("txtDesc"), Qt::Key_F1);
    }

    void expectOneMessage(const QString& text) const {
        const std::vector<DialogCall> boxes = dialogs.messages();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, text);
        EXPECT_EQ(boxes[0].flags, vbExclamation);
        EXPECT_EQ(boxes[0].title, "Pellimo");
    }
};

TEST_F(FrmMainHelpTest, F1OpensTheHelpFileInTheProgramAssociatedWithIt) {
    installHelpFile();
    associateRecorder(htmlHelp);
    pressF1();
    EXPECT_EQ(recordedArguments(), (QStringList{QStringLiteral("1"), helpFile()}));
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(FrmMainHelpTest, F1WithNoProgramForHelpFilesSaysItCouldNotBeOpened) {
    installHelpFile();
    associateRecorder(html);
    pressF1();
    expectOneMessage("The help file PellimoHelp.chm could not be opened.");
}

TEST_F(FrmMainHelpTest, F1WithoutTheHelpFileSaysItWasNotFound) {
    associateRecorder(htmlHelp);
    pressF1();
    expectOneMessage("The help file PellimoHelp.chm was not found.");
}

} // namespace
} // namespace pellimo
