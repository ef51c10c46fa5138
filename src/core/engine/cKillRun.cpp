#include "core/engine/cKillRun.h"

#include "core/engine/cKillBatch.h"
#include "core/engine/mQXEndPrograms.h"
#include "core/util/cGlobalsClass.h"
#include "core/util/modCommon.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_set>

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

std::vector<cApplicationProcs> cKillRun::Matches(const cApplicationProcs& entry,
                                                const std::vector<cApplicationProcs>& applications) const {
    std::vector<cApplicationProcs> found;
    for (const cApplicationProcs& app : applications) {
        if (!cKillSet::IsSameEntry(app, entry, entry.IgnoreTitle())) continue;
        if (SparedByKillAll(entry, app.ProcessID())) continue;
        cApplicationProcs target = entry;
        target.SetHandle(app.Handle());
        target.SetProcessID(app.ProcessID());
        target.SetCreationTime(app.CreationTime()); // lets KillMe tell a reused process id
        found.push_back(std::move(target));
    }
    return found;
}

void cKillRun::Tell(const cApplicationProcs& entry, KillOutcome outcome, const std::string& text) {
    if (kill_.observer != nullptr) kill_.observer->Outcome(entry, outcome, text);
}

std::vector<cApplicationProcs> cKillRun::Plan() {
    std::vector<cApplicationProcs> plan;
    const cListViewModel& rows = set_.lvProgramSet();
    for (int n = 1; n <= rows.Count(); ++n) {
        const auto row = static_cast<std::int16_t>(n);
        const cApplicationProcs* entry = set_.EntryOfRow(row);
        if (!rows.Item(row)->checked) {
            if (entry != nullptr) Tell(*entry, KillOutcome::Skipped, "");
            continue;
        }
        if (entry == nullptr) break; // the run stops at such a row too
        const std::vector<cApplicationProcs> found = Matches(*entry, inventory_.mcApplications());
        if (found.empty()) Tell(*entry, KillOutcome::NotRunning, "");
        for (const cApplicationProcs& target : found) {
            if (kill_.observer != nullptr) kill_.observer->Planned(target);
            plan.push_back(target);
        }
    }
    return plan;
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

    for (int n = 1; n <= rows.Count(); ++n) {
        const auto row = static_cast<std::int16_t>(n);
        std::int16_t index = 0;
        const bool ours = rows.TagIndex(row, index) && static_cast<std::size_t>(index) < appSet.size();
        if (halted || !rows.Item(row)->checked) {
            if (ours) Tell(appSet[static_cast<std::size_t>(index)], KillOutcome::Skipped, "");
            continue;
        }
        if (!ours) { // stop
            halted = true;
            continue;
        }
        const auto entry = [&]() -> cApplicationProcs* {
            return static_cast<std::size_t>(index) < appSet.size() ? &appSet[static_cast<std::size_t>(index)] : nullptr;
        };
        const std::string title = entry()->Title();
        // The row's rules as they stand now; an edit made while it runs
        // applies from the next run on.
        const std::vector<cApplicationProcs> found = Matches(*entry(), applications);
        if (found.empty()) {
            const std::string text = "'" + title + messages_[cMessages::kWasntRunning];
            kill_.log.LogAction(text);
            if (entry() != nullptr) Tell(*entry(), KillOutcome::NotRunning, text);
            continue;
        }
        const auto record = [&](const cApplicationProcs& target) {
            if (cApplicationProcs* e = entry()) {
                e->SetHandle(target.Handle());
                e->SetProcessID(target.ProcessID());
                e->SetCreationTime(target.CreationTime());
            }
        };
        if (found.front().StopOnError()) {
            // Each match must have closed before the next is asked: the first
            // failure halts the run.
            for (const cApplicationProcs& target : found) {
                if (entry() == nullptr) break; // the set was cleared meanwhile
                record(target);
                if (kill_.observer != nullptr) kill_.observer->Starting(target);
                if (target.KillMe(kill_)) continue;
                ++failedKills_;
                SendFerrowMsg(cGlobalsClass::MM_KILL_HALTED());
                halted = true;
                kill_.log.LogAction(messages_[cMessages::kStoppedKilling]);
                Tell(target, KillOutcome::Halted, messages_[cMessages::kStoppedKilling]);
                break;
            }
            continue;
        }
        record(found.back());
        for (const bool ended : KillTogether(found)) {
            if (ended) continue;
            ++failedKills_;
            SendFerrowMsg(cGlobalsClass::MM_KILL_FAILED());
        }
    }
    halted_ = halted;
    kill_.ui.SetCaption(caption);
}

std::vector<bool> cKillRun::KillTogether(const std::vector<cApplicationProcs>& matches) {
    // Several windows of one process are several matches; the process is
    // closed once, and a later match of it finds it gone, as it would one
    // after another. So a batch ends before a process comes up again.
    std::vector<bool> results;
    std::vector<cApplicationProcs> batch;
    std::unordered_set<std::uint32_t> inBatch;
    const auto runBatch = [&] {
        for (const bool ended : cKillBatch(kill_, batch, true).Run()) results.push_back(ended);
        batch.clear();
        inBatch.clear();
    };
    for (const cApplicationProcs& m : matches) {
        if (!inBatch.insert(m.ProcessID()).second) {
            runBatch();
            inBatch.insert(m.ProcessID());
        }
        batch.push_back(m);
    }
    runBatch();
    return results;
}

bool cKillRun::SparedByKillAll(const cApplicationProcs& entry, std::uint32_t processId) const {
    if (std::find(killAllSpared_.begin(), killAllSpared_.end(), processId) == killAllSpared_.end()) return false;
    // Kill-all runs only from the command line, whose set is never cleared
    // after it, so the indices stay those of the entries it added.
    const std::vector<cApplicationProcs>& all = set_.AppSet();
    return std::any_of(killAllEntries_.begin(), killAllEntries_.end(),
                       [&](std::size_t i) { return i < all.size() && &all[i] == &entry; });
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
