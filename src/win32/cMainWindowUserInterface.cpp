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

std::string cMainWindowUserInterface::GetCaption() {
    try {
        if (window_ != nullptr) {
            const int length = GetWindowTextLengthW(window_);
            std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
            const int got = GetWindowTextW(window_, text.data(), static_cast<int>(text.size()));
            text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
            return Narrow(text);
        }
    } catch (...) {
    }
    return inner_.GetCaption();
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
