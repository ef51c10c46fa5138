#include "win32/cMainWindowUserInterface.h"

#include "win32/WideText.h"

#include <commctrl.h>

namespace qx::win32 {

void cMainWindowUserInterface::SetCaption(const std::string& text) {
    inner_.SetCaption(text);
    try {
        if (window_ != nullptr) SetWindowTextW(window_, Widen(text).c_str());
    } catch (...) {
    }
}

void cMainWindowUserInterface::SetStatusText(int panel, const std::string& text) {
    inner_.SetStatusText(panel, text);
    try {
        if (statusBar_ != nullptr && panel >= 1)
            SendMessageW(statusBar_, SB_SETTEXTW, static_cast<WPARAM>(panel - 1),
                         reinterpret_cast<LPARAM>(Widen(text).c_str()));
    } catch (...) {
    }
}

} // namespace qx::win32
