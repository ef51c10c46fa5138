#pragma once
// The admin login dialog: a modal window over the login model, which holds
// the texts and checks the password.
#include "core/ui/cAdminLogin.h"
#include "win32/WinApi.h"

namespace qx::win32 {

class fQXLogin {
public:
    // Shows the dialog modally, owned by owner, until the right password is
    // given (true) or the user cancels or closes it (false). A dialog that
    // cannot be shown counts as a refused login.
    static bool Show(HWND owner, cAdminLogin& model);

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static void Form_Load(HWND dialog, cAdminLogin& model);
    static void cmdOK_Click(HWND dialog, cAdminLogin& model);
    static void cmdCancel_Click(HWND dialog, cAdminLogin& model);
};

} // namespace qx::win32
