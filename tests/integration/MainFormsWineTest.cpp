// The program's real forms behind the main window's commands: each command
// opens its own dialog modal over the main window, help reaches the shell and
// the login guards the window. Kill Properties is driven from a drop in the
// main window's own test.
#include "core/settings/modPasswordHash.h"
#include "fake/cFakePlatform.h"
#include "integration/cDialogUser.h"
#include "win32/fQXLoginIds.h"
#include "win32/fQXMain.h"
#include "win32/modMainForms.h"

#include <gtest/gtest.h>

namespace qx::win32 {
namespace {

using test::cDialogUser;

class MainForms : public ::testing::Test {
protected:
    MainForms() { fake.PutOption("ShowSpash", 0); }
    // Runs the command on this thread (the dialog is modal here) while the
    // user on the other thread works the dialog with the caption.
    bool Run(fQXMain& w, eCommand command, const std::wstring& caption, cDialogUser::Script script) {
        cDialogUser user(caption, std::move(script));
        w.Execute(command);
        user.Join();
        return user.Found() && !user.LeftOpen();
    }

    fake::cFakePlatform fake{"C:\\Quellix"};
    fQXSplash splash;
};

TEST_F(MainForms, EachCommandOpensItsOwnDialogOverTheMainWindow) {
    fQXMain w(fake.platform, "C:\\Quellix", MakeMainForms(splash));
    ASSERT_TRUE(w.Create());
    ASSERT_TRUE(w.Load("", SW_SHOWNORMAL));
    HWND main = w.Hwnd();
    const auto cancel = [main](cDialogUser& u, HWND d) {
        // Every form is modal over the main window.
        EXPECT_EQ(GetWindow(d, GW_OWNER), main);
        EXPECT_FALSE(IsWindowEnabled(main));
        u.Click(u.Control(d, IDCANCEL));
    };
    EXPECT_TRUE(Run(w, eCommand::AdvancedSettings, L"Advanced Settings", cancel));
    // The close box cancels as the Cancel button does.
    const auto close = [](cDialogUser&, HWND d) { PostMessageW(d, WM_CLOSE, 0, 0); };
    EXPECT_TRUE(Run(w, eCommand::DataPath, L"Select Default Data Directory", close));
    EXPECT_TRUE(Run(w, eCommand::About, L"About Quellix", [](cDialogUser& u, HWND d) { u.Click(u.Control(d, IDOK)); }));
    EXPECT_TRUE(Run(w, eCommand::Wizard, L"Create Shortcut Wizard", close));
    EXPECT_TRUE(IsWindowEnabled(w.Hwnd()));
    // The wizard found its picture beside the program: no error was told.
    EXPECT_TRUE(fake.ui.boxes.empty()) << fake.ui.boxes.back().text;
    fake.ui.answers = {kIdNo};
    w.Close();
}

TEST_F(MainForms, HelpOpensTheShippedPageAndTheLoginGuardsTheWindow) {
    fake.fs.AddFile("C:\\Quellix\\help\\index.html", "<html></html>");
    fake.PutOption("RequirePassword", -1);
    fake.PutOption("AdminPassword", PasswordHash("Open Sesame"));
    fQXMain w(fake.platform, "C:\\Quellix", MakeMainForms(splash));
    ASSERT_TRUE(w.Create());
    cDialogUser login(L"Admin Login", [](cDialogUser& u, HWND d) {
        u.Type(u.Control(d, IDC_LOGIN_PASSWORD), L"Open Sesame");
        u.Click(u.Control(d, IDOK));
    });
    const bool loaded = w.Load("", SW_SHOWNORMAL);
    login.Join();
    ASSERT_TRUE(login.Found());
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(IsWindowVisible(w.Hwnd()));

    w.Execute(eCommand::HelpContents);
    ASSERT_FALSE(fake.shell.calls.empty());
    EXPECT_EQ(fake.shell.calls.back().file, "C:\\Quellix\\help\\index.html");
    fake.ui.answers = {kIdNo};
    w.Close();
}

} // namespace
} // namespace qx::win32
