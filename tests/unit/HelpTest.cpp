#include "core/ui/cBuiltinStringTable.h"
#include "core/ui/modHelp.h"
#include "core/ui/modViewLog.h"
#include "fake/cFakeShell.h"
#include "fake/cFakeUserInterface.h"
#include "fake/cMemoryFileSystem.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// What the user was shown: every box, then every program the shell was asked to start.
std::string Shown(const fake::cFakeUserInterface& ui, const fake::cFakeShell& shell) {
    std::string all;
    for (const auto& b : ui.boxes) all += b.text + " (" + std::to_string(b.style) + ") ";
    for (const auto& c : shell.calls)
        all += c.verb + " " + c.file + " [" + c.parameters + "] " + std::to_string(c.window) + " " + std::to_string(c.show);
    return all;
}

TEST(Help, EachCommandAndTopicOpensItsPageAndAMissingPageOrBrowserIsExplained) {
    const std::string folder = "C:\\Program Files\\Quellix", help = folder + "\\help\\";
    const struct {
        std::string folder;
        int command, topic;
        std::string page;
        bool pageThere = true, browserStarts = true;
    } cases[] = {
        {folder, kHelpShowTopic, 107, help + "settings.html"},
        {folder, kHelpShowTopic, 101, help + "getting-started.html"},
        {folder, kHelpShowTopic, 103, help + "using-quellix.html"},
        {folder, kHelpShowTopic, 109, help + "properties.html"},
        {folder, kHelpShowTopic, 115, help + "index.html"}, // a topic without a page of its own
        {folder, kHelpContents, 107, help + "index.html"},
        {folder, kHelpSearch, 107, help + "search.html"},
        {"D:\\", 2, 101, "D:\\help\\index.html"},
        {folder, kHelpShowTopic, 107, help + "settings.html", false},
        {folder, kHelpShowTopic, 107, help + "settings.html", true, false},
    };
    for (const auto& c : cases) {
        fake::cMemoryFileSystem fs;
        fake::cFakeShell shell;
        fake::cFakeUserInterface ui;
        fs.AddFolder(c.folder + "\\help");
        if (c.pageThere) fs.AddFile(c.page, "<html></html>");
        else fs.AddFolder(c.page); // a folder by the page's name is no page
        shell.result = c.browserStarts;
        EXPECT_EQ(ShowHelp(shell, fs, ui, 18, c.folder, c.command, c.topic), c.pageThere && c.browserStarts);
        const std::string open = "open " + c.page + " [] 18 1";
        EXPECT_EQ(Shown(ui, shell),
                  !c.pageThere ? "The help page " + c.page +
                                     " could not be found.\r\n\r\nReinstall Quellix to restore its help files. (48) "
                  : !c.browserStarts ? "The help page " + c.page +
                                           " could not be opened.\r\n\r\nMake sure a web browser is installed and set "
                                           "as the default program for web pages. (48) " + open
                                     : open);
    }
}

TEST(ViewLog, TheLogOpensInNotepadAndAMissingOneIsCreatedOnlyOnYes) {
    const std::string log = "C:\\My Logs\\Quellix run.log";
    const std::string notepad = " Notepad.exe [\"" + log + "\"] 77 1";
    const std::string question = log + " wasn't found.\r\nOk to create it? (36) ";
    const struct {
        bool exists, hidden, denied;
        int answer;
        bool notepadStarts, shown;
        std::string seen;
    } cases[] = {
        {true, false, false, 0, true, true, notepad},
        {true, true, false, 0, true, true, notepad}, // a hidden log is still the log
        {true, false, false, 0, false, false, notepad},
        {false, false, false, kIdNo, true, false, question},
        {false, false, false, kIdYes, true, true, question + notepad},
        {false, false, true, kIdYes, true, false, question + "Unable to create log.  Make sure path is valid. (16) "},
    };
    cMessages messages;
    cBuiltinStringTable table;
    messages.LoadMessages(table, "C:\\Quellix");
    for (const auto& c : cases) {
        fake::cMemoryFileSystem fs;
        fake::cFakeUserInterface ui;
        fake::cFakeShell shell;
        fs.AddFolder("C:\\My Logs");
        if (c.exists && c.hidden) fs.AddHiddenFile(log, "entries");
        else if (c.exists) fs.AddFile(log, "entries");
        if (c.denied) fs.DenyWrites("C:\\My Logs");
        if (c.answer != 0) ui.answers = {c.answer};
        shell.result = c.notepadStarts;
        EXPECT_EQ(ViewLogFile(fs, ui, shell, messages, log, 77), c.shown) << c.seen;
        EXPECT_EQ(Shown(ui, shell), c.seen);
        const std::string* f = fs.Contents(log);
        EXPECT_EQ(f ? *f : "<none>", c.exists ? "entries" : c.answer == kIdYes && !c.denied ? "" : "<none>");
    }
}

} // namespace
} // namespace qx
