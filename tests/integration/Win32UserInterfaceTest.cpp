// The ports that show the system's own boxes and dialogs, answered by a user
// on a second thread, and the shell's start of other programs.
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

TEST(Win32UserInterface, MessageBoxTakesTheApplicationTitleUnlessGivenOne) {
    cWin32UserInterface ui;
    struct Case {
        const char* title;
        const wchar_t* caption;
        std::uint32_t flags;
        int button;
    };
    for (const Case& c : {Case{"", L"Quellix", kMbYesNo | kMbIconQuestion, IDNO},
                          Case{"Caf\xC3\xA9 error", L"Caf\u00e9 error", kMbOk | kMbIconCritical, IDOK}}) {
        std::wstring text;
        cDialogUser user(c.caption, [&](cDialogUser& u, HWND box) {
            text = u.Text(GetDlgItem(box, 0xFFFF));
            u.Answer(box, c.button);
        });
        EXPECT_EQ(ui.MessageBox("Save the set?", c.flags, c.title), c.button);
        user.Join();
        EXPECT_EQ(text, L"Save the set?") << c.title;
    }
}

TEST(Win32UserInterface, CaptionIsKeptAndShownOnTheAttachedWindow) {
    cWin32UserInterface ui;
    ui.SetCaption("Attempting to kill a");
    EXPECT_EQ(ui.GetCaption(), "Attempting to kill a"); // without a window too
    HWND w = CreateWindowExW(0, L"STATIC", L"old", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    ui.SetMainWindow(ToWindowHandle(w));
    ui.SetCaption("'Caf\xC3\xA9' was killed cleanly.");
    EXPECT_EQ(cDialogUser::Text(w), L"'Caf\u00e9' was killed cleanly.");
    DestroyWindow(w);
}

// The save dialog is driven through the main window's Save As.
TEST(Win32Shell, FolderBrowserGivesTheChoiceOrNothingWhenCancelled) {
    cWin32Shell shell;
    const test::cTempFolder folder("browse");
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
}

TEST(Win32Shell, ShellExecuteStartsAProgramWithParametersAndReportsMissingFiles) {
    cWin32Shell shell;
    EXPECT_FALSE(shell.ShellExecute(0, {}, "C:\\no\\such\\document.qxdoc", {}, {}, SW_SHOWNORMAL));
    const test::cTempFolder folder("shell");
    const std::string marker = folder.File("marker.txt");
    ASSERT_TRUE(shell.ShellExecute(0, "open", "cmd.exe", "/c echo hi> \"" + marker + "\"", {}, SW_HIDE));
    EXPECT_TRUE(cDialogUser::WaitFor([&] { return test::ReadFileBytes(marker) == "hi\r\n"; }));
    cDialogUser::WaitFor([&] { return DeleteFileW(Widen(marker).c_str()) != FALSE; }); // cmd may still hold it
}

} // namespace
} // namespace qx::win32
