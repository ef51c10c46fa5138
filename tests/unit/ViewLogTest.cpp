#include "core/ui/cBuiltinStringTable.h"
#include "core/ui/modViewLog.h"
#include "fake/cFakeShell.h"
#include "fake/cFakeUserInterface.h"
#include "fake/cMemoryFileSystem.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

class ViewLog : public ::testing::Test {
protected:
    ViewLog() {
        fs.AddFolder("C:\\My Logs");
        cBuiltinStringTable table;
        messages.LoadMessages(table, "C:\\Quellix");
    }
    bool View() { return ViewLogFile(fs, ui, shell, messages, kPath, 77); }

    static constexpr const char* kPath = "C:\\My Logs\\Quellix run.log";
    fake::cMemoryFileSystem fs;
    fake::cFakeUserInterface ui;
    fake::cFakeShell shell;
    cMessages messages;
};

TEST_F(ViewLog, ExistingLogOpensInNotepadWithThePathQuoted) {
    fs.AddFile(kPath, "x");
    EXPECT_TRUE(View());
    EXPECT_TRUE(ui.boxes.empty());
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].what, "exec");
    EXPECT_EQ(shell.calls[0].file, "Notepad.exe");
    EXPECT_EQ(shell.calls[0].parameters, "\"C:\\My Logs\\Quellix run.log\"");
    EXPECT_EQ(shell.calls[0].window, 77u);
    EXPECT_EQ(shell.calls[0].show, kSwShowNormal);
}

TEST_F(ViewLog, MissingLogAnsweredNoCreatesNothingAndStartsNothing) {
    ui.answers = {kIdNo};
    EXPECT_FALSE(View());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, std::string(kPath) + " wasn't found.\r\nOk to create it?");
    EXPECT_EQ(ui.boxes[0].style, kMbYesNo | kMbIconQuestion);
    EXPECT_EQ(ui.boxes[0].title, "Quellix");
    EXPECT_FALSE(fs.PathExists(kPath));
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(ViewLog, MissingLogAnsweredYesIsCreatedEmptyThenShown) {
    ui.answers = {kIdYes};
    EXPECT_TRUE(View());
    ASSERT_NE(fs.Contents(kPath), nullptr);
    EXPECT_EQ(*fs.Contents(kPath), "");
    ASSERT_EQ(shell.calls.size(), 1u);
}

TEST_F(ViewLog, FailedCreationIsReportedAndNotepadNotStarted) {
    fs.DenyWrites("C:\\My Logs");
    ui.answers = {kIdYes};
    EXPECT_FALSE(View());
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[1].text, "Unable to create log.  Make sure path is valid.");
    EXPECT_EQ(ui.boxes[1].style, kMbOk | kMbIconCritical);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(ViewLog, HiddenLogIsShownAsItIsWithoutAQuestion) {
    fs.AddHiddenFile(kPath, "entries");
    EXPECT_TRUE(View());
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(*fs.Contents(kPath), "entries");
    EXPECT_EQ(shell.calls.size(), 1u);
}

TEST_F(ViewLog, NotepadMissingIsReportedAsFalse) {
    fs.AddFile(kPath);
    shell.result = false;
    EXPECT_FALSE(View());
}

} // namespace
} // namespace qx
