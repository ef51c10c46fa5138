#pragma once
// The main window's toolbar: twelve command buttons between plain gaps,
// each with its picture and its tooltip from the string table, enabled in
// step with the menu items of the same commands.
#include "core/platform/IStringTable.h"
#include "core/ui/cCommandState.h"
#include "win32/WinApi.h"

#include <commctrl.h>

#include <string>

namespace qx::win32 {

class cMainToolbar {
public:
    cMainToolbar() = default;
    ~cMainToolbar();
    cMainToolbar(const cMainToolbar&) = delete;
    cMainToolbar& operator=(const cMainToolbar&) = delete;

    // Creates the toolbar at the top of `parent`; Undo and Paste start disabled.
    HWND Create(HWND parent);
    HWND Window() const { return toolbar_; }
    void Render(const cCommandState& state) const;

    // The key of the button behind a WM_COMMAND id; nullptr when the id is
    // not one of the command buttons.
    static const char* KeyOf(UINT_PTR id);
    // Answers the tooltip's request for one of the buttons' texts; false
    // when the request is for another control.
    bool GetTooltip(NMTTDISPINFOW& tip, IStringTable& strings);

private:
    HWND toolbar_ = nullptr;
    HBITMAP pictures_ = nullptr;
    std::wstring tipText_; // the tooltip being shown
};

} // namespace qx::win32
