#pragma once
// Tooltips for a dialog's controls: one tooltip window, owned by the dialog
// and destroyed with it.
#include "win32/WinApi.h"

#include <string>

namespace qx::win32 {

class cToolTipSet {
public:
    // False when the tooltip window could not be made; Add then does nothing.
    bool Create(HWND dialog);
    // Shows `text` while the mouse rests on `control`; an empty text adds nothing.
    void Add(HWND control, const std::string& text);
    HWND Window() const { return tips_; }

private:
    HWND dialog_ = nullptr;
    HWND tips_ = nullptr;
};

} // namespace qx::win32
