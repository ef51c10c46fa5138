#include "win32/cWin32UserInterface.h"

#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/WindowHandle.h"

#include <gtest/gtest.h>

#include <thread>

namespace qx::win32 {
namespace {

HWND FindOwnBox(const wchar_t* caption) {
    HWND box = nullptr;
    while ((box = FindWindowExW(nullptr, box, L"#32770", caption)) != nullptr) {
        DWORD pid = 0;
        GetWindowThreadProcessId(box, &pid);
        if (pid == GetCurrentProcessId()) return box;
    }
    return nullptr;
}

// Finds this process's message box, notes its caption and text and presses a
// button, as a user would. Any box is answered in the end, so that a wrong
// caption fails the test instead of leaving it waiting for a click.
struct BoxAnswerer {
    int button;
    std::wstring caption, text;
    std::thread worker;

    explicit BoxAnswerer(int b) : button(b) {
        worker = std::thread([this] {
            for (int i = 0; i < 1000; ++i) {
                if (HWND box = FindOwnBox(nullptr)) {
                    wchar_t buffer[256] = L"";
                    GetWindowTextW(box, buffer, 256);
                    caption = buffer;
                    GetDlgItemTextW(box, 0xFFFF, buffer, 256); // the box's static text
                    text = buffer;
                    PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
                    return;
                }
                Sleep(10);
            }
        });
    }
    void Join() {
        if (worker.joinable()) worker.join();
    }
    ~BoxAnswerer() { Join(); }
};

TEST(Win32UserInterface, MessageBoxUsesTheApplicationTitleWhenNoneIsGiven) {
    cWin32UserInterface ui;
    int answer = 0;
    {
        BoxAnswerer user(IDNO);
        answer = ui.MessageBox("Save the set?", kMbYesNo | kMbIconQuestion);
        user.Join();
        EXPECT_EQ(user.caption, L"Quellix");
        EXPECT_EQ(user.text, L"Save the set?");
    }
    EXPECT_EQ(answer, kIdNo);
}

TEST(Win32UserInterface, MessageBoxKeepsAnExplicitTitle) {
    cWin32UserInterface ui;
    BoxAnswerer user(IDOK);
    EXPECT_EQ(ui.MessageBox("x", kMbOk | kMbIconCritical, "Caf\xC3\xA9 error"), kIdOk);
    user.Join();
    EXPECT_EQ(user.caption, L"Caf\u00e9 error");
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

// Answers this process's file dialog with a typed name (or cancels it).
struct FileDialogAnswerer {
    std::wstring typed;
    std::wstring caption;
    std::thread worker;

    explicit FileDialogAnswerer(std::wstring name) : typed(std::move(name)) {
        worker = std::thread([this] {
            for (int i = 0; i < 1000; ++i) {
                if (HWND dlg = FindOwnBox(nullptr)) {
                    Sleep(200); // let the dialog finish its start-up
                    wchar_t buffer[256] = L"";
                    GetWindowTextW(dlg, buffer, 256);
                    caption = buffer;
                    if (typed.empty()) {
                        PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
                        return;
                    }
                    // The name box is cmb13 in the explorer-style dialog, edt1 in the old one.
                    if (!SetDlgItemTextW(dlg, 0x47c, typed.c_str())) SetDlgItemTextW(dlg, 0x480, typed.c_str());
                    PostMessageW(dlg, WM_COMMAND, IDOK, 0);
                    return;
                }
                Sleep(10);
            }
        });
    }
    ~FileDialogAnswerer() {
        if (worker.joinable()) worker.join();
    }
};

TEST(Win32UserInterface, SaveDialogAddsTheDefaultExtensionAndCancelReportsFalse) {
    cWin32UserInterface ui;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = "Save As";
    request.initialFolder = Narrow(std::wstring(temp));
    request.defaultExtension = "qxs";
    request.filter = "Quellix Sets (*.qxs)|*.qxs";
    request.flags = kOfnOverwritePrompt | kOfnHideReadOnly | kOfnPathMustExist;
    std::string path;
    {
        FileDialogAnswerer user(std::wstring(temp) + L"chosen set");
        ASSERT_TRUE(ui.ShowFileDialog(request, path));
        EXPECT_EQ(user.caption, L"Save As");
    }
    EXPECT_NE(path.find("chosen set.qxs"), std::string::npos) << path;
    std::string untouched = "unchanged";
    {
        FileDialogAnswerer user(L"");
        EXPECT_FALSE(ui.ShowFileDialog(request, untouched));
    }
    EXPECT_EQ(untouched, "unchanged");
}

TEST(Win32UserInterface, StatusTextIsKeptPerPanel) {
    cWin32UserInterface ui;
    ui.SetStatusText(1, "[New Set]");
    ui.SetStatusText(2, "x");
    ui.SetStatusText(1, "office.qxs");
    EXPECT_EQ(ui.StatusText(1), "office.qxs");
    EXPECT_EQ(ui.StatusText(2), "x");
    EXPECT_EQ(ui.StatusText(3), "");
}

} // namespace
} // namespace qx::win32
