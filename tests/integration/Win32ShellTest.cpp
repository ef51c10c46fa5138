#include "core/util/cQXUtility.h"
#include "fake/cMemoryFileSystem.h"
#include "win32/WideText.h"
#include "win32/cWin32Shell.h"

#include "win32/WinApi.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
// Like WinApi.h does for <windows.h>: no A/W renaming of the port's members.
#undef ShellExecute

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace qx::win32 {
namespace {

class Win32ShellTest : public ::testing::Test {
protected:
    fake::cMemoryFileSystem fs;
    cWin32Shell shell;
    cQXUtility util{fs, shell};
};

// The visible dialog of a thread: the folder browser it has open.
HWND FindDialog(DWORD threadId) {
    HWND found = nullptr;
    EnumThreadWindows(
        threadId,
        [](HWND w, LPARAM p) -> BOOL {
            wchar_t cls[32]{};
            GetClassNameW(w, cls, 32);
            if (wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(w)) return TRUE;
            *reinterpret_cast<HWND*>(p) = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs the browser on this thread while a helper selects a folder (or not) and presses a button.
std::string Browse(cQXUtility& util, std::string& title, const std::wstring& select, int button) {
    const DWORD me = GetCurrentThreadId();
    std::thread helper([&] {
        for (int i = 0; i < 500; ++i) {
            Sleep(20);
            if (HWND dlg = FindDialog(me)) {
                if (!select.empty()) SendMessageW(dlg, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(select.c_str()));
                PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
                return;
            }
        }
    });
    const std::string result = util.BrowseForFolder(0, title);
    helper.join();
    return result;
}

TEST_F(Win32ShellTest, BrowseForFolderReturnsTheChosenFolderOrNothingWhenCancelled) {
    wchar_t temp[MAX_PATH]{};
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder(temp);
    folder.pop_back(); // no trailing backslash
    std::string title = "Choose the data folder";
    const std::string chosen = Browse(util, title, folder, IDOK);
    EXPECT_EQ(CompareStringOrdinal(Widen(chosen).c_str(), -1, folder.c_str(), -1, TRUE), CSTR_EQUAL) << chosen;
    EXPECT_EQ(title, "Choose the data folder");
    title.clear();
    EXPECT_EQ(Browse(util, title, L"C:\\windows", IDCANCEL), "");
    EXPECT_EQ(title, "Quellix");
}

TEST_F(Win32ShellTest, ShellExecuteStartsAProgramWithParametersAndReportsMissingFiles) {
    EXPECT_FALSE(shell.ShellExecute(0, {}, "C:\\no\\such\\document.qxdoc", {}, {}, SW_SHOWNORMAL));
    wchar_t temp[MAX_PATH]{};
    GetTempPathW(MAX_PATH, temp);
    const std::string marker = Narrow(temp, wcslen(temp)) + "qx_shell_marker.txt";
    DeleteFileW(Widen(marker).c_str());
    ASSERT_TRUE(shell.ShellExecute(0, "open", "cmd.exe", "/c echo hi> \"" + marker + "\"", {}, SW_HIDE));
    bool appeared = false;
    for (int i = 0; i < 500 && !appeared; ++i) {
        Sleep(20);
        appeared = GetFileAttributesW(Widen(marker).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    EXPECT_TRUE(appeared);
    for (int i = 0; i < 50 && !DeleteFileW(Widen(marker).c_str()); ++i) Sleep(20); // cmd may still hold it
}

} // namespace
} // namespace qx::win32
