// The wizard driven as a user would: shown modally on the test thread while a
// helper thread finds it, fills its controls, clicks through every page and
// answers its prompts. The written files are read back afterwards.
#include "integration/cTempFolder.h"
#include "integration/modScreenshot.h"
#include "integration/modShellLinkReader.h"
#include "core/log/cLogger.h"
#include "core/ui/cShortcutWizardModel.h"
#include "core/util/cGlobalsClass.h"
#include "core/util/cQXUtility.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/cWin32Clock.h"
#include "win32/cWin32FileSystem.h"
#include "win32/cWin32Shell.h"
#include "win32/cWin32ShellLink.h"
#include "win32/cWin32StringTable.h"
#include "win32/cWin32TextCodec.h"
#include "win32/cWin32UserInterface.h"
#include "win32/fQXCreateShortcutWizard.h"
#include "win32/fQXCreateShortcutWizardIds.h"

#include <shlobj.h>

#include "integration/cDialogUser.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace qx::win32 {
namespace {

using test::cTempFolder;

std::string OwnExe() {
    wchar_t path[MAX_PATH] = L"";
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return Narrow(path, n);
}

HWND FindOwnDialog(const wchar_t* caption) { return test::cDialogUser::FindOwnDialog(caption); }

HWND WaitForDialog(const wchar_t* caption) {
    for (int i = 0; i < 500; ++i) {
        if (HWND w = FindOwnDialog(caption)) return w;
        Sleep(10);
    }
    return nullptr;
}

// What a user does and sees, from the helper thread. Every mismatch is noted
// for the test thread to report; on the way out the wizard is always closed,
// so a failing step cannot leave the test waiting.
class WizardUser {
public:
    std::vector<std::string> failures;

    void Run(const std::function<void(WizardUser&)>& script) {
        worker_ = std::thread([this, script] {
            wizard_ = WaitForDialog(L"Create Shortcut Wizard");
            if (wizard_ == nullptr) {
                failures.push_back("the wizard never appeared");
                return;
            }
            script(*this);
            if (IsWindow(wizard_)) PostMessageW(wizard_, WM_COMMAND, MAKEWPARAM(IDC_WIZ_CANCEL, BN_CLICKED), 0);
        });
    }
    void Join() {
        if (worker_.joinable()) worker_.join();
    }
    ~WizardUser() { Join(); }

    HWND Wizard() const { return wizard_; }
    void Expect(bool condition, const std::string& what) {
        if (!condition) failures.push_back(what);
    }
    // The one page whose controls show, or -1 when none or several do.
    int Page() const {
        static const int markers[6] = {IDC_WIZ_WELCOME,       IDC_WIZ_CLICK_FINISH,    IDC_WIZ_WHAT_TO_DO,
                                       IDC_WIZ_CHK_OVERRIDE, IDC_WIZ_TXT_KILL_TARGET, IDC_WIZ_TXT_DEST_DIR};
        int page = -1;
        for (int i = 0; i < 6; ++i) {
            if (IsWindowVisible(GetDlgItem(wizard_, markers[i])) == FALSE) continue;
            if (page != -1) return -1;
            page = i;
        }
        return page;
    }
    void ExpectPage(int page, const std::string& step) {
        Expect(Page() == page, step + ": page " + std::to_string(Page()) + " shows, not " + std::to_string(page));
    }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(wizard_, id)) != FALSE; }
    bool Visible(int id) const { return IsWindowVisible(GetDlgItem(wizard_, id)) != FALSE; }
    bool Checked(int id) const { return IsDlgButtonChecked(wizard_, id) == BST_CHECKED; }
    std::string Text(int id) const {
        wchar_t buffer[1024] = L"";
        const UINT n = GetDlgItemTextW(wizard_, id, buffer, 1024);
        return Narrow(buffer, n);
    }
    void Type(int id, const std::string& text) { SetDlgItemTextW(wizard_, id, Widen(text).c_str()); }
    // A mouse click on a button, handled before this returns.
    void Click(int id) { SendMessageW(GetDlgItem(wizard_, id), BM_CLICK, 0, 0); }
    // A click that brings up a message box: its text, after pressing OK. The
    // wizard must wait disabled underneath it.
    std::string ClickAndAnswerBox(int id) {
        PostMessageW(wizard_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(wizard_, id)));
        HWND box = WaitForDialog(L"Quellix");
        if (box == nullptr) return "<no box>";
        Expect(IsWindowEnabled(wizard_) == FALSE, "the wizard stays usable under its message box");
        wchar_t text[512] = L"";
        GetDlgItemTextW(box, 0xFFFF, text, 512);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 300 && (IsWindow(box) || IsWindowEnabled(wizard_) == FALSE); ++i) Sleep(10);
        Expect(IsWindowEnabled(wizard_) != FALSE, "the wizard stays disabled after its message box");
        return Narrow(text, wcslen(text));
    }
    // EndDialog leaves the window to the end of the modal loop.
    bool Closed() const {
        for (int i = 0; i < 300 && IsWindow(wizard_); ++i) Sleep(10);
        return IsWindow(wizard_) == FALSE;
    }
    void Shot(const std::string& name) { Expect(test::SaveWindowPng(wizard_, name), "screenshot " + name); }

