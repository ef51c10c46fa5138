#include "core/ui/cBuiltinStringTable.h"
#include "core/ui/modHelp.h"
#include "core/ui/modViewLog.h"
#include "fake/cFakeShell.h"
#include "fake/cFakeUserInterface.h"
#include "fake/cMemoryFileSystem.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

struct Machine {
    fake::cMemoryFileSystem fs;
    fake::cFakeShell shell;
    fake::cFakeUserInterface ui;
    // What the user was shown: every box, then every program the shell was asked to start.
    std::string Shown() const {
        std::string all;
        for (const auto& b : ui.boxes) all += b.text + " (" + std::to_string(b.style) + ") ";
        for (const auto& c : shell.calls)
            all += c.verb + " " + c.file + " [" + c.parameters + "] " + std::to_string(c.window) + " " + std::to_string(c.show);
        return all;
    }
};

TEST(Help, EachCommandAndTopicOpensItsPageAndAMissingPageOrBrowserIsExplained) {
    const std::string folder = "C:\\Program Files\\Quellix", help = folder + "\\help\\";
    const struct {
        std::string folder;
        int command, topic;
        std::string page;
        bool pageThere = true, browserStarts = true;
    } cases[] = {
        {folder, kHelpShowTopic, 107, help + "settings.html"},
        {folder, kHelpShowTopic, 109, help + "properties.html"},
        {folder, kHelpShowTopic, 115, help + "index.html"}, // a topic without a page of its own
        {folder, kHelpContents, 107, help + "index.html"},
        {folder, kHelpSearch, 107, help + "search.html"},
        {"D:\\", 2, 101, "D:\\help\\index.html"},
        {folder, kHelpShowTopic, 107, help + "settings.html", false},
        {folder, kHelpShowTopic, 107, help + "settings.html", true, false},
    };
    for (const auto& c : cases) {
        Machine m;
        if (c.pageThere) m.fs.AddFile(c.page, "<html></html>");
        else m.fs.AddFolder(c.page); // a folder by the page's name is no page
        m.shell.result = c.browserStarts;
        EXPECT_EQ(ShowHelp(m.shell, m.fs, m.ui, 18, c.folder, c.command, c.topic), c.pageThere && c.browserStarts);
        const std::string open = "open " + c.page + " [] 18 1", page = "The help page " + c.page + " could not be ";
        const std::string missing = "found.\r\n\r\nReinstall Quellix to restore its help files. (48) ";
        const std::string notShown = "opened.\r\n\r\nMake sure a web browser is installed and set as the default "
                                     "program for web pages. (48) ";
        EXPECT_EQ(m.Shown(), !c.pageThere ? page + missing : !c.browserStarts ? page + notShown + open : open);
    }
}

TEST(ViewLog, TheLogOpensInNotepadAndAMissingOneIsCreatedOnlyOnYes) {
    const std::string log = "C:\\My Logs\\Quellix run.log", notepad = " Notepad.exe [\"" + log + "\"] 77 1";
    const std::string question = log + " wasn't found.\r\nOk to create it? (36) ";
    const struct {
        const char* contents; // nullptr: no log; "hidden": a hidden log, which is still the log
        int answer;
        bool writable;
        std::string seen;
    } cases[] = {
        {"entries", 0, true, notepad},        {"hidden", 0, true, notepad},
        {nullptr, kIdNo, true, question},     {nullptr, kIdYes, true, question + notepad},
        {nullptr, kIdYes, false, question + "Unable to create log.  Make sure path is valid. (16) "},
    };
    cMessages messages;
    cBuiltinStringTable table;
    messages.LoadMessages(table, "C:\\Quellix");
    for (const auto& c : cases) {
        Machine m;
        m.fs.AddFolder("C:\\My Logs");
        if (c.contents && std::string(c.contents) == "hidden") m.fs.AddHiddenFile(log, c.contents);
        else if (c.contents) m.fs.AddFile(log, c.contents);
        if (!c.writable) m.fs.DenyWrites("C:\\My Logs");
        m.ui.answers = {c.answer};
        const bool shown = c.seen.ends_with(notepad);
        EXPECT_EQ(ViewLogFile(m.fs, m.ui, m.shell, messages, log, 77), shown) << c.seen;
        EXPECT_EQ(m.Shown(), c.seen);
        const std::string* f = m.fs.Contents(log);
        EXPECT_EQ(f ? *f : "<none>", c.contents ? c.contents : shown ? "" : "<none>");
    }
}

} // namespace
} // namespace qx
