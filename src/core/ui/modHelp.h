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

// Every page the program can open, contents first.
const std::vector<std::string>& HelpPageNames();

// Opens the page for a command and topic, programFolder\help\<page>, in the
// default browser; contents, and a topic number without a page of its own,
// give the contents page. When the page is missing, or no
// program will show it, the user is told in a message box (with the full
// path, so a damaged installation can be repaired) and the result is false.
bool ShowHelp(IShell& shell, IFileSystem& fs, IUserInterface& ui, WindowHandle owner,
              const std::string& programFolder, int command, int topic = 0);

} // namespace qx
