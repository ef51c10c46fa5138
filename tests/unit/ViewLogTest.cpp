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

TEST_F(ViewLog, TheLogOpensInNotepadQuotedAndAMissingOneIsCreatedOnlyOnYes) {
    const struct {
        bool exists, denied;
        int answer;
        bool notepadStarts, shown;
        const char* lastBox; // nullptr: no message
    } cases[] = {
        {true, false, 0, true, true, nullptr},
        {true, false, 0, false, false, nullptr}, // Notepad missing
        {false, false, kIdNo, true, false, "C:\\My Logs\\Quellix run.log wasn't found.\r\nOk to create it?"},
        {false, false, kIdYes, true, true, "C:\\My Logs\\Quellix run.log wasn't found.\r\nOk to create it?"},
        {false, true, kIdYes, true, false, "Unable to create log.  Make sure path is valid."},
    };
    for (const auto& c : cases) {
        fs = {};
        ui = {};
        shell = {};
        fs.AddFolder("C:\\My Logs");
        if (c.exists) fs.AddFile(kPath, "x");
        if (c.denied) fs.DenyWrites("C:\\My Logs");
        if (c.answer != 0) ui.answers = {c.answer};
        shell.result = c.notepadStarts;
        const int at = static_cast<int>(&c - cases);
        EXPECT_EQ(View(), c.shown) << at;
        EXPECT_EQ(fs.Contents(kPath) != nullptr, c.exists || (c.answer == kIdYes && !c.denied)) << at;
        EXPECT_EQ(ui.boxes.empty() ? "" : ui.boxes.back().text, c.lastBox ? c.lastBox : "") << at;
        EXPECT_EQ(shell.calls.size(), c.shown || !c.notepadStarts ? 1u : 0u) << at;
        if (shell.calls.empty()) continue;
        EXPECT_EQ(shell.calls[0].file, "Notepad.exe");
        EXPECT_EQ(shell.calls[0].parameters, "\"C:\\My Logs\\Quellix run.log\"");
        EXPECT_EQ(shell.calls[0].window, 77u);
        EXPECT_EQ(shell.calls[0].show, kSwShowNormal);
    }
}

TEST_F(ViewLog, HiddenLogIsShownAsItIsWithoutAQuestion) {
    fs.AddHiddenFile(kPath, "entries");
    EXPECT_TRUE(View());
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(*fs.Contents(kPath), "entries");
    EXPECT_EQ(shell.calls.size(), 1u);
}

} // namespace
} // namespace qx
