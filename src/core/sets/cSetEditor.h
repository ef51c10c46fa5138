#pragma once
// The edit commands on the current kill set behind the main window: drops
// from the Applications and Processes lists, copy and paste, delete with a
// multi-level undo, raise and lower, the check boxes and the Kill Properties
// hand-off. The window forwards its events here and renders the lists and
// the returned command state.
#include "core/engine/cInventory.h"
#include "core/sets/cKillSet.h"
#include "core/ui/cCommandState.h"
#include "core/ui/cListViewModel.h"
#include "core/ui/cMessages.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qx {

class cSetEditor {
public:
    enum EditAction : int { kCopy = 1, kDelete = 2, kPaste = 3, kUndo = 4 };
    static constexpr std::int16_t kMaxDeleted = 32767; // undo positions are 16-bit

    // Shows the Kill Properties dialog modally, its title label showing the
    // given text. The dialog reads the entry from CurrentAppSet and, on OK,
    // hands the edited copy back through SetCurrentAppSet.
    using KillPropertiesDialog = std::function<void(const std::string& titleText)>;

    cSetEditor(cKillSet& set, cInventory& inventory, const cMessages& messages);

    void SetKillPropertiesDialog(KillPropertiesDialog dialog) { dialog_ = std::move(dialog); }

    // The list that last had the focus; the kill set list at start.
    cListViewModel& ActiveList() { return *active_; }
    // Focus event of one of the three lists.
    cCommandState ListGotFocus(cListViewModel& list);

    cCommandState EditCommand(int action);

    // Swaps the selected row of the kill set with the one above (up) or below.
    cCommandState MovePriority(bool up);

    // Drag data of a list's selected rows: its name, then ",n" per row.
    static std::string GetDragText(const cListViewModel& list);
    // A drop of text on the kill set list. Only rows of the Applications and
    // Processes lists are taken; any other text changes nothing.
    cCommandState AddFromDragText(const std::string& text);

    // The entry of the selected row of the kill set (the object itself);
    // nullptr for an empty set.
    cApplicationProcs* CurrentAppSet();
    // Takes the closing rules of the given entry into the selected row's entry.
    void SetCurrentAppSet(const cApplicationProcs& entry);
    // The Properties command: the dialog over the selected row.
    cCommandState ShowProperties();

    // A row's check box of the kill set changed; false when refused (during a
    // kill run), and the window then puts the box back.
    bool SetRowChecked(std::int16_t row, bool checked);

    // The window sets this around a kill run.
    bool KillRunning() const { return killRunning_; }
    void SetKillRunning(bool running) { killRunning_ = running; }
    // Check mark of Remember Window Position, as the options hold it.
    void SetRememberPosition(bool v) { rememberPosition_ = v; }

    // By the list's name: eListKind.
    static int GetListKind(const cListViewModel& list);
    // The first selected row; with none selected row 1 becomes selected; 0 for an empty list.
    static std::int16_t GetSelectedIndex(cListViewModel& list);
    // Selects one row and no other.
    static void SelectOnly(cListViewModel& list, std::int16_t row);

    cCommandState UpdateCommandState();

private:
    void ShowDialog(const std::string& titleText);
    void PushDeletedEntry(const cApplicationProcs& entry);
    // The most recently deleted entry and its position in the stack; -1 and
    // `out` untouched when the stack is empty.
    std::int16_t PopDeletedEntry(cApplicationProcs& out);

    cKillSet& set_;
    cInventory& inventory_;
    const cMessages& messages_;
    cListViewModel* active_;
    cApplicationProcs copyBuffer_;
    std::vector<cApplicationProcs> deleted_;
    KillPropertiesDialog dialog_;
    bool killRunning_ = false;
    bool rememberPosition_ = true;
};

} // namespace qx
