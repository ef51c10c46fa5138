#pragma once
// Which commands of the main window's menus and toolbar are enabled, worked
// out from the window's state alone so that the window only renders it.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qx {

enum class eCommand : std::uint8_t {
    New, Open, Save, SaveAs, DeleteSet, Exit,
    Undo, Copy, Paste, Delete, Raise, Lower, Properties,
    Wizard, Refresh, Kill,
    RememberPosition, DataPath, ViewLog, AdvancedSettings,
    HelpContents, HelpSearch, GettingStarted, About,
    Count
};

// What GetListKind says of the active list.
enum eListKind : int { kNoList = 0, kProcessesList = 1, kProgramSetList = 2, kApplicationsList = 3 };

struct cToolbarButton {
    const char* key;         // nullptr for a separator
    eCommand command;
    std::uint32_t tooltipId; // string-table id
};

class cCommandState {
public:
    struct Inputs {
        int listKind = kNoList;        // GetListKind of the active list
        std::int16_t rows = 0;         // rows of the active list
        std::int16_t selected = 0;     // GetSelectedIndex of the active list
        bool pasteReady = false;       // the copy buffer names a program
        bool undoReady = false;        // a deleted entry waits to be restored
        bool killRunning = false;      // a kill run is in progress
        bool rememberPosition = false; // check mark of Remember Window Position
    };

    // The state for the given inputs; the menu item and the toolbar button of
    // a command always share it.
    static cCommandState UpdateCommandState(const Inputs& in);

    bool Enabled(eCommand c) const { return enabled_[Index(c)]; }
    bool Checked(eCommand c) const { return c == eCommand::RememberPosition && rememberPosition_; }

    // The 17 toolbar positions in order, separators included.
    static const std::array<cToolbarButton, 17>& ToolbarButtons();
    // The command behind a toolbar key, compared case-sensitively; none for an unknown key.
    static std::optional<eCommand> FromToolbarKey(std::string_view key);
    // String-table id of the command's menu caption.
    static std::uint32_t MenuCaptionId(eCommand c);

private:
    static std::size_t Index(eCommand c) { return static_cast<std::size_t>(c); }
    void Set(eCommand c, bool v) { enabled_[Index(c)] = v; }

    std::array<bool, static_cast<std::size_t>(eCommand::Count)> enabled_{};
    bool rememberPosition_ = false;
};

} // namespace qx
