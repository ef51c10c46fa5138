#include "core/engine/cKillBatch.h"

#include "core/util/modNumberText.h"

#include <algorithm>

namespace qx {
namespace {

constexpr std::uint32_t kPassPauseMs = 1000;
constexpr std::uint32_t kEndSessionPauseMs = 2000;
// A terminated process is signalled shortly after the call returns; give it
// this long even when the entry's own wait is shorter, so that a successful
// termination is not reported as "didn't close".
constexpr std::uint32_t kTerminationSettleMs = 5000;

// Milliseconds from now to a moment on the wrapping tick counter; 0 once past.
std::uint32_t Until(IProcessWindowServices& os, std::uint32_t moment) {
    const auto left = static_cast<std::int32_t>(moment - os.GetTickCount());
    return left < 0 ? 0u : static_cast<std::uint32_t>(left);
}

} // namespace

cKillBatch::cKillBatch(cKillContext& k, const std::vector<cApplicationProcs>& programs, bool announce)
    : k_(k), announce_(announce) {
    programs_.resize(programs.size());
    for (std::size_t i = 0; i < programs.size(); ++i) programs_[i].entry = &programs[i];
}

cKillBatch::~cKillBatch() {
    for (const Program& p : programs_) {
        if (p.process != 0) k_.os.CloseHandle(p.process);
    }
}

std::vector<bool> cKillBatch::Run() {
    for (Program& p : programs_) Open(p);
    AskWindows();
    WaitAll();
    Force();
    std::vector<bool> results;
    for (const Program& p : programs_) results.push_back(p.result);
    return results;
}

std::string cKillBatch::Quoted(const Program& p, cKillMessages::Index text) const {
    return "'" + p.entry->Title() + k_.texts[text];
}

void cKillBatch::Open(Program& p) {
    const std::string& t = p.entry->Title();
    p.pending.push_back({true, "KillMe '" + t + "'"});
    Flush();
    k_.ui.SetCaption(k_.texts[cKillMessages::kAttempting] + t);

    p.process = k_.os.OpenProcess(kKillAccess, p.entry->ProcessID());
    if (p.process == 0 && k_.os.GetLastError() == kErrorProcessAccessDenied) {
        Show(p, KillOutcome::NotClosed, k_.texts[cKillMessages::kUnableToKill] + t + k_.texts[cKillMessages::kNotAuthorized]);
        Finish(p, false);
        return;
    }
    // Closing one program often ends others (helpers, a launcher with its
    // child): what has ended by its turn is done, not a failure.
    if (p.process == 0 || !p.entry->IsListedProcess(k_.os, p.process)) {
        Show(p, KillOutcome::NotRunning, Quoted(p, cKillMessages::kWasntRunning));
        Finish(p, true);
        return;
    }
    p.waitMs = cApplicationProcs::WaitMilliseconds(p.entry->CloseWait());
    if (!WindowsOf(p.entry->ProcessID()).empty()) {
        p.windowed = true;
    } else if (!k_.os.TerminateProcess(p.process, 0)) {
        // A program without windows cannot be asked; it is ended at once.
        Show(p, KillOutcome::NotClosed, k_.texts[cKillMessages::kProblemKilling] + t + "'");
    } else {
        p.result = true;
        p.endedAs = KillOutcome::Terminated;
        p.waitMs = std::max(p.waitMs, kTerminationSettleMs);
    }
}

// One walk of the system's windows serves every program until a pause lets
// them change.
const std::vector<WindowHandle>& cKillBatch::WindowsOf(std::uint32_t processId) {
    if (windowsStale_) {
        windows_.Take(k_.os);
        windowsStale_ = false;
    }
    return windows_.Of(processId);
}

void cKillBatch::AskWindows() {
    // A pause only matters after a pass that asked somebody, and ends early
    // once those asked are gone; a program that is gone has no window left.
    if (const auto asked = PostClose(WindowKind::Popup); !asked.empty()) Pause(kPassPauseMs, asked);
    if (const auto asked = PostClose(WindowKind::Main); !asked.empty()) Pause(kPassPauseMs, asked);
    if (const auto asked = AskEndSession(); !asked.empty()) Pause(kEndSessionPauseMs, asked);
}

std::vector<cKillBatch::Program*> cKillBatch::PostClose(WindowKind kind) {
    std::vector<Program*> asked;
    for (Program& p : programs_) {
        if (!StillAsked(p)) continue;
        const std::uint32_t pid = p.entry->ProcessID();
        if (PostCloseToWindows(k_.os, WindowsOf(pid), kind, pid) > 0) asked.push_back(&p);
    }
    return asked;
}

std::vector<cKillBatch::Program*> cKillBatch::AskEndSession() {
    // A window that answers only after a dialog must not hold the run far
    // beyond the program's own wait: the query shares that wait, and what
    // it used is not waited again afterwards.
    const std::uint32_t start = k_.os.GetTickCount();
    std::vector<Program*> answered;
    for (Program& p : programs_) {
        if (!StillAsked(p)) continue;
        const std::uint32_t pid = p.entry->ProcessID();
        const std::uint32_t budgetEnd = start + std::max(p.waitMs, kPassPauseMs);
        bool any = false;
        for (const WindowHandle w : WindowsOf(pid)) {
            if (!IsClosableWindow(k_.os, w, WindowKind::Main, pid)) continue;
            const std::uint32_t timeout =
                std::clamp(Until(k_.os, budgetEnd), kMinAnswerMs, kQueryEndSessionTimeoutMs);
            std::uintptr_t reply = 0;
            if (k_.os.SendMessageTimeout(w, kWmQueryEndSession, 0, static_cast<std::intptr_t>(kEndSessionLogoff),
                                         kSmtoAbortIfHung, timeout, reply)) {
                k_.os.PostMessage(w, kWmEndSession, reply, static_cast<std::intptr_t>(kEndSessionLogoff));
                any = true;
            }
        }
        if (any) answered.push_back(&p);
    }
    const std::uint32_t spent = k_.os.GetTickCount() - start;
    for (Program& p : programs_) {
        if (p.windowed) p.waitMs -= std::min(p.waitMs, spent);
    }
    return answered;
}

bool cKillBatch::Pause(std::uint32_t milliseconds, const std::vector<Program*>& asked) {
    const std::uint32_t end = k_.os.GetTickCount() + milliseconds;
    bool all = true;
    for (Program* p : asked) {
        // Once the time is up each remaining program is still looked at, so
        // that those already gone are not asked again.
        p->ended = WaitWithMessages(k_.os, Until(k_.os, end), p->process);
        all = all && p->ended;
    }
    windowsStale_ = true;
    return all;
}

void cKillBatch::WaitAll() {
    const std::uint32_t start = k_.os.GetTickCount();
    for (Program& p : programs_) {
        if (p.finished) continue;
        const std::uint32_t waited = k_.os.WaitForSingleObject(p.process, Until(k_.os, start + p.waitMs));
        if (waited == kWaitObject0) {
            Show(p, p.endedAs, Quoted(p, cKillMessages::kKilledCleanly));
            Finish(p, true);
        } else if (waited == kWaitTimeout && p.entry->ForceClose()) {
            p.force = true; // all together, after one more look at the windows
        } else if (waited == kWaitTimeout) {
            Show(p, KillOutcome::NotClosed, Quoted(p, cKillMessages::kDidntClose) + FormatSignPosition(p.entry->CloseWait()) +
                        k_.texts[cKillMessages::kSeconds]);
            Finish(p, p.result);
        } else {
            Show(p, KillOutcome::NotClosed,
                 k_.texts[cKillMessages::kUnableToKill] + p.entry->Title() + k_.texts[cKillMessages::kReasonErr] +
                        std::to_string(k_.os.GetLastError()));
            Finish(p, p.result);
        }
    }
}

void cKillBatch::Force() {
    windowsStale_ = true; // the force step looks once more, if anybody is forced
    for (Program& p : programs_) {
        if (!p.force) continue;
        const std::uint32_t pid = p.entry->ProcessID();
        PostCloseToWindows(k_.os, WindowsOf(pid), WindowKind::Popup, pid);
        if (!k_.os.TerminateProcess(p.process, 0)) {
            Show(p, KillOutcome::NotClosed, k_.texts[cKillMessages::kProblemKilling] + p.entry->Title() + "'");
            Finish(p, p.result);
        } else {
            Show(p, KillOutcome::Terminated, Quoted(p, cKillMessages::kTerminated));
            Finish(p, true);
        }
    }
}

void cKillBatch::Show(Program& p, KillOutcome outcome, const std::string& text) {
    p.pending.push_back({false, text, outcome});
    k_.ui.SetCaption(text);
    Flush();
}

void cKillBatch::Finish(Program& p, bool result) {
    p.result = result;
    p.finished = true;
    Flush();
}

void cKillBatch::Flush() {
    while (written_ < programs_.size()) {
        Program& p = programs_[written_];
        // The observer follows the log, so it too hears of one program after another.
        if (announce_ && !p.announced && k_.observer != nullptr) k_.observer->Starting(*p.entry);
        p.announced = true;
        for (const LogLine& line : p.pending) {
            if (line.debug) {
                k_.log.LogDebug(line.text);
                continue;
            }
            k_.log.LogAction(line.text);
            if (k_.observer != nullptr) k_.observer->Outcome(*p.entry, line.outcome, line.text);
        }
        p.pending.clear();
        if (!p.finished) return;
        ++written_;
    }
}

} // namespace qx
