// The main window in this test's own process. Over the real ports: the login,
// a previewed plan, a drop with its Kill Properties, the keyboard and the
// caption, every dialog and wizard page with its screenshot, Save As through
// the real file dialog and a kill run in the program's own message loop. Over
// the fake ports: a logoff and a change of DPI.
#include "core/settings/modPasswordHash.h"
#include "fake/cFakePlatform.h"
#include "integration/cDialogUser.h"
#include "integration/cTargetProcess.h"
#include "integration/cTempPath.h"
#include "integration/modScreenshot.h"
#include "integration/modShellLinkReader.h"
#include "win32/WideText.h"
#include "win32/WindowHandle.h"
#include "win32/cTextDataObject.h"
#include "win32/cWin32Platform.h"
#include "win32/fQXAboutIds.h"
#include "win32/fQXAppPropertiesIds.h"
#include "win32/fQXCreateShortcutWizardIds.h"
#include "win32/fQXLoginIds.h"
#include "win32/fQXMain.h"
#include "win32/fQXMainIds.h"
#include "win32/fQXMiscSettingsIds.h"
#include "win32/modMainForms.h"
#include "win32/modWindowDpi.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <thread>
#include <tuple>

namespace qx::win32 {
namespace {

using test::cDialogUser;
constexpr const wchar_t* kOptionsKey = L"Software\\Veltrane\\Quellix\\Options";

void SetOption(const wchar_t* name, DWORD value) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, name, REG_DWORD, &value, sizeof value);
}

void Command(HWND main, eCommand c) {
    SendMessageW(main, WM_COMMAND, IDM_QX_FIRST + static_cast<UINT>(c), 0);
}

// The list's rows as the user sees them: check box and first column.
std::wstring Rows(HWND list) {
    std::wstring rows;
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        wchar_t text[256] = L"";
        ListView_GetItemText(list, row, 0, text, 256);
        rows += std::wstring(ListView_GetCheckState(list, row) ? L"[x] " : L"[ ] ") + text + L";";
    }
    return rows;
}

// Drops text on the kill set list through the drop target the window
// registered with OLE, as a drag from the other lists hands it over.
void Drop(HWND main, const std::string& text) {
    auto* target = static_cast<IDropTarget*>(GetPropW(GetDlgItem(main, IDC_QX_PROGRAMSET), L"OleDropTargetInterface"));
    ASSERT_NE(target, nullptr);
    auto* data = new cTextDataObject(text);
    POINTL at{10, 10};
    DWORD effect = DROPEFFECT_COPY;
    target->DragEnter(data, MK_LBUTTON, at, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    target->Drop(data, 0, at, &effect);
    data->Release();
}

// The Applications row (from 1) of the window with this title; -1 when none.
int ApplicationRow(fQXMain& w, const std::string& title) {
    const cListViewModel& apps = w.Session().Inventory().lvApplications();
    for (int i = 1; i <= apps.Count(); ++i)
        if (apps.Item(static_cast<std::int16_t>(i))->text == title) return i;
    return -1;
}

// The user's number separators as many European locales have them, for as
// long as this lives.
struct EuropeanNumbers {
    wchar_t decimal[8] = L"", thousands[8] = L"";
    EuropeanNumbers() {
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousands, 8);
        Set(L",", L".");
    }
    ~EuropeanNumbers() { Set(decimal, thousands); }
    static void Set(const wchar_t* decimalPoint, const wchar_t* grouping) {
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimalPoint);
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, grouping);
    }
};

