#include "fake/cFakeOS.h"

#include <algorithm>
#include <utility>

namespace qx::fake {
namespace {
// The system's error codes the fake reports.
enum : std::uint32_t { kAccessDenied = 5, kInvalidHandle = 6, kInvalidParameter = 87, kNoWindow = 1400, kTimeout = 1460 };
constexpr std::uint64_t kBaseFileTime = 134000000000000000ULL; // a date in 2025
} // namespace

std::uint32_t cFakeOS::AddProcess(const FakeProcessSetup& setup) {
    while (processes_.count(nextPid_)) nextPid_ += 4;
    AddProcessWithId(nextPid_, setup);
    return nextPid_;
}

void cFakeOS::AddProcessWithId(std::uint32_t pid, const FakeProcessSetup& setup) {
    EndProcess(pid);
    processes_[pid] = Process{setup, true, GetSystemTimeAsFileTime(), ++generations_};
}

WindowHandle cFakeOS::AddWindow(const FakeWindowSetup& setup) {
    windows_[nextWindow_] = setup;
    nextWindow_ += 2;
    return nextWindow_ - 2;
}

void cFakeOS::EndProcess(std::uint32_t pid) {
    const auto it = processes_.find(pid);
    if (it == processes_.end()) return;
    it->second.running = false;
    std::erase_if(windows_, [pid](const auto& w) { return w.second.pid == pid; });
}

bool cFakeOS::IsRunning(std::uint32_t pid) const {
    const auto it = processes_.find(pid);
    return it != processes_.end() && it->second.running;
}

std::uint64_t cFakeOS::When(std::uint32_t tick) const {
    const auto ahead = static_cast<std::int32_t>(tick - Tick());
    return ahead < 0 ? now_ : now_ + static_cast<std::uint64_t>(ahead);
}

void cFakeOS::RunDue() {
    while (!events_.empty() && events_.begin()->first <= now_) {
        const auto action = std::move(events_.begin()->second);
        events_.erase(events_.begin());
        action();
    }
}

bool cFakeOS::WaitUntil(std::uint32_t ms, const std::function<bool()>& done) {
    const std::uint64_t deadline = now_ + ms;
    for (;;) {
        RunDue();
        if (done()) return true;
        if (now_ >= deadline) return false;
        std::uint64_t next = deadline;
        if (!events_.empty()) next = std::min(next, events_.begin()->first);
        if (const auto input = inputs_.upper_bound(now_); input != inputs_.end()) next = std::min(next, *input);
        now_ = next;
    }
}

const FakeWindowSetup& cFakeOS::Window(WindowHandle w) const {
    static const FakeWindowSetup none = [] {
        FakeWindowSetup empty;
        empty.className.clear();
        empty.style = 0;
        return empty;
    }();
    const auto it = windows_.find(w);
    return it == windows_.end() ? none : it->second;
}

const cFakeOS::Process* cFakeOS::Of(ProcessHandle h) const {
    const auto it = handles_.find(h);
    if (it == handles_.end()) return nullptr;
    const auto p = processes_.find(it->second.pid);
    return p == processes_.end() ? nullptr : &p->second;
}

bool cFakeOS::Ended(ProcessHandle h) const {
    const Process* p = Of(h);
    return handles_.count(h) && (p == nullptr || !p->running || p->generation != handles_.at(h).generation);
}

ProcessHandle cFakeOS::OpenProcess(std::uint32_t access, std::uint32_t processId) {
    RunDue();
    const auto it = processes_.find(processId);
    if (it == processes_.end() || (!it->second.running && !it->second.setup.openableAfterExit)) {
        lastError_ = kInvalidParameter;
        return 0;
    }
    const FakeProcessSetup& s = it->second.setup;
    if ((access & kProcessVmRead) != 0 ? !s.canInspect : !s.canOpen) {
        lastError_ = kAccessDenied;
        return 0;
    }
    handles_[nextHandle_] = Handle{processId, it->second.generation};
    lastError_ = 0;
    return std::exchange(nextHandle_, nextHandle_ + 4);
}

bool cFakeOS::TerminateProcess(ProcessHandle h, std::uint32_t) {
    ++terminateCalls;
    RunDue();
    if (Ended(h) || Of(h) == nullptr || !Of(h)->setup.canTerminate) {
        lastError_ = handles_.count(h) ? kAccessDenied : kInvalidHandle;
        return false;
    }
    EndProcess(handles_.at(h).pid);
    lastError_ = 0;
    return true;
}

std::uint32_t cFakeOS::WaitForSingleObject(ProcessHandle h, std::uint32_t milliseconds) {
    if (handles_.count(h) == 0 || (Of(h) != nullptr && Of(h)->setup.waitFails)) {
        lastError_ = kInvalidHandle;
        return kWaitFailed;
    }
    lastError_ = 0;
    return WaitUntil(milliseconds, [&] { return Ended(h); }) ? kWaitObject0 : kWaitTimeout;
}

bool cFakeOS::QueryProcessImagePath(ProcessHandle h, std::string& path) {
    const Process* p = Of(h);
    if (p == nullptr || !p->setup.pathReadable) return false;
    path = p->setup.exePath;
    return true;
}

bool cFakeOS::QueryCurrentProcessOwner(ProcessOwner& owner) {
    if (ownerKnown) owner = selfOwner;
    return ownerKnown;
}

bool cFakeOS::ServiceProcessIds(std::vector<std::uint32_t>& ids) {
    ids.clear();
    for (const auto& [pid, p] : processes_)
        if (servicesKnown && p.running && p.setup.service) ids.push_back(pid);
    return servicesKnown;
}

std::uint64_t cFakeOS::GetSystemTimeAsFileTime() {
    return kBaseFileTime + static_cast<std::uint64_t>(static_cast<std::int64_t>(now_) + wallClockMs_) * 10000;
}

bool cFakeOS::ToolhelpSnapshot(std::vector<ToolhelpProcess>& out) {
    RunDue();
    out.clear();
    for (const auto& [pid, p] : processes_)
        if (p.running) out.push_back({pid, p.setup.toolhelpName.empty() ? p.setup.exePath : p.setup.toolhelpName});
    return true;
}

bool cFakeOS::EnumProcesses(std::vector<std::uint32_t>& ids, std::uint32_t bufferBytes, std::uint32_t& bytesReturned) {
    RunDue();
    ids.clear();
    for (const auto& [pid, p] : processes_) {
        if (ids.size() == bufferBytes / 4) break; // a full buffer: the caller grows it and asks again
        if (p.running) ids.push_back(pid);
    }
    bytesReturned = static_cast<std::uint32_t>(ids.size() * 4);
    return true;
}

bool cFakeOS::GetMainModulePath(ProcessHandle h, std::string& path) {
    if (Of(h) == nullptr || !Of(h)->setup.canInspect || Ended(h)) return false;
    path = Of(h)->setup.exePath;
    return true;
}

bool cFakeOS::EnumWindows(const std::function<bool(WindowHandle)>& callback) {
    ++enumWindowsCalls;
    RunDue();
    std::vector<WindowHandle> order;
    for (const auto& [w, setup] : windows_) order.push_back(w);
    return std::all_of(order.begin(), order.end(), callback);
}

std::uint32_t cFakeOS::GetWindowLong(WindowHandle w, std::int32_t index) {
    if (windows_.count(w) == 0) lastError_ = kNoWindow;
    return index == kGwlExStyle ? Window(w).exStyle : index == kGwlStyle ? Window(w).style : 0;
}

bool cFakeOS::Hung(WindowHandle w) const {
    const auto p = processes_.find(Window(w).pid);
    return p != processes_.end() && p->second.setup.hung;
}

void cFakeOS::React(WindowHandle w, CloseReaction reaction) {
    const auto p = processes_.find(Window(w).pid);
    if (reaction == CloseReaction::Ignore || p == processes_.end()) return;
    const std::uint32_t pid = p->first;
    const std::uint64_t generation = p->second.generation;
    At(Tick() + Window(w).delayMs, [this, w, pid, generation, reaction] {
        const auto q = processes_.find(pid);
        if (q == processes_.end() || !q->second.running || q->second.generation != generation) return;
        windows_.erase(w);
        const bool lastWindow = std::none_of(windows_.begin(), windows_.end(),
                                             [pid](const auto& kv) { return kv.second.pid == pid; });
        if (reaction == CloseReaction::ExitProcess || lastWindow) EndProcess(pid);
    });
}

void cFakeOS::PostMessage(WindowHandle w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    posts.push_back({Tick(), w, msg, wParam, lParam, false});
    if (windows_.count(w) == 0 || Hung(w)) return; // a hung program's queue is never read
    if (msg == kWmClose) React(w, Window(w).onClose);
    if (msg == kWmEndSession && wParam != 0) React(w, Window(w).onEndSession);
}

bool cFakeOS::SendMessageTimeout(WindowHandle w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam,
                                 std::uint32_t flags, std::uint32_t timeoutMs, std::uintptr_t& reply) {
    if (windows_.count(w) == 0 || (Hung(w) && (flags & kSmtoAbortIfHung) != 0)) {
        lastError_ = windows_.count(w) == 0 ? kNoWindow : kTimeout;
        return false;
    }
    posts.push_back({Tick(), w, msg, wParam, lParam, true});
    const std::uint32_t answerMs = msg == kWmQueryEndSession ? Window(w).queryEndSessionDelayMs : 0;
    Advance(std::min(answerMs, timeoutMs));
    if (answerMs > timeoutMs) {
        lastError_ = kTimeout;
        return false;
    }
    reply = msg == kWmQueryEndSession ? 1 : 0;
    return true;
}

std::uint32_t cFakeOS::MsgWaitForProcessOrInput(ProcessHandle h, std::uint32_t milliseconds) {
    bool input = false;
    const bool done = WaitUntil(milliseconds, [&] {
        if (h != 0 && Ended(h)) return true;
        input = !inputs_.empty() && *inputs_.begin() <= now_;
        if (input) inputs_.erase(inputs_.begin());
        return input;
    });
    return !done ? kWaitTimeout : input ? kWaitInput : kWaitObject0;
}

} // namespace qx::fake
