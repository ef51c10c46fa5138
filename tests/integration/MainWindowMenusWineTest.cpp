// The main window's menu tree, toolbar and status bar as the user meets
// them: every item in its place with its caption, shortcut and separator,
// the twelve buttons between their gaps with their tooltips, and the panels.
#include "fake/cFakePlatform.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/fQXMain.h"
#include "win32/fQXMainIds.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx::win32 {
namespace {

// The items of a menu as "caption", "caption\tshortcut", "-" or "caption >" (a submenu).
std::vector<std::wstring> Items(HMENU menu) {
    std::vector<std::wstring> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = L"";
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 256;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) items.push_back(L"-");
        else items.push_back(std::wstring(text) + (info.hSubMenu != nullptr ? L" >" : L""));
    }
    return items;
}

class MainWindowMenus : public ::testing::Test {
protected:
    MainWindowMenus() { fake.facts.version = {148, 5, 1, 2600, kVerPlatformWin32Nt, ""}; }
    fake::cFakePlatform fake{"C:\\Quellix"};
};

TEST_F(MainWindowMenus, MenuTreeHasEveryItemInOrderWithItsShortcutAndSeparators) {
    fQXMain w(fake.platform, "C:\\Quellix");
    ASSERT_TRUE(w.Create());
    HMENU bar = GetMenu(w.Hwnd());
    using L = std::vector<std::wstring>;
    EXPECT_EQ(Items(bar), (L{L"&File >", L"&Edit >", L"&Wizard", L"&Processes >", L"&Options >", L"&Help >"}));
    EXPECT_EQ(Items(GetSubMenu(bar, 0)), (L{L"&New Set\tCtrl+N", L"&Open Set", L"-", L"&Save Set", L"Save Set &As",
                                            L"-", L"&Delete a Saved Set", L"-", L"E&xit"}));
    EXPECT_EQ(Items(GetSubMenu(bar, 1)),
              (L{L"&Undo Delete\tCtrl+Z", L"-", L"&Copy\tCtrl+C", L"&Paste\tCtrl+V", L"&Delete\tDel", L"-",
                 L"&Raise Priority", L"&Lower Priority", L"-", L"&Properties"}));
    EXPECT_EQ(Items(GetSubMenu(bar, 3)), (L{L"&Refresh Lists", L"&Kill Selected Set"}));
    EXPECT_EQ(Items(GetSubMenu(bar, 4)), (L{L"&Remember Window Position", L"-", L"Set Default &Data Directory",
                                            L"&View Log File", L"&Advanced Settings"}));
    EXPECT_EQ(Items(GetSubMenu(bar, 5)),
              (L{L"&Contents", L"&Search For Help On...", L"Getting Started", L"-", L"&About"}));
    EXPECT_EQ(w.EditMenu(), GetSubMenu(bar, 1)); // the lists' context menu
    // Before the load: Undo and Paste off, Remember Window Position checked.
    const auto state = [&](eCommand c) {
        return GetMenuState(bar, IDM_QX_FIRST + static_cast<UINT>(c), MF_BYCOMMAND);
    };
    EXPECT_NE(state(eCommand::Undo) & MF_GRAYED, 0u);
    EXPECT_NE(state(eCommand::Paste) & MF_GRAYED, 0u);
    EXPECT_EQ(state(eCommand::Copy) & MF_GRAYED, 0u);
    EXPECT_NE(state(eCommand::RememberPosition) & MF_CHECKED, 0u);
    // A menu command id reaches its command: Remember Window Position toggles.
    ASSERT_TRUE(w.Load("", SW_HIDE));
    SendMessageW(w.Hwnd(), WM_COMMAND, IDM_QX_FIRST + static_cast<UINT>(eCommand::RememberPosition), 0);
    EXPECT_EQ(state(eCommand::RememberPosition) & MF_CHECKED, 0u);
    w.Close();
}

TEST_F(MainWindowMenus, ToolbarHasTwelveButtonsBetweenFiveGapsWithTheirTooltips) {
    fQXMain w(fake.platform, "C:\\Quellix");
    ASSERT_TRUE(w.Create());
    HWND tb = w.Toolbar();
    ASSERT_EQ(SendMessageW(tb, TB_BUTTONCOUNT, 0, 0), 17);
    const std::vector<std::wstring> tips = {L"New program set", L"Open a program set", L"Save current program set", L"",
                                            L"Copy", L"Paste", L"", L"Undo delete", L"Delete", L"", L"Properties", L"",
                                            L"Raise priority", L"Lower priority", L"", L"Kill selected set",
                                            L"Refresh lists"};
    for (int i = 0; i < 17; ++i) {
        TBBUTTON b{};
        SendMessageW(tb, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b));
        const bool gap = (b.fsStyle & BTNS_SEP) != 0;
        EXPECT_EQ(gap, tips[static_cast<std::size_t>(i)].empty()) << i;
        if (gap) continue;
        NMTTDISPINFOW tip{};
        tip.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageW(tb, TB_GETTOOLTIPS, 0, 0));
        tip.hdr.idFrom = static_cast<UINT_PTR>(b.idCommand);
        tip.hdr.code = TTN_GETDISPINFOW;
        SendMessageW(w.Hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
        ASSERT_NE(tip.lpszText, nullptr) << i;
        EXPECT_EQ(std::wstring(tip.lpszText), tips[static_cast<std::size_t>(i)]) << i;
        // Undo and Paste start disabled, the others enabled.
        const bool enabled = SendMessageW(tb, TB_ISBUTTONENABLED, static_cast<WPARAM>(b.idCommand), 0) != 0;
        EXPECT_EQ(enabled, i != 5 && i != 7) << i;
    }
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
