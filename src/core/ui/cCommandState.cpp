#include "core/ui/cCommandState.h"

namespace qx {

cCommandState cCommandState::UpdateCommandState(const Inputs& in) {
    cCommandState s;
    s.enabled_.fill(true);
    s.rememberPosition_ = in.rememberPosition;
    const bool selected = in.selected > 0;

    s.Set(eCommand::Paste, in.pasteReady);
    if (in.listKind == kApplicationsList || in.listKind == kProcessesList) {
        for (eCommand c : {eCommand::Lower, eCommand::Raise, eCommand::Delete, eCommand::Paste,
                           eCommand::Properties, eCommand::Undo})
            s.Set(c, false);
        s.Set(eCommand::Copy, selected);
    } else {
        s.Set(eCommand::Copy, false);
        s.Set(eCommand::Delete, selected);
        s.Set(eCommand::Properties, selected);
        bool raise = true, lower = true;
        if (in.rows < 2) raise = lower = false;
        else if (in.selected == in.rows) lower = false;
        else if (in.selected == 1) raise = false;
        else if (in.selected == 0) raise = lower = false;
        s.Set(eCommand::Raise, raise);
        s.Set(eCommand::Lower, lower);
        s.Set(eCommand::Undo, in.undoReady);
    }

    // The run lets the window handle messages while it waits; nothing may
    // change the set under it or start a second run meanwhile.
    if (in.killRunning) {
        for (eCommand c : {eCommand::New, eCommand::Open, eCommand::Paste, eCommand::Delete, eCommand::Undo,
                           eCommand::Raise, eCommand::Lower, eCommand::Properties, eCommand::Kill})
            s.Set(c, false);
    }
    return s;
}

const std::array<cToolbarButton, 17>& cCommandState::ToolbarButtons() {
    static const std::array<cToolbarButton, 17> buttons = {{
        {"new", eCommand::New, 1001},
        {"open", eCommand::Open, 1002},
        {"save", eCommand::Save, 1003},
        {nullptr, eCommand::Count, 0},
        {"copy", eCommand::Copy, 1004},
        {"paste", eCommand::Paste, 1005},
        {nullptr, eCommand::Count, 0},
        {"undo", eCommand::Undo, 1006},
        {"delete", eCommand::Delete, 1007},
        {nullptr, eCommand::Count, 0},
        {"property", eCommand::Properties, 1008},
        {nullptr, eCommand::Count, 0},
        {"raise", eCommand::Raise, 1009},
        {"lower", eCommand::Lower, 1010},
        {nullptr, eCommand::Count, 0},
        {"kill", eCommand::Kill, 1011},
        {"refresh", eCommand::Refresh, 1012},
    }};
    return buttons;
}

std::optional<eCommand> cCommandState::FromToolbarKey(std::string_view key) {
    for (const cToolbarButton& b : ToolbarButtons()) {
        if (b.key != nullptr && key == b.key) return b.command;
    }
    return std::nullopt;
}

std::uint32_t cCommandState::MenuCaptionId(eCommand c) {
    static constexpr std::array<std::uint32_t, static_cast<std::size_t>(eCommand::Count)> ids = {
        1022, 1023, 1025, 1026, 1027, 1028,       // New .. Exit
        1030, 1031, 1032, 1033, 1034, 1035, 1036, // Undo .. Properties
        1037, 1039, 1040,                         // Wizard, Refresh, Kill
        1042, 1043, 1044, 1045,                   // Remember .. Advanced Settings
        1047, 1048, 1049, 1052};                  // Help .. About
    return c == eCommand::Count ? 0 : ids[Index(c)];
}

} // namespace qx
