#pragma once
// A scriptable operating system for the tests: processes, top-level windows
// and how each answers the closing messages, and a virtual millisecond clock
// that only moves when the code under test waits, so timed behaviour is
// tested without waiting for real. Tests that only look at what is posted
// use it without processes or windows.
#include "core/platform/IProcessWindowServices.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <ranges>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace qx::fake {

// What a window does when it is asked to close.
enum class CloseReaction {
    ExitProcess, // the program ends (after the window's delay)
    CloseWindow, // only this window goes; the program ends with its last window
    Ignore,
};

struct FakeWindowSetup {
    std::uint32_t pid = 0;
    std::string title;
    std::string className = "FakeWindowClass";
    std::uint32_t style = kWsVisible;
    std::uint32_t exStyle = 0;
    WindowHandle owner = 0;
    WindowHandle parent = 0;
    CloseReaction onClose = CloseReaction::ExitProcess;
    CloseReaction onEndSession = CloseReaction::ExitProcess; // on WM_ENDSESSION with wParam TRUE
    std::uint32_t delayMs = 0;                               // from the message to the reaction
    std::uint32_t queryEndSessionDelayMs = 0;                // until it answers WM_QUERYENDSESSION (with TRUE)
};

inline constexpr const char* kFakeUserSid = "S-1-5-21-7-7-7-1001";

struct FakeProcessSetup {
    std::string exePath;
    bool canOpen = true;    // OpenProcess for closing succeeds
    bool canInspect = true; // OpenProcess for the snapshot and the module list succeed
    bool canTerminate = true;
    bool waitFails = false; // WaitForSingleObject on it fails with lastError 6
    bool critical = false;
    bool service = false; // hosts a running service
    ProcessOwner owner = {kFakeUserSid, 1};
};

struct FakeMessage {
    std::uint32_t tick;
    WindowHandle window;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool sent; // SendMessageTimeout rather than PostMessage
};

class cFakeOS final : public IProcessWindowServices {
    struct Process {
        std::uint32_t pid;
        FakeProcessSetup setup;
        bool running;
        std::uint64_t created; // FILETIME
    };
    // The system's error codes the fake reports.
    enum : std::uint32_t { kAccessDenied = 5, kInvalidHandle = 6, kNotFound = 87, kNoWindow = 1400, kTimeout = 1460 };

public:
    // --- scripting ---
    std::uint32_t AddProcess(const FakeProcessSetup& setup) {
        while (byPid_.count(nextPid_))
            nextPid_ += 4;
        AddProcessWithId(nextPid_, setup);
        return nextPid_;
    }
    // Starts a process under a given id (an id reused by another program).
    void AddProcessWithId(std::uint32_t pid, const FakeProcessSetup& setup) {
        EndProcess(pid);
        byPid_[pid] = instances_.size();
        instances_.push_back(Process{pid, setup, true, GetSystemTimeAsFileTime()});
    }
    WindowHandle AddWindow(const FakeWindowSetup& setup) {
        windows_[nextWindow_] = setup;
        return std::exchange(nextWindow_, nextWindow_ + 2);
    }
    // The program ends by itself now.
    void EndProcess(std::uint32_t pid) {
        if (byPid_.count(pid)) instances_[byPid_[pid]].running = false;
        std::erase_if(windows_, [pid](const auto& w) { return w.second.pid == pid; });
    }
    void At(std::uint32_t tick, std::function<void()> action) { events_.emplace(When(tick), std::move(action)); }
    void SetSelfPid(std::uint32_t pid) { selfPid_ = pid; }
    void SetTick(std::uint32_t tick) { tickBase_ = tick - static_cast<std::uint32_t>(now_); }
    void Advance(std::uint32_t ms) {
        WaitUntil(ms, [] { return false; });
    }
    bool ownerKnown = true, servicesKnown = true; // false: that query fails

    // --- inspection ---
    bool IsRunning(std::uint32_t pid) const { return byPid_.count(pid) && instances_[byPid_.at(pid)].running; }
    std::uint32_t Tick() const { return tickBase_ + static_cast<std::uint32_t>(now_); }
    int OpenHandleCount() const { return static_cast<int>(handles_.size()); }
    std::vector<FakeMessage> posts; // every message posted or sent, in order
    int dispatchCalls = 0, enumWindowsCalls = 0;

