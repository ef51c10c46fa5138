// The start-up windows and help under Wine: the admin login dialog driven as a
// user would, the About box, the splash window, and the shipped help pages.
#include "modScreenshot.h"

#include "core/settings/modPasswordHash.h"
#include "core/ui/cAdminLogin.h"
#include "core/ui/modHelp.h"
#include "fake/cFakeShell.h"
#include "fake/cFakeUserInterface.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/WindowHandle.h"
#include "win32/cWin32FileSystem.h"
#include "win32/cWin32StringTable.h"
#include "win32/cWin32SystemFacts.h"
#include "win32/cWin32UserInterface.h"
#include "win32/fQXAbout.h"
#include "win32/fQXAboutIds.h"
#include "win32/fQXLogin.h"
#include "win32/fQXLoginIds.h"
#include "win32/fQXSplash.h"
#include "win32/modWindowDpi.h"

#include "integration/cDialogUser.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <regex>
#include <set>
#include <thread>
#include <vector>

namespace qx::win32 {
namespace {

HWND FindOwnDialog(const wchar_t* caption) { return test::cDialogUser::FindOwnDialog(caption); }

HWND WaitFor(const std::function<HWND()>& find, int milliseconds = 5000) {
    for (int waited = 0; waited < milliseconds; waited += 10) {
        if (HWND w = find()) return w;
        Sleep(10);
    }
    return nullptr;
}

bool WaitUntil(const std::function<bool()>& done, int milliseconds = 3000) {
    for (int waited = 0; waited < milliseconds; waited += 10) {
        if (done()) return true;
        Sleep(10);
    }
    return done();
}

std::wstring TextOf(HWND window) {
    wchar_t buffer[512] = L"";
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

HWND FocusOfThreadOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

// A plain visible window standing in for the main window that owns the dialogs.
struct OwnerWindow {
    HWND hwnd = CreateWindowExW(0, L"STATIC", L"Quellix owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 350,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ~OwnerWindow() {
        if (hwnd) DestroyWindow(hwnd);
    }
};

// What the helper thread saw of the login dialog, checked on the test thread.
struct LoginObservation {
    HWND dialog = nullptr;
    std::wstring caption, label, ok, cancel;
    LONG_PTR passwordStyle = 0;
    bool ownerDisabledAtOpen = false;
    bool screenshot = false;
    std::wstring boxCaption, boxText;
    bool dialogStayedOpen = false, ownerDisabledAfterBox = false, focusInPassword = false;
    DWORD selStart = 99, selEnd = 99;
};

TEST(LoginDialog, WrongPasswordIsToldThenTheRightOneLogsIn) {
    OwnerWindow owner;
    ASSERT_NE(owner.hwnd, nullptr);
    cWin32StringTable strings;
    cWin32UserInterface ui;
    ui.SetMainWindow(ToWindowHandle(owner.hwnd));
    cAdminLogin model(strings, ui, PasswordHash("Open Sesame"));

    LoginObservation seen;
    std::thread user([&] {
        HWND dlg = WaitFor([] { return FindOwnDialog(L"Admin Login"); });
        seen.dialog = dlg;
        if (dlg == nullptr) return;
        HWND password = GetDlgItem(dlg, IDC_LOGIN_PASSWORD);
        seen.caption = TextOf(dlg);
        seen.label = TextOf(GetDlgItem(dlg, IDC_LOGIN_LABEL));
        seen.ok = TextOf(GetDlgItem(dlg, IDOK));
        seen.cancel = TextOf(GetDlgItem(dlg, IDCANCEL));
        seen.passwordStyle = GetWindowLongPtrW(password, GWL_STYLE);
        seen.ownerDisabledAtOpen = !IsWindowEnabled(owner.hwnd);
        SendMessageW(password, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"open sesame"));
        seen.screenshot = qx::test::SaveWindowPng(dlg, "login.png");
        PostMessageW(dlg, WM_COMMAND, IDOK, 0);

        HWND box = WaitFor([] { return FindOwnDialog(L"Login"); });
        if (box != nullptr) {
            seen.boxCaption = TextOf(box);
            seen.boxText = TextOf(GetDlgItem(box, 0xFFFF));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            WaitUntil([box] { return !IsWindow(box); });
        }
        // The box's own teardown moves focus and enables its owner; give the
        // dialog's answer to that a moment before judging it.
        auto settled = [&] {
            DWORD start = 0, end = 0;
            SendMessageW(password, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            seen.selStart = start;
            seen.selEnd = end;
            seen.focusInPassword = FocusOfThreadOf(dlg) == password;
            seen.ownerDisabledAfterBox = !IsWindowEnabled(owner.hwnd);
            return seen.focusInPassword && seen.ownerDisabledAfterBox && start == 0 && end == 11;
        };
        WaitUntil(settled, 1500);
        seen.dialogStayedOpen = IsWindow(dlg) && IsWindowVisible(dlg);

        SendMessageW(password, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Open Sesame"));
        PostMessageW(dlg, WM_COMMAND, IDOK, 0);
        // Whatever went wrong, end the dialog so that the test fails instead of hanging.
        for (int i = 0; i < 5 && !WaitUntil([dlg] { return !IsWindow(dlg); }, 1000); ++i) {
            if (HWND stray = FindOwnDialog(L"Login")) PostMessageW(stray, WM_COMMAND, IDOK, 0);
            PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
        }
    });
    const bool result = fQXLogin::Show(owner.hwnd, model);
    user.join();

    ASSERT_NE(seen.dialog, nullptr) << "the login dialog never appeared";
    EXPECT_EQ(seen.caption, L"Admin Login");
    EXPECT_EQ(seen.label, L"&Password:");
    EXPECT_EQ(seen.ok, L"OK");
    EXPECT_EQ(seen.cancel, L"Cancel");
    EXPECT_NE(seen.passwordStyle & ES_PASSWORD, 0) << "typed password must be masked";
    EXPECT_TRUE(seen.ownerDisabledAtOpen) << "the dialog must be modal over its owner";
    EXPECT_TRUE(seen.screenshot);
    // Case matters: the wrong attempt differs only in two capitals.
    EXPECT_EQ(seen.boxCaption, L"Login");
    EXPECT_EQ(seen.boxText, L"Invalid Password, try again!");
    EXPECT_TRUE(seen.dialogStayedOpen);
    EXPECT_TRUE(seen.ownerDisabledAfterBox) << "the message box must not unlock the main window";
    EXPECT_TRUE(seen.focusInPassword);
    EXPECT_EQ(seen.selStart, 0u);
    EXPECT_EQ(seen.selEnd, 11u); // all of "open sesame"
    EXPECT_TRUE(result);
    EXPECT_TRUE(model.LoginSucceeded());
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd)) << "the owner is usable again after the login";
}

TEST(LoginDialog, CancelAndTheCloseBoxBothRefuse) {
    OwnerWindow owner;
    cWin32StringTable strings;
    fake::cFakeUserInterface boxes;
    for (UINT message : {UINT{WM_COMMAND}, UINT{WM_CLOSE}}) {
        cAdminLogin model(strings, boxes, PasswordHash("x"));
        bool appeared = false;
        std::thread user([&] {
            HWND dlg = WaitFor([] { return FindOwnDialog(L"Admin Login"); });
            appeared = dlg != nullptr;
            if (!dlg) return;
            // The right password typed but not confirmed must not count.
            SetDlgItemTextW(dlg, IDC_LOGIN_PASSWORD, L"x");
            PostMessageW(dlg, message, message == WM_COMMAND ? IDCANCEL : 0, 0);
        });
        const bool result = fQXLogin::Show(owner.hwnd, model);
        user.join();
        ASSERT_TRUE(appeared);
        EXPECT_FALSE(result) << message;
        EXPECT_TRUE(model.Finished());
        EXPECT_FALSE(model.LoginSucceeded());
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

// The version as the file's properties show it, read through the string block
// rather than the numeric one the About box uses.
std::wstring FileVersionString() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<unsigned char> block(GetFileVersionInfoSizeW(path, &ignored));
    if (block.empty() || !GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data())) return {};
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\StringFileInfo\\040904B0\\FileVersion", &value, &length)) return {};
    return static_cast<const wchar_t*>(value);
}

TEST(AboutBox, ShowsTheNameAndVersionOfTheRunningProgram) {
    OwnerWindow owner;
    std::wstring product, version;
    bool hasIcon = false, screenshot = false, ownerDisabled = false, escCloses = false;
    std::atomic<bool> appeared{false};
    std::thread user([&] {
        HWND dlg = WaitFor([] { return FindOwnDialog(L"About Quellix"); });
        if (!dlg) return;
        appeared = true;
        product = TextOf(GetDlgItem(dlg, IDC_ABOUT_PRODUCT));
        version = TextOf(GetDlgItem(dlg, IDC_ABOUT_VERSION));
        hasIcon = SendDlgItemMessageW(dlg, IDC_ABOUT_ICON, STM_GETICON, 0, 0) != 0;
        ownerDisabled = !IsWindowEnabled(owner.hwnd);
        screenshot = qx::test::SaveWindowPng(dlg, "about.png");
        PostMessageW(dlg, WM_KEYDOWN, VK_ESCAPE, 0); // Esc closes it like OK
        escCloses = WaitUntil([dlg] { return !IsWindow(dlg); });
        if (!escCloses) PostMessageW(dlg, WM_COMMAND, IDOK, 0);
    });
    fQXAbout::Show(owner.hwnd);
    user.join();
    ASSERT_TRUE(appeared);
    const std::wstring fileVersion = FileVersionString();
    ASSERT_FALSE(fileVersion.empty());
    EXPECT_EQ(product, L"Quellix");
    EXPECT_EQ(version, L"Version " + fileVersion);
    EXPECT_TRUE(hasIcon);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(screenshot);
    EXPECT_TRUE(escCloses);
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd));
}

