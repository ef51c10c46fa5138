// The main window over the fake ports in this test's own process: keyboard
// focus order, the hidden sort column, the saved rectangle across a DPI
// change, the login an administrator sets, and a kill run that throws.
#include "core/settings/modPasswordHash.h"
#include "core/ui/cAdminLogin.h"
#include "fake/cFakePlatform.h"
#include "win32/WinApi.h"
#include "win32/cTextDataObject.h"
#include "win32/fQXMain.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace qx::win32 {
namespace {

void Pump() {
    for (int i = 0; i < 5; ++i) {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        Sleep(10);
    }
}

void SetShift(bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

class MainWindowMends : public ::testing::Test {
protected:
    MainWindowMends() {
        fake.facts.version = {148, 5, 1, 2600, kVerPlatformWin32Nt, ""};
        fake.os.SetSelfPid(GetCurrentProcessId());
        fake::FakeProcessSetup p;
        p.exePath = "C:\\Apps\\editor.exe";
        fake::FakeWindowSetup win;
        win.pid = fake.os.AddProcess(p);
        win.title = "Fake Editor";
        win.onClose = win.onEndSession = fake::CloseReaction::Ignore; // the run waits for it
        fake.os.AddWindow(win);
    }
    fake::cFakePlatform fake{"C:\\Quellix"};
};

TEST_F(MainWindowMends, TabAndShiftTabWalkTheKillSetTheTabStripAndTheVisibleList) {
    fQXMain w(fake.platform, "C:\\Quellix");
    ASSERT_TRUE(w.Create());
    ASSERT_TRUE(w.Load("", SW_SHOWNORMAL));
    HWND set = w.ListWindow("lvProgramSet"), tab = w.TabStrip();
    HWND apps = w.ListWindow("lvApplications"), procs = w.ListWindow("lvProcesses");
    struct Step {
        HWND from;
        bool shift;
        HWND to;
    };
    const auto walk = [&](std::initializer_list<Step> steps) {
        for (const Step& s : steps) {
            SetFocus(s.from);
            SetShift(s.shift);
            SendMessageW(s.from, WM_KEYDOWN, VK_TAB, 0);
            SetShift(false);
            EXPECT_EQ(GetFocus(), s.to) << "from " << GetDlgCtrlID(s.from) << (s.shift ? " back" : "");
        }
    };
    walk({{set, false, tab}, {tab, false, apps}, {apps, false, set}, {set, true, apps}, {apps, true, tab},
          {tab, true, set}});
    SendMessageW(tab, TCM_SETCURSEL, 1, 0);
    NMHDR change{tab, static_cast<UINT_PTR>(GetDlgCtrlID(tab)), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(w.Hwnd(), WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
    walk({{tab, false, procs}, {procs, false, set}, {set, true, procs}});
    w.Close();
}

TEST_F(MainWindowMends, TheHiddenSortColumnStaysShutAndIsNotStored) {
    fQXMain w(fake.platform, "C:\\Quellix");
    ASSERT_TRUE(w.Create());
    ASSERT_TRUE(w.Load("", SW_SHOWNORMAL));
    HWND set = w.ListWindow("lvProgramSet");
    HWND header = reinterpret_cast<HWND>(SendMessageW(set, LVM_GETHEADER, 0, 0));
    ASSERT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);
    SendMessageW(set, LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(80, 0));
    EXPECT_EQ(SendMessageW(set, LVM_GETCOLUMNWIDTH, 2, 0), 0);
    HDITEMW drag{};
    drag.mask = HDI_WIDTH;
    drag.cxy = 60;
    SendMessageW(header, HDM_SETITEMW, 2, reinterpret_cast<LPARAM>(&drag)); // as a drag of its divider does
    EXPECT_EQ(SendMessageW(set, LVM_GETCOLUMNWIDTH, 2, 0), 0);
    SendMessageW(set, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(90, 0)); // the others still move
    EXPECT_EQ(SendMessageW(set, LVM_GETCOLUMNWIDTH, 1, 0), 90);
    fake.ui.answers = {kIdNo};
    ASSERT_TRUE(w.Close());
    RegistryValue v;
    EXPECT_TRUE(fake.registry.Peek(kHkeyLocalMachine, fake::cFakePlatform::kOptionsKey, "lvProgramSet_Col2", v));
    EXPECT_FALSE(fake.registry.Peek(kHkeyLocalMachine, fake::cFakePlatform::kOptionsKey, "lvProgramSet_Col3", v));
}

TEST_F(MainWindowMends, TheSavedRectangleComesBackTheSameAfterTheWindowChangedItsDpi) {
    const RECT placed{120, 90, 120 + 760, 90 + 520};
    {
        fQXMain w(fake.platform, "C:\\Quellix");
        ASSERT_TRUE(w.Create());
        ASSERT_TRUE(w.Load("", SW_SHOWNORMAL));
        SetWindowPos(w.Hwnd(), nullptr, placed.left, placed.top, placed.right - placed.left,
                     placed.bottom - placed.top, SWP_NOZORDER);
        RECT now{};
        GetWindowRect(w.Hwnd(), &now);
        // The window is now on a monitor of 144 dpi, keeping its screen rectangle.
        SendMessageW(w.Hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&now));
        ASSERT_EQ(w.Dpi(), 144);
        ASSERT_TRUE(w.Close());
    }
    fQXMain again(fake.platform, "C:\\Quellix");
    ASSERT_TRUE(again.Create());
    ASSERT_TRUE(again.Load("", SW_SHOWNORMAL));
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(again.Hwnd(), &wp);
    EXPECT_EQ(wp.rcNormalPosition.left, placed.left);
    EXPECT_EQ(wp.rcNormalPosition.top, placed.top);
    EXPECT_EQ(wp.rcNormalPosition.right - wp.rcNormalPosition.left, placed.right - placed.left);
    EXPECT_EQ(wp.rcNormalPosition.bottom - wp.rcNormalPosition.top, placed.bottom - placed.top);
    again.Close();
}

// A user without administrator rights has run and closed the program, so a
// copy of every other option sits under their own key, with a planted
// RequirePassword=0 beside it; then an administrator sets the password.
TEST_F(MainWindowMends, TheNextStartAsksForThePasswordAnAdministratorSetOverAUsersOwnCopy) {
    fake.registry.RefuseWritesBelow(kHkeyLocalMachine);
    {
        fQXMain first(fake.platform, "C:\\Quellix");
        ASSERT_TRUE(first.Create());
        ASSERT_TRUE(first.Load("", SW_SHOWNORMAL));
        ASSERT_TRUE(first.Close());
    }
    fake.registry.PutRawValue(kHkeyCurrentUser, fake::cFakePlatform::kOptionsKey, "RequirePassword",
                              RegistryValue{kRegDword, std::string(4, '\0')});
    fake.PutOption("RequirePassword", -1);
    fake.PutOption("AdminPassword", PasswordHash("admin"));
    int asked = 0;
    cMainForms forms;
    forms.login = [&](HWND, cAdminLogin& login) {
        ++asked;
        login.cmdOK_Click("admin");
        return login.LoginSucceeded();
    };
    fQXMain next(fake.platform, "C:\\Quellix", forms);
    ASSERT_TRUE(next.Create());
    EXPECT_TRUE(next.Load("", SW_SHOWNORMAL));
    EXPECT_EQ(asked, 1);
    next.Close();
}

TEST_F(MainWindowMends, AKillRunThatThrowsLeavesTheWindowUsableItsCaptionBackAndTheErrorShown) {
    fQXMain w(fake.platform, "C:\\Quellix");
    ASSERT_TRUE(w.Create());
    ASSERT_TRUE(w.Load("", SW_SHOWNORMAL));
    auto* data = new cTextDataObject("lvApplications,1");
    POINTL at{10, 10};
    DWORD effect = DROPEFFECT_COPY;
    w.DropTarget()->DragEnter(data, MK_LBUTTON, at, &effect);
    w.DropTarget()->Drop(data, 0, at, &effect);
    data->Release();
    Pump();
    ASSERT_EQ(SendMessageW(w.ListWindow("lvProgramSet"), LVM_GETITEMCOUNT, 0, 0), 1);
    SetWindowTextW(w.Hwnd(), L"Quellix - office");
    fake.os.At(fake.os.Tick() + 1, [] { throw std::runtime_error("the list went away"); });
    fake.ui.boxes.clear();
    w.Execute(eCommand::Kill);
    EXPECT_FALSE(w.KillRunning());
    wchar_t caption[256] = L"";
    GetWindowTextW(w.Hwnd(), caption, 256);
    EXPECT_EQ(std::wstring(caption), L"Quellix - office");
    ASSERT_EQ(fake.ui.boxes.size(), 1u);
    EXPECT_NE(fake.ui.boxes[0].text.find("the list went away"), std::string::npos);
    EXPECT_FALSE(IsIconic(w.Hwnd()));
    fake.ui.answers = {kIdNo};
    EXPECT_TRUE(w.Close());
    EXPECT_EQ(w.Hwnd(), nullptr);
}

} // namespace
} // namespace qx::win32
