#include "shell.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace pellimo {
namespace {

// A stand-in `xdg-open` first on PATH; the real PATH comes back after each test.
class Shell : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(bin.isValid()); }
    void TearDown() override { qputenv("PATH", savedPath); }

    void installOpener(const QByteArray& script) {
        QFile opener(bin.filePath(QStringLiteral("xdg-open")));
        ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
        opener.write(script);
        opener.setPermissions(opener.permissions() | QFileDevice::ExeOwner);
        qputenv("PATH", QFile::encodeName(bin.path()) + ':' + savedPath);
    }

    // The lines the stand-in wrote: its argument count, then each argument.
    QStringList recordedArguments() const {
        QFile record(bin.filePath(QStringLiteral("arguments")));
        QElapsedTimer waited;
        waited.start();
        while (!record.exists() && waited.elapsed() < 5000)
            QThread::msleep(10);
        if (!record.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(record.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir bin;
    const QByteArray savedPath = qgetenv("PATH");
};

TEST_F(Shell, PassesThePathAsOneArgument) {
    const QByteArray record = QFile::encodeName(bin.filePath(QStringLiteral("arguments")));
    installOpener("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + record + ".part' && mv '" + record +
                  ".part' '" + record + "'\n");
    const QString path = QStringLiteral("/tmp/My \"best\" set's Basics; $HOME.HTM");
    EXPECT_EQ(openWithAssociatedProgram(path), ShellResult::Started);
    EXPECT_EQ(recordedArguments(), (QStringList{QStringLiteral("1"), path}));
}

TEST_F(Shell, NoOpenerOnThePathIsNotFound) {
    qputenv("PATH", QFile::encodeName(bin.path()));
    EXPECT_EQ(openWithAssociatedProgram(QStringLiteral("/tmp/sets.HTM")), ShellResult::NotFound);
}

TEST_F(Shell, AnOpenerThatCannotRunIsStartFailed) {
    installOpener("#!/nonexistent/interpreter\n");
    EXPECT_EQ(openWithAssociatedProgram(QStringLiteral("/tmp/sets.HTM")), ShellResult::StartFailed);
}

} // namespace
} // namespace pellimo
