#include "win32/fQXAbout.h"

#include "win32/ScopedGdiObject.h"
#include "win32/WideText.h"
#include "win32/fQXAboutIds.h"
#include "win32/modProgramVersion.h"

#include <string>

namespace qx::win32 {

namespace {

// The program's own icon is the first icon group of its file, as the shell
// shows it; the system's application icon stands in when there is none.
BOOL CALLBACK TakeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
    *reinterpret_cast<LPCWSTR*>(found) = name;
    return FALSE;
}

HICON ProgramIcon() {
    HMODULE module = GetModuleHandleW(nullptr);
    LPCWSTR name = nullptr;
    EnumResourceNamesW(module, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, TakeFirstName,
                       reinterpret_cast<LONG_PTR>(&name));
    // A string name would only be valid inside the enumeration: ids only.
    if (name != nullptr && IS_INTRESOURCE(name)) {
        if (HICON icon = LoadIconW(module, name)) return icon;
    }
    return LoadIconW(nullptr, MAKEINTRESOURCEW(32512) /* IDI_APPLICATION */);
}

// The product name a little larger and bold; lives as long as the box.
HFONT MakeTitleFont(HWND dialog) {
    LOGFONTW font{};
    HFONT base = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (base == nullptr || GetObjectW(base, sizeof font, &font) == 0) return nullptr;
    font.lfWeight = FW_BOLD;
    font.lfHeight = font.lfHeight * 5 / 4;
    return CreateFontIndirectW(&font);
}

} // namespace

void fQXAbout::Show(HWND owner) {
    // Outlives the box, so its controls never hold a deleted font.
    ScopedFont titleFont;
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_QXABOUT), owner, DialogProc,
                    reinterpret_cast<LPARAM>(&titleFont));
}

void fQXAbout::Form_Load(HWND dialog, ScopedFont& titleFont) {
    ProgramVersion info;
    ReadProgramVersion(info);
    SetWindowTextW(dialog, Widen("About " + info.productName).c_str());
    SetDlgItemTextW(dialog, IDC_ABOUT_PRODUCT, Widen(info.productName).c_str());
    const std::string version = info.version.empty() ? std::string() : "Version " + info.version;
    SetDlgItemTextW(dialog, IDC_ABOUT_VERSION, Widen(version).c_str());
    SetDlgItemTextW(dialog, IDC_ABOUT_COMPANY, Widen(info.companyName).c_str());
    SendDlgItemMessageW(dialog, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(ProgramIcon()), 0);
    titleFont.reset(MakeTitleFont(dialog));
    if (titleFont)
        SendDlgItemMessageW(dialog, IDC_ABOUT_PRODUCT, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont.get()), FALSE);
}

INT_PTR CALLBACK fQXAbout::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
        case WM_INITDIALOG:
            Form_Load(dialog, *reinterpret_cast<ScopedFont*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            break;
        default:
            break;
        }
    } catch (...) {
        EndDialog(dialog, IDCANCEL); // nothing may leave a dialog procedure
        return TRUE;
    }
    return FALSE;
}

} // namespace qx::win32