private:
    HWND wizard_ = nullptr;
    std::thread worker_;
};

class ShortcutWizard : public ::testing::Test {
protected:
    cShortcutWizardModel MakeModel() {
        return cShortcutWizardModel(logger, globals, utility, table, ui, fs, codec, exe, &WriteShellLink);
    }
    static std::string Joined(const std::vector<std::string>& lines) {
        std::string all;
        for (const auto& line : lines) all += line + "\n";
        return all;
    }
    cWin32FileSystem fs;
    cWin32UserInterface ui;
    cWin32Clock clock;
    cWin32TextCodec codec;
    cWin32Shell shell;
    cWin32StringTable table;
    const std::string exe = OwnExe();
    cLogger logger{fs, ui, clock, codec, exe.substr(0, exe.rfind('\\'))};
    cGlobalsClass globals{fs};
    cQXUtility utility{fs, shell};
};

TEST_F(ShortcutWizard, ShortcutThroughEveryPageAndBack) {
    const cTempFolder folder("wizard lnk");
    ASSERT_TRUE(folder.Put("Target App.exe", "MZ"));
    cShortcutWizardModel model = MakeModel();
    WizardUser user;
    user.Run([&](WizardUser& u) {
        u.ExpectPage(0, "at open");
        u.Expect(!u.Enabled(IDC_WIZ_BACK), "Back is enabled on page 0");
        u.Expect(u.Text(IDC_WIZ_NEXT) == "&Next >>", "Next reads " + u.Text(IDC_WIZ_NEXT));
        u.Expect(u.Checked(IDC_WIZ_OPT_SHORTCUT) && !u.Checked(IDC_WIZ_OPT_BATCH), "shortcut is not preselected");
        u.Shot("wizard-page-0.png");

        u.Click(IDC_WIZ_NEXT);
        u.ExpectPage(2, "Next from 0");
        u.Expect(u.Enabled(IDC_WIZ_BACK), "Back stays disabled on page 2");
        u.Click(IDC_WIZ_BACK);
        u.ExpectPage(0, "Back from 2");
        u.Expect(!u.Enabled(IDC_WIZ_BACK), "Back is enabled again on page 0");
        u.Click(IDC_WIZ_NEXT);
        u.Expect(u.Checked(IDC_WIZ_OPT_ONE_PROGRAM), "a single program is not preselected");
        u.Shot("wizard-page-2.png");

        u.Click(IDC_WIZ_NEXT);
        u.ExpectPage(3, "Next from 2");
        u.Expect(!u.Enabled(IDC_WIZ_CHK_FORCE_CLOSE) && !u.Enabled(IDC_WIZ_SPN_WAIT), "rules enabled before override");
        u.Click(IDC_WIZ_CHK_OVERRIDE);
        u.Expect(u.Enabled(IDC_WIZ_CHK_FORCE_CLOSE) && u.Enabled(IDC_WIZ_CHK_STOP_KILLING) &&
                     u.Enabled(IDC_WIZ_CHK_WAIT) && u.Enabled(IDC_WIZ_TXT_WAIT) && u.Enabled(IDC_WIZ_SPN_WAIT) &&
                     u.Enabled(IDC_WIZ_LBL_WAIT),
                 "override leaves a rule disabled");
        u.Click(IDC_WIZ_CHK_FORCE_CLOSE);
        u.Click(IDC_WIZ_CHK_STOP_KILLING);
        u.Click(IDC_WIZ_CHK_WAIT);
        u.Expect(u.Text(IDC_WIZ_TXT_WAIT) == "10", "the wait starts at " + u.Text(IDC_WIZ_TXT_WAIT));
        // The up arrow key in the box steps the spin box, which writes its buddy.
        SendMessageW(GetDlgItem(u.Wizard(), IDC_WIZ_TXT_WAIT), WM_KEYDOWN, VK_UP, 0);
        SendMessageW(GetDlgItem(u.Wizard(), IDC_WIZ_TXT_WAIT), WM_KEYUP, VK_UP, 0);
        u.Expect(u.Text(IDC_WIZ_TXT_WAIT) == "11", "the up arrow gives " + u.Text(IDC_WIZ_TXT_WAIT));
        u.Type(IDC_WIZ_TXT_WAIT, "30");
        u.Shot("wizard-page-3.png");

        u.Click(IDC_WIZ_NEXT);
        u.ExpectPage(4, "Next from 3");
        u.Expect(u.Visible(IDC_WIZ_LBL_KILL_PROGRAM) && !u.Visible(IDC_WIZ_LBL_KILL_SET), "wrong page 4 label");
        const std::string refused = u.ClickAndAnswerBox(IDC_WIZ_NEXT);
        u.Expect(refused == "The entered program to be killed was not valid", "empty program: " + refused);
        u.ExpectPage(4, "after the refused program");
        u.Type(IDC_WIZ_TXT_KILL_TARGET, folder.File("Target App.exe"));
        u.Shot("wizard-page-4.png");

        u.Click(IDC_WIZ_NEXT);
        u.ExpectPage(5, "Next from 4");
        u.Type(IDC_WIZ_TXT_DEST_DIR, folder.Path());
        u.Type(IDC_WIZ_TXT_NAME, "Close Target");
        u.Shot("wizard-page-5.png");
        u.Click(IDC_WIZ_NEXT);
        u.ExpectPage(1, "Next from 5");
        u.Expect(u.Text(IDC_WIZ_NEXT) == "&Finish", "Next on page 1 reads " + u.Text(IDC_WIZ_NEXT));
        u.Shot("wizard-page-1.png");
        u.Click(IDC_WIZ_BACK);
        u.ExpectPage(5, "Back from 1");
        u.Expect(u.Text(IDC_WIZ_NEXT) == "&Next >>", "Next after Back reads " + u.Text(IDC_WIZ_NEXT));
        u.Expect(u.Text(IDC_WIZ_TXT_NAME) == "Close Target", "the name was lost going back");
        u.Click(IDC_WIZ_NEXT);
        u.Click(IDC_WIZ_NEXT); // Finish
        u.Expect(u.Closed(), "the wizard stays open after Finish");
    });
    const bool written = fQXCreateShortcutWizard::Show(nullptr, model);
    user.Join();
    EXPECT_TRUE(user.failures.empty()) << Joined(user.failures);
    EXPECT_TRUE(written);
    EXPECT_FALSE(model.IsCancelled());
    EXPECT_EQ(model.DestDir(), folder.Path() + "\\"); // Finish added the final backslash

    const auto link = test::ReadShellLink(folder.File("Close Target.lnk"));
    ASSERT_TRUE(link.loaded);
    EXPECT_EQ(link.path, exe);
    EXPECT_EQ(link.arguments, "/P=\"Target App.exe\" /S /F /W:30");
    EXPECT_EQ(link.workingDirectory, "");
    EXPECT_EQ(link.description, "");
    EXPECT_EQ(folder.Contents("Close Target.bat"), "");
}

