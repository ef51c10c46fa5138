#include "core/sets/cSetEditor.h"

namespace qx {
namespace {

// One row number of drag text: decimal digits, blanks around them allowed
// (text dropped from another program may end in a line break).
bool ParseRow(const std::string& part, std::int16_t& row) {
    const std::size_t first = part.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return false;
    const std::size_t last = part.find_last_not_of(" \t\r\n");
    if (last - first + 1 > 5) return false;
    int value = 0;
    for (std::size_t i = first; i <= last; ++i) {
        if (part[i] < '0' || part[i] > '9') return false;
        value = value * 10 + (part[i] - '0');
    }
    if (value < 1 || value > cListViewModel::kMaxRows) return false;
    row = static_cast<std::int16_t>(value);
    return true;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t pos = text.find(separator); pos != std::string::npos; pos = text.find(separator, start)) {
        parts.push_back(text.substr(start, pos - start));
        start = pos + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

void CopyRules(cApplicationProcs& target, const cApplicationProcs& source) {
    target.SetCloseWait(source.CloseWait());
    target.SetForceClose(source.ForceClose());
    target.SetStopOnError(source.StopOnError());
    target.SetIgnoreTitle(source.IgnoreTitle());
}

} // namespace

cSetEditor::cSetEditor(cKillSet& set, cInventory& inventory, const cMessages& messages)
    : set_(set), inventory_(inventory), messages_(messages), active_(&set.lvProgramSet()) {}

cCommandState cSetEditor::ListGotFocus(cListViewModel& list) {
    active_ = &list;
    return UpdateCommandState();
}

cCommandState cSetEditor::EditCommand(int action) {
    cListViewModel& list = *active_;
    const std::int16_t sel = GetSelectedIndex(list);
    const int kind = GetListKind(list);
    switch (action) {
    case kCopy:
        // Only the inventory lists' Tags index the inventory; a kill set row
        // would name some unrelated running program.
        if (sel > 0 && (kind == kApplicationsList || kind == kProcessesList)) {
            if (const cApplicationProcs* app = cKillSet::GetListApp(list, sel, inventory_.mcApplications()))
                copyBuffer_ = *app;
        }
        break;
    case kDelete:
        // Only the kill set's Tags index AppSet.
        if (killRunning_ || sel == 0 || kind != kProgramSetList) break;
        if (cApplicationProcs* entry = set_.EntryOfRow(sel)) {
            // Undo brings the row back as the user left it, check box included.
            cApplicationProcs pushed = *entry;
            pushed.SetSelected(list.Item(sel)->checked);
            PushDeletedEntry(pushed);
            entry->SetDeleted(true);
            list.Remove(sel);
            if (list.Count() > 0) SelectOnly(list, 1);
            set_.SetSetChanged(true);
        }
        break;
    case kPaste:
        // An entry without a path would match every program whose path
        // cannot be read; nothing has been copied yet.
        if (killRunning_ || copyBuffer_.ExePath().empty()) break;
        set_.AddToProgramSet(copyBuffer_, true);
        set_.SetSetChanged(true);
        break;
    case kUndo: {
        cApplicationProcs entry;
        if (killRunning_ || PopDeletedEntry(entry) < 0) break;
        set_.SetSetChanged(true);
        entry.SetDeleted(false);
        set_.AddToProgramSet(entry, true);
        break;
    }
    default:
        break;
    }
    return UpdateCommandState();
}

void cSetEditor::PushDeletedEntry(const cApplicationProcs& entry) {
    if (deleted_.size() >= static_cast<std::size_t>(kMaxDeleted)) deleted_.erase(deleted_.begin());
    deleted_.push_back(entry);
    deleted_.back().SetDeleted(true);
}

std::int16_t cSetEditor::PopDeletedEntry(cApplicationProcs& out) {
    if (deleted_.empty()) return -1;
    const auto n = static_cast<std::int16_t>(deleted_.size() - 1);
    out = deleted_.back();
    deleted_.pop_back();
    return n;
}

cCommandState cSetEditor::MovePriority(bool up) {
    cListViewModel& rows = set_.lvProgramSet();
    const std::int16_t sel = GetSelectedIndex(rows);
    // A swap with the neighbour keeps the order in sets of any size, where
    // sorting by fixed-width text keys would not.
    const int to = up ? sel - 1 : sel + 1;
    if (!killRunning_ && sel > 0 && to >= 1 && to <= rows.Count()) {
        rows.Move(sel, static_cast<std::int16_t>(to));
        // The kill order is part of the saved set: leaving must offer to save it.
        set_.SetSetChanged(true);
    }
    return UpdateCommandState();
}

std::string cSetEditor::GetDragText(const cListViewModel& list) {
    std::string text = list.Name();
    for (int i = 1; i <= list.Count(); ++i) {
        if (list.Item(static_cast<std::int16_t>(i))->selected) text += "," + std::to_string(i);
    }
    return text;
}

cCommandState cSetEditor::AddFromDragText(const std::string& text) {
    const std::vector<std::string> parts = Split(text, ',');
    cListViewModel* source = nullptr;
    // Rows of the kill set itself carry AppSet indexes, not inventory ones.
    for (cListViewModel* list : {&inventory_.lvApplications(), &inventory_.lvProcesses()}) {
        if (list->Name() == parts[0]) source = list;
    }
    if (killRunning_ || parts.size() < 2 || source == nullptr) return UpdateCommandState();

    bool dropped = false;
    std::vector<std::size_t> added; // AppSet indexes of the new entries
    std::int16_t firstRow = 0;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        std::int16_t n = 0;
        if (!ParseRow(parts[i], n)) continue;
        const cApplicationProcs* app = cKillSet::GetListApp(*source, n, inventory_.mcApplications());
        if (app == nullptr) continue;
        dropped = true;
        if (!set_.AddToProgramSet(*app, true)) continue;
        if (added.empty()) firstRow = set_.lvProgramSet().Count();
        added.push_back(set_.AppSet().size() - 1);
    }
    if (!added.empty()) {
        SelectOnly(set_.lvProgramSet(), firstRow);
        ShowDialog(added.size() > 1 ? messages_[cMessages::kMultiplePrograms] : set_.AppSet()[added[0]].Title());
        const cApplicationProcs first = set_.AppSet()[added[0]];
        for (std::size_t k = 1; k < added.size(); ++k) CopyRules(set_.AppSet()[added[k]], first);
    }
    // A drop of programs already in the set still counts as an edit.
    if (dropped) set_.SetSetChanged(true);
    return UpdateCommandState();
}

cApplicationProcs* cSetEditor::CurrentAppSet() {
    const std::int16_t sel = GetSelectedIndex(set_.lvProgramSet());
    return sel > 0 ? set_.EntryOfRow(sel) : nullptr;
}

void cSetEditor::SetCurrentAppSet(const cApplicationProcs& entry) {
    cApplicationProcs* target = killRunning_ ? nullptr : CurrentAppSet();
    if (target == nullptr) return;
    CopyRules(*target, entry);
    set_.SetSetChanged(true);
}

cCommandState cSetEditor::ShowProperties() {
    const cApplicationProcs* entry = killRunning_ ? nullptr : CurrentAppSet();
    if (entry != nullptr) ShowDialog(std::string(entry->Title()));
    return UpdateCommandState();
}

bool cSetEditor::SetRowChecked(std::int16_t row, bool checked) {
    cListItem* item = set_.lvProgramSet().Item(row);
    if (item == nullptr || killRunning_) return false;
    if (item->checked != checked) {
        item->checked = checked;
        set_.SetSetChanged(true);
    }
    return true;
}

int cSetEditor::GetListKind(const cListViewModel& list) {
    if (list.Name() == "lvApplications") return kApplicationsList;
    if (list.Name() == "lvProcesses") return kProcessesList;
    if (list.Name() == "lvProgramSet") return kProgramSetList;
    return kNoList;
}

std::int16_t cSetEditor::GetSelectedIndex(cListViewModel& list) {
    for (int i = 1; i <= list.Count(); ++i) {
        if (list.Item(static_cast<std::int16_t>(i))->selected) return static_cast<std::int16_t>(i);
    }
    if (list.Count() == 0) return 0;
    list.Item(1)->selected = true;
    return 1;
}

void cSetEditor::SelectOnly(cListViewModel& list, std::int16_t row) {
    for (int i = 1; i <= list.Count(); ++i) {
        const auto r = static_cast<std::int16_t>(i);
        list.Item(r)->selected = r == row;
    }
}

cCommandState cSetEditor::UpdateCommandState() {
    cCommandState::Inputs in;
    in.listKind = GetListKind(*active_);
    in.selected = GetSelectedIndex(*active_);
    in.rows = active_->Count();
    in.pasteReady = !copyBuffer_.ExePath().empty();
    in.undoReady = !deleted_.empty();
    in.killRunning = killRunning_;
    in.rememberPosition = rememberPosition_;
    return cCommandState::UpdateCommandState(in);
}

void cSetEditor::ShowDialog(const std::string& titleText) {
    if (dialog_) dialog_(titleText);
}

} // namespace qx
