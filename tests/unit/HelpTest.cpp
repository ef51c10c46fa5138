#include "core/ui/modHelp.h"
#include "core/ui/modViewLog.h"
#include "fake/cFakePlatform.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// What the user was shown: every box, then every program the shell was asked to start.
std::string Shown(const fake::cFakePlatform& m) {
    std::string all;
    for (const auto& b : m.ui.boxes) all += b.text + " (" + std::to_string(b.style) + ") ";
    for (const auto& c : m.shell.calls)
        all += c.verb + " " + c.file + " [" + c.parameters + "] " + std::to_string(c.window) + " " +
               std::to_string(c.show);
    return all;
}

TEST(Help, EachCommandAndTopicOpensItsPageAndAMissingPageOrBrowserIsExplained) {
    const std::string folder = "C:\\Program Files\\Quellix", help = folder + "\\help\\";
    const std::string missing = " could not be found.\r\n\r\nReinstall Quellix to restore its help files. (48) ";
    const struct {
        std::string folder;
        int command, topic;
        std::string page, box; // box: "missing" for a page that is not there
    } cases[] = {
        {folder, kHelpShowTopic, 107, help + "settings.html", ""},
        {folder, kHelpSearch, 107, help + "search.html", ""},
        {"D:\\", 2, 101, "D:\\help\\index.html", ""},
        {folder, kHelpShowTopic, 109, help + "properties.html", "missing"},
    };
    for (const auto& c : cases) {
        fake::cFakePlatform m{"C:\\Quellix"};
        if (c.box == "missing") m.fs.AddFolder(c.page); // a folder by the page's name is no page
        else m.fs.AddFile(c.page, "<html></html>");
        EXPECT_EQ(ShowHelp(m.shell, m.fs, m.ui, 18, c.folder, c.command, c.topic), c.box.empty());
        const std::string open = "open " + c.page + " [] 18 1", page = "The help page " + c.page;
        EXPECT_EQ(Shown(m), c.box == "missing" ? page + missing : open);
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
        {"hidden", 0, true, notepad},
        {nullptr, kIdNo, true, question},
        {nullptr, kIdYes, true, question + notepad},
        {nullptr, kIdYes, false, question + "Unable to create log.  Make sure path is valid. (16) "},
    };
    fake::cFakePlatform strings{"C:\\Quellix"};
    cMessages messages;
    messages.LoadMessages(strings.strings, "C:\\Quellix");
    for (const auto& c : cases) {
        fake::cFakePlatform m{"C:\\Quellix"};
        m.fs.AddFolder("C:\\My Logs");
        if (c.contents) m.fs.AddHiddenFile(log, c.contents);
        if (!c.writable) m.fs.DenyWrites("C:\\My Logs");
        m.ui.answers = {c.answer};
        const bool shown = c.seen.ends_with(notepad);
        EXPECT_EQ(ViewLogFile(m.fs, m.ui, m.shell, messages, log, 77), shown) << c.seen;
        EXPECT_EQ(Shown(m), c.seen);
        const std::string* f = m.fs.Contents(log);
        EXPECT_EQ(f ? *f : "<none>", c.contents ? c.contents : shown ? "" : "<none>");
    }
}

} // namespace
} // namespace qx
