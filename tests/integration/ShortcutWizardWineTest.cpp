// The wizard driven as a user would, through every page to a shortcut that is
// read back through the shell; each page leaves its screenshot.
#include "integration/cDialogUser.h"
#include "integration/cTempFolder.h"
#include "integration/modScreenshot.h"
#include "integration/modShellLinkReader.h"

#include "core/log/cLogger.h"
#include "core/ui/cShortcutWizardModel.h"
#include "core/util/cGlobalsClass.h"
#include "core/util/cQXUtility.h"
#include "win32/WideText.h"
#include "win32/cWin32ShellLink.h"
#include "win32/cWin32Platform.h"
#include "win32/fQXCreateShortcutWizard.h"
#include "win32/fQXCreateShortcutWizardIds.h"

#include <gtest/gtest.h>

namespace qx::win32 {
namespace {

using test::cDialogUser;

// The one page whose controls show, or -1 when none or several do.
int Page(HWND wizard) {
    static const int markers[6] = {IDC_WIZ_WELCOME,      IDC_WIZ_CLICK_FINISH,    IDC_WIZ_WHAT_TO_DO,
                                   IDC_WIZ_CHK_OVERRIDE, IDC_WIZ_TXT_KILL_TARGET, IDC_WIZ_TXT_DEST_DIR};
    int page = -1;
    for (int i = 0; i < 6; ++i) {
        if (IsWindowVisible(GetDlgItem(wizard, markers[i])) == FALSE) continue;
        if (page != -1) return -1;
        page = i;
    }
    return page;
}

TEST(ShortcutWizard, EveryPageToAShortcutThatTheShellReadsBack) {
    wchar_t own[MAX_PATH] = L"";
    const std::string exe = Narrow(own, GetModuleFileNameW(nullptr, own, MAX_PATH));
    cWin32Platform p;
    cLogger logger{p.fs, p.ui, p.clock, p.codec, exe.substr(0, exe.rfind('\\'))};
    cGlobalsClass globals{p.fs};
    cQXUtility utility{p.fs, p.shell};
    cShortcutWizardModel model(logger, globals, utility, p.strings, p.ui, p.fs, p.codec, exe, &WriteShellLink);
    const test::cTempFolder folder("wizard lnk");
    ASSERT_TRUE(folder.Put("Target App.exe", "MZ"));

    std::vector<int> pages;
    std::wstring refused, upArrow, finishText;
    bool backOffAtStart = false, rulesOffBeforeOverride = false, rulesOnAfter = false, disabledUnderBox = false;
    int shots = 0;
    cDialogUser user(L"Create Shortcut Wizard", [&](cDialogUser& u, HWND d) {
        const auto next = [&] {
            u.Toggle(u.Control(d, IDC_WIZ_NEXT));
            pages.push_back(Page(d));
        };
        const auto shot = [&] { shots += test::SaveWindowPng(d, "wizard-page-" + std::to_string(Page(d)) + ".png"); };
        pages.push_back(Page(d));
        backOffAtStart = !IsWindowEnabled(u.Control(d, IDC_WIZ_BACK));
        shot();
        next();
        u.Toggle(u.Control(d, IDC_WIZ_BACK));
        pages.push_back(Page(d));
        next();
        shot();
        next();
        rulesOffBeforeOverride = !IsWindowEnabled(u.Control(d, IDC_WIZ_CHK_FORCE_CLOSE));
        u.Toggle(u.Control(d, IDC_WIZ_CHK_OVERRIDE));
        rulesOnAfter = IsWindowEnabled(u.Control(d, IDC_WIZ_CHK_FORCE_CLOSE)) && IsWindowEnabled(u.Control(d, IDC_WIZ_TXT_WAIT));
        u.Toggle(u.Control(d, IDC_WIZ_CHK_FORCE_CLOSE));
        u.Toggle(u.Control(d, IDC_WIZ_CHK_STOP_KILLING));
        u.Toggle(u.Control(d, IDC_WIZ_CHK_WAIT));
        // The up arrow key in the box steps the spin box, which writes its buddy.
        HWND wait = u.Control(d, IDC_WIZ_TXT_WAIT);
        SendMessageW(wait, WM_KEYDOWN, VK_UP, 0);
        SendMessageW(wait, WM_KEYUP, VK_UP, 0);
        upArrow = u.Text(wait);
        u.Type(wait, L"30");
        shot();
        next();
        u.Click(u.Control(d, IDC_WIZ_NEXT)); // no program yet
        if (HWND box = u.WaitForBox(d, refused)) {
            disabledUnderBox = !IsWindowEnabled(d);
            u.Answer(box, IDOK);
        }
        u.Type(u.Control(d, IDC_WIZ_TXT_KILL_TARGET), Widen(folder.File("Target App.exe")));
        shot();
        next();
        u.Type(u.Control(d, IDC_WIZ_TXT_DEST_DIR), Widen(folder.Path()));
        u.Type(u.Control(d, IDC_WIZ_TXT_NAME), L"Close Target");
        shot();
        next();
        finishText = u.Text(u.Control(d, IDC_WIZ_NEXT));
        shot();
        u.Click(u.Control(d, IDC_WIZ_NEXT));
    });
    const bool written = fQXCreateShortcutWizard::Show(nullptr, model);
    user.Join();
    ASSERT_TRUE(user.Found());
    EXPECT_FALSE(user.LeftOpen());
    EXPECT_EQ(pages, (std::vector<int>{0, 2, 0, 2, 3, 4, 5, 1}));
    EXPECT_EQ(shots, 6);
    EXPECT_TRUE(backOffAtStart);
    EXPECT_TRUE(rulesOffBeforeOverride);
    EXPECT_TRUE(rulesOnAfter);
    EXPECT_EQ(upArrow, L"11");
    EXPECT_EQ(refused, L"The entered program to be killed was not valid");
    EXPECT_TRUE(disabledUnderBox);
    EXPECT_EQ(finishText, L"&Finish");
    EXPECT_TRUE(written);

    const auto link = test::ReadShellLink(folder.File("Close Target.lnk"));
    ASSERT_TRUE(link.loaded);
    EXPECT_EQ(link.path, exe);
    EXPECT_EQ(link.arguments, "/P=\"Target App.exe\" /S /F /W:30");
}

} // namespace
} // namespace qx::win32
