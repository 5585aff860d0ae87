#include "report_fixture.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

namespace pellimo {
namespace {

// Reports whose `xdg-open` is the test's own, first on PATH; the real PATH comes back after each test.
class ViewRep : public ReportTest {
protected:
    ~ViewRep() override { qputenv("PATH", savedPath); }

    void useOpener(const QByteArray& script) {
        QFile opener(bin.filePath("xdg-open"));
        ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
        opener.write(script);
        opener.setPermissions(opener.permissions() | QFileDevice::ExeOwner);
        qputenv("PATH", QFile::encodeName(bin.path()) + ':' + savedPath);
    }

    // The stand-in writes its argument count and arguments, one a line, then renames the file into place.
    void useRecordingOpener() {
        const QByteArray record = QFile::encodeName(recordPath());
        useOpener("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + record + ".part' && mv '" + record +
                  ".part' '" + record + "'\n");
    }
    QString recordPath() const { return bin.filePath("arguments"); }

    QStringList recordedArguments() const {
        QElapsedTimer waited;
        waited.start();
        while (!QFile::exists(recordPath()) && waited.elapsed() < 5000)
            QThread::msleep(10);
        return QString::fromStdString(fileText(recordPath())).split(u'\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir bin;
    const QByteArray savedPath = qgetenv("PATH");
};

TEST_F(ViewRep, AnsweringYesOpensTheReportWithItsPathAsOneArgument) {
    useRecordingOpener();
    const QString path = inFolder("Alpha Basics.HTM");
    dialogs.queueFile(path);
    dialogs.msgBoxAnswers.push_back(vbYes);
    reports.Report(2, "A1", "Alpha", RepSQL);
    EXPECT_EQ(recordedArguments(), (QStringList{"1", path}));
    EXPECT_EQ(dialogs.messages().size(), 1u); // the question alone
}

TEST_F(ViewRep, NoOpenerMeansNoBrowser) {
    qputenv("PATH", QFile::encodeName(bin.path()));
    reports.viewRep(inFolder("sets.HTM"));
    expectOneMessage("Could not find associated Browser", vbExclamation, "Browser Not Found");
}

TEST_F(ViewRep, AnOpenerThatCannotStartMeansThePageWasNotOpened) {
    useOpener("#!/nonexistent/interpreter\n");
    reports.viewRep(inFolder("sets.HTM"));
    expectOneMessage("Web Page not Opened", vbExclamation, "URL Failed");
}

} // namespace
} // namespace pellimo
