#pragma once
// The current kill set: the entries ever added since the set was last
// cleared (AppSet, which only grows) and the rows of the Current Kill Set
// list in kill order, each row naming its entry by index in its Tag.
#include "core/engine/cApplicationProcs.h"
#include "core/ui/cListViewModel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qx {

class cKillSet {
public:
    static constexpr std::int16_t kMaxEntries = 32767; // indexes are 16-bit

    cKillSet() : lvProgramSet_("lvProgramSet") {}

    std::vector<cApplicationProcs>& AppSet() { return appSet_; }
    const std::vector<cApplicationProcs>& AppSet() const { return appSet_; }
    cListViewModel& lvProgramSet() { return lvProgramSet_; }
    const cListViewModel& lvProgramSet() const { return lvProgramSet_; }
    bool SetChanged() const { return setChanged_; }
    void SetSetChanged(bool v) { setChanged_ = v; }

    // The one way into the set: appends a copy of the entry and its row
    // (checked as the entry's Selected). With checkDuplicates an entry equal
    // to one already in AppSet is refused (false) and a new one marks the set
    // changed. Also false when the set is full.
    bool AddToProgramSet(const cApplicationProcs& entry, bool checkDuplicates);
    // The one test of sameness: path, Deleted and WinVisible always, the
    // title too unless exePathOnly; texts exactly, letter case included.
    static bool IsSameEntry(const cApplicationProcs& a, const cApplicationProcs& b, bool exePathOnly);
    // Appends a row (text, Exe Path, Tag = index in decimal); its position, 0 when full.
    static std::int16_t AddProgramSetItem(cListViewModel& list, const std::string& title, const std::string& exePath,
                                          std::int16_t index);
    // The inventory entry behind a row of the Applications or Processes
    // list (the object itself); nullptr when the row or its Tag is not valid.
    static cApplicationProcs* GetListApp(const cListViewModel& list, std::int16_t row,
                                         std::vector<cApplicationProcs>& applications);
    // The AppSet entry behind a row of lvProgramSet; nullptr when there is none.
    cApplicationProcs* EntryOfRow(std::int16_t row);

private:
    // Appends a copy to AppSet; its index, or -1 when AppSet is full.
    std::int16_t AddToAppSet(const cApplicationProcs& entry);

    std::vector<cApplicationProcs> appSet_;
    cListViewModel lvProgramSet_;
    bool setChanged_ = false;
};

} // namespace qx
