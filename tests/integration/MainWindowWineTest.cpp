// The main window in this test's own process: over the real ports it builds a
// set from running target programs by a drop, saves it through the real file
// dialog and kills it; over the fake ports its own handling of closing, the
// mouse, the start-up and a change of DPI.
#include "core/sets/cSetFile.h"
#include "fake/cFakePlatform.h"
#include "integration/cDialogUser.h"
#include "integration/cTargetProcess.h"
#include "integration/cTempPath.h"
#include "integration/modScreenshot.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/WindowHandle.h"
#include "win32/cTextDataObject.h"
#include "win32/cWin32Platform.h"
#include "win32/fQXAppPropertiesIds.h"
#include "win32/fQXMain.h"
#include "win32/fQXMainIds.h"
#include "win32/modMainForms.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cwctype>
#include <stdexcept>
#include <thread>

namespace qx::win32 {
namespace {

constexpr const wchar_t* kOptionsKey = L"Software\\Veltrane\\Quellix\\Options";

using RealPorts = cWin32Platform;

void SetOption(const wchar_t* name, DWORD value) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, name, REG_DWORD, &value, sizeof value);
}

void Pump(int rounds = 5) {
    for (int i = 0; i < rounds; ++i) {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        Sleep(10);
    }
}

bool Grayed(HMENU menu, eCommand c) {
    return (GetMenuState(menu, IDM_QX_FIRST + static_cast<UINT>(c), MF_BYCOMMAND) & MF_GRAYED) != 0;
}