TEST(MainWindow, ARealSessionFromLoginThroughEveryDialogToAKillRun) {
    struct Restore {
        ~Restore() {
            SetOption(L"RequirePassword", 0);
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, L"LastLoadedSet");
        }
    } restore;
    const EuropeanNumbers numbers;
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, L"LastLoadedSet");
    SetOption(L"ShowSpash", 0);
    SetOption(L"RequirePassword", 1);
    SetOption(L"AdminPassword", static_cast<DWORD>(PasswordHash("Open Sesame")));
    test::cTargetProcess alpha({"--title", "QxMain Alpha"});
    test::cTargetProcess beta({"--title", "QxMain Beta"});
    ASSERT_TRUE(alpha.Ready() && beta.Ready());

    cWin32Platform ports;
    fQXSplash splash;
    fQXMain w(ports.platform, ports.facts.ProgramFolder(), MakeMainForms(splash));
    ASSERT_TRUE(w.Create());
    const HWND main = w.Hwnd(), set = GetDlgItem(main, IDC_QX_PROGRAMSET), tab = GetDlgItem(main, IDC_QX_TAB);
    const HWND apps = GetDlgItem(main, IDC_QX_APPLICATIONS);
    ports.ui.SetMainWindow(ToWindowHandle(main));
    const std::string title = ports.ui.GetCaption();
    ports.ui.SetCaption("'Caf\xC3\xA9' was killed cleanly."); // as a kill run tells of its progress
    EXPECT_EQ(cDialogUser::Text(main), L"'Caf\u00e9' was killed cleanly.");
    ports.ui.SetCaption(title);

    // Works the dialog with the caption on a second thread while `show` runs
    // what opens it, modal over the main window.
    const auto drive = [&](const wchar_t* caption, const std::function<void()>& show, cDialogUser::Script script) {
        cDialogUser user(caption, [&](cDialogUser& u, HWND d) {
            EXPECT_TRUE(GetWindow(d, GW_OWNER) == main && !IsWindowEnabled(main)) << Narrow(caption);
            script(u, d);
        });
        show();
        user.Join();
        EXPECT_TRUE(user.Worked()) << Narrow(caption);
        EXPECT_TRUE(IsWindowEnabled(main));
    };
    const auto shot = [](HWND d, const std::string& name) { EXPECT_TRUE(test::SaveWindowPng(d, name + ".png")); };

    // A wrong password is told, then selected for typing over; the right one opens the window.
    bool loaded = false;
    drive(
        L"Admin Login", [&] { loaded = w.Load("/T=\"QxMain Alpha\" /L", SW_SHOWNORMAL); },
        [&](cDialogUser& u, HWND d) {
            HWND password = u.Control(d, IDC_LOGIN_PASSWORD);
            u.Type(password, L"open sesame");
            shot(d, "login");
            u.Click(u.Control(d, IDOK));
            std::wstring told;
            if (HWND box = u.WaitForBox(d, told)) u.Answer(box, IDOK);
            EXPECT_EQ(told, L"Invalid Password, try again!");
            EXPECT_TRUE(u.WaitFor([&] { return SendMessageW(password, EM_GETSEL, 0, 0) == MAKELRESULT(0, 11); }));
            u.Type(password, L"Open Sesame");
            u.Click(u.Control(d, IDOK));
        });
    ASSERT_TRUE(loaded);
    SetOption(L"RequirePassword", 0);
    // The plan is the unsaved set, and nothing was closed.
    EXPECT_EQ(Rows(set), L"[x] QxMain Alpha;");
    EXPECT_TRUE(w.Session().Set().SetChanged() && alpha.Running());

    // A drop asks for the rules; the wait is read in the user's locale.
    const std::string drop = "lvApplications," + std::to_string(ApplicationRow(w, "QxMain Beta"));
    drive(
        L"Kill Properties",
        [&] {
            Drop(main, drop);
            ports.os.DispatchPendingMessages(); // the rules are asked for once the drop is done
        },
        [&](cDialogUser& u, HWND d) {
            EXPECT_EQ(u.Text(u.Control(d, IDC_AP_LBLTITLE)), L"QxMain Beta");
            HWND wait = u.Control(d, IDC_AP_TXTWAIT);
            u.Focus(d, wait);
            u.Type(wait, L"3,5");
            u.Focus(d, u.Control(d, IDC_AP_OPTFORCE));
            EXPECT_EQ(u.Text(wait), L"4");
            shot(d, "dialog-kill-properties");
            u.Toggle(u.Control(d, IDC_AP_OPTIGNORE));
            u.Click(u.Control(d, IDOK));
        });
    ASSERT_EQ(Rows(set), L"[x] QxMain Alpha;[x] QxMain Beta;");
    const cApplicationProcs& added = w.Session().Set().AppSet().back();
    EXPECT_TRUE(added.CloseWait() == 4 && !added.ForceClose());

    // Tab and Shift+Tab walk the kill set, the tab strip and the visible list.
    const HWND ring[3] = {set, tab, apps};
    for (int step = 0; step < 6; ++step) {
        const bool back = step >= 3;
        const HWND from = ring[step % 3], to = ring[(step + (back ? 2 : 1)) % 3];
        BYTE keys[256] = {};
        keys[VK_SHIFT] = back ? 0x80 : 0;
        SetKeyboardState(keys);
        SetFocus(from);
        SendMessageW(from, WM_KEYDOWN, VK_TAB, 0);
        EXPECT_EQ(GetFocus(), to) << GetDlgCtrlID(from) << (back ? " back" : "");
    }
    SetKeyboardState(std::array<BYTE, 256>{}.data());

    // A check box reaches the model; the list's selection is the row that Raise moves up.
    ListView_SetCheckState(set, 1, FALSE);
    EXPECT_FALSE(w.Session().Set().lvProgramSet().Item(2)->checked);
    ListView_SetCheckState(set, 1, TRUE);
    SetFocus(set);
    ListView_SetItemState(set, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Command(main, eCommand::Raise);
    ports.os.DispatchPendingMessages();
    EXPECT_EQ(Rows(set), L"[x] QxMain Beta;[x] QxMain Alpha;");
    EXPECT_TRUE(test::SaveWindowPng(main, "main-window.png"));

    // Save As through the real file dialog, answered as a user would.
    test::cTempPath saved("main set");
    drive(
        L"Save As", [&] { Command(main, eCommand::SaveAs); },
        [&](cDialogUser&, HWND d) {
            const std::wstring name = Widen(saved.Path());
            // The name box is cmb13 in the explorer-style dialog, edt1 in the old one.
            if (!SetDlgItemTextW(d, 0x47c, name.c_str())) SetDlgItemTextW(d, 0x480, name.c_str());
            PostMessageW(d, WM_COMMAND, IDOK, 0);
        });
    EXPECT_NE(saved.Contents().find("QxMain Alpha"), std::string::npos);
    EXPECT_NE(ports.ui.StatusText(1).find("main set"), std::string::npos) << ports.ui.StatusText(1);

    // Every dialog and wizard page from its menu command.
    const test::cTempFolder folder("wizard lnk");
    ASSERT_TRUE(folder.Put("Target App.exe", "MZ"));
    const auto settings = [&](cDialogUser& u, HWND d) {
        const char* names[3] = {"settings", "password", "logging"};
        const int shown[3] = {IDC_MS_TXTWAIT, IDC_MS_TXTPASSWORD1, IDC_MS_CBOLOGTYPE};
        for (int page = 0; page < 3; ++page) {
            // As a click on the tab does: the dialog hears of the change.
            SendMessageW(u.Control(d, IDC_MS_TABSTRIP1), TCM_SETCURFOCUS, static_cast<WPARAM>(page), 0);
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(IsWindowVisible(u.Control(d, shown[i])) != FALSE, i == page);
            shot(d, std::string("dialog-advanced-settings-") + names[page]);
        }
        u.Click(u.Control(d, IDCANCEL));
    };
    const auto about = [&](cDialogUser& u, HWND d) {
        EXPECT_EQ(u.Text(u.Control(d, IDC_ABOUT_VERSION)), L"Version " QX_VERSION);
        shot(d, "about");
        PostMessageW(d, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    const auto wizard = [&](cDialogUser& u, HWND d) {
        const auto click = [&](int id) { u.Toggle(u.Control(d, id)); };
        // Each page's screenshot once its own controls show.
        const auto page = [&](const char* name, int shown) {
            EXPECT_TRUE(IsWindowVisible(u.Control(d, shown))) << name;
            shot(d, std::string("wizard-page-") + name);
        };
        page("0", IDC_WIZ_WELCOME);
        click(IDC_WIZ_NEXT);
        page("2", IDC_WIZ_WHAT_TO_DO);
        click(IDC_WIZ_OPT_PROGRAM_SET);
        click(IDC_WIZ_NEXT);
        click(IDC_WIZ_NEXT);
        page("4-set", IDC_WIZ_LBL_KILL_SET);
        click(IDC_WIZ_BACK);
        click(IDC_WIZ_BACK);
        click(IDC_WIZ_OPT_ONE_PROGRAM);
        click(IDC_WIZ_NEXT);
        for (int id : {IDC_WIZ_CHK_OVERRIDE, IDC_WIZ_CHK_FORCE_CLOSE, IDC_WIZ_CHK_STOP_KILLING, IDC_WIZ_CHK_WAIT})
            click(id);
        u.Type(u.Control(d, IDC_WIZ_TXT_WAIT), L"30");
        page("3", IDC_WIZ_CHK_OVERRIDE);
        click(IDC_WIZ_NEXT);
        u.Type(u.Control(d, IDC_WIZ_TXT_KILL_TARGET), Widen(folder.File("Target App.exe")));
        page("4", IDC_WIZ_LBL_KILL_PROGRAM);
        click(IDC_WIZ_NEXT);
        u.Type(u.Control(d, IDC_WIZ_TXT_DEST_DIR), Widen(folder.Path()));
        u.Type(u.Control(d, IDC_WIZ_TXT_NAME), L"Close Target");
        page("5", IDC_WIZ_TXT_DEST_DIR);
        click(IDC_WIZ_NEXT);
        page("1", IDC_WIZ_CLICK_FINISH);
        u.Click(u.Control(d, IDC_WIZ_NEXT));
    };
    const auto closeBox = [&](cDialogUser&, HWND d) {
        shot(d, "dialog-data-directory");
        PostMessageW(d, WM_CLOSE, 0, 0);
    };
    using Form = std::tuple<eCommand, const wchar_t*, cDialogUser::Script>;
    for (const auto& [command, caption, script] : {Form{eCommand::AdvancedSettings, L"Advanced Settings", settings},
                                                   Form{eCommand::About, L"About Quellix", about},
                                                   Form{eCommand::DataPath, L"Select Default Data Directory", closeBox},
                                                   Form{eCommand::Wizard, L"Create Shortcut Wizard", wizard}})
        drive(
            caption, [&, command = command] { Command(main, command); }, script);
    const auto link = test::ReadShellLink(folder.File("Close Target.lnk"));
    EXPECT_EQ(link.arguments, "/P=\"Target App.exe\" /S /F /W:30");

    // In the program's own loop: Delete (a shortcut key) and Undo, then the kill
    // run, which keeps the set's commands off; a close during the run waits for
    // its end and then offers the changed set for saving.
    std::thread user([&] {
        const auto count = [&] { return ListView_GetItemCount(set); };
        PostMessageW(set, WM_KEYDOWN, VK_DELETE, 0);
        EXPECT_TRUE(cDialogUser::WaitFor([&] { return count() == 1; }));
        PostMessageW(main, WM_COMMAND, IDM_QX_UNDO, 0);
        EXPECT_TRUE(cDialogUser::WaitFor([&] { return count() == 2; }));
        PostMessageW(main, WM_COMMAND, IDM_QX_FIRST + static_cast<UINT>(eCommand::Kill), 0);
        EXPECT_TRUE(cDialogUser::WaitFor([&] { return IsIconic(main) != FALSE; }));
        EXPECT_NE(GetMenuState(GetMenu(main), IDM_QX_FIRST + static_cast<UINT>(eCommand::Kill), 0) & MF_GRAYED, 0u);
        PostMessageW(main, WM_CLOSE, 0, 0);
        std::wstring text;
        HWND box = cDialogUser::WaitForBox(main, text);
        for (int i = 0; i < 10 && box == nullptr && IsIconic(main); ++i)
            box = cDialogUser::WaitForBox(main, text);
        EXPECT_EQ(text, L"Save changes to current set?");
        EXPECT_FALSE(IsIconic(main));
        EXPECT_EQ(Rows(apps).find(L"QxMain"), std::wstring::npos); // the window shows what the run left
        if (box != nullptr) cDialogUser::Answer(box, IDNO);
    });
    w.RunMessageLoop();
    user.join();
    EXPECT_TRUE(alpha.WaitForExit(5000) && beta.WaitForExit(5000));
    EXPECT_EQ(w.Hwnd(), nullptr);
}

// The manifest selects version 6 of the common controls. Wine's version 6
// reports 5.x, so the test looks at where the loaded library comes from.
TEST(MainWindow, ManifestSelectsCommonControlsSix) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), path, MAX_PATH);
    std::wstring lower(path);
    CharLowerW(lower.data());
    EXPECT_TRUE(lower.find(L"common-controls") != lower.npos && lower.find(L"_6.0.") != lower.npos) << Narrow(path);
}

