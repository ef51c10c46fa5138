#include "core/ui/modHelp.h"
#include "core/util/cGlobalsClass.h"
#include "fake/cFakeShell.h"
#include "fake/cFakeUserInterface.h"
#include "fake/cMemoryFileSystem.h"

#include <gtest/gtest.h>

#include <set>

namespace qx {
namespace {

TEST(HelpPages, MenuCommandsAndDialogTopicsReachTheirOwnPages) {
    EXPECT_EQ(HelpPageName(kHelpContents, 0), "index.html");
    EXPECT_EQ(HelpPageName(kHelpSearch, 0), "search.html");
    // The topic numbers the menu and the two dialogs pass.
    EXPECT_EQ(HelpPageName(kHelpShowTopic, cGlobalsClass::HID_Getting_Started()), "getting-started.html");
    EXPECT_EQ(HelpPageName(kHelpShowTopic, cGlobalsClass::HID_Settings()), "settings.html");
    EXPECT_EQ(HelpPageName(kHelpShowTopic, cGlobalsClass::HID_Properties()), "properties.html");
    EXPECT_EQ(HelpPageName(kHelpShowTopic, cGlobalsClass::HID_Using_Quellix()), "using-quellix.html");
}

TEST(HelpPages, UnknownTopicsAndCommandsFallBackToTheContents) {
    EXPECT_EQ(HelpPageName(kHelpShowTopic, cGlobalsClass::HID_Uninstalling()), "index.html");
    EXPECT_EQ(HelpPageName(kHelpShowTopic, 0), "index.html");
    EXPECT_EQ(HelpPageName(kHelpShowTopic, -1), "index.html");
    // A topic number only counts with the show-topic command.
    EXPECT_EQ(HelpPageName(kHelpContents, 107), "index.html");
    EXPECT_EQ(HelpPageName(kHelpSearch, 107), "search.html");
    EXPECT_EQ(HelpPageName(2, 101), "index.html");
}

TEST(HelpPages, EveryMappedPageIsListedOnceForShipping) {
    const auto& names = HelpPageNames();
    const std::set<std::string> unique(names.begin(), names.end());
    EXPECT_EQ(unique.size(), names.size());
    EXPECT_EQ(names.front(), "index.html");
    for (int command : {kHelpContents, kHelpSearch})
        EXPECT_TRUE(unique.count(HelpPageName(command, 0))) << command;
    for (int topic : {101, 103, 107, 109})
        EXPECT_TRUE(unique.count(HelpPageName(kHelpShowTopic, topic))) << topic;
}

TEST(HelpPages, PathIsInTheHelpFolderBesideTheProgram) {
    EXPECT_EQ(HelpPagePath("C:\\Program Files\\Quellix", kHelpShowTopic, 109),
              "C:\\Program Files\\Quellix\\help\\properties.html");
    // A program in a drive's root, or a folder given with its backslash.
    EXPECT_EQ(HelpPagePath("D:\\", kHelpContents, 0), "D:\\help\\index.html");
    EXPECT_EQ(HelpPagePath("C:\\Tools\\", kHelpSearch, 0), "C:\\Tools\\help\\search.html");
}

class ShowHelpTest : public ::testing::Test {
protected:
    const std::string folder = "C:\\Program Files\\Quellix";
    fake::cMemoryFileSystem fs;
    fake::cFakeShell shell;
    fake::cFakeUserInterface ui;

    void SetUp() override { fs.AddFolder(folder + "\\help"); }
};

TEST_F(ShowHelpTest, OpensThePageWithTheDefaultBrowser) {
    fs.AddFile(folder + "\\help\\settings.html", "<html></html>");
    EXPECT_TRUE(ShowHelp(shell, fs, ui, 0x1234, folder, kHelpShowTopic, 107));
    ASSERT_EQ(shell.calls.size(), 1u);
    const auto& call = shell.calls[0];
    EXPECT_EQ(call.what, "exec");
    EXPECT_EQ(call.window, 0x1234u);
    EXPECT_EQ(call.verb, "open");
    // The path goes as the file itself, blanks and all, never as parameters.
    EXPECT_EQ(call.file, folder + "\\help\\settings.html");
    EXPECT_EQ(call.parameters, "");
    EXPECT_EQ(call.show, kSwShowNormal);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ShowHelpTest, MissingPageIsToldWithItsPathAndNothingIsStarted) {
    fs.AddFile(folder + "\\help\\index.html"); // contents is there, the topic is not
    EXPECT_FALSE(ShowHelp(shell, fs, ui, 0, folder, kHelpShowTopic, 101));
    EXPECT_TRUE(shell.calls.empty());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "The help page C:\\Program Files\\Quellix\\help\\getting-started.html could "
                                "not be found.\r\n\r\nReinstall Quellix to restore its help files.");
    EXPECT_EQ(ui.boxes[0].style, kMbOk | kMbIconExclamation);
    EXPECT_EQ(ui.boxes[0].title, "Quellix");
}

TEST_F(ShowHelpTest, AFolderNamedLikeThePageIsNoPage) {
    fs.AddFolder(folder + "\\help\\index.html");
    EXPECT_FALSE(ShowHelp(shell, fs, ui, 0, folder, kHelpContents));
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(ShowHelpTest, ABrowserThatDoesNotStartIsTold) {
    fs.AddFile(folder + "\\help\\search.html");
    shell.result = false;
    EXPECT_FALSE(ShowHelp(shell, fs, ui, 0, folder, kHelpSearch));
    EXPECT_EQ(shell.calls.size(), 1u);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, HelpNotShownText(folder + "\\help\\search.html"));
    EXPECT_NE(ui.boxes[0].text.find("could not be opened"), std::string::npos);
    EXPECT_EQ(ui.boxes[0].style, kMbOk | kMbIconExclamation);
}

} // namespace
} // namespace qx
