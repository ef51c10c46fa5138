#include "win32/cWin32UserInterface.h"

#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/WindowHandle.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace qx::win32 {
namespace {

// Finds this process's message box with the given caption, notes its text and
// presses a button, as a user would.
struct BoxAnswerer {
    std::wstring caption;
    int button;
    std::atomic<bool> found{false};
    std::wstring text;
    std::thread worker;

    BoxAnswerer(std::wstring c, int b) : caption(std::move(c)), button(b) {
        worker = std::thread([this] {
            for (int i = 0; i < 500 && !found; ++i) {
                HWND box = FindWindowW(L"#32770", caption.c_str());
                DWORD pid = 0;
                if (box) GetWindowThreadProcessId(box, &pid);
                if (box && pid == GetCurrentProcessId()) {
                    wchar_t buffer[256] = L"";
                    GetDlgItemTextW(box, 0xFFFF, buffer, 256); // the box's static text
                    text = buffer;
                    found = true;
                    PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
                    return;
                }
                Sleep(10);
            }
        });
    }
    ~BoxAnswerer() { worker.join(); }
};

TEST(Win32UserInterface, MessageBoxUsesTheApplicationTitleWhenNoneIsGiven) {
    cWin32UserInterface ui;
    int answer = 0;
    {
        BoxAnswerer user(L"Quellix", IDNO);
        answer = ui.MessageBox("Save the set?", kMbYesNo | kMbIconQuestion);
        user.worker.join();
        user.worker = std::thread([] {});
        EXPECT_TRUE(user.found);
        EXPECT_EQ(user.text, L"Save the set?");
    }
    EXPECT_EQ(answer, kIdNo);
}

TEST(Win32UserInterface, MessageBoxKeepsAnExplicitTitle) {
    cWin32UserInterface ui;
    BoxAnswerer user(L"Caf\u00e9 error", IDOK);
    EXPECT_EQ(ui.MessageBox("x", kMbOk | kMbIconCritical, "Caf\xC3\xA9 error"), kIdOk);
}

TEST(Win32UserInterface, CaptionIsKeptAndShownOnTheAttachedWindow) {
    cWin32UserInterface ui;
    EXPECT_EQ(ui.GetCaption(), "Quellix");
    ui.SetCaption("Attempting to kill a");
    EXPECT_EQ(ui.GetCaption(), "Attempting to kill a"); // without a window too

    HWND w = CreateWindowExW(0, L"STATIC", L"old", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    ui.SetMainWindow(ToWindowHandle(w));
    EXPECT_EQ(ui.MainWindow(), ToWindowHandle(w));
    ui.SetCaption("'Caf\xC3\xA9' was killed cleanly.");
    wchar_t shown[128] = L"";
    GetWindowTextW(w, shown, 128);
    EXPECT_EQ(Narrow(shown, wcslen(shown)), "'Caf\xC3\xA9' was killed cleanly.");
    EXPECT_EQ(ui.GetCaption(), "'Caf\xC3\xA9' was killed cleanly.");
    DestroyWindow(w);
}

} // namespace
} // namespace qx::win32
