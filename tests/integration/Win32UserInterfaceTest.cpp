// The ports that show the system's own dialogs, answered by a user on a
// second thread, and the shell's start of other programs. Message boxes and
// the save dialog are met through the command line and the main window.
#include "win32/cWin32UserInterface.h"

#include "integration/cDialogUser.h"
#include "integration/cTempPath.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/WindowHandle.h"
#include "win32/cWin32Shell.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace qx::win32 {
namespace {

using test::cDialogUser;

TEST(Win32UserInterface, CaptionIsKeptAndShownOnTheAttachedWindow) {
    cWin32UserInterface ui;
    ui.SetCaption("Attempting to kill a");
    EXPECT_EQ(ui.GetCaption(), "Attempting to kill a"); // without a window too
    HWND w = CreateWindowExW(0, L"STATIC", L"old", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ui.SetMainWindow(ToWindowHandle(w));
    ui.SetCaption("'Caf\xC3\xA9' was killed cleanly.");
    EXPECT_EQ(cDialogUser::Text(w), L"'Caf\u00e9' was killed cleanly.");
    DestroyWindow(w);
}

TEST(Win32Shell, FolderBrowserGivesTheChoiceOrNothingAndProgramsStartWithTheirParameters) {
    cWin32Shell shell;
    const test::cTempFolder folder("shell");
    const std::wstring select = Widen(folder.Path());
    for (const bool cancel : {true, false}) {
        std::string chosen = "unchanged";
        cDialogUser user(L"Browse for Folder", [&](cDialogUser&, HWND d) {
            SendMessageW(d, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(select.c_str()));
            PostMessageW(d, WM_COMMAND, cancel ? IDCANCEL : IDOK, 0);
        });
        EXPECT_EQ(shell.BrowseForFolder(0, "Choose the data folder", kBifReturnOnlyFsDirs, chosen), !cancel);
        user.Join();
        EXPECT_EQ(chosen, cancel ? "unchanged" : folder.Path());
    }
    EXPECT_FALSE(shell.ShellExecute(0, {}, "C:\\no\\such\\document.qxdoc", {}, {}, SW_SHOWNORMAL));
    const std::string marker = folder.File("marker.txt");
    ASSERT_TRUE(shell.ShellExecute(0, "open", "cmd.exe", "/c echo hi> \"" + marker + "\"", {}, SW_HIDE));
    EXPECT_TRUE(cDialogUser::WaitFor([&] { return test::ReadFileBytes(marker) == "hi\r\n"; }));
    cDialogUser::WaitFor([&] { return DeleteFileW(Widen(marker).c_str()) != FALSE; }); // cmd may still hold it
}

} // namespace
} // namespace qx::win32
