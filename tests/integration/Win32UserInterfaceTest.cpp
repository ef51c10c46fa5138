#include "win32/cWin32UserInterface.h"

#include "integration/cDialogUser.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/WindowHandle.h"

#include <gtest/gtest.h>

namespace qx::win32 {
namespace {

using test::cDialogUser;

TEST(Win32UserInterface, MessageBoxTakesTheApplicationTitleUnlessGivenOne) {
    cWin32UserInterface ui;
    struct Case {
        const char* title;
        const wchar_t* caption;
        std::uint32_t flags;
        int button;
    };
    for (const Case& c : {Case{"", L"Quellix", kMbYesNo | kMbIconQuestion, IDNO},
                          Case{"Caf\xC3\xA9 error", L"Caf\u00e9 error", kMbOk | kMbIconCritical, IDOK}}) {
        std::wstring text;
        cDialogUser user(c.caption, [&](cDialogUser& u, HWND box) {
            text = u.Text(GetDlgItem(box, 0xFFFF));
            u.Answer(box, c.button);
        });
        EXPECT_EQ(ui.MessageBox("Save the set?", c.flags, c.title), c.button);
        user.Join();
        EXPECT_TRUE(user.Found()) << c.title;
        EXPECT_EQ(text, L"Save the set?");
    }
}

TEST(Win32UserInterface, CaptionIsKeptAndShownOnTheAttachedWindow) {
    cWin32UserInterface ui;
    EXPECT_EQ(ui.GetCaption(), "Quellix");
    ui.SetCaption("Attempting to kill a");
    EXPECT_EQ(ui.GetCaption(), "Attempting to kill a"); // without a window too
    HWND w = CreateWindowExW(0, L"STATIC", L"old", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    ui.SetMainWindow(ToWindowHandle(w));
    ui.SetCaption("'Caf\xC3\xA9' was killed cleanly.");
    EXPECT_EQ(cDialogUser::Text(w), L"'Caf\u00e9' was killed cleanly.");
    DestroyWindow(w);
}

TEST(Win32UserInterface, SaveDialogAddsTheDefaultExtensionAndCancelReportsFalse) {
    cWin32UserInterface ui;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = "Save As";
    request.initialFolder = Narrow(std::wstring(temp));
    request.defaultExtension = "qxs";
    request.filter = "Quellix Sets (*.qxs)|*.qxs";
    request.flags = kOfnOverwritePrompt | kOfnHideReadOnly | kOfnPathMustExist;
    std::string path = "unchanged";
    for (const bool cancel : {true, false}) {
        cDialogUser user(L"Save As", [&](cDialogUser& u, HWND d) {
            if (cancel) PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
            else u.AnswerFileDialog(d, std::wstring(temp) + L"chosen set");
        });
        EXPECT_EQ(ui.ShowFileDialog(request, path), !cancel);
        user.Join();
        EXPECT_TRUE(user.Found());
        if (cancel) {
            EXPECT_EQ(path, "unchanged");
        }
    }
    EXPECT_NE(path.find("chosen set.qxs"), std::string::npos) << path;
}

} // namespace
} // namespace qx::win32
