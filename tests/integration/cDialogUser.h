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
    // cancelled, so that a failing test never hangs.
    void Join();
    // The dialog came, and the script closed it.
    bool Worked() const { return found_ && !leftOpen_; }

    // A control of the dialog or of any child dialog in it.
    static HWND Control(HWND dialog, int id);
    static std::wstring Text(HWND window);
    // Replaces the text as typing does (the edit reports the change).
    static void Type(HWND edit, const std::wstring& text) {
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Moves the keyboard focus to the control, as Tab or a click does.
    static void Focus(HWND dialog, HWND control) {
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    }
    // A click whose handler may open a box or close the dialog: queued, not waited for.
    static void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }
    // A click on a check box or option button, done when this returns.
    static void Toggle(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }
    // Polls until the condition holds; false after about three seconds.
    static bool WaitFor(const std::function<bool()>& condition);
    // A message box of this process, other than the dialog itself: its
    // window, with its text; nullptr when none came.
    static HWND WaitForBox(HWND dialog, std::wstring& text);
    static void Answer(HWND box, int button);

private:
    std::wstring caption_;
    Script script_;
    std::thread worker_;
    HWND dialog_ = nullptr;
    bool found_ = false;
    bool leftOpen_ = false;
};

} // namespace qx::test
