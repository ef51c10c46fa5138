#pragma once
// A user on a second thread for a modal dialog that the test thread shows:
// it waits for the dialog, then types, clicks and answers message boxes the
// way the dialog's own message loop sees a person do it.
#include "win32/WinApi.h"

#include <functional>
#include <string>
#include <thread>

namespace qx::test {

class cDialogUser {
public:
    using Script = std::function<void(cDialogUser& user, HWND dialog)>;

    // Starts waiting for a visible dialog of this process with the caption.
    cDialogUser(std::wstring caption, Script script);
    ~cDialogUser();
    cDialogUser(const cDialogUser&) = delete;
    cDialogUser& operator=(const cDialogUser&) = delete;

    // Waits for the script to finish. A dialog the script left open is
    // cancelled, so that a failing test never hangs; LeftOpen tells.
    void Join();
    bool Found() const { return found_; }
    bool LeftOpen() const { return leftOpen_; }

    // A control of the dialog or of any child dialog in it.
    static HWND Control(HWND dialog, int id);
    static std::wstring Text(HWND window);
    static bool Checked(HWND dialog, int id);
    // The tooltip the dialog shows for one of its controls; empty when none.
    static std::wstring Tip(HWND dialog, HWND control);
    // Replaces the text as typing does (the edit reports the change).
    static void Type(HWND edit, const std::wstring& text);
    // Moves the keyboard focus to the control, as Tab or a click does.
    static void Focus(HWND dialog, HWND control);
    // The control that has the keyboard focus in the dialog's thread.
    static HWND Focused(HWND dialog);
    // A click whose handler may open a box or close the dialog: queued, not waited for.
    static void Click(HWND button);
    // A click on a check box or option button, done when this returns.
    static void Toggle(HWND button);
    // Clicks a tab of a tab strip with the mouse.
    static void ClickTab(HWND tabStrip, int index);
    // Picks a combo box item as the user does; the dialog hears of the
    // change after this returns (it may open a box).
    static void Pick(HWND combo, int index);
    // Polls until the condition holds; false after about three seconds.
    static bool WaitFor(const std::function<bool()>& condition);
    // A message box of this process, other than the dialog itself: its
    // window, with its text; nullptr when none came.
    static HWND WaitForBox(HWND dialog, std::wstring& text);
    static void Answer(HWND box, int button);
    // Types the name into a file dialog and presses its OK.
    static void AnswerFileDialog(HWND dialog, const std::wstring& name);
    // Another dialog of this process with the caption (a file dialog, say).
    static HWND WaitForDialog(const std::wstring& caption);
    // The shown dialog of this process with the caption, at once; nullptr
    // when there is none. A dialog shows only once its controls exist.
    static HWND FindOwnDialog(const std::wstring& caption);

private:
    std::wstring caption_;
    Script script_;
    std::thread worker_;
    HWND dialog_ = nullptr;
    bool found_ = false;
    bool leftOpen_ = false;
};

} // namespace qx::test