TEST_F(ShortcutWizard, BatchFileForABrowsedSetInAFolderWithPercent) {
    const cTempFolder folder("wizard bat 100%");
    ASSERT_TRUE(folder.Put("office.qxs", "set"));
    cShortcutWizardModel model = MakeModel();
    WizardUser user;
    user.Run([&](WizardUser& u) {
        u.Click(IDC_WIZ_OPT_BATCH);
        u.Click(IDC_WIZ_NEXT);
        u.Click(IDC_WIZ_OPT_PROGRAM_SET);
        u.Click(IDC_WIZ_NEXT);
        u.ExpectPage(3, "Next from 2");
        u.Click(IDC_WIZ_NEXT);
        u.ExpectPage(4, "Next from 3");
        u.Expect(!u.Visible(IDC_WIZ_LBL_KILL_PROGRAM) && u.Visible(IDC_WIZ_LBL_KILL_SET), "wrong page 4 label");
        // Browse: the open dialog is answered with the set's full path.
        PostMessageW(u.Wizard(), WM_COMMAND, MAKEWPARAM(IDC_WIZ_BROWSE_KILL_TARGET, BN_CLICKED), 0);
        HWND open = WaitForDialog(L"Select a kill set");
        u.Expect(open != nullptr, "no open dialog titled 'Select a kill set'");
        if (open != nullptr) {
            Sleep(200); // let the dialog finish its start-up
            const std::wstring typed = Widen(folder.File("office.qxs"));
            if (!SetDlgItemTextW(open, 0x47c, typed.c_str())) SetDlgItemTextW(open, 0x480, typed.c_str());
            PostMessageW(open, WM_COMMAND, IDOK, 0);
            for (int i = 0; i < 300 && IsWindow(open); ++i) Sleep(10);
        }
        for (int i = 0; i < 300 && u.Text(IDC_WIZ_TXT_KILL_TARGET).empty(); ++i) Sleep(10);
        u.Expect(u.Text(IDC_WIZ_TXT_KILL_TARGET) == folder.File("office.qxs"),
                 "browsing gave '" + u.Text(IDC_WIZ_TXT_KILL_TARGET) + "'");
        u.Shot("wizard-page-4-set.png");
        u.Click(IDC_WIZ_NEXT);
        u.ExpectPage(5, "Next from 4");
        u.Type(IDC_WIZ_TXT_DEST_DIR, folder.Path());
        const std::string refused = u.ClickAndAnswerBox(IDC_WIZ_NEXT);
        u.Expect(refused == "The batch file name must be entered", "empty name: " + refused);
        u.Type(IDC_WIZ_TXT_NAME, "office run");
        u.Click(IDC_WIZ_NEXT);
        u.ExpectPage(1, "Next from 5");
        u.Click(IDC_WIZ_NEXT);
    });
    const bool written = fQXCreateShortcutWizard::Show(nullptr, model);
    user.Join();
    EXPECT_TRUE(user.failures.empty()) << Joined(user.failures);
    EXPECT_TRUE(written);
    EXPECT_EQ(globals.sBrowsePath(), folder.Path() + "\\");

    // cmd would read "%-" as the start of a variable: the folder's "%" is doubled.
    std::string setPath = folder.File("office.qxs");
    setPath.replace(setPath.find("100%"), 4, "100%%");
    EXPECT_EQ(folder.Contents("office run.bat"), exe + " \"" + setPath + "\" \r\n");
    EXPECT_EQ(folder.Contents("office run.lnk"), "");
}