// The window's rectangle, stored at a logoff on a monitor of another DPI,
// comes back the same.
TEST(MainWindowOverFakes, DpiChangeScalesTheWindowAndALogoffStoresItsRectangle) {
    fake::cFakePlatform fake{"C:\\Quellix"};
    fake.facts.version = {148, 5, 1, 2600, kVerPlatformWin32Nt, ""};
    const RECT placed{40, 30, 40 + 1100, 30 + 760};
    {
        fQXMain w(fake.platform, "C:\\Quellix");
        ASSERT_TRUE(w.Create() && w.Load("", SW_SHOWNORMAL));
        HWND set = GetDlgItem(w.Hwnd(), IDC_QX_PROGRAMSET);
        const int before = DpiOfWindow(w.Hwnd());
        RECT list{}, now{}, scaled{}, suggested = placed;
        GetClientRect(set, &list);
        SendMessageW(w.Hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
        GetWindowRect(w.Hwnd(), &now);
        EXPECT_TRUE(EqualRect(&now, &placed));
        GetClientRect(set, &scaled);
        EXPECT_NEAR(scaled.right, MulDiv(list.right, 144, before), 2);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(set, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(std::abs(font.lfHeight), MulDiv(9, 144, 72));

        EXPECT_EQ(SendMessageW(w.Hwnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
        EXPECT_EQ(w.Hwnd(), nullptr);
    }
    fQXMain again(fake.platform, "C:\\Quellix");
    ASSERT_TRUE(again.Create() && again.Load("", SW_SHOWNORMAL));
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(again.Hwnd(), &wp);
    EXPECT_TRUE(EqualRect(&wp.rcNormalPosition, &placed));
    again.Close();
}

} // namespace
} // namespace qx::win32
