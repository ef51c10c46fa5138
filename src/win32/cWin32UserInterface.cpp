#include "win32/cWin32UserInterface.h"

#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/WindowHandle.h"

namespace qx::win32 {

int cWin32UserInterface::MessageBox(const std::string& text, std::uint32_t style, const std::string& title) {
    try {
        const std::wstring caption = Widen(title.empty() ? std::string(kAppTitle) : title);
        return MessageBoxW(ToHwnd(mainWindow_), Widen(text).c_str(), caption.c_str(), style);
    } catch (...) {
        return 0; // as the platform reports a box that could not be shown
    }
}

void cWin32UserInterface::SetCaption(const std::string& text) {
    try {
        caption_ = text;
        if (mainWindow_) SetWindowTextW(ToHwnd(mainWindow_), Widen(text).c_str());
    } catch (...) {
    }
}

} // namespace qx::win32
