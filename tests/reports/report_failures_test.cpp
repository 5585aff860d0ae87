#include "report_fixture.h"

#include <QDir>

namespace pellimo {
namespace {

class ReportFailures : public ReportTest {
protected:
    // A failure after the dialog shows its own description and nothing else.
    void expectOnlyFailure(const QString& description) const {
        expectOneMessage(description, vbOKOnly, "Pellimo");
        EXPECT_EQ(dialogs.mousePointer(), MousePointerDefault);
    }
};

QStringList reportFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.HTM")}, QDir::Files);
}

TEST_F(ReportFailures, CardReportsOfASetWithoutCardsSayItAndOpenNoDialog) {
    reports.Report(2, "B2", "Beta", RepSQL);
    reports.Report(3, "B2", "Beta", RepSQL);
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[0].text, "There are no basic cards for this set. Please select another set");
    EXPECT_EQ(dialogs.calls[1].text, "There are no special cards for this set. Please select another set");
    for (const DialogCall& box : dialogs.calls) {
        EXPECT_EQ(box.kind, DialogCall::Kind::MsgBox);
        EXPECT_EQ(box.flags, vbCritical);
        EXPECT_EQ(box.title, "Report Error");
    }
    EXPECT_TRUE(reportFiles(catalogue.folder()).isEmpty());
    EXPECT_EQ(dialogs.mousePointer(), MousePointerDefault);
}

TEST_F(ReportFailures, SetsReportOfNoSetsEndsSilently) {
    catalogue.exec("DELETE FROM Sets");
    reports.Report(1, "", "", RepSQL);
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(ReportFailures, CancelledDialogBeepsAndWritesNothing) {
    dialogs.queueCancel();
    reports.Report(2, "A1", "Alpha", RepSQL);
    EXPECT_EQ(dialogs.beeps, 1);
    expectOneMessage("The report operation was cancelled", vbInformation, "HTML Report File");
    EXPECT_TRUE(reportFiles(catalogue.folder()).isEmpty());
    EXPECT_EQ(dialogs.pointerHistory, (std::vector<int>{MousePointerDefault, MousePointerDefault}));
}

TEST_F(ReportFailures, AFileThatCannotBeCreatedShowsTheDescription) {
    reportTo(inFolder("missing folder/sets.HTM"), 1);
    expectOnlyFailure("No such file or directory");
}

TEST_F(ReportFailures, AFailedWriteShowsTheDescription) {
    // A name with the dialog's extension for a device that refuses every write.
    if (!QFile::exists("/dev/full") || !QFile::link("/dev/full", inFolder("full.HTM")))
        GTEST_SKIP() << "no /dev/full here";
    reportTo(inFolder("full.HTM"), 1);
    expectOnlyFailure("No space left on device");
}

TEST_F(ReportFailures, AMissingValueStopsTheReportAndKeepsTheLinesWritten) {
    catalogue.exec("UPDATE Basics SET Value = NULL WHERE Card_Num = 2");
    reportTo(inFolder("basic.HTM"), 2, "A1", QStringLiteral("Café Stars"));
    expectOnlyFailure("Invalid use of Null");
    const std::string expected = golden("basic.txt");
    const std::string upToNull = expected.substr(0, expected.find("$1.00")) + "Null\r\n";
    EXPECT_EQ(fileText(inFolder("basic.HTM")), upToNull);
}

TEST_F(ReportFailures, ATotalBeyondTheCurrencyRangeOverflows) {
    catalogue.exec("UPDATE Sets SET Value = 9223372036854775807 WHERE Code = 'C3'");
    reportTo(inFolder("sets.HTM"), 1);
    expectOnlyFailure("Overflow");
}

TEST_F(ReportFailures, AQueryThatCannotBeReadLeavesTheRowsDatrepHeld) {
    reportTo(inFolder("sets.HTM"), 1);
    datrep.setDatabaseName(inFolder("gone/Pellimo.mdb").toStdString());
    reportTo(inFolder("basic.HTM"), 2);
    EXPECT_EQ(dialogs.messages().back().title, "Basic Cards Report");
    EXPECT_NE(fileText(inFolder("basic.HTM")).find("\r\nGamma \"Gold\"\r\n"), std::string::npos);
}

} // namespace
} // namespace pellimo
