#include "core/engine/cApplicationProcs.h"

#include "core/engine/mQXEndPrograms.h"
#include "core/engine/modProcessDeclares.h"
#include "core/util/modNumberText.h"

#include <algorithm>
#include <cctype>

namespace qx {
namespace {

constexpr std::int64_t kMaxWaitMs = 0x7FFFFFFE; // 0xFFFFFFFF would mean "forever"
// A terminated process is signalled shortly after the call returns; give it
// this long even when the entry's own wait is shorter, so that a successful
// termination is not reported as "didn't close".
constexpr std::uint32_t kTerminationSettleMs = 5000;

// Closes the process handle on every way out of KillMe.
class ProcessHandleGuard {
public:
    ProcessHandleGuard(IProcessWindowServices& os, ProcessHandle h) : os_(os), h_(h) {}
    ~ProcessHandleGuard() {
        if (h_ != 0) os_.CloseHandle(h_);
    }
    ProcessHandleGuard(const ProcessHandleGuard&) = delete;
    ProcessHandleGuard& operator=(const ProcessHandleGuard&) = delete;
    ProcessHandle get() const { return h_; }

private:
    IProcessWindowServices& os_;
    ProcessHandle h_;
};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string FileNamePart(const std::string& path) {
    const auto pos = path.find_last_of('\\');
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

// The same executable, allowing for the bare names some process services report.
bool SameExecutable(const std::string& listed, const std::string& running) {
    const bool listedHasFolder = listed.find('\\') != std::string::npos;
    const bool runningHasFolder = running.find('\\') != std::string::npos;
    if (listedHasFolder && runningHasFolder) return Lower(listed) == Lower(running);
    return Lower(FileNamePart(listed)) == Lower(FileNamePart(running));
}

// Shows an outcome: in the log and in the main window's caption, and tells
// whoever follows the run.
void Show(cKillContext& k, const cApplicationProcs& target, KillOutcome outcome, const std::string& text) {
    k.log.LogAction(text);
    k.ui.SetCaption(text);
    if (k.observer != nullptr) k.observer->Outcome(target, outcome, text);
}

} // namespace

std::uint32_t cApplicationProcs::WaitMilliseconds(std::int32_t closeWaitSeconds) {
    const std::int64_t ms = static_cast<std::int64_t>(closeWaitSeconds) * 1000;
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(ms, 0, kMaxWaitMs));
}

bool cApplicationProcs::IsListedProcess(cKillContext& k, ProcessHandle h) const {
    // A process that has ended stays openable while anybody holds a handle to
    // it; it is as gone as one that cannot be opened.
    if (k.os.WaitForSingleObject(h, 0) == kWaitObject0) return false;
    // Process ids are reused: the id may now belong to a program started since
    // the list was taken. Compare what can be compared; what the platform does
    // not report cannot be held against the process.
    std::string running;
    if (!exePath_.empty() && k.os.QueryProcessImagePath(h, running) && !SameExecutable(exePath_, running)) {
        return false;
    }
    std::uint64_t created = 0;
    if (snapshotTime_ != 0 && k.os.QueryProcessCreationTime(h, created) && created > snapshotTime_) return false;
    return true;
}

bool cApplicationProcs::KillMe(cKillContext& k) const {
    const cKillMessages& m = k.texts;
    const std::string& t = title_;
    bool result = false;

    k.log.LogDebug("KillMe '" + t + "'");
    k.ui.SetCaption(m[cKillMessages::kAttempting] + t);

    ProcessHandleGuard process(k.os, k.os.OpenProcess(kKillAccess, processId_));
    if (process.get() == 0 || !IsListedProcess(k, process.get())) {
        Show(k, *this, KillOutcome::NotClosed, m[cKillMessages::kUnableToKill] + t + m[cKillMessages::kNotAuthorized]);
        return false;
    }

    std::uint32_t waitMs = WaitMilliseconds(closeWait_);
    KillOutcome ended = KillOutcome::Closed;
    if (HasTopLevelWindow(k.os, processId_)) {
        CloseProcessWindows(k.os, processId_, process.get());
    } else if (!k.os.TerminateProcess(process.get(), 0)) {
        // A program without windows cannot be asked; it is ended at once.
        Show(k, *this, KillOutcome::NotClosed, m[cKillMessages::kProblemKilling] + t + "'");
    } else {
        result = true;
        ended = KillOutcome::Terminated;
        waitMs = std::max(waitMs, kTerminationSettleMs);
    }

    const std::uint32_t waited = k.os.WaitForSingleObject(process.get(), waitMs);
    if (waited == kWaitObject0) {
        Show(k, *this, ended, "'" + t + m[cKillMessages::kKilledCleanly]);
        result = true;
    } else if (waited == kWaitTimeout) {
        if (forceClose_) {
            PostCloseToWindows(k.os, WindowKind::Popup, processId_);
            if (!k.os.TerminateProcess(process.get(), 0)) {
                Show(k, *this, KillOutcome::NotClosed, m[cKillMessages::kProblemKilling] + t + "'");
            } else {
                Show(k, *this, KillOutcome::Terminated, "'" + t + m[cKillMessages::kTerminated]);
                result = true;
            }
        } else {
            Show(k, *this, KillOutcome::NotClosed, "'" + t + m[cKillMessages::kDidntClose] + FormatSignPosition(closeWait_) + m[cKillMessages::kSeconds]);
        }
    } else {
        Show(k, *this, KillOutcome::NotClosed, m[cKillMessages::kUnableToKill] + t + m[cKillMessages::kReasonErr] + std::to_string(k.os.GetLastError()));
    }
    return result;
}

} // namespace qx
