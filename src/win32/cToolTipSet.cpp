#include "win32/cToolTipSet.h"

#include "win32/WideText.h"

#include <commctrl.h>

namespace qx::win32 {

bool cToolTipSet::Create(HWND dialog) {
    dialog_ = dialog;
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
    return tips_ != nullptr;
}

void cToolTipSet::Add(HWND control, const std::string& text) {
    if (tips_ == nullptr || control == nullptr || text.empty()) return;
    std::wstring wide = Widen(text); // the tooltip keeps its own copy
    TOOLINFOW tool{};
    // The size without the reserved pointer of newer versions, which older comctl32 rejects.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide.data();
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace qx::win32
