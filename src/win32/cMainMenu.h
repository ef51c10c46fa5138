#pragma once
// The main window's menu bar: File, Edit, Wizard, Processes, Options and
// Help with their shortcuts shown, every caption from the string table. The
// Edit menu doubles as the lists' context menu.
#include "core/platform/IStringTable.h"
#include "core/ui/cCommandState.h"
#include "win32/WinApi.h"

#include <optional>

namespace qx::win32 {

class cMainMenu {
public:
    // Builds the menu bar; the window that takes it destroys it.
    HMENU Create(IStringTable& strings);
    HMENU Bar() const { return bar_; }
    HMENU EditMenu() const { return GetSubMenu(bar_, 1); }
    // Enables each item as the state says and sets the check mark of
    // Remember Window Position.
    void Render(const cCommandState& state) const;

    // WM_COMMAND id of a command's menu item, and back.
    static UINT CommandId(eCommand c);
    static std::optional<eCommand> CommandOf(UINT id);

private:
    HMENU bar_ = nullptr;
};

} // namespace qx::win32