    // --- IProcessWindowServices ---
    ProcessHandle OpenProcess(std::uint32_t access, std::uint32_t processId) override {
        RunDue();
        if (!IsRunning(processId)) return Fail(kNotFound);
        const ProcessHandle h = byPid_[processId] + 1;
        const FakeProcessSetup& s = instances_[h - 1].setup;
        if ((access & kProcessVmRead) != 0 ? !s.canInspect : !s.canOpen) return Fail(kAccessDenied);
        handles_.insert(h);
        return h;
    }
    bool TerminateProcess(ProcessHandle h, std::uint32_t) override {
        RunDue();
        if (handles_.count(h) == 0) return Fail(kInvalidHandle);
        if (Ended(h) || !Of(h)->setup.canTerminate) return Fail(kAccessDenied);
        EndProcess(Of(h)->pid);
        return true;
    }
    std::uint32_t WaitForSingleObject(ProcessHandle h, std::uint32_t milliseconds) override {
        if (handles_.count(h) == 0 || (Of(h) && Of(h)->setup.waitFails)) {
            Fail(kInvalidHandle);
            return kWaitFailed;
        }
        return WaitUntil(milliseconds, [&] { return Ended(h); }) ? kWaitObject0 : kWaitTimeout;
    }
    void CloseHandle(ProcessHandle h) override {
        if (handles_.count(h)) handles_.erase(handles_.find(h));
    }
    std::uint32_t GetCurrentProcessId() override { return selfPid_; }
    std::uint32_t GetTickCount() override { return Tick(); }
    std::uint32_t GetLastError() override { return lastError_; }
    bool QueryProcessImagePath(ProcessHandle h, std::string& p) override { return Read(h, p, &Setup::exePath); }
    bool QueryProcessCreationTime(ProcessHandle h, std::uint64_t& t) override {
        if (Of(h)) t = Of(h)->created;
        return Of(h) != nullptr;
    }
    bool IsProcessCritical(ProcessHandle h, bool& c) override { return Read(h, c, &Setup::critical); }
    bool QueryProcessOwner(ProcessHandle h, ProcessOwner& o) override { return Read(h, o, &Setup::owner); }
    bool QueryCurrentProcessOwner(ProcessOwner& owner) override {
        if (ownerKnown) owner = {kFakeUserSid, 1};
        return ownerKnown;
    }
    bool ServiceProcessIds(std::vector<std::uint32_t>& ids) override {
        ids.clear();
        for (const Process& p : instances_)
            if (servicesKnown && p.running && p.setup.service) ids.push_back(p.pid);
        return servicesKnown;
    }
    std::uint64_t GetSystemTimeAsFileTime() override {
        constexpr std::uint64_t kStart = 134000000000000000ULL; // a date in 2025
        return kStart + now_ * 10000;
    }
    bool ToolhelpSnapshot(std::vector<ToolhelpProcess>& out) override {
        RunDue();
        out.clear();
        for (const auto& [pid, i] : byPid_)
            if (instances_[i].running) out.push_back({pid, instances_[i].setup.exePath});
        return true;
    }
    bool EnumProcesses(std::vector<std::uint32_t>& ids, std::uint32_t bufferBytes,
                       std::uint32_t& bytesReturned) override {
        RunDue();
        ids.clear();
        for (const auto& [pid, i] : byPid_) {
            if (ids.size() == bufferBytes / 4) break; // a full buffer: the caller grows it and asks again
            if (instances_[i].running) ids.push_back(pid);
        }
        bytesReturned = static_cast<std::uint32_t>(ids.size() * 4);
        return true;
    }
    bool GetMainModulePath(ProcessHandle h, std::string& path) override {
        return Of(h) && Of(h)->setup.canInspect && !Ended(h) && Read(h, path, &Setup::exePath);
    }
    bool EnumWindows(const std::function<bool(WindowHandle)>& callback) override {
        ++enumWindowsCalls;
        RunDue();
        const auto handles = std::views::keys(windows_);
        const std::vector<WindowHandle> order(handles.begin(), handles.end()); // a callback may close windows
        return std::all_of(order.begin(), order.end(), callback);
    }
    std::uint32_t GetWindowThreadProcessId(WindowHandle w) override { return Window(w).pid; }
    std::string GetWindowText(WindowHandle w) override { return Window(w).title; }
    std::string GetClassName(WindowHandle w) override { return Window(w).className; }
    bool IsWindowVisible(WindowHandle w) override { return (Window(w).style & kWsVisible) != 0; }
    WindowHandle GetParent(WindowHandle w) override { return Window(w).parent; }
    WindowHandle GetOwner(WindowHandle w) override { return Window(w).owner; }
    std::uint32_t GetWindowLong(WindowHandle w, std::int32_t index) override {
        if (windows_.count(w) == 0) lastError_ = kNoWindow;
        return index == kGwlExStyle ? Window(w).exStyle : index == kGwlStyle ? Window(w).style : 0;
    }
    void PostMessage(WindowHandle w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override {
        posts.push_back({Tick(), w, msg, wParam, lParam, false});
        if (windows_.count(w) == 0) return;
        if (msg == kWmClose) React(w, Window(w).onClose);
        if (msg == kWmEndSession && wParam != 0) React(w, Window(w).onEndSession);
    }
    bool SendMessageTimeout(WindowHandle w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam,
                            std::uint32_t, std::uint32_t timeoutMs, std::uintptr_t& reply) override {
        if (windows_.count(w) == 0) return Fail(kNoWindow);
        posts.push_back({Tick(), w, msg, wParam, lParam, true});
        const std::uint32_t answerMs = msg == kWmQueryEndSession ? Window(w).queryEndSessionDelayMs : 0;
        Advance(std::min(answerMs, timeoutMs));
        if (answerMs > timeoutMs) return Fail(kTimeout);
        reply = msg == kWmQueryEndSession ? 1 : 0;
        return true;
    }
    // No input arrives for this program's own thread.
    std::uint32_t MsgWaitForProcessOrInput(ProcessHandle h, std::uint32_t milliseconds) override {
        return WaitUntil(milliseconds, [&] { return h != 0 && Ended(h); }) ? kWaitObject0 : kWaitTimeout;
    }
    void DispatchPendingMessages() override { ++dispatchCalls; }

private:
    bool Fail(std::uint32_t error) {
        lastError_ = error;
        return false;
    }
    // A missing window reads as an empty, invisible one.
    const FakeWindowSetup& Window(WindowHandle w) const {
        static const FakeWindowSetup none{.title = {}, .className = {}, .style = 0};
        const auto it = windows_.find(w);
        return it == windows_.end() ? none : it->second;
    }
    // The process the handle was opened on.
    const Process* Of(ProcessHandle h) const { return handles_.count(h) ? &instances_[h - 1] : nullptr; }
    bool Ended(ProcessHandle h) const { return Of(h) && !Of(h)->running; }
    using Setup = FakeProcessSetup;
    template <class T> bool Read(ProcessHandle h, T& out, T Setup::*field) const {
        if (Of(h)) out = Of(h)->setup.*field;
        return Of(h) != nullptr;
    }
    void React(WindowHandle w, CloseReaction reaction) {
        if (reaction == CloseReaction::Ignore || !byPid_.count(Window(w).pid)) return;
        At(Tick() + Window(w).delayMs, [this, w, instance = byPid_[Window(w).pid], reaction] {
            const std::uint32_t pid = instances_[instance].pid;
            if (!instances_[instance].running) return;
            windows_.erase(w);
            const bool last =
                std::none_of(windows_.begin(), windows_.end(), [pid](auto& kv) { return kv.second.pid == pid; });
            if (reaction == CloseReaction::ExitProcess || last) EndProcess(pid);
        });
    }
    // The virtual moment of a tick, taking the counter's wrap into account.
    std::uint64_t When(std::uint32_t tick) const {
        const auto ahead = static_cast<std::int32_t>(tick - Tick());
        return ahead < 0 ? now_ : now_ + static_cast<std::uint64_t>(ahead);
    }
    // Moves time on until `done` holds (true) or `ms` have passed (false), running what falls due.
    bool WaitUntil(std::uint32_t ms, const std::function<bool()>& done) {
        const std::uint64_t deadline = now_ + ms;
        for (;;) {
            RunDue();
            if (done()) return true;
            if (now_ >= deadline) return false;
            std::uint64_t next = deadline;
            if (!events_.empty()) next = std::min(next, events_.begin()->first);
            now_ = next;
        }
    }
    void RunDue() {
        while (!events_.empty() && events_.begin()->first <= now_) {
            const auto action = std::move(events_.begin()->second);
            events_.erase(events_.begin());
            action();
        }
    }

    std::vector<Process> instances_;                  // every process started; a handle to one is its index + 1
    std::map<std::uint32_t, std::size_t> byPid_;      // the latest instance under each id
    std::multiset<ProcessHandle> handles_;            // open ones
    std::map<WindowHandle, FakeWindowSetup> windows_; // handles grow, so this is creation order
    std::multimap<std::uint64_t, std::function<void()>> events_;
    std::uint64_t now_ = 0;           // virtual milliseconds since the start
    std::uint32_t tickBase_ = 100000; // the tick counter at the start
    std::uint32_t selfPid_ = 4;
    std::uint32_t nextPid_ = 1000;
    WindowHandle nextWindow_ = 0x10010;
    std::uint32_t lastError_ = 0;
};

} // namespace qx::fake