COLORREF ScreenPixel(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

void Pump() {
    for (int i = 0; i < 5; ++i) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(20);
    }
}

TEST(Splash, ShowsCentredPaintedBoxAndGoesAwayOnClose) {
    fQXSplash splash;
    EXPECT_EQ(splash.Window(), nullptr);
    ASSERT_TRUE(splash.Show());
    HWND w = splash.Window();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(splash.Show()); // a second Show keeps the one window
    EXPECT_EQ(splash.Window(), w);
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_NE(GetWindowLongPtrW(w, GWL_STYLE) & WS_CAPTION, WS_CAPTION) << "the splash has no title bar";

    const int dpi = DpiOfWindow(w);
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_EQ(r.right - r.left, ScaleToDpi(fQXSplash::kWidth, dpi));
    EXPECT_EQ(r.bottom - r.top, ScaleToDpi(fQXSplash::kHeight, dpi));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(w, MONITOR_DEFAULTTOPRIMARY), &monitor));
    EXPECT_NEAR((r.left + r.right) / 2.0, (monitor.rcWork.left + monitor.rcWork.right) / 2.0, 1.0);
    EXPECT_NEAR((r.top + r.bottom) / 2.0, (monitor.rcWork.top + monitor.rcWork.bottom) / 2.0, 1.0);

    ASSERT_TRUE(qx::test::SaveWindowPng(w, "splash.png"));
    // Painted: the coloured band above, the light area below, and the name in white.
    EXPECT_EQ(ScreenPixel(w, 4, 4), RGB(28, 58, 110));
    EXPECT_EQ(ScreenPixel(w, 4, ScaleToDpi(170, dpi)), RGB(250, 250, 250));
    int white = 0;
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    HDC screen = GetDC(nullptr);
    for (int y = 0; y < ScaleToDpi(96, dpi); y += 2)
        for (int x = 0; x < ScaleToDpi(200, dpi); x += 2)
            if (GetPixel(screen, origin.x + x, origin.y + y) == RGB(255, 255, 255)) ++white;
    ReleaseDC(nullptr, screen);
    EXPECT_GT(white, 20) << "the program's name was not drawn";

    // Moving to a 144-DPI monitor: the suggested rectangle is taken and the
    // drawing follows the new DPI.
    RECT suggested{100, 100, 100 + 600, 100 + 270};
    SendMessageW(w, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.right - r.left, 600);
    EXPECT_EQ(r.bottom - r.top, 270);
    EXPECT_EQ(splash.Dpi(), 144);
    UpdateWindow(w);
    Pump();
    EXPECT_EQ(ScreenPixel(w, 4, 140), RGB(28, 58, 110)); // band is 144 pixels high now
    EXPECT_EQ(ScreenPixel(w, 4, 150), RGB(250, 250, 250));

    splash.Close();
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(splash.Window(), nullptr);
    splash.Close(); // closing twice is harmless
}

