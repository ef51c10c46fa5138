#include "fake/cFakeOS.h"

#include <algorithm>

namespace qx::fake {
namespace {
constexpr std::uint32_t kErrorAccessDenied = 5;
constexpr std::uint32_t kErrorInvalidHandle = 6;
constexpr std::uint32_t kErrorInvalidParameter = 87;
constexpr std::uint32_t kErrorTimeout = 1460;
constexpr std::uint32_t kErrorInvalidWindowHandle = 1400;
constexpr std::uint64_t kBaseFileTime = 134000000000000000ULL; // a date in 2025

// Wrap-aware "a is at or before b" on the 32-bit millisecond counter.
bool AtOrBefore(std::uint32_t a, std::uint32_t b) { return static_cast<std::int32_t>(a - b) <= 0; }
} // namespace

cFakeOS::cFakeOS() = default;

std::uint32_t cFakeOS::AddProcess(const FakeProcessSetup& setup) {
    while (processes_.count(nextPid_)) nextPid_ += 4;
    const std::uint32_t pid = nextPid_;
    nextPid_ += 4;
    AddProcessWithId(pid, setup);
    return pid;
}

void cFakeOS::AddProcessWithId(std::uint32_t pid, const FakeProcessSetup& setup) {
    EndProcess(pid);
    Process p;
    p.setup = setup;
    if (p.setup.creationTime == 0) p.setup.creationTime = GetSystemTimeAsFileTime();
    p.generation = ++generationCounter_;
    processes_[pid] = p;
}

WindowHandle cFakeOS::AddWindow(const FakeWindowSetup& setup) {
    const WindowHandle w = nextWindow_;
    nextWindow_ += 2;
    Window win;
    win.setup = setup;
    const auto it = processes_.find(setup.pid);
    win.generation = it == processes_.end() ? 0 : it->second.generation;
    windows_[w] = win;
    return w;
}

void cFakeOS::EndProcess(std::uint32_t pid) {
    const auto it = processes_.find(pid);
    if (it == processes_.end() || !it->second.running) return;
    it->second.running = false;
    for (auto w = windows_.begin(); w != windows_.end();) {
        if (w->second.setup.pid == pid) {
            w = windows_.erase(w);
        } else {
            ++w;
        }
    }
}

void cFakeOS::At(std::uint32_t tick, std::function<void()> action) {
    events_.push_back(Event{tick, nextOrder_++, std::move(action)});
}

void cFakeOS::InputAt(std::uint32_t tick) { inputs_.push_back(tick); }

void cFakeOS::Advance(std::uint32_t ms) {
    WaitUntil(ms, [] { return false; });
}

bool cFakeOS::IsRunning(std::uint32_t pid) const {
    const auto it = processes_.find(pid);
    return it != processes_.end() && it->second.running;
}


std::vector<SentMessage> cFakeOS::MessagesTo(WindowHandle w) const {
    std::vector<SentMessage> out;
    std::copy_if(messages_.begin(), messages_.end(), std::back_inserter(out),
                 [w](const SentMessage& m) { return m.window == w; });
    return out;
}

void cFakeOS::RunDue() {
    for (;;) {
        auto due = events_.end();
        for (auto it = events_.begin(); it != events_.end(); ++it) {
            if (!AtOrBefore(it->tick, tick_)) continue;
            if (due == events_.end() || static_cast<std::int32_t>(it->tick - due->tick) < 0 ||
                (it->tick == due->tick && it->order < due->order)) {
                due = it;
            }
        }
        if (due == events_.end()) return;
        auto action = std::move(due->action);
        events_.erase(due);
        action();
    }
}

bool cFakeOS::WaitUntil(std::uint32_t ms, const std::function<bool()>& done) {
    const std::uint32_t deadline = tick_ + ms;
    for (;;) {
        RunDue();
        if (done()) return true;
        // Next moment something can happen: an event or an input before the deadline.
        std::uint32_t next = deadline;
        for (const Event& e : events_) {
            if (static_cast<std::int32_t>(e.tick - tick_) > 0 && static_cast<std::int32_t>(e.tick - next) < 0) {
                next = e.tick;
            }
        }
        for (const std::uint32_t t : inputs_) {
            if (static_cast<std::int32_t>(t - tick_) > 0 && static_cast<std::int32_t>(t - next) < 0) next = t;
        }
        if (tick_ == deadline) return false;
        tick_ = next;
        if (next == deadline) {
            RunDue();
            return done();
        }
    }
}

const cFakeOS::Window* cFakeOS::FindWindow(WindowHandle w) const {
    const auto it = windows_.find(w);
    return it == windows_.end() ? nullptr : &it->second;
}

const cFakeOS::Process* cFakeOS::FindHandleProcess(ProcessHandle h) const {
    const auto it = handles_.find(h);
    if (it == handles_.end()) return nullptr;
    const auto p = processes_.find(it->second.pid);
    return p == processes_.end() ? nullptr : &p->second;
}

bool cFakeOS::HandleProcessEnded(ProcessHandle h) const {
    const auto it = handles_.find(h);
    if (it == handles_.end()) return false;
    const auto p = processes_.find(it->second.pid);
    return p == processes_.end() || !p->second.running || p->second.generation != it->second.generation;
}

ProcessHandle cFakeOS::OpenProcess(std::uint32_t access, std::uint32_t processId) {
    RunDue();
    const auto it = processes_.find(processId);
    if (processId == 0 || it == processes_.end() || (!it->second.running && !it->second.setup.openableAfterExit)) {
        lastError_ = kErrorInvalidParameter;
        return 0;
    }
    const bool inspect = (access & kProcessVmRead) != 0;
    if (inspect ? !it->second.setup.canInspect : !it->second.setup.canOpen) {
        lastError_ = kErrorAccessDenied;
        return 0;
    }
    const ProcessHandle h = nextHandle_;
    nextHandle_ += 4;
    handles_[h] = Handle{processId, it->second.generation};
    lastError_ = 0;
    return h;
}

bool cFakeOS::TerminateProcess(ProcessHandle h, std::uint32_t) {
    ++terminateCalls_;
    RunDue();
    const auto it = handles_.find(h);
    if (it == handles_.end()) {
        lastError_ = kErrorInvalidHandle;
        return false;
    }
    auto p = processes_.find(it->second.pid);
    if (HandleProcessEnded(h) || !p->second.setup.canTerminate) {
        lastError_ = kErrorAccessDenied;
        return false;
    }
    terminated_.push_back(it->second.pid);
    EndProcess(it->second.pid);
    lastError_ = 0;
    return true;
}

std::uint32_t cFakeOS::WaitForSingleObject(ProcessHandle h, std::uint32_t milliseconds) {
    blockingWaits_.push_back(milliseconds);
    const Process* p = FindHandleProcess(h);
    if (handles_.count(h) == 0 || (p != nullptr && p->setup.waitFails)) {
        lastError_ = kErrorInvalidHandle;
        return kWaitFailed;
    }
    lastError_ = 0;
    return WaitUntil(milliseconds, [&] { return HandleProcessEnded(h); }) ? kWaitObject0 : kWaitTimeout;
}

void cFakeOS::CloseHandle(ProcessHandle h) { handles_.erase(h); }

bool cFakeOS::QueryProcessImagePath(ProcessHandle h, std::string& path) {
    const Process* p = FindHandleProcess(h);
    if (p == nullptr || !p->setup.pathReadable) {
        lastError_ = kErrorAccessDenied;
        return false;
    }
    path = p->setup.exePath;
    return true;
}

bool cFakeOS::QueryProcessCreationTime(ProcessHandle h, std::uint64_t& fileTime) {
    const Process* p = FindHandleProcess(h);
    if (p == nullptr) return false;
    fileTime = p->setup.creationTime;
    return true;
}

bool cFakeOS::IsProcessCritical(ProcessHandle h, bool& critical) {
    const Process* p = FindHandleProcess(h);
    if (p == nullptr) return false;
    critical = p->setup.critical;
    return true;
}

bool cFakeOS::QueryProcessOwner(ProcessHandle h, ProcessOwner& owner) {
    const Process* p = FindHandleProcess(h);
    if (p == nullptr) return false;
    owner = p->setup.owner;
    return true;
}

bool cFakeOS::QueryCurrentProcessOwner(ProcessOwner& owner) {
    if (!ownerKnown) return false;
    owner = selfOwner;
    return true;
}

bool cFakeOS::ServiceProcessIds(std::vector<std::uint32_t>& ids) {
    ids.clear();
    if (!servicesKnown) return false;
    for (const auto& [pid, p] : processes_)
        if (p.running && p.setup.service) ids.push_back(pid);
    return true;
}

std::uint64_t cFakeOS::GetSystemTimeAsFileTime() {
    // Virtual milliseconds since the start, in 100 ns units, on a fixed base.
    return kBaseFileTime + static_cast<std::uint64_t>(tick_ - 100000u) * 10000ULL +
           static_cast<std::uint64_t>(wallClockOffset_);
}

bool cFakeOS::ToolhelpSnapshot(std::vector<ToolhelpProcess>& out) {
    RunDue();
    out.clear();
    for (const auto& [pid, p] : processes_) {
        if (!p.running) continue;
        out.push_back({pid, p.setup.toolhelpName.empty() ? p.setup.exePath : p.setup.toolhelpName});
    }
    return true;
}

bool cFakeOS::EnumProcesses(std::vector<std::uint32_t>& ids, std::uint32_t bufferBytes, std::uint32_t& bytesReturned) {
    RunDue();
    ids.clear();
    const std::size_t capacity = bufferBytes / 4;
    for (const auto& [pid, p] : processes_) {
        if (ids.size() == capacity) break; // a full buffer: the caller grows it and asks again
        if (p.running) ids.push_back(pid);
    }
    bytesReturned = static_cast<std::uint32_t>(ids.size() * 4);
    return true;
}

bool cFakeOS::GetMainModulePath(ProcessHandle h, std::string& path) {
    const Process* p = FindHandleProcess(h);
    if (p == nullptr || !p->setup.canInspect || HandleProcessEnded(h)) return false;
    path = p->setup.exePath;
    return true;
}

bool cFakeOS::EnumWindows(const std::function<bool(WindowHandle)>& callback) {
    ++enumWindowsCalls_;
    RunDue();
    std::vector<WindowHandle> order;
    for (const auto& [w, win] : windows_) order.push_back(w);
    for (const WindowHandle w : order) {
        if (!callback(w)) return false;
    }
    return true;
}

std::uint32_t cFakeOS::GetWindowThreadProcessId(WindowHandle w) {
    const Window* win = FindWindow(w);
    return win == nullptr ? 0 : win->setup.pid;
}

std::string cFakeOS::GetWindowText(WindowHandle w) {
    const Window* win = FindWindow(w);
    return win == nullptr ? std::string{} : win->setup.title;
}

std::string cFakeOS::GetClassName(WindowHandle w) {
    const Window* win = FindWindow(w);
    return win == nullptr ? std::string{} : win->setup.className;
}

bool cFakeOS::IsWindowVisible(WindowHandle w) {
    const Window* win = FindWindow(w);
    return win != nullptr && (win->setup.style & kWsVisible) != 0;
}

WindowHandle cFakeOS::GetParent(WindowHandle w) {
    const Window* win = FindWindow(w);
    return win == nullptr ? 0 : win->setup.parent;
}

WindowHandle cFakeOS::GetOwner(WindowHandle w) {
    const Window* win = FindWindow(w);
    return win == nullptr ? 0 : win->setup.owner;
}

std::uint32_t cFakeOS::GetWindowLong(WindowHandle w, std::int32_t index) {
    const Window* win = FindWindow(w);
    if (win == nullptr) {
        lastError_ = kErrorInvalidWindowHandle;
        return 0;
    }
    return index == kGwlExStyle ? win->setup.exStyle : index == kGwlStyle ? win->setup.style : 0;
}

void cFakeOS::CloseOneWindow(WindowHandle w) {
    const Window* win = FindWindow(w);
    if (win == nullptr) return;
    const std::uint32_t pid = win->setup.pid;
    windows_.erase(w);
    const bool anyLeft =
        std::any_of(windows_.begin(), windows_.end(), [pid](const auto& kv) { return kv.second.setup.pid == pid; });
    if (!anyLeft) EndProcess(pid);
}

void cFakeOS::React(WindowHandle w, CloseReaction reaction) {
    const Window* win = FindWindow(w);
    if (win == nullptr || reaction == CloseReaction::Ignore) return;
    const std::uint32_t pid = win->setup.pid;
    const std::uint64_t generation = win->generation;
    At(tick_ + win->setup.delayMs, [this, w, pid, generation, reaction] {
        const auto p = processes_.find(pid);
        if (p == processes_.end() || !p->second.running || p->second.generation != generation) return;
        if (reaction == CloseReaction::ExitProcess) {
            EndProcess(pid);
        } else {
            CloseOneWindow(w);
        }
    });
}

void cFakeOS::PostMessage(WindowHandle w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    messages_.push_back({tick_, w, msg, wParam, lParam, false});
    const Window* win = FindWindow(w);
    if (win == nullptr) return;
    const auto p = processes_.find(win->setup.pid);
    if (p != processes_.end() && p->second.setup.hung) return; // queued, never read
    if (msg == kWmClose) React(w, win->setup.onClose);
    if (msg == kWmEndSession && wParam != 0) React(w, win->setup.onEndSession);
}

bool cFakeOS::SendMessageTimeout(WindowHandle w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam,
                                 std::uint32_t flags, std::uint32_t timeoutMs, std::uintptr_t& reply) {
    const Window* win = FindWindow(w);
    if (win == nullptr) {
        lastError_ = kErrorInvalidWindowHandle;
        return false;
    }
    const auto p = processes_.find(win->setup.pid);
    if (p != processes_.end() && p->second.setup.hung && (flags & kSmtoAbortIfHung) != 0) {
        lastError_ = kErrorTimeout;
        return false;
    }
    messages_.push_back({tick_, w, msg, wParam, lParam, true});
    const std::uint32_t answerMs = msg == kWmQueryEndSession ? win->setup.queryEndSessionDelayMs : 0;
    if (answerMs > timeoutMs) {
        Advance(timeoutMs);
        lastError_ = kErrorTimeout;
        return false;
    }
    const std::uintptr_t answer = msg == kWmQueryEndSession ? win->setup.queryEndSessionReply : 0;
    Advance(answerMs);
    reply = answer;
    return true;
}

std::uint32_t cFakeOS::MsgWaitForProcessOrInput(ProcessHandle h, std::uint32_t milliseconds) {
    bool input = false;
    const bool done = WaitUntil(milliseconds, [&] {
        if (h != 0 && HandleProcessEnded(h)) return true;
        const auto due = std::find_if(inputs_.begin(), inputs_.end(), [&](std::uint32_t t) { return AtOrBefore(t, tick_); });
        if (due != inputs_.end()) {
            inputs_.erase(due);
            input = true;
            return true;
        }
        return false;
    });
    if (!done) return kWaitTimeout;
    return input ? kWaitInput : kWaitObject0;
}

} // namespace qx::fake
