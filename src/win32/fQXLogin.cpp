#include "win32/fQXLogin.h"

#include "win32/WideText.h"
#include "win32/fQXLoginIds.h"

#include <string>

namespace qx::win32 {

namespace {

cAdminLogin* ModelOf(HWND dialog) { return reinterpret_cast<cAdminLogin*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

std::wstring ControlText(HWND control) {
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

} // namespace

bool fQXLogin::Show(HWND owner, cAdminLogin& model) {
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_QXLOGIN), owner, DialogProc,
                                           reinterpret_cast<LPARAM>(&model));
    return result > 0 && model.LoginSucceeded();
}

void fQXLogin::Form_Load(HWND dialog, cAdminLogin& model) {
    SetWindowTextW(dialog, Widen(model.Caption()).c_str());
    SetDlgItemTextW(dialog, IDC_LOGIN_LABEL, Widen(model.PasswordLabel()).c_str());
    SetDlgItemTextW(dialog, IDOK, Widen(model.OkText()).c_str());
    SetDlgItemTextW(dialog, IDCANCEL, Widen(model.CancelText()).c_str());
    SendDlgItemMessageW(dialog, IDC_LOGIN_PASSWORD, EM_SETLIMITTEXT, 0, 0);
}

void fQXLogin::cmdOK_Click(HWND dialog, cAdminLogin& model) {
    HWND password = GetDlgItem(dialog, IDC_LOGIN_PASSWORD);
    if (model.cmdOK_Click(Narrow(ControlText(password)))) {
        EndDialog(dialog, IDOK);
        return;
    }
    // The model's message box belongs to the main window; when it closes it
    // enables that window again, which must stay locked until the login ends.
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner != nullptr && IsWindowEnabled(owner)) EnableWindow(owner, FALSE);
    SetActiveWindow(dialog);
    // Focus back in the box with all of its text selected, so the next try replaces it.
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(password), TRUE);
    SendMessageW(password, EM_SETSEL, 0, -1);
}

void fQXLogin::cmdCancel_Click(HWND dialog, cAdminLogin& model) {
    model.cmdCancel_Click();
    EndDialog(dialog, IDCANCEL);
}

INT_PTR CALLBACK fQXLogin::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            auto* model = reinterpret_cast<cAdminLogin*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            Form_Load(dialog, *model);
            return TRUE; // focus to the first tab stop, the password box
        }
        cAdminLogin* model = ModelOf(dialog);
        if (model == nullptr) return FALSE;
        if (message == WM_COMMAND) {
            switch (LOWORD(wParam)) {
            case IDOK:
                cmdOK_Click(dialog, *model);
                return TRUE;
            case IDCANCEL: // Cancel, Esc and the close box alike
                cmdCancel_Click(dialog, *model);
                return TRUE;
            default:
                break;
            }
        }
    } catch (...) {
        // Nothing may leave a dialog procedure; a failure here refuses the login.
        EndDialog(dialog, -1);
        return TRUE;
    }
    return FALSE;
}

} // namespace qx::win32
