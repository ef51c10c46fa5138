// Kill Properties as a real dialog: what it shows of an entry, the wait read
// with the separators of the user's locale, and what OK hands back.
#include "cDialogUser.h"
#include "modScreenshot.h"

#include "win32/fQXAppProperties.h"
#include "win32/fQXAppPropertiesIds.h"

#include <gtest/gtest.h>

#include <atomic>

namespace qx::win32 {
namespace {

using test::cDialogUser;

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

TEST(AppPropertiesDialog, ShowsTheEntryReadsTheWaitInTheUsersLocaleAndOkHandsBackTheRules) {
    const cLocaleSeparator decimal(LOCALE_SDECIMAL, L",");
    const cLocaleSeparator thousands(LOCALE_STHOUSAND, L".");
    ASSERT_TRUE(decimal.Set() && thousands.Set());
    cApplicationProcs entry;
    entry.SetCloseWait(25);
    entry.SetForceClose(false);
    entry.SetStopOnError(true);
    entry.SetIgnoreTitle(true);
    cAppPropertiesModel model(entry, "Untitled - Notepad");
    std::wstring title, wait, afterLeaving, okTip;
    bool ignoreOn = false, forceOn = true, stopOn = false, shot = false;
    std::atomic<int> helpTopic{0};
    cDialogUser user(L"Kill Properties", [&](cDialogUser& u, HWND d) {
        title = u.Text(u.Control(d, IDC_AP_LBLTITLE));
        wait = u.Text(u.Control(d, IDC_AP_TXTWAIT));
        ignoreOn = u.Checked(d, IDC_AP_OPTIGNORE);
        forceOn = u.Checked(d, IDC_AP_OPTFORCE);
        stopOn = u.Checked(d, IDC_AP_OPTSTOPONERROR);
        okTip = u.Tip(d, u.Control(d, IDOK));
        shot = test::SaveWindowPng(d, "dialog-kill-properties.png");

        HWND txtWait = u.Control(d, IDC_AP_TXTWAIT);
        u.Focus(d, txtWait);
        u.Type(txtWait, L"3,5");
        u.Focus(d, u.Control(d, IDC_AP_OPTFORCE));
        afterLeaving = u.Text(txtWait);
        u.Click(u.Control(d, IDC_AP_CMDHELP));
        u.WaitFor([&] { return helpTopic != 0; });

        u.Type(txtWait, L"1.000,4"); // OK reads it without the field losing the focus first
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
    EXPECT_EQ(wait, L"25");
    EXPECT_TRUE(ignoreOn); // no force opens on "Ignore it"
    EXPECT_FALSE(forceOn);
    EXPECT_TRUE(stopOn);
    EXPECT_EQ(okTip, L"Accept and exit");
    EXPECT_EQ(afterLeaving, L"4");
    EXPECT_EQ(helpTopic, cAppPropertiesModel::kHelpTopic);
    ASSERT_TRUE(ok);
    EXPECT_EQ(model.WaitText(), "1000");
    EXPECT_TRUE(model.ForceClose());
    EXPECT_TRUE(model.StopOnError());
    EXPECT_FALSE(model.IgnoreTitle());
}

} // namespace
} // namespace qx::win32
