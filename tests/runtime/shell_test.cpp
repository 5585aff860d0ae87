#include "desktop_sandbox.h"
#include "shell.h"

#include <gtest/gtest.h>

namespace pellimo {
namespace {

using namespace desktop_sandbox;

// The desktop's associations are the sandbox's: each test says which program opens which type.
class Shell : public ::testing::Test {
protected:
    void SetUp() override {
        if (ranInAProcessOfItsOwn())
            GTEST_SKIP() << "ran in a process of its own";
    }
};

TEST_F(Shell, StartsTheAssociatedProgramWithThePathAsOneArgument) {
    associateRecorder(html);
    const QString path = QStringLiteral("/tmp/My \"best\" set's Basics; $HOME.HTM");
    EXPECT_EQ(openWithAssociatedProgram(path), ShellResult::Started);
    EXPECT_EQ(recordedArguments(), (QStringList{QStringLiteral("1"), path}));
}

TEST_F(Shell, TheEntrysFieldCodesAreFilledIn) {
    associateRecorder(html, "--page=%u \"100%%\" %i %c");
    const QString path = QStringLiteral("/tmp/Alpha Basics.HTM");
    EXPECT_EQ(openWithAssociatedProgram(path), ShellResult::Started);
    EXPECT_EQ(recordedArguments(), (QStringList{"2", "--page=file:///tmp/Alpha%20Basics.HTM", "100%"}));
}

TEST_F(Shell, AnEntryThatNamesNoPlaceForTheFileGetsItLast) {
    associateRecorder(html, "--view");
    const QString path = QStringLiteral("/tmp/sets.HTM");
    EXPECT_EQ(openWithAssociatedProgram(path), ShellResult::Started);
    EXPECT_EQ(recordedArguments(), (QStringList{"2", "--view", path}));
}

TEST_F(Shell, AProgramThatRunsInATerminalIsGivenOne) {
    provideRecordingTerminal();
    associate(html, "#!/bin/sh\n", "%f", true);
    const QString path = QStringLiteral("/tmp/sets.HTM");
    EXPECT_EQ(openWithAssociatedProgram(path), ShellResult::Started);
    EXPECT_EQ(recordedArguments(), (QStringList{"3", "-e", openerPath(), path}));
}

TEST_F(Shell, NoProgramForTheFilesTypeIsNotFound) {
    EXPECT_EQ(openWithAssociatedProgram(QStringLiteral("/tmp/sets.HTM")), ShellResult::NotFound);
    associateRecorder(htmlHelp);
    EXPECT_EQ(openWithAssociatedProgram(QStringLiteral("/tmp/sets.HTM")), ShellResult::NotFound);
}

TEST_F(Shell, AProgramThatCannotRunIsStartFailed) {
    associate(html, "#!/nonexistent/interpreter\n");
    EXPECT_EQ(openWithAssociatedProgram(QStringLiteral("/tmp/sets.HTM")), ShellResult::StartFailed);
}

} // namespace
} // namespace pellimo