TEST(Splash, DestroyedWithItsObject) {
    HWND w = nullptr;
    {
        fQXSplash splash;
        ASSERT_TRUE(splash.Show());
        w = splash.Window();
    }
    EXPECT_FALSE(IsWindow(w));
}

std::string ReadAll(cWin32FileSystem& fs, const std::string& path) {
    std::string bytes;
    fs.ReadFile(path, bytes);
    return bytes;
}

TEST(HelpPages, EveryPageIsBesideTheProgramAndEveryLinkResolves) {
    cWin32SystemFacts facts;
    cWin32FileSystem fs;
    const std::string folder = facts.ProgramFolder() + "\\help\\";
    const std::regex link(R"re((?:href|src)="([^"]*)")re");
    int checked = 0;
    for (const std::string& page : HelpPageNames()) {
        SCOPED_TRACE(page);
        const std::string html = ReadAll(fs, folder + page);
        ASSERT_FALSE(html.empty()) << folder + page << " is missing or empty";
        EXPECT_NE(html.find("<title>"), std::string::npos);
        for (std::sregex_iterator it(html.begin(), html.end(), link), end; it != end; ++it) {
            const std::string target = (*it)[1];
            SCOPED_TRACE(target);
            ASSERT_FALSE(target.empty());
            if (target.rfind("http", 0) == 0 || target.rfind("mailto:", 0) == 0) continue;
            const std::size_t hash = target.find('#');
            const std::string file = target.substr(0, hash);
            const std::string fragment = hash == std::string::npos ? std::string() : target.substr(hash + 1);
            // Only pages of this folder: the help must work without a network.
            EXPECT_EQ(file.find_first_of("/\\:"), std::string::npos);
            const std::string linked = file.empty() ? html : ReadAll(fs, folder + file);
            EXPECT_FALSE(linked.empty()) << "broken link";
            if (!fragment.empty()) {
                EXPECT_NE(linked.find("id=\"" + fragment + "\""), std::string::npos) << "no such anchor";
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 40);
}

TEST(HelpPages, EachMenuAndDialogTopicOpensAShippedPage) {
    cWin32SystemFacts facts;
    cWin32FileSystem fs;
    fake::cFakeShell shell;
    fake::cFakeUserInterface ui;
    const std::vector<std::pair<int, int>> asks{
        {kHelpContents, 0}, {kHelpSearch, 0}, {kHelpShowTopic, 101}, {kHelpShowTopic, 107}, {kHelpShowTopic, 109}};
    for (const auto& [command, topic] : asks) {
        EXPECT_TRUE(ShowHelp(shell, fs, ui, 0, facts.ProgramFolder(), command, topic)) << command << " " << topic;
    }
    EXPECT_TRUE(ui.boxes.empty());
    ASSERT_EQ(shell.calls.size(), asks.size());
    std::set<std::string> opened;
    for (const auto& call : shell.calls) opened.insert(call.file);
    EXPECT_EQ(opened.size(), asks.size()) << "each command has a page of its own";
}

} // namespace
} // namespace qx::win32
