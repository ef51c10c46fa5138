// The start-up windows and help under Wine: the admin login dialog driven as a
// user would, the About box, the splash window, and the shipped help pages.
#include "cDialogUser.h"
#include "cTempPath.h"
#include "modScreenshot.h"

#include "core/settings/modPasswordHash.h"
#include "core/ui/cAdminLogin.h"
#include "core/ui/modHelp.h"
#include "win32/WinApi.h"
#include "win32/WindowHandle.h"
#include "win32/cWin32StringTable.h"
#include "win32/cWin32SystemFacts.h"
#include "win32/cWin32UserInterface.h"
#include "win32/fQXAbout.h"
#include "win32/fQXAboutIds.h"
#include "win32/fQXLogin.h"
#include "win32/fQXLoginIds.h"
#include "win32/fQXSplash.h"
#include "win32/modWindowDpi.h"

#include <gtest/gtest.h>

#include <regex>
#include <vector>

namespace qx::win32 {
namespace {

using test::cDialogUser;

// A plain visible window standing in for the main window that owns the dialogs.
struct OwnerWindow {
    HWND hwnd = CreateWindowExW(0, L"STATIC", L"Quellix owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 350,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ~OwnerWindow() {
        if (hwnd) DestroyWindow(hwnd);
    }
};

TEST(LoginDialog, WrongPasswordIsToldThenTheRightOneLogsIn) {
    OwnerWindow owner;
    ASSERT_NE(owner.hwnd, nullptr);
    cWin32StringTable strings;
    cWin32UserInterface ui;
    ui.SetMainWindow(ToWindowHandle(owner.hwnd));
    cAdminLogin model(strings, ui, PasswordHash("Open Sesame"));
    std::wstring label, told;
    bool masked = false, ownerDisabled = false, shot = false, settled = false;
    cDialogUser user(L"Admin Login", [&](cDialogUser& u, HWND d) {
        HWND password = u.Control(d, IDC_LOGIN_PASSWORD);
        label = u.Text(u.Control(d, IDC_LOGIN_LABEL));
        masked = (GetWindowLongPtrW(password, GWL_STYLE) & ES_PASSWORD) != 0;
        ownerDisabled = !IsWindowEnabled(owner.hwnd);
        u.Type(password, L"open sesame"); // case matters
        shot = test::SaveWindowPng(d, "login.png");
        u.Click(u.Control(d, IDOK));
        if (HWND box = u.WaitForBox(d, told)) u.Answer(box, IDOK);
        // Back in the dialog, over a still disabled owner, with the wrong
        // attempt selected for typing over.
        settled = u.WaitFor([&] {
            DWORD start = 1, end = 0;
            SendMessageW(password, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            return u.Focused(d) == password && !IsWindowEnabled(owner.hwnd) && start == 0 && end == 11;
        });
        u.Type(password, L"Open Sesame");
        u.Click(u.Control(d, IDOK));
    });
    const bool result = fQXLogin::Show(owner.hwnd, model);
    user.Join();
    ASSERT_TRUE(user.Found());
    EXPECT_FALSE(user.LeftOpen());
    EXPECT_EQ(label, L"&Password:");
    EXPECT_TRUE(masked);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(shot);
    EXPECT_EQ(told, L"Invalid Password, try again!");
    EXPECT_TRUE(settled);
    EXPECT_TRUE(result);
    EXPECT_TRUE(model.LoginSucceeded());
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd));
}

TEST(LoginDialog, CancelAndTheCloseBoxBothRefuseEvenWithTheRightPasswordTyped) {
    OwnerWindow owner;
    cWin32StringTable strings;
    cWin32UserInterface ui;
    for (const UINT message : {UINT{WM_COMMAND}, UINT{WM_CLOSE}}) {
        cAdminLogin model(strings, ui, PasswordHash("x"));
        cDialogUser user(L"Admin Login", [&](cDialogUser& u, HWND d) {
            u.Type(u.Control(d, IDC_LOGIN_PASSWORD), L"x");
            PostMessageW(d, message, message == WM_COMMAND ? IDCANCEL : 0, 0);
        });
        EXPECT_FALSE(fQXLogin::Show(owner.hwnd, model)) << message;
        user.Join();
        EXPECT_TRUE(user.Found());
        EXPECT_FALSE(user.LeftOpen());
        EXPECT_FALSE(model.LoginSucceeded());
    }
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
    bool hasIcon = false, shot = false, ownerDisabled = false, escCloses = false;
    cDialogUser user(L"About Quellix", [&](cDialogUser& u, HWND d) {
        product = u.Text(u.Control(d, IDC_ABOUT_PRODUCT));
        version = u.Text(u.Control(d, IDC_ABOUT_VERSION));
        hasIcon = SendDlgItemMessageW(d, IDC_ABOUT_ICON, STM_GETICON, 0, 0) != 0;
        ownerDisabled = !IsWindowEnabled(owner.hwnd);
        shot = test::SaveWindowPng(d, "about.png");
        PostMessageW(d, WM_KEYDOWN, VK_ESCAPE, 0); // Esc closes it like OK
        escCloses = u.WaitFor([d] { return !IsWindow(d); });
    });
    fQXAbout::Show(owner.hwnd);
    user.Join();
    ASSERT_TRUE(user.Found());
    const std::wstring fileVersion = FileVersionString();
    ASSERT_FALSE(fileVersion.empty());
    EXPECT_EQ(product, L"Quellix");
    EXPECT_EQ(version, L"Version " + fileVersion);
    EXPECT_TRUE(hasIcon);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(shot);
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
    ASSERT_TRUE(splash.Show());
    HWND w = splash.Window();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(IsWindowVisible(w));

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

    ASSERT_TRUE(test::SaveWindowPng(w, "splash.png"));
    // Painted: the coloured band above, the light area below.
    EXPECT_EQ(ScreenPixel(w, 4, 4), RGB(28, 58, 110));
    EXPECT_EQ(ScreenPixel(w, 4, ScaleToDpi(170, dpi)), RGB(250, 250, 250));

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
}

TEST(HelpPages, EveryPageIsBesideTheProgramAndEveryLinkResolves) {
    const std::string folder = cWin32SystemFacts().ProgramFolder() + "\\help\\";
    const std::regex link(R"re((?:href|src)="([^"]*)")re");
    int checked = 0;
    for (const std::string& page : HelpPageNames()) {
        SCOPED_TRACE(page);
        const std::string html = test::ReadFileBytes(folder + page);
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
            const std::string linked = file.empty() ? html : test::ReadFileBytes(folder + file);
            EXPECT_FALSE(linked.empty()) << "broken link";
            if (!fragment.empty()) {
                EXPECT_NE(linked.find("id=\"" + fragment + "\""), std::string::npos) << "no such anchor";
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 40);
}

} // namespace
} // namespace qx::win32
