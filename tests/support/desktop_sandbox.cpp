#include "desktop_sandbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <stdexcept>

namespace pellimo::desktop_sandbox {
namespace {

QString root;

QString folder(const QString& name) {
    const QString path = root + u'/' + name;
    if (!QDir().mkpath(path))
        throw std::runtime_error("cannot make " + path.toStdString());
    return path;
}

void write(const QString& path, const QByteArray& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void setFolder(const char* variable, const QString& name) {
    qputenv(variable, QFile::encodeName(folder(name)));
}

QString recordPath() {
    return folder("opener") + QStringLiteral("/arguments");
}

// A script that records its argument count and arguments, written under another name and renamed, so a
// reader never sees half of it.
QByteArray recordingScript() {
    const QByteArray record = QFile::encodeName(recordPath());
    return "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + record + ".part' && mv '" + record + ".part' '" +
           record + "'\n";
}

void writeExecutable(const QString& path, const QByteArray& script) {
    write(path, script);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
}

} // namespace

void isolate(const QString& processFolder) {
    root = processFolder + QStringLiteral("/desktop");
    setFolder("XDG_DATA_HOME", "data");
    setFolder("XDG_CONFIG_HOME", "config");
    setFolder("XDG_DATA_DIRS", "system-data");
    setFolder("XDG_CONFIG_DIRS", "system-config");
    // Desktop-specific lists (gnome-mimeapps.list ...) stay out of the way.
    qunsetenv("XDG_CURRENT_DESKTOP");
    write(folder("data/mime") + QStringLiteral("/globs2"),
          "50:" + html.toUtf8() + ":*.htm\n50:" + htmlHelp.toUtf8() + ":*.chm\n");
}

QString openerPath() {
    return folder("opener") + QStringLiteral("/open");
}

void associate(const QString& mimeType, const QByteArray& script, const QByteArray& arguments,
               bool inTerminal) {
    writeExecutable(openerPath(), script);
    write(folder("data/applications") + QStringLiteral("/pellimo-test-opener.desktop"),
          "[Desktop Entry]\nType=Application\nName=Test opener\nExec=\"" + QFile::encodeName(openerPath()) +
              "\" " + arguments + "\nMimeType=" + mimeType.toUtf8() +
              ";\nTerminal=" + (inTerminal ? "true" : "false") + "\n");
    write(folder("config") + QStringLiteral("/mimeapps.list"),
          "[Default Applications]\n" + mimeType.toUtf8() + "=pellimo-test-opener.desktop\n");
}

void associateRecorder(const QString& mimeType, const QByteArray& arguments) {
    associate(mimeType, recordingScript(), arguments);
}

void provideRecordingTerminal() {
    const QString terminal = folder("terminal");
    writeExecutable(terminal + QStringLiteral("/x-terminal-emulator"), recordingScript());
    qputenv("PATH", QFile::encodeName(terminal) + ':' + qgetenv("PATH"));
}

QStringList recordedArguments() {
    QFile record(recordPath());
    QElapsedTimer waited;
    waited.start();
    while (!record.exists() && waited.elapsed() < 5000)
        QThread::msleep(10);
    if (!record.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(record.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

bool ranInAProcessOfItsOwn() {
    const ::testing::UnitTest& tests = *::testing::UnitTest::GetInstance();
    if (tests.test_to_run_count() == 1)
        return false;
    const ::testing::TestInfo& test = *tests.current_test_info();
    QProcess alone;
    alone.setProcessChannelMode(QProcess::ForwardedChannels);
    alone.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=%1.%2").arg(test.test_suite_name(), test.name())});
    const bool finished = alone.waitForFinished(120000);
    EXPECT_TRUE(finished && alone.exitStatus() == QProcess::NormalExit && alone.exitCode() == 0)
        << test.test_suite_name() << '.' << test.name() << " failed in a process of its own";
    return true;
}

} // namespace pellimo::desktop_sandbox
