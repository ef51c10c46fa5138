#include "core/ui/modHelp.h"
#include "fake/cFakeShell.h"
#include "fake/cFakeUserInterface.h"
#include "fake/cMemoryFileSystem.h"

#include <gtest/gtest.h>

#include <set>

namespace qx {
namespace {

TEST(HelpPages, EachCommandAndTopicReachesItsPageAndEveryOtherTheContents) {
    const struct {
        int command, topic;
        const char* page;
    } cases[] = {
        {kHelpContents, 0, "index.html"},  {kHelpSearch, 0, "search.html"},
        {kHelpShowTopic, 101, "getting-started.html"}, {kHelpShowTopic, 107, "settings.html"},
        {kHelpShowTopic, 109, "properties.html"}, {kHelpShowTopic, 103, "using-quellix.html"},
        {kHelpShowTopic, 115, "index.html"}, {kHelpShowTopic, 0, "index.html"}, {kHelpShowTopic, -1, "index.html"},
        // A topic number only counts with the show-topic command.
        {kHelpContents, 107, "index.html"}, {kHelpSearch, 107, "search.html"}, {2, 101, "index.html"},
    };
    const auto& names = HelpPageNames();
    const std::set<std::string> shipped(names.begin(), names.end());
    EXPECT_EQ(shipped.size(), names.size());
    for (const auto& c : cases) {
        EXPECT_EQ(HelpPageName(c.command, c.topic), c.page) << c.command << '/' << c.topic;
        EXPECT_EQ(shipped.count(c.page), 1u) << c.page;
    }
    EXPECT_EQ(HelpPagePath("C:\\Program Files\\Quellix", kHelpShowTopic, 109),
              "C:\\Program Files\\Quellix\\help\\properties.html");
    EXPECT_EQ(HelpPagePath("D:\\", kHelpContents, 0), "D:\\help\\index.html");
}

TEST(ShowHelp, OpensAnExistingPageInTheBrowserAndTellsWhyOtherwise) {
    const std::string folder = "C:\\Program Files\\Quellix";
    const std::string page = folder + "\\help\\settings.html";
    const struct {
        bool file, folderInstead, browserStarts;
        std::string box;
    } cases[] = {
        {true, false, true, ""},
        {false, false, true, HelpMissingText(page)},
        {false, true, true, HelpMissingText(page)},
        {true, false, false, HelpNotShownText(page)},
    };
    EXPECT_EQ(HelpMissingText(page), "The help page C:\\Program Files\\Quellix\\help\\settings.html could not be "
                                     "found.\r\n\r\nReinstall Quellix to restore its help files.");
    for (const auto& c : cases) {
        fake::cMemoryFileSystem fs;
        fake::cFakeShell shell;
        fake::cFakeUserInterface ui;
        fs.AddFolder(folder + "\\help");
        fs.AddFile(folder + "\\help\\index.html");
        if (c.file) fs.AddFile(page, "<html></html>");
        if (c.folderInstead) fs.AddFolder(page);
        shell.result = c.browserStarts;
        EXPECT_EQ(ShowHelp(shell, fs, ui, 0x1234, folder, kHelpShowTopic, 107), c.box.empty()) << c.box;
        EXPECT_EQ(shell.calls.size(), c.file ? 1u : 0u) << c.box;
        if (c.box.empty()) {
            EXPECT_TRUE(ui.boxes.empty());
            const auto& call = shell.calls.at(0);
            EXPECT_EQ(call.window, 0x1234u);
            EXPECT_EQ(call.verb, "open");
            EXPECT_EQ(call.file, page); // blanks and all, never as parameters
            EXPECT_EQ(call.parameters, "");
            EXPECT_EQ(call.show, kSwShowNormal);
            continue;
        }
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, c.box);
        EXPECT_EQ(ui.boxes[0].style, kMbOk | kMbIconExclamation);
        EXPECT_EQ(ui.boxes[0].title, "Quellix");
    }
}

} // namespace
} // namespace qx
