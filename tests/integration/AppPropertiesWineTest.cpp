// Kill Properties as a real dialog: what it shows of an entry, what the user
// changes, and what reaches the entry on OK and on Cancel.
#include "cDialogUser.h"
#include "modScreenshot.h"

#include "win32/fQXAppProperties.h"
#include "win32/fQXAppPropertiesIds.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>

namespace qx::win32 {
namespace {

using test::cDialogUser;

cApplicationProcs Notepad() {
    cApplicationProcs e;
    e.SetTitle("Untitled - Notepad");
    e.SetExePath("C:\\Windows\\notepad.exe");
    e.SetCloseWait(25);
    e.SetForceClose(false);
    e.SetStopOnError(true);
    e.SetIgnoreTitle(true);
    return e;
}

// The tooltip the dialog shows for one of its controls; empty when none.
std::wstring TipOf(HWND dialog, HWND control) {
    struct Found {
        HWND owner, tips;
    } found{dialog, nullptr};
    EnumThreadWindows(
        GetWindowThreadProcessId(dialog, nullptr),
        [](HWND w, LPARAM p) -> BOOL {
            auto& f = *reinterpret_cast<Found*>(p);
            wchar_t cls[32] = L"";
            GetClassNameW(w, cls, 32);
            if (GetWindow(w, GW_OWNER) != f.owner || std::wstring(cls) != TOOLTIPS_CLASSW) return TRUE;
            f.tips = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (found.tips == nullptr) return {};
    wchar_t text[128] = L"";
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    SendMessageW(found.tips, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    return text;
}

bool Checked(HWND dialog, int id) {
    return SendMessageW(cDialogUser::Control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

TEST(AppPropertiesDialog, ShowsTheEntryAndOkHandsBackTheEditedRules) {
    cAppPropertiesModel model(Notepad(), "Untitled - Notepad");
    std::wstring title, program, wait, ignoreBox, afterLeaving, okTip, cancelTip, helpTip;
    bool ignoreOn = false, forceOn = true, stopOn = false, shot = false;
    std::atomic<int> helpTopic{0};
    cDialogUser user(L"Kill Properties", [&](cDialogUser& u, HWND d) {
        title = u.Text(u.Control(d, IDC_AP_LBLTITLE));
        program = u.Text(u.Control(d, IDC_AP_LABEL1));
        ignoreBox = u.Text(u.Control(d, IDC_AP_CHKIGNORETITLE));
        wait = u.Text(u.Control(d, IDC_AP_TXTWAIT));
        ignoreOn = Checked(d, IDC_AP_OPTIGNORE);
        forceOn = Checked(d, IDC_AP_OPTFORCE);
        stopOn = Checked(d, IDC_AP_OPTSTOPONERROR);
        okTip = TipOf(d, u.Control(d, IDOK));
        cancelTip = TipOf(d, u.Control(d, IDCANCEL));
        helpTip = TipOf(d, u.Control(d, IDC_AP_CMDHELP));
        shot = test::SaveWindowPng(d, "dialog-kill-properties.png");

        HWND txtWait = u.Control(d, IDC_AP_TXTWAIT);
        u.Focus(d, txtWait);
        u.Type(txtWait, L"abc");
        u.Focus(d, u.Control(d, IDC_AP_OPTFORCE));
        afterLeaving = u.Text(txtWait);

        u.Click(u.Control(d, IDC_AP_CMDHELP));
        u.WaitFor([&] { return helpTopic != 0; });

        u.Type(txtWait, L"3.5"); // OK normalises it without the field losing the focus first
        u.Toggle(u.Control(d, IDC_AP_OPTFORCE));
        u.Toggle(u.Control(d, IDC_AP_CHKIGNORETITLE));
        u.Click(u.Control(d, IDOK));
    });
    const bool ok = fQXAppProperties::Show(nullptr, model, [&](HWND, std::int16_t topic) { helpTopic = topic; });
    user.Join();
    ASSERT_TRUE(user.Found());
    EXPECT_FALSE(user.LeftOpen());
    EXPECT_TRUE(shot);
    EXPECT_EQ(title, L"Untitled - Notepad");
    EXPECT_EQ(program, L"Program");
    EXPECT_EQ(ignoreBox, L"Ignore the window title and close all occurrences of this program");
    EXPECT_EQ(wait, L"25");
    EXPECT_TRUE(ignoreOn); // ForceClose false opens on "Ignore it"
    EXPECT_FALSE(forceOn);
    EXPECT_TRUE(stopOn);
    EXPECT_EQ(afterLeaving, L"10");
    EXPECT_EQ(okTip, L"Accept and exit");
    EXPECT_EQ(cancelTip, L"Exit without accepting");
    EXPECT_EQ(helpTip, L"Show help");
    EXPECT_EQ(helpTopic, 109);

    ASSERT_TRUE(ok);
    const cApplicationProcs edited = model.cmdOK_Click();
    EXPECT_EQ(edited.CloseWait(), 4); // 3.5 rounds to the even neighbour
    EXPECT_TRUE(edited.ForceClose());
    EXPECT_TRUE(edited.StopOnError());
    EXPECT_FALSE(edited.IgnoreTitle());
    EXPECT_EQ(edited.ExePath(), "C:\\Windows\\notepad.exe");
}

TEST(AppPropertiesDialog, CancelAndTheFrameHandNothingBack) {
    for (const UINT close : {UINT{IDCANCEL}, UINT{WM_CLOSE}}) {
        cAppPropertiesModel model(Notepad(), "Untitled - Notepad");
        bool helpEnabled = true;
        cDialogUser user(L"Kill Properties", [&](cDialogUser& u, HWND d) {
            helpEnabled = IsWindowEnabled(u.Control(d, IDC_AP_CMDHELP)) != FALSE;
            u.Type(u.Control(d, IDC_AP_TXTWAIT), L"99");
            u.Toggle(u.Control(d, IDC_AP_OPTFORCE));
            if (close == WM_CLOSE)
                PostMessageW(d, WM_CLOSE, 0, 0);
            else
                u.Click(u.Control(d, IDCANCEL));
        });
        EXPECT_FALSE(fQXAppProperties::Show(nullptr, model));
        user.Join();
        ASSERT_TRUE(user.Found());
        EXPECT_FALSE(user.LeftOpen());
        EXPECT_FALSE(helpEnabled); // no help to show without a help handler
        EXPECT_FALSE(model.ForceClose()); // the choices are read only on OK
    }
}

// Sets one number separator of the user's locale for as long as it lives.
class cLocaleSeparator {
public:
    cLocaleSeparator(LCTYPE type, const wchar_t* value) : type_(type) {
        wchar_t old[16] = L"";
        GetLocaleInfoW(LOCALE_USER_DEFAULT, type_, old, 16);
        old_ = old;
        set_ = SetLocaleInfoW(LOCALE_USER_DEFAULT, type_, value) != FALSE;
    }
    ~cLocaleSeparator() { SetLocaleInfoW(LOCALE_USER_DEFAULT, type_, old_.c_str()); }
    cLocaleSeparator(const cLocaleSeparator&) = delete;
    cLocaleSeparator& operator=(const cLocaleSeparator&) = delete;
    bool Set() const { return set_; }

private:
    LCTYPE type_;
    std::wstring old_;
    bool set_ = false;
};

TEST(AppPropertiesDialog, WaitIsReadWithTheSeparatorsOfTheUsersLocale) {
    const cLocaleSeparator decimal(LOCALE_SDECIMAL, L",");
    const cLocaleSeparator thousands(LOCALE_STHOUSAND, L".");
    ASSERT_TRUE(decimal.Set() && thousands.Set());
    cAppPropertiesModel model(Notepad(), "Untitled - Notepad");
    std::wstring afterLeaving;
    cDialogUser user(L"Kill Properties", [&](cDialogUser& u, HWND d) {
        HWND txtWait = u.Control(d, IDC_AP_TXTWAIT);
        u.Focus(d, txtWait);
        u.Type(txtWait, L"3,5");
        u.Focus(d, u.Control(d, IDC_AP_OPTFORCE));
        afterLeaving = u.Text(txtWait);
        u.Type(txtWait, L"1.000,4");
        u.Click(u.Control(d, IDOK));
    });
    ASSERT_TRUE(fQXAppProperties::Show(nullptr, model));
    user.Join();
    ASSERT_TRUE(user.Found());
    EXPECT_EQ(afterLeaving, L"4");
    EXPECT_EQ(model.cmdOK_Click().CloseWait(), 1000);
}

} // namespace
} // namespace qx::win32