std::wstring RowText(HWND list, int row, int column) {
    wchar_t buffer[512] = L"";
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 512;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

bool RowChecked(HWND list, int row) {
    return (SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK) &
            LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

void SelectRow(HWND list, int row, bool selected) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void SetChecked(HWND list, int row, bool checked) {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// Drops text on the kill set list as OLE hands it over, then lets the window
// handle it.
DWORD Drop(fQXMain& w, const std::string& text) {
    auto* data = new cTextDataObject(text);
    IDropTarget* target = w.DropTarget();
    POINTL at{10, 10};
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(data, MK_LBUTTON, at, &effect);
    const DWORD entered = effect;
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->Drop(data, 0, at, &effect);
    data->Release();
    Pump();
    return entered;
}

// The row of the Applications list whose title is given; -1 when none.
int ApplicationRow(fQXMain& w, const std::string& title) {
    const cListViewModel& apps = w.Session().Inventory().lvApplications();
    for (int i = 1; i <= apps.Count(); ++i)
        if (apps.Item(static_cast<std::int16_t>(i))->text == title) return i;
    return -1;
}

TEST(MainWindow, BuildsSavesAndKillsASetOfRunningPrograms) {
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, L"LastLoadedSet");
    SetOption(L"RequirePassword", 0);
    SetOption(L"ShowSpash", 0);
    test::cTargetProcess alpha({"--title", "QxMain Alpha"});
    test::cTargetProcess beta({"--title", "QxMain Beta"});
    ASSERT_TRUE(alpha.Ready());
    ASSERT_TRUE(beta.Ready());

    RealPorts ports;
    fQXSplash splash;
    fQXMain w(ports.platform, ports.facts.ProgramFolder(), MakeMainForms(splash));
    ASSERT_TRUE(w.Create());
    ports.ui.SetMainWindow(ToWindowHandle(w.Hwnd()));
    ASSERT_TRUE(w.Load("", SW_SHOWNORMAL));
    ASSERT_TRUE(IsWindowVisible(w.Hwnd()));
    HMENU menu = GetMenu(w.Hwnd());
    HWND set = w.ListWindow("lvProgramSet");
    HWND apps = w.ListWindow("lvApplications");
    const int a = ApplicationRow(w, "QxMain Alpha");
    const int b = ApplicationRow(w, "QxMain Beta");
    ASSERT_GT(a, 0);
    ASSERT_GT(b, 0);
    EXPECT_EQ(SendMessageW(apps, LVM_GETITEMCOUNT, 0, 0), w.Session().Inventory().lvApplications().Count());
    EXPECT_EQ(RowText(apps, a - 1, 0), L"QxMain Alpha"); // the virtual list shows the model's rows

    // The drop asks for the rules of both programs at once in Kill Properties.
    std::wstring dialogTitle;
    test::cDialogUser properties(L"Kill Properties", [&](test::cDialogUser& u, HWND d) {
        dialogTitle = u.Text(u.Control(d, IDC_AP_LBLTITLE));
        u.Type(u.Control(d, IDC_AP_TXTWAIT), L"3");
        if (!u.Checked(d, IDC_AP_OPTFORCE)) u.Toggle(u.Control(d, IDC_AP_OPTFORCE));
        u.Click(u.Control(d, IDOK));
    });
    const DWORD effect = Drop(w, "lvApplications," + std::to_string(a) + "," + std::to_string(b));
    properties.Join();
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    ASSERT_TRUE(properties.Found());
    EXPECT_FALSE(properties.LeftOpen());
    EXPECT_EQ(dialogTitle, L"[Multiple Programs]");
    ASSERT_EQ(SendMessageW(set, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(RowText(set, 0, 0), L"QxMain Alpha");
    EXPECT_EQ(RowText(set, 1, 0), L"QxMain Beta");
    EXPECT_NE(RowText(set, 0, 1).find(L"qxtarget.exe"), std::wstring::npos);
    EXPECT_TRUE(RowChecked(set, 0));
    // The rules chosen once reach both programs.
    for (const cApplicationProcs& e : w.Session().Set().AppSet()) {
        EXPECT_TRUE(e.ForceClose());
        EXPECT_EQ(e.CloseWait(), 3);
    }

    // A check box goes to the model; the kill set focused with row 2
    // selected, the toolbar's raise swaps the rows.
    SetChecked(set, 1, false);
    EXPECT_FALSE(w.Session().Set().lvProgramSet().Item(2)->checked);
    SetChecked(set, 1, true);
    SetFocus(set);
    SelectRow(set, 0, false);
    SelectRow(set, 1, true);
    Pump();
    EXPECT_TRUE(Grayed(menu, eCommand::Lower));
    w.ToolbarClick("raise");
    EXPECT_EQ(RowText(set, 0, 0), L"QxMain Beta");
    EXPECT_EQ(RowText(set, 1, 0), L"QxMain Alpha");

    ASSERT_TRUE(test::SaveWindowPng(w.Hwnd(), "main-window.png"));

    // Save As through the real file dialog, answered as a user would.
    test::cTempPath saved("main set");
    const std::string savedPath = saved.Path(); // an extension typed is kept
    test::cDialogUser user(L"Save As",
                           [&](test::cDialogUser& u, HWND d) { u.AnswerFileDialog(d, Widen(saved.Path())); });
    w.Execute(eCommand::SaveAs);
    user.Join();
    SetFileHeader header;
    std::vector<SetFileEntry> entries;
    ASSERT_EQ(cSetFile::Read(saved.Contents(), ports.codec, header, entries), cSetFile::ReadResult::Ok);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Title, "QxMain Beta");
    EXPECT_EQ(entries[1].Title, "QxMain Alpha");
    EXPECT_FALSE(w.Session().Set().SetChanged());
    wchar_t panel[MAX_PATH] = L"";
    SendMessageW(w.StatusBar(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(panel));
    EXPECT_NE(std::wstring(panel).find(L"main set"), std::wstring::npos) << Narrow(panel, wcslen(panel));

    // The kill run: commands that change the set are off while it runs, and
    // a close during the run waits for its end.
    std::atomic<bool> done{false}, sawRunning{false}, killOff{false}, captionChanged{false};
    HWND main = w.Hwnd();
    std::thread watcher([&] {
        bool closed = false;
        while (!done) {
            if (IsIconic(main)) {
                sawRunning = true;
                killOff = Grayed(menu, eCommand::Kill);
                wchar_t caption[256] = L"";
                InternalGetWindowText(main, caption, 256);
                if (std::wstring(caption) != L"Quellix") captionChanged = true;
                if (!closed && captionChanged) {
                    PostMessageW(main, WM_CLOSE, 0, 0);
                    closed = true;
                }
            }
            Sleep(5);
        }
    });
    w.Execute(eCommand::Kill);
    done = true;
    watcher.join();
    EXPECT_TRUE(sawRunning);
    EXPECT_TRUE(killOff);
    EXPECT_TRUE(captionChanged);
    EXPECT_TRUE(alpha.WaitForExit(5000));
    EXPECT_TRUE(beta.WaitForExit(5000));
    ASSERT_NE(w.Hwnd(), nullptr); // the close waited for the run
    EXPECT_FALSE(IsIconic(w.Hwnd()));
    wchar_t caption[256] = L"";
    GetWindowTextW(w.Hwnd(), caption, 256);
    EXPECT_EQ(std::wstring(caption), L"Quellix");
    Pump(20);
    EXPECT_EQ(w.Hwnd(), nullptr); // and then closed
    wchar_t last[MAX_PATH] = L"";
    DWORD size = sizeof last;
    RegGetValueW(HKEY_LOCAL_MACHINE, kOptionsKey, L"LastLoadedSet", RRF_RT_REG_SZ, nullptr, last, &size);
    EXPECT_EQ(Narrow(last, wcslen(last)), savedPath);
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, L"LastLoadedSet");
}

// The manifest in the resources selects version 6 of the common controls
// (visual styles) for every exe that links them, this one included. Wine's
// version 6 reports 5.x from DllGetVersion, so the test looks at where the
// loaded library comes from: the side-by-side assembly, not system32.
TEST(MainWindow, ManifestSelectsCommonControlsSix) {
    ASSERT_NE(FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)), nullptr);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(comctl, path, MAX_PATH);
    std::wstring lower(path);
    for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
    EXPECT_NE(lower.find(L"common-controls"), std::wstring::npos) << Narrow(path, wcslen(path));
    EXPECT_NE(lower.find(L"_6.0."), std::wstring::npos) << Narrow(path, wcslen(path));
}

class MainWindowOverFakes : public ::testing::Test {
protected:
    MainWindowOverFakes() {
        fake.facts.version = {148, 5, 1, 2600, kVerPlatformWin32Nt, ""};
        fake.os.SetSelfPid(GetCurrentProcessId());
        fake::FakeProcessSetup p;
        p.exePath = "C:\\Apps\\editor.exe";
        const std::uint32_t pid = fake.os.AddProcess(p);
        fake::FakeWindowSetup win;
        win.pid = pid;
        win.title = "Fake Editor";
        fake.os.AddWindow(win);
    }
    fake::cFakePlatform fake{"C:\\Quellix"};
};

TEST_F(MainWindowOverFakes, CloseAndLogoffOfferAChangedSetForSavingAndStoreTheOptions) {
    fQXMain w(fake.platform, "C:\\Quellix");
    ASSERT_TRUE(w.Create());
    ASSERT_TRUE(w.Load("", SW_SHOWNORMAL));
    Drop(w, "lvApplications,1");
    ASSERT_TRUE(w.Session().Set().SetChanged());
    // Cancel keeps the set, the window and the logoff held up.
    fake.ui.answers = {kIdCancel, kIdCancel};
    SendMessageW(w.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(SendMessageW(w.Hwnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE);
    ASSERT_NE(w.Hwnd(), nullptr);
    ASSERT_EQ(fake.ui.boxes.size(), 2u);
    EXPECT_EQ(fake.ui.boxes[1].text, "Save changes to current set?");
    // No lets the logoff go on, with the options and the layout stored first.
    SetWindowPos(w.Hwnd(), nullptr, 0, 0, 613, 400, SWP_NOMOVE | SWP_NOZORDER);
    const std::int32_t twips = cMainLayout::PixelsToTwips(613, w.Dpi());
    fake.ui.answers = {kIdNo};
    EXPECT_EQ(SendMessageW(w.Hwnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_EQ(w.Hwnd(), nullptr);
    EXPECT_EQ(fake.ui.boxes.size(), 3u);
    const std::string stored = fake.StoredOption("FormWidth");
    ASSERT_EQ(stored.size(), 4u);
    std::int32_t width = 0;
    for (int i = 3; i >= 0; --i) width = width * 256 + static_cast<unsigned char>(stored[static_cast<std::size_t>(i)]);
    EXPECT_EQ(width, twips);
}

TEST_F(MainWindowOverFakes, SplitterDragMovesTheListsAndTabsSwitchByKey) {
    fQXMain w(fake.platform, "C:\\Quellix");
    ASSERT_TRUE(w.Create());
    ASSERT_TRUE(w.Load("", SW_SHOWNORMAL));
    SetWindowPos(w.Hwnd(), nullptr, 0, 0, 800, 500, SWP_NOMOVE | SWP_NOZORDER);
    HWND set = w.ListWindow("lvProgramSet");
    RECT before{};
    GetWindowRect(set, &before);
    const cLayoutRect bar = cMainLayout::ToPixels(w.Layout().Splitter(), w.Dpi());
    const int y = bar.top + 20;
    SendMessageW(w.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bar.left + 1, y));
    EXPECT_TRUE(w.Layout().SplitterDragging());
    SendMessageW(w.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(bar.left + 61, y));
    SendMessageW(w.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(bar.left + 61, y));
    EXPECT_FALSE(w.Layout().SplitterDragging());
    // A move after the release does nothing.
    SendMessageW(w.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(bar.left + 200, y));
    RECT after{};
    GetWindowRect(set, &after);
    EXPECT_NEAR((after.right - after.left) - (before.right - before.left), 60, 1);

    HWND apps = w.ListWindow("lvApplications"), procs = w.ListWindow("lvProcesses");
    EXPECT_TRUE(IsWindowVisible(apps));
    EXPECT_FALSE(IsWindowVisible(procs));
    SendMessageW(w.TabStrip(), TCM_SETCURSEL, 1, 0);
    NMHDR change{w.TabStrip(), IDC_QX_TAB, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(w.Hwnd(), WM_NOTIFY, IDC_QX_TAB, reinterpret_cast<LPARAM>(&change));
    EXPECT_FALSE(IsWindowVisible(apps));
    EXPECT_TRUE(IsWindowVisible(procs));
    w.Close();
}

TEST_F(MainWindowOverFakes, AnErrorDuringTheLoadIsShownAndLoggedAndSavesNothing) {
    fake.PutOption("ShowSpash", -1);
    fake.PutOption("Logging", 2);
    cMainForms forms;
    forms.showSplash = [] { throw std::runtime_error("no splash today"); };
    fQXMain w(fake.platform, "C:\\Quellix", forms);
    ASSERT_TRUE(w.Create());
    EXPECT_FALSE(w.Load("", SW_SHOWNORMAL));
    EXPECT_TRUE(w.StartupFailed());
    EXPECT_TRUE(w.QuitAtStart());
    EXPECT_FALSE(IsWindowVisible(w.Hwnd()));
    ASSERT_EQ(fake.ui.boxes.size(), 1u);
    EXPECT_NE(fake.ui.boxes[0].text.find("no splash today"), std::string::npos) << fake.ui.boxes[0].text;
    const std::string* log = fake.fs.Contents("C:\\Quellix\\Quellix.log");
    ASSERT_NE(log, nullptr);
    EXPECT_NE(log->find("no splash today"), std::string::npos);
    EXPECT_TRUE(w.Close());
    EXPECT_EQ(fake.StoredOption("FormWidth"), "<none>");
}

TEST_F(MainWindowOverFakes, DpiChangeTakesTheSuggestedRectangleAndScalesLayoutAndFonts) {
    fQXMain w(fake.platform, "C:\\Quellix");
    ASSERT_TRUE(w.Create());
    ASSERT_TRUE(w.Load("", SW_SHOWNORMAL));
    HWND set = w.ListWindow("lvProgramSet");
    const int before = w.Dpi();
    ASSERT_NE(before, 144);
    const auto column = static_cast<int>(SendMessageW(set, LVM_GETCOLUMNWIDTH, 0, 0));
    const auto fontHeight = [](HWND control) {
        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
        return lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    };

    RECT suggested{40, 30, 40 + 1100, 30 + 760};
    SendMessageW(w.Hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(w.Dpi(), 144);
    RECT now{};
    GetWindowRect(w.Hwnd(), &now);
    EXPECT_EQ(now.left, 40);
    EXPECT_EQ(now.top, 30);
    EXPECT_EQ(now.right - now.left, 1100);
    EXPECT_EQ(now.bottom - now.top, 760);

    // The twips layout is placed at the new scale.
    const cLayoutRect expected = cMainLayout::ToPixels(w.Layout().ProgramSet(), 144);
    RECT list{};
    GetWindowRect(set, &list);
    MapWindowPoints(nullptr, w.Hwnd(), reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(list.left, expected.left);
    EXPECT_EQ(list.top, expected.top);
    EXPECT_EQ(list.right - list.left, expected.width);
    EXPECT_EQ(list.bottom - list.top, expected.height);
    RECT client{};
    GetClientRect(w.Hwnd(), &client);
    const cLayoutRect tab = cMainLayout::ToPixels(w.Layout().TabStrip(), 144);
    EXPECT_NEAR(tab.left + tab.width, client.right, 1); // the strip still reaches the right edge
    EXPECT_NEAR(static_cast<int>(SendMessageW(set, LVM_GETCOLUMNWIDTH, 0, 0)), MulDiv(column, 144, before), 1);
    // Fonts follow: 9 pt for the lists, 12 pt for the set's title.
    EXPECT_EQ(fontHeight(set), MulDiv(9, 144, 72));
    EXPECT_EQ(fontHeight(GetDlgItem(w.Hwnd(), IDC_QX_SETLABEL)), MulDiv(12, 144, 72));
    w.Close();
}

} // namespace
} // namespace qx::win32
