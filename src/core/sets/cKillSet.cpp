#include "core/sets/cKillSet.h"

namespace qx {
namespace {

cApplicationProcs* At(std::vector<cApplicationProcs>& entries, const cListViewModel& list, std::int16_t row) {
    std::int16_t index = 0;
    if (!list.TagIndex(row, index) || static_cast<std::size_t>(index) >= entries.size()) return nullptr;
    return &entries[static_cast<std::size_t>(index)];
}

} // namespace

bool cKillSet::AddToProgramSet(const cApplicationProcs& entry, bool checkDuplicates) {
    if (checkDuplicates) {
        // Deleted entries take part, but their Deleted flag keeps them from
        // matching a live entry.
        for (const cApplicationProcs& existing : appSet_) {
            if (IsSameEntry(existing, entry, false)) return false;
        }
    }
    if (lvProgramSet_.Count() == cListViewModel::kMaxRows) return false;
    const std::int16_t index = AddToAppSet(entry);
    if (index < 0) return false;
    const std::int16_t position = AddProgramSetItem(lvProgramSet_, entry.Title(), entry.ExePath(), index);
    lvProgramSet_.Item(position)->checked = entry.Selected();
    if (checkDuplicates) setChanged_ = true;
    return true;
}

bool cKillSet::IsSameEntry(const cApplicationProcs& a, const cApplicationProcs& b, bool exePathOnly) {
    return a.ExePath() == b.ExePath() && a.Deleted() == b.Deleted() && a.WinVisible() == b.WinVisible() &&
           (exePathOnly || a.Title() == b.Title());
}

std::int16_t cKillSet::AddToAppSet(const cApplicationProcs& entry) {
    if (appSet_.size() >= static_cast<std::size_t>(kMaxEntries)) return -1;
    appSet_.push_back(entry);
    return static_cast<std::int16_t>(appSet_.size() - 1);
}

std::int16_t cKillSet::AddProgramSetItem(cListViewModel& list, const std::string& title, const std::string& exePath,
                                         std::int16_t index) {
    return list.Add(title, exePath, std::to_string(index));
}

cApplicationProcs* cKillSet::GetListApp(const cListViewModel& list, std::int16_t row,
                                        std::vector<cApplicationProcs>& applications) {
    return At(applications, list, row);
}

cApplicationProcs* cKillSet::EntryOfRow(std::int16_t row) { return At(appSet_, lvProgramSet_, row); }

} // namespace qx
