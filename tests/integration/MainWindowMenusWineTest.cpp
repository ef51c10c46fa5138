// The main window's menu, toolbar and status bar as the real controls show
// them: command state, tooltips and the panels as the window resizes.
#include "fake/cFakePlatform.h"
#include "win32/WinApi.h"
#include "win32/fQXMain.h"
#include "win32/fQXMainIds.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace qx::win32 {
namespace {

class MainWindowMenus : public ::testing::Test {
protected:
    MainWindowMenus() { fake.facts.version = {148, 5, 1, 2600, kVerPlatformWin32Nt, ""}; }
    fake::cFakePlatform fake{"C:\\Quellix"};
};

TEST_F(MainWindowMenus, MenuAndToolbarReachTheCommandsAndShowTheirState) {
    fQXMain w(fake.platform, "C:\\Quellix");
    ASSERT_TRUE(w.Create());
    HMENU bar = GetMenu(w.Hwnd());
    ASSERT_EQ(GetMenuItemCount(bar), 6);
    EXPECT_EQ(w.EditMenu(), GetSubMenu(bar, 1)); // the lists' context menu
    const auto state = [&](eCommand c) {
        return GetMenuState(bar, IDM_QX_FIRST + static_cast<UINT>(c), MF_BYCOMMAND);
    };
    // Before the load: Undo and Paste off, Remember Window Position checked.
    EXPECT_NE(state(eCommand::Undo) & MF_GRAYED, 0u);
    EXPECT_NE(state(eCommand::Paste) & MF_GRAYED, 0u);
    EXPECT_EQ(state(eCommand::Copy) & MF_GRAYED, 0u);
    EXPECT_NE(state(eCommand::RememberPosition) & MF_CHECKED, 0u);

    // Twelve buttons between five gaps; each button's tooltip comes from the
    // window's answer to the toolbar, and Undo and Paste start disabled.
    HWND tb = w.Toolbar();
    ASSERT_EQ(SendMessageW(tb, TB_BUTTONCOUNT, 0, 0), 17);
    std::wstring gaps, tips;
    for (int i = 0; i < 17; ++i) {
        TBBUTTON b{};
        SendMessageW(tb, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b));
        if (b.fsStyle & BTNS_SEP) {
            gaps += std::to_wstring(i) + L" ";
            continue;
        }
        NMTTDISPINFOW tip{};
        tip.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageW(tb, TB_GETTOOLTIPS, 0, 0));
        tip.hdr.idFrom = static_cast<UINT_PTR>(b.idCommand);
        tip.hdr.code = TTN_GETDISPINFOW;
        SendMessageW(w.Hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
        if (SendMessageW(tb, TB_ISBUTTONENABLED, static_cast<WPARAM>(b.idCommand), 0) == 0) tips += L"(off) ";
        tips += (tip.lpszText != nullptr ? std::wstring(tip.lpszText) : L"<none>") + L";";
    }
    EXPECT_EQ(gaps, L"3 6 9 11 14 ");
    EXPECT_EQ(tips, L"New program set;Open a program set;Save current program set;Copy;(off) Paste;(off) Undo delete;"
                    L"Delete;Properties;Raise priority;Lower priority;Kill selected set;Refresh lists;");

    // A menu command id reaches its command: Remember Window Position toggles.
    ASSERT_TRUE(w.Load("", SW_HIDE));
    SendMessageW(w.Hwnd(), WM_COMMAND, IDM_QX_FIRST + static_cast<UINT>(eCommand::RememberPosition), 0);
    EXPECT_EQ(state(eCommand::RememberPosition) & MF_CHECKED, 0u);
    w.Close();
}

TEST_F(MainWindowMenus, StatusBarHasTheSetNameThenAStretchingPanelThenDateAndTime) {
    fQXMain w(fake.platform, "C:\\Quellix");
    ASSERT_TRUE(w.Create());
    ASSERT_TRUE(w.Load("", SW_SHOWNORMAL));
    HWND status = w.StatusBar();
    int edges[8] = {};
    ASSERT_EQ(SendMessageW(status, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)), 4);
    EXPECT_EQ(edges[0], cMainLayout::TwipsToPixels(2540, w.Dpi()));
    wchar_t text[128] = L"";
    SendMessageW(status, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), L"[New Set]");
    wchar_t date[80] = L"", time[80] = L"";
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 80);
    SendMessageW(status, SB_GETTEXTW, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), date);
    SendMessageW(status, SB_GETTEXTW, 3, reinterpret_cast<LPARAM>(time));
    EXPECT_NE(std::wstring(time), L"");
    // Panel 2 takes what a wider window adds; the date and time panels keep their widths.
    RECT r{};
    GetWindowRect(w.Hwnd(), &r);
    SetWindowPos(w.Hwnd(), nullptr, 0, 0, r.right - r.left + 100, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
    int wider[8] = {};
    SendMessageW(status, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(wider));
    EXPECT_EQ(wider[0], edges[0]);
    EXPECT_EQ(wider[1] - edges[1], 100);
    EXPECT_EQ(wider[2] - wider[1], edges[2] - edges[1]);
    w.Close();
}

} // namespace
} // namespace qx::win32
