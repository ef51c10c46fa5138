#pragma once
// Runs the current kill set over what is running, and turns a kill-all
// request into entries of that set.
#include "core/engine/cInventory.h"
#include "core/engine/cKillContext.h"
#include "core/sets/cKillSet.h"
#include "core/ui/cMessages.h"
#include "core/util/cOSInfo.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qx {

class cKillRun {
public:
    // Tells the companion program of a failed kill or a halted run (the
    // options' SendFerrowMsg); may be empty.
    using FerrowSender = std::function<void(std::uint32_t message)>;

    cKillRun(cKillContext& kill, const cOSInfo& osInfo, cInventory& inventory, cKillSet& set,
             const cMessages& messages, FerrowSender sendFerrowMsg);

    // Closes the programs of every checked row, in list order, each by every
    // running application that matches it. A row's matches close together
    // and the next row starts when they are done; with StopOnError they
    // close one after another and a failed kill halts the run. Ends with the
    // caption as it was; the inventory is left as the run began (a window
    // refreshes it to show what is left; a command-line run has no use for it).
    void KillCurrentSet();
    // The programs KillCurrentSet would close now, in the order it would
    // close them; entries it would skip or find not running go to the
    // observer only. Closes nothing.
    std::vector<cApplicationProcs> Plan();
    // How the last KillCurrentSet went: the kills that failed (the one that
    // halted it included), and whether it ended before its last row.
    int FailedKills() const { return failedKills_; }
    bool Halted() const { return halted_; }
    // Adds the rows of one inventory list, from the last to the first, to
    // the set, sparing shell windows, the system's processes and processes
    // the system reports as critical; from NT 6 on also every process of
    // another user or session, and every process that hosts a service. A
    // later run closes none of the spared processes for the entries added
    // here, though they match by path (another user's copy of the same
    // program, a second instance of a service host).
    void KillAll(const cListViewModel& list);

private:
    // The running applications an entry of the set stands for, as the entry
    // with their window, process id and creation time.
    std::vector<cApplicationProcs> Matches(const cApplicationProcs& entry,
                                           const std::vector<cApplicationProcs>& applications) const;
    // Closes the matches of one row together; one result per match, in order.
    std::vector<bool> KillTogether(const std::vector<cApplicationProcs>& matches);
    void Tell(const cApplicationProcs& entry, KillOutcome outcome, const std::string& text);
    // What kill-all must know of the system besides names and classes,
    // asked once per list.
    struct KillAllScope {
        bool ownerKnown = false;
        ProcessOwner owner;
        std::vector<std::uint32_t> servicePids;
    };
    KillAllScope ReadScope();
    bool IsSpared(const cApplicationProcs& entry, const KillAllScope& scope);
    bool SparedByKillAll(const cApplicationProcs& entry, std::uint32_t processId) const;
    void SendFerrowMsg(std::int16_t message);

    cKillContext& kill_;
    const cOSInfo& osInfo_;
    cInventory& inventory_;
    cKillSet& set_;
    const cMessages& messages_;
    FerrowSender sendFerrowMsg_;
    std::vector<std::size_t> killAllEntries_; // indices in the set's AppSet
    std::vector<std::uint32_t> killAllSpared_; // process ids
    int failedKills_ = 0;
    bool halted_ = false;
};

} // namespace qx