// The folder browser the wizard opened on its own thread (not the wizard itself).
HWND WaitForFolderBrowser(HWND wizard) {
    const DWORD thread = GetWindowThreadProcessId(wizard, nullptr);
    for (int i = 0; i < 300; ++i) {
        HWND found = nullptr;
        while ((found = FindWindowExW(nullptr, found, L"#32770", nullptr)) != nullptr)
            if (found != wizard && IsWindowVisible(found) && GetWindowThreadProcessId(found, nullptr) == thread)
                return found;
        Sleep(10);
    }
    return nullptr;
}

TEST_F(ShortcutWizard, FailedWriteReportsAndShowsTheFirstPageKeepingEntries) {
    auto folder = std::make_unique<cTempFolder>("wizard gone");
    const std::string gone = folder->Path();
    cShortcutWizardModel model = MakeModel();
    WizardUser user;
    user.Run([&](WizardUser& u) {
        u.Click(IDC_WIZ_NEXT);
        u.Click(IDC_WIZ_OPT_ALL_PROGRAMS);
        u.Click(IDC_WIZ_NEXT);
        u.Click(IDC_WIZ_NEXT);
        u.ExpectPage(5, "kill all skips page 4");
        // The destination comes from the folder browser.
        PostMessageW(u.Wizard(), WM_COMMAND, MAKEWPARAM(IDC_WIZ_BROWSE_DEST_DIR, BN_CLICKED), 0);
        HWND browser = WaitForFolderBrowser(u.Wizard());
        u.Expect(browser != nullptr, "no folder browser");
        if (browser != nullptr) {
            // The browser may still be moving to its first folder when it shows;
            // select again until its tree stands on the folder wanted.
            const std::wstring wanted = Widen(gone);
            const std::wstring leaf = wanted.substr(wanted.find_last_of(L'\\') + 1);
            HWND tree = FindWindowExW(browser, nullptr, L"SysTreeView32", nullptr);
            for (int i = 0; i < 100; ++i) {
                SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(wanted.c_str()));
                Sleep(20);
                wchar_t text[MAX_PATH] = L"";
                TVITEMW item{};
                item.mask = TVIF_TEXT;
                item.hItem = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
                item.pszText = text;
                item.cchTextMax = MAX_PATH;
                if (tree == nullptr || (item.hItem != nullptr &&
                                        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) &&
                                        CompareStringOrdinal(text, -1, leaf.c_str(), -1, TRUE) == CSTR_EQUAL))
                    break;
            }
            PostMessageW(browser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            for (int i = 0; i < 300 && u.Text(IDC_WIZ_TXT_DEST_DIR).empty(); ++i) Sleep(10);
        }
        const std::string chosen = u.Text(IDC_WIZ_TXT_DEST_DIR);
        u.Expect(CompareStringOrdinal(Widen(chosen).c_str(), -1, Widen(gone).c_str(), -1, TRUE) == CSTR_EQUAL,
                 "the folder browser gave '" + chosen + "'");
        u.Type(IDC_WIZ_TXT_NAME, "late");
        u.Click(IDC_WIZ_NEXT);
        u.ExpectPage(1, "Next from 5");
        folder.reset(); // the destination disappears before Finish
        const std::string report = u.ClickAndAnswerBox(IDC_WIZ_NEXT);
        // The shell's description of the failure, then the wizard's own text.
        const std::string ending = ": Creation failed.";
        u.Expect(report.size() > ending.size() + 3 &&
                     report.compare(report.size() - ending.size(), ending.size(), ending) == 0 &&
                     report.find("late.lnk") == std::string::npos && report[report.size() - ending.size() - 1] != '.',
                 "the failure reads '" + report + "'");
        u.ExpectPage(0, "after the failed write");
        u.Expect(!u.Enabled(IDC_WIZ_BACK) && u.Text(IDC_WIZ_NEXT) == "&Next >>", "page 0 buttons after the failure");
        u.Click(IDC_WIZ_NEXT);
        u.Expect(u.Checked(IDC_WIZ_OPT_ALL_PROGRAMS), "the kill target was lost");
        u.Expect(u.Text(IDC_WIZ_TXT_NAME) == "late", "the name was lost");
        u.Click(IDC_WIZ_CANCEL);
        u.Expect(u.Closed(), "Cancel leaves the wizard open");
    });
    EXPECT_FALSE(fQXCreateShortcutWizard::Show(nullptr, model));
    user.Join();
    EXPECT_TRUE(user.failures.empty()) << Joined(user.failures);
    EXPECT_TRUE(model.IsCancelled());
}

TEST_F(ShortcutWizard, ClosingTheWindowWritesNothing) {
    const cTempFolder folder("wizard closed");
    cShortcutWizardModel model = MakeModel();
    model.SetDestDir(folder.Path());
    model.SetShortcutName("never");
    WizardUser user;
    user.Run([&](WizardUser& u) {
        u.Click(IDC_WIZ_NEXT);
        u.Click(IDC_WIZ_NEXT);
        u.ExpectPage(3, "Next twice");
        SendMessageW(u.Wizard(), WM_CLOSE, 0, 0);
        u.Expect(u.Closed(), "the close box leaves the wizard open");
    });
    EXPECT_FALSE(fQXCreateShortcutWizard::Show(nullptr, model));
    user.Join();
    EXPECT_TRUE(user.failures.empty()) << Joined(user.failures);
    EXPECT_TRUE(model.IsCancelled());
    EXPECT_EQ(folder.Contents("never.lnk"), "");
    EXPECT_EQ(folder.Contents("never.bat"), "");
}

} // namespace
} // namespace qx::win32
