#include "core/engine/cKillRun.h"

#include "core/engine/mQXEndPrograms.h"
#include "core/util/cGlobalsClass.h"
#include "core/util/modCommon.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace qx {
namespace {

// Windows of the current desktop shell. They belong to explorer.exe, which is
// spared by name anyway; the class test also keeps a shell started under
// another name, and any program that shows such a window, out of kill-all.
constexpr std::array<std::string_view, 2> kModernShellClasses = {"Shell_SecondaryTrayWnd", "WorkerW"};

} // namespace

cKillRun::cKillRun(cKillContext& kill, const cOSInfo& osInfo, cInventory& inventory, cKillSet& set,
                   const cMessages& messages, FerrowSender sendFerrowMsg)
    : kill_(kill), osInfo_(osInfo), inventory_(inventory), set_(set), messages_(messages),
      sendFerrowMsg_(std::move(sendFerrowMsg)) {}

void cKillRun::SendFerrowMsg(std::int16_t message) {
    if (sendFerrowMsg_) sendFerrowMsg_(static_cast<std::uint32_t>(message));
}

void cKillRun::KillCurrentSet() {
    const std::string caption = kill_.ui.GetCaption();
    kill_.log.LogDebug("Begin KillCurrentSet");
    bool halted = false;
    failedKills_ = 0;
    halted_ = false;

    // KillMe lets the window handle messages while it pauses, and the user
    // may refresh or edit meanwhile: work on the rows and the inventory as
    // they stood when the run began, and find entries by index each time.
    const cListViewModel rows = set_.lvProgramSet();
    const std::vector<cApplicationProcs> applications = inventory_.mcApplications();
    std::vector<cApplicationProcs>& appSet = set_.AppSet();

    for (int n = 1; n <= rows.Count() && !halted; ++n) {
        const auto row = static_cast<std::int16_t>(n);
        if (!rows.Item(row)->checked) continue;
        std::int16_t index = 0;
        if (!rows.TagIndex(row, index) || static_cast<std::size_t>(index) >= appSet.size()) { // not ours: stop
            halted = true;
            break;
        }
        const auto entry = [&]() -> cApplicationProcs* {
            return static_cast<std::size_t>(index) < appSet.size() ? &appSet[static_cast<std::size_t>(index)] : nullptr;
        };
        const std::string title = entry()->Title();
        bool found = false;
        for (const cApplicationProcs& app : applications) {
            cApplicationProcs* e = entry();
            if (e == nullptr) break; // the set was cleared meanwhile
            if (!cKillSet::IsSameEntry(app, *e, e->IgnoreTitle())) continue;
            if (SparedByKillAll(static_cast<std::size_t>(index), app.ProcessID())) continue;
            found = true;
            e->SetHandle(app.Handle());
            e->SetProcessID(app.ProcessID());
            e->SetSnapshotTime(app.SnapshotTime()); // lets KillMe refuse a reused process id
            const cApplicationProcs target = *e;
            if (target.KillMe(kill_)) continue;
            ++failedKills_;
            if (target.StopOnError()) {
                SendFerrowMsg(cGlobalsClass::MM_KILL_HALTED());
                halted = true;
                kill_.log.LogAction(messages_[cMessages::kStoppedKilling]);
                break;
            }
            SendFerrowMsg(cGlobalsClass::MM_KILL_FAILED());
        }
        if (!found) kill_.log.LogAction("'" + title + messages_[cMessages::kWasntRunning]);
    }
    halted_ = halted;

    inventory_.RefreshLists();
    kill_.ui.SetCaption(caption);
}

bool cKillRun::SparedByKillAll(std::size_t entryIndex, std::uint32_t processId) const {
    // Kill-all runs only from the command line, whose set is never cleared
    // after it, so the indices stay those of the entries it added.
    return std::find(killAllEntries_.begin(), killAllEntries_.end(), entryIndex) != killAllEntries_.end() &&
           std::find(killAllSpared_.begin(), killAllSpared_.end(), processId) != killAllSpared_.end();
}

cKillRun::KillAllScope cKillRun::ReadScope() {
    KillAllScope scope;
    if (!osInfo_.isWinNT4OrLater() || osInfo_.isWinNT4()) return scope;
    scope.ownerKnown = kill_.os.QueryCurrentProcessOwner(scope.owner);
    if (!scope.ownerKnown) kill_.log.LogDebug("Own user unknown: other users' programs are not told apart");
    if (!kill_.os.ServiceProcessIds(scope.servicePids)) kill_.log.LogDebug("Service processes unknown");
    return scope;
}

bool cKillRun::IsSpared(const cApplicationProcs& entry, const KillAllScope& scope) {
    if (IsShellWindow(kill_.os, entry.Handle())) return true;
    const std::string windowClass = GetWindowClass(kill_.os, entry.Handle());
    for (const std::string_view shell : kModernShellClasses) {
        if (windowClass == shell) return true;
    }
    if (IsSystemProcess(osInfo_, GetFileName(entry.ExePath(), true))) return true;
    if (!osInfo_.isWinNT4OrLater() || osInfo_.isWinNT4()) return false;
    // From NT 6 on the system marks the processes it cannot live without
    // (their names vary too much to be listed), services run as programs
    // under any account, and other users' programs are listed too.
    if (std::find(scope.servicePids.begin(), scope.servicePids.end(), entry.ProcessID()) != scope.servicePids.end())
        return true;
    const ProcessHandle h = kill_.os.OpenProcess(kProcessQueryLimitedInformation, entry.ProcessID());
    bool critical = false;
    const bool criticalKnown = h != 0 && kill_.os.IsProcessCritical(h, critical);
    ProcessOwner owner;
    // A process whose owner cannot be read is not known to be the user's own.
    const bool owned = h != 0 && kill_.os.QueryProcessOwner(h, owner) && owner == scope.owner;
    if (h != 0) kill_.os.CloseHandle(h);
    if (criticalKnown && critical) return true;
    return scope.ownerKnown && !owned;
}

void cKillRun::KillAll(const cListViewModel& list) {
    // NT 4 and every later NT; the trace has no other effect.
    kill_.log.LogDebug(osInfo_.isWinNT4OrLater() ? "This is NT" : "This is not NT");
    const KillAllScope scope = ReadScope();
    for (std::int16_t row = list.Count(); row >= 1; --row) {
        const cApplicationProcs* entry = cKillSet::GetListApp(list, row, inventory_.mcApplications());
        if (entry == nullptr) continue;
        if (IsSpared(*entry, scope)) {
            killAllSpared_.push_back(entry->ProcessID());
            continue;
        }
        const std::size_t added = set_.AppSet().size();
        set_.AddToProgramSet(*entry, true);
        if (set_.AppSet().size() > added) killAllEntries_.push_back(added);
        kill_.log.LogDebug("Added app " + entry->ExePath() + " to kill list");
    }
}

} // namespace qx
