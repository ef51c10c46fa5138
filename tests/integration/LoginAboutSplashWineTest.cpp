// The splash window as the screen shows it, and the help pages shipped beside
// the program. The login and the About box are driven in the main window's test.
#include "cTempPath.h"
#include "modScreenshot.h"

#include "core/ui/modHelp.h"
#include "win32/WinApi.h"
#include "win32/cWin32SystemFacts.h"
#include "win32/fQXSplash.h"
#include "win32/modWindowDpi.h"

#include <gtest/gtest.h>

#include <regex>

namespace qx::win32 {
namespace {

TEST(Splash, ShowsACentredPaintedBoxThatFollowsTheDpiAndGoesAwayOnClose) {
    fQXSplash splash;
    ASSERT_TRUE(splash.Show());
    HWND w = FindWindowW(L"QuellixSplash", nullptr);
    ASSERT_TRUE(w != nullptr && IsWindowVisible(w));
    const int dpi = DpiOfWindow(w);
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_EQ(r.right - r.left, ScaleToDpi(fQXSplash::kWidth, dpi));
    EXPECT_EQ(r.bottom - r.top, ScaleToDpi(fQXSplash::kHeight, dpi));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(w, MONITOR_DEFAULTTOPRIMARY), &monitor));
    EXPECT_NEAR(r.left + r.right, monitor.rcWork.left + monitor.rcWork.right, 2);
    EXPECT_NEAR(r.top + r.bottom, monitor.rcWork.top + monitor.rcWork.bottom, 2);
    ASSERT_TRUE(test::SaveWindowPng(w, "splash.png"));
    // On a 144-DPI monitor the suggested rectangle is taken and the coloured
    // band above the light area, 96 pixels high at 96 DPI, grows.
    RECT suggested{100, 100, 100 + 600, 100 + 270};
    SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(w, &r);
    EXPECT_TRUE(EqualRect(&r, &suggested));
    UpdateWindow(w);
    HDC dc = GetDC(w);
    EXPECT_EQ(GetPixel(dc, 4, 140), RGB(28, 58, 110));
    EXPECT_EQ(GetPixel(dc, 4, 150), RGB(250, 250, 250));
    ReleaseDC(w, dc);
    splash.Close();
    EXPECT_FALSE(IsWindow(w));
}

TEST(HelpPages, EveryPageIsBesideTheProgramAndEveryLinkResolves) {
    const std::string folder = cWin32SystemFacts().ProgramFolder() + "\\help\\";
    const std::regex link(R"re((?:href|src)="([^"#]*)#?([^"]*)")re");
    int checked = 0;
    for (const std::string& page : HelpPageNames()) {
        const std::string html = test::ReadFileBytes(folder + page);
        ASSERT_NE(html.find("<title>"), std::string::npos) << folder + page;
        for (std::sregex_iterator it(html.begin(), html.end(), link), end; it != end; ++it, ++checked) {
            const std::string file = (*it)[1], anchor = (*it)[2],
                              linked = file.empty() ? html : test::ReadFileBytes(folder + file);
            // Only pages of this folder: the help must work without a network.
            EXPECT_EQ(file.find_first_of("/\\:"), std::string::npos) << page << ": " << file;
            const bool found =
                anchor.empty() ? !linked.empty() : linked.find("id=\"" + anchor + "\"") != std::string::npos;
            EXPECT_TRUE(found) << page << ": " << (*it)[0];
        }
    }
    EXPECT_GT(checked, 40);
}

} // namespace
} // namespace qx::win32
