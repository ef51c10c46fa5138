#include "win32/cModalDialog.h"

#include "core/ui/modResourceText.h"
#include "win32/WideText.h"
#include "win32/modSystemText.h"

#include <commctrl.h>

#include <vector>

namespace qx::win32 {

INT_PTR cModalDialog::Run(HWND owner, int templateId) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner,
                                           &cModalDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    hwnd_ = nullptr;
    return result;
}

void cModalDialog::End(INT_PTR result) {
    if (hwnd_ != nullptr) EndDialog(hwnd_, result);
}

bool cModalDialog::OnNotify(NMHDR&, LRESULT&) { return false; }

HWND cModalDialog::CreatePage(int templateId) {
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), hwnd_,
                              &cModalDialog::PageProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK cModalDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<cModalDialog*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        self->hwnd_ = dialog;
        try {
            return self->OnInit() ? TRUE : FALSE;
        } catch (...) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
    }
    auto* self = reinterpret_cast<cModalDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return self != nullptr ? self->Dispatch(dialog, message, wParam, lParam) : FALSE;
}

INT_PTR CALLBACK cModalDialog::PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(page, DWLP_USER, lParam);
        return TRUE;
    }
    auto* self = reinterpret_cast<cModalDialog*>(GetWindowLongPtrW(page, DWLP_USER));
    return self != nullptr ? self->Dispatch(page, message, wParam, lParam) : FALSE;
}

INT_PTR cModalDialog::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return TRUE;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (!OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return FALSE;
            SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
            return TRUE;
        }
        default:
            return FALSE;
        }
    } catch (...) {
        End(IDCANCEL);
        return TRUE;
    }
}

std::string ControlText(HWND control) {
    const int length = GetWindowTextLengthW(control);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(control, buffer.data(), length + 1);
    return Narrow(buffer.data(), static_cast<std::size_t>(got > 0 ? got : 0));
}

void SetControlText(HWND control, const std::string& text) { SetWindowTextW(control, Widen(text).c_str()); }

void SetControlTexts(IStringTable& table, const ControlLookup& item, std::span<const ControlCaption> texts) {
    for (const ControlCaption& c : texts) SetControlText(item(c.control), LoadResourceText(table, c.text));
}

void AddToolTips(cToolTipSet& tips, IStringTable& table, const ControlLookup& item, std::span<const ControlCaption> texts) {
    for (const ControlCaption& t : texts) tips.Add(item(t.control), LoadResourceText(table, t.text));
}

cErrorInfo SystemErrorInfo(DWORD code, const std::string& source) {
    return {static_cast<std::int32_t>(code), source, SystemText(code)};
}

bool IsChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND button, bool checked) {
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

} // namespace qx::win32
