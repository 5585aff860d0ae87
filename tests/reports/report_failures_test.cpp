#include "file_size_limit.h"
#include "report_fixture.h"
#include "small_disk.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

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
    reports.Report(BasicsPage, "B2", "Beta", RepSQL);
    reports.Report(SpecialsPage, "B2", "Beta", RepSQL);
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
    reports.Report(SetsPage, "", "", RepSQL);
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(ReportFailures, CancelledDialogBeepsAndWritesNothing) {
    dialogs.queueCancel();
    reports.Report(BasicsPage, "A1", "Alpha", RepSQL);
    EXPECT_EQ(dialogs.beeps, 1);
    expectOneMessage("The report operation was cancelled", vbInformation, "HTML Report File");
    EXPECT_TRUE(reportFiles(catalogue.folder()).isEmpty());
    EXPECT_EQ(dialogs.pointerHistory, (std::vector<int>{MousePointerDefault, MousePointerDefault}));
}

TEST_F(ReportFailures, AFileThatCannotBeCreatedShowsTheDescription) {
    reportTo(inFolder("missing folder/sets.HTM"), 1);
    expectOnlyFailure("No such file or directory");
}

// The old report stays as it was when the new one cannot be written whole, and nothing else is left.
class ReportReplacement : public ReportFailures {
protected:
    void writeOldReport(const QString& path) {
        reportTo(path, 1);
        oldReport = fileText(path);
        ASSERT_EQ(oldReport, golden("sets.txt"));
        dialogs.calls.clear();
    }

    void expectOldReportAlone(const QString& path) const {
        EXPECT_EQ(fileText(path), oldReport);
        EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).filter(".HTM"),
                  QStringList({QFileInfo(path).fileName()}));
    }

    std::string oldReport;
};

TEST_F(ReportReplacement, AFileThatMayGrowNoFurtherShowsTheSystemsDescription) {
    writeOldReport(inFolder("sets.HTM"));
    catalogue.exec("UPDATE Sets SET Desc = 'Renamed' WHERE Code = 'A1'");
    {
        FileSizeLimit limit(1000);
        reportTo(inFolder("sets.HTM"), 1);
    }
    expectOnlyFailure(QString::fromLocal8Bit(std::strerror(EFBIG)));
    expectOldReportAlone(inFolder("sets.HTM"));
}

TEST_F(ReportReplacement, AFullDiskShowsTheSystemsDescription) {
    const QString disk = inFolder("small disk");
    const SmallDisk mounted(disk, 8 * 1024);
    if (!mounted.mounted())
        GTEST_SKIP() << "no disk may be mounted here";
    writeOldReport(disk + "/sets.HTM");
    for (int i = 0; i < 200; ++i)
        catalogue.exec(QString("INSERT INTO Sets VALUES ('X%1', 'Filler set number %1', 1, 100)").arg(i));
    reportTo(disk + "/sets.HTM", 1);
    expectOnlyFailure("No space left on device");
    expectOldReportAlone(disk + "/sets.HTM");
}

TEST_F(ReportReplacement, AMissingValueStopsTheReportAndKeepsTheOldOne) {
    writeOldReport(inFolder("basic.HTM"));
    catalogue.exec("UPDATE Basics SET Value = NULL WHERE Card_Num = 2");
    reportTo(inFolder("basic.HTM"), 2, "A1", QStringLiteral("Café Stars"));
    expectOnlyFailure("Invalid use of Null");
    expectOldReportAlone(inFolder("basic.HTM"));
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
