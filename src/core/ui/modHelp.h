#pragma once
// Help is a set of HTML pages in the "help" folder beside the program, shown
// by the user's default browser. The menu and the dialogs still ask for help
// by command and topic number; this module maps those onto the pages.
#include "core/platform/IFileSystem.h"
#include "core/platform/IProcessWindowServices.h"
#include "core/platform/IShell.h"
#include "core/platform/IUserInterface.h"

#include <string>
#include <vector>

namespace qx {

// Help commands, numbered as the menu and the dialogs pass them.
inline constexpr int kHelpShowTopic = 1;  // one topic by its number
inline constexpr int kHelpContents = 15;  // the table of contents
inline constexpr int kHelpSearch = 257;   // the search page

// Topic numbers that have a page of their own.
inline constexpr int kTopicGettingStarted = 101;
inline constexpr int kTopicUsingQuellix = 103;
inline constexpr int kTopicSettings = 107;
inline constexpr int kTopicProperties = 109;

// Name of the folder beside the program that holds the pages.
inline constexpr const char* kHelpFolderName = "help";

// File name of the page for a command and topic ("getting-started.html").
// Contents, and a topic number without a page, give the contents page.
std::string HelpPageName(int command, int topic);
// Full path of that page: programFolder + "\help\" + page name.
std::string HelpPagePath(const std::string& programFolder, int command, int topic);
// Every page the program can open, contents first.
const std::vector<std::string>& HelpPageNames();

// Opens the page in the default browser. When the page is missing, or no
// program will show it, the user is told in a message box (with the full
// path, so a damaged installation can be repaired) and the result is false.
bool ShowHelp(IShell& shell, IFileSystem& fs, IUserInterface& ui, WindowHandle owner,
              const std::string& programFolder, int command, int topic = 0);

// The two messages, for the tests.
std::string HelpMissingText(const std::string& pagePath);
std::string HelpNotShownText(const std::string& pagePath);

} // namespace qx
