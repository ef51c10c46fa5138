// Advanced Settings as a real dialog over the real file system and message
// boxes: its tab pages, the wait field, a refused password and the masked
// placeholders of a stored one.
#include "cDialogUser.h"
#include "integration/cTempPath.h"
#include "modScreenshot.h"

#include "fake/cMemoryRegistry.h"
#include "core/settings/modPasswordHash.h"
#include "fake/cPostRecorder.h"
#include "win32/cWin32Platform.h"
#include "win32/fQXMiscSettings.h"
#include "win32/fQXMiscSettingsIds.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace qx::win32 {
namespace {

using test::cDialogUser;

class MiscSettingsDialog : public ::testing::Test {
protected:
    MiscSettingsDialog() {
        p.fs.WriteFile(log.Path(), "old entries\r\n");
        options.SetLogPath(log.Path());
        options.SetLogging(2);
        options.SetDefaultWaitSeconds(30);
    }
    static bool Visible(HWND d, int id) { return IsWindowVisible(cDialogUser::Control(d, id)) != FALSE; }
    static int Tab(HWND d) {
        return static_cast<int>(SendMessageW(cDialogUser::Control(d, IDC_MS_TABSTRIP1), TCM_GETCURSEL, 0, 0));
    }

    test::cTempPath log{"settings-log"};
    cMemoryRegistry reg;
    fake::cPostRecorder os;
    cQuellixOptions options{reg, os, "C:\\Quellix"};
    cWin32Platform p;
    cLogger logger{p.fs, p.ui, p.clock, p.codec, "C:\\Quellix"};
    cGlobalsClass globals{p.fs};
    cMiscSettingsModel model{options, logger, globals, p.strings, p.ui, p.fs, p.shell};
};

TEST_F(MiscSettingsDialog, PagesWaitFieldAndPasswordMismatchThenOk) {
    ASSERT_EQ(options.AdminPassword(), -1); // never stored
    std::wstring wait, afterLeaving, password1, mismatch;
    bool firstPageOnly = false, passwordsDisabled = false, passwordsEnabled = false, passwordPageBack = false;
    bool boxOverDialog = false, focusOnPassword = false;
    int shots = 0;
    cDialogUser user(L"Advanced Settings", [&](cDialogUser& u, HWND d) {
        firstPageOnly = Visible(d, IDC_MS_TXTWAIT) && !Visible(d, IDC_MS_TXTPASSWORD1) && !Visible(d, IDC_MS_CBOLOGTYPE);
        wait = u.Text(u.Control(d, IDC_MS_TXTWAIT));
        shots += test::SaveWindowPng(d, "dialog-advanced-settings-settings.png");
        HWND txtWait = u.Control(d, IDC_MS_TXTWAIT);
        u.Focus(d, txtWait);
        u.Type(txtWait, L"abc");
        u.Focus(d, u.Control(d, IDC_MS_CHKFORCECLOSE));
        afterLeaving = u.Text(txtWait);

        u.ClickTab(u.Control(d, IDC_MS_TABSTRIP1), 1);
        password1 = u.Text(u.Control(d, IDC_MS_TXTPASSWORD1));
        passwordsDisabled = !IsWindowEnabled(u.Control(d, IDC_MS_TXTPASSWORD1)) &&
                            !IsWindowEnabled(u.Control(d, IDC_MS_LBLPASSWORD2));
        u.Toggle(u.Control(d, IDC_MS_CHKREQUIREPASSWORD));
        passwordsEnabled = IsWindowEnabled(u.Control(d, IDC_MS_TXTPASSWORD1)) &&
                           IsWindowEnabled(u.Control(d, IDC_MS_TXTPASSWORD2));
        u.Type(u.Control(d, IDC_MS_TXTPASSWORD1), L"secret");
        u.Type(u.Control(d, IDC_MS_TXTPASSWORD2), L"secreT");
        shots += test::SaveWindowPng(d, "dialog-advanced-settings-password.png");

        u.ClickTab(u.Control(d, IDC_MS_TABSTRIP1), 2);
        u.Pick(u.Control(d, IDC_MS_CBOLOGTYPE), 2); // "Log all actions"
        Sleep(50);
        shots += test::SaveWindowPng(d, "dialog-advanced-settings-logging.png");

        u.Click(u.Control(d, IDOK));
        HWND box = u.WaitForBox(d, mismatch);
        boxOverDialog = box != nullptr && GetWindow(box, GW_OWNER) == d;
        if (box != nullptr) u.Answer(box, IDOK);
        passwordPageBack = u.WaitFor([&] { return Tab(d) == 1 && Visible(d, IDC_MS_TXTPASSWORD1); });
        focusOnPassword = u.WaitFor([&] { return u.Focused(d) == u.Control(d, IDC_MS_TXTPASSWORD1); });

        u.Type(u.Control(d, IDC_MS_TXTPASSWORD2), L"secret");
        u.Click(u.Control(d, IDOK));
    });
    const bool ok = fQXMiscSettings::Show(nullptr, model);
    user.Join();
    ASSERT_TRUE(user.Found());
    EXPECT_FALSE(user.LeftOpen());
    EXPECT_EQ(shots, 3);
    EXPECT_TRUE(firstPageOnly);
    EXPECT_EQ(wait, L"30");
    EXPECT_EQ(afterLeaving, L"10");
    EXPECT_EQ(password1, L""); // -1 opens like 0: empty boxes ...
    EXPECT_TRUE(passwordsDisabled);
    EXPECT_TRUE(passwordsEnabled);
    EXPECT_EQ(mismatch,
              L"'Require Password' was checked but the entered password doesn't match the re-entered password.");
    EXPECT_TRUE(boxOverDialog);
    EXPECT_TRUE(passwordPageBack);
    EXPECT_TRUE(focusOnPassword);

    ASSERT_TRUE(ok);
    EXPECT_TRUE(options.RequireAdminLogin());
    EXPECT_EQ(options.AdminPassword(), PasswordHash("secret"));
    EXPECT_EQ(options.DefaultWaitSeconds(), 10);
    EXPECT_EQ(options.Logging(), 3);
    EXPECT_TRUE(logger.LogActions());
    EXPECT_TRUE(logger.LogErrors());
}

TEST_F(MiscSettingsDialog, StoredPasswordShowsMaskedPlaceholdersAndTypingOnlyTheSecondKeepsIt) {
    options.SetAdminPassword(PasswordHash("old"));
    options.SetRequireAdminLogin(true);
    std::wstring first, second;
    LRESULT mask = 0;
    bool wholeSelected = false; // so that typing replaces the placeholder
    cDialogUser user(L"Advanced Settings", [&](cDialogUser& u, HWND d) {
        u.ClickTab(u.Control(d, IDC_MS_TABSTRIP1), 1);
        first = u.Text(u.Control(d, IDC_MS_TXTPASSWORD1));
        second = u.Text(u.Control(d, IDC_MS_TXTPASSWORD2));
        mask = SendMessageW(u.Control(d, IDC_MS_TXTPASSWORD1), EM_GETPASSWORDCHAR, 0, 0);
        HWND txtPassword2 = u.Control(d, IDC_MS_TXTPASSWORD2);
        // A click puts the caret where it lands; the box then selects everything.
        PostMessageW(txtPassword2, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageW(txtPassword2, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        wholeSelected = u.WaitFor([&] {
            DWORD start = 1, end = 0;
            SendMessageW(txtPassword2, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            return start == 0 && end == 5;
        });
        u.Type(txtPassword2, L"zzz");
        u.Click(u.Control(d, IDOK)); // no password check: the first box was never typed into
    });
    EXPECT_TRUE(fQXMiscSettings::Show(nullptr, model));
    user.Join();
    EXPECT_FALSE(user.LeftOpen());
    EXPECT_EQ(first.size(), 5u);
    EXPECT_EQ(second.size(), 5u);
    EXPECT_NE(first, second);
    EXPECT_EQ(mask, L'*');
    EXPECT_TRUE(wholeSelected);
    EXPECT_EQ(options.AdminPassword(), PasswordHash("old"));
    EXPECT_TRUE(options.RequireAdminLogin());
}

} // namespace
} // namespace qx::win32
