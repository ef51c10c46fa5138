// The program's real forms behind the main window's commands: each command
// opens its own dialog over the main window, and what the user does there
// reaches the set, the options or the shell.
#include "core/settings/modPasswordHash.h"
#include "fake/cFakePlatform.h"
#include "integration/cDialogUser.h"
#include "win32/cTextDataObject.h"
#include "win32/fQXAppPropertiesIds.h"
#include "win32/fQXLoginIds.h"
#include "win32/fQXMain.h"
#include "win32/modMainForms.h"

#include <gtest/gtest.h>

namespace qx::win32 {
namespace {

using test::cDialogUser;

class MainForms : public ::testing::Test {
protected:
    MainForms() {
        fake.os.SetSelfPid(GetCurrentProcessId());
        fake::FakeProcessSetup p;
        p.exePath = "C:\\Apps\\editor.exe";
        fake::FakeWindowSetup win;
        win.pid = fake.os.AddProcess(p);
        win.title = "Fake Editor";
        fake.os.AddWindow(win);
        fake.PutOption("ShowSpash", 0);
    }
    // Runs the command on this thread (the dialog is modal here) while the
    // user on the other thread works the dialog with the caption.
    bool Run(fQXMain& w, eCommand command, const std::wstring& caption, cDialogUser::Script script) {
        cDialogUser user(caption, std::move(script));
        w.Execute(command);
        user.Join();
        return user.Found() && !user.LeftOpen();
    }
    void Drop(fQXMain& w, const std::string& text) {
        auto* data = new cTextDataObject(text);
        POINTL at{10, 10};
        DWORD effect = DROPEFFECT_COPY;
        w.DropTarget()->DragEnter(data, MK_LBUTTON, at, &effect);
        effect = DROPEFFECT_COPY;
        w.DropTarget()->Drop(data, 0, at, &effect);
        data->Release();
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

TEST_F(MainForms, KillPropertiesEditsTheDroppedProgram) {
    fQXMain w(fake.platform, "C:\\Quellix", MakeMainForms(splash));
    ASSERT_TRUE(w.Create());
    ASSERT_TRUE(w.Load("", SW_SHOWNORMAL));
    std::wstring title;
    cDialogUser user(L"Kill Properties", [&](cDialogUser& u, HWND d) {
        title = u.Text(u.Control(d, IDC_AP_LBLTITLE));
        u.Type(u.Control(d, IDC_AP_TXTWAIT), L"7");
        u.Toggle(u.Control(d, IDC_AP_OPTFORCE));
        u.Click(u.Control(d, IDOK));
    });
    Drop(w, "lvApplications,1");
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m); // the drop is handled after the drag
    user.Join();
    ASSERT_TRUE(user.Found());
    EXPECT_EQ(title, L"Fake Editor");
    ASSERT_EQ(w.Session().Set().AppSet().size(), 1u);
    const cApplicationProcs* entry = w.Editor().CurrentAppSet();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->CloseWait(), 7);
    EXPECT_TRUE(entry->ForceClose());
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
