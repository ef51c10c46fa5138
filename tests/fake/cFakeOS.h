#pragma once
// A scriptable operating system for the engine's tests: processes, top-level
// windows and how each answers the closing messages, and a virtual millisecond
// clock that only moves when the code under test waits, so timed behaviour is
// tested without waiting for real.
#include "core/platform/IProcessWindowServices.h"

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
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
    std::uint32_t delayMs = 0;                // from the message to the reaction
    std::uint32_t queryEndSessionDelayMs = 0; // until it answers WM_QUERYENDSESSION (with TRUE)
};

inline constexpr const char* kFakeUserSid = "S-1-5-21-7-7-7-1001";

struct FakeProcessSetup {
    std::string exePath;
    bool canOpen = true;            // OpenProcess for closing succeeds
    bool canInspect = true;         // OpenProcess for the snapshot and the module list succeed
    bool canTerminate = true;
    bool pathReadable = true;       // QueryProcessImagePath succeeds
    bool hung = false;              // ignores every message; SendMessageTimeout aborts
    bool waitFails = false;         // WaitForSingleObject on it fails with lastError 6
    bool openableAfterExit = false; // its object outlives it (another handle is open)
    bool critical = false;
    bool service = false; // hosts a running service
    ProcessOwner owner = {kFakeUserSid, 1};
    std::string toolhelpName; // what tool-help reports; empty = exePath
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
public:
    // --- scripting ---
    std::uint32_t AddProcess(const FakeProcessSetup& setup);
    // Starts a process under a given id (an id reused by another program).
    void AddProcessWithId(std::uint32_t pid, const FakeProcessSetup& setup);
    WindowHandle AddWindow(const FakeWindowSetup& setup);
    void EndProcess(std::uint32_t pid); // the program ends by itself now
    void At(std::uint32_t tick, std::function<void()> action) { events_.emplace(When(tick), std::move(action)); }
    void InputAt(std::uint32_t tick) { inputs_.insert(When(tick)); } // for this program's own thread
    void SetSelfPid(std::uint32_t pid) { selfPid_ = pid; }
    void SetTick(std::uint32_t tick) { tickBase_ = tick - static_cast<std::uint32_t>(now_); }
    // Sets the wall clock (not the tick counter), as a time sync does.
    void MoveWallClock(std::int64_t ms) { wallClockMs_ += ms; }
    void Advance(std::uint32_t ms) {
        WaitUntil(ms, [] { return false; });
    }
    ProcessOwner selfOwner = {kFakeUserSid, 1};
    bool ownerKnown = true, servicesKnown = true; // false: that query fails

    // --- inspection ---
    bool IsRunning(std::uint32_t pid) const;
    std::uint32_t Tick() const { return tickBase_ + static_cast<std::uint32_t>(now_); }
    int OpenHandleCount() const { return static_cast<int>(handles_.size()); }
    std::vector<FakeMessage> posts; // every message posted or sent, in order
    int terminateCalls = 0, dispatchCalls = 0, enumWindowsCalls = 0;

    // --- IProcessWindowServices ---
    ProcessHandle OpenProcess(std::uint32_t access, std::uint32_t processId) override;
    bool TerminateProcess(ProcessHandle h, std::uint32_t exitCode) override;
    std::uint32_t WaitForSingleObject(ProcessHandle h, std::uint32_t milliseconds) override;
    void CloseHandle(ProcessHandle h) override { handles_.erase(h); }
    std::uint32_t GetCurrentProcessId() override { return selfPid_; }
    std::uint32_t GetTickCount() override { return Tick(); }
    std::uint32_t GetLastError() override { return lastError_; }
    bool QueryProcessImagePath(ProcessHandle h, std::string& path) override;
    bool QueryProcessCreationTime(ProcessHandle h, std::uint64_t& t) override {
        return Read(h, t, [](auto& p) { return p.created; });
    }
    bool IsProcessCritical(ProcessHandle h, bool& c) override {
        return Read(h, c, [](auto& p) { return p.setup.critical; });
    }
    bool QueryProcessOwner(ProcessHandle h, ProcessOwner& o) override {
        return Read(h, o, [](auto& p) { return p.setup.owner; });
    }
    bool QueryCurrentProcessOwner(ProcessOwner& owner) override;
    bool ServiceProcessIds(std::vector<std::uint32_t>& ids) override;
    std::uint64_t GetSystemTimeAsFileTime() override;
    bool ToolhelpSnapshot(std::vector<ToolhelpProcess>& out) override;
    bool EnumProcesses(std::vector<std::uint32_t>& ids, std::uint32_t bufferBytes,
                       std::uint32_t& bytesReturned) override;
    bool GetMainModulePath(ProcessHandle h, std::string& path) override;
    bool EnumWindows(const std::function<bool(WindowHandle)>& callback) override;
    std::uint32_t GetWindowThreadProcessId(WindowHandle w) override { return Window(w).pid; }
    std::string GetWindowText(WindowHandle w) override { return Window(w).title; }
    std::string GetClassName(WindowHandle w) override { return Window(w).className; }
    bool IsWindowVisible(WindowHandle w) override { return (Window(w).style & kWsVisible) != 0; }
    WindowHandle GetParent(WindowHandle w) override { return Window(w).parent; }
    WindowHandle GetOwner(WindowHandle w) override { return Window(w).owner; }
    std::uint32_t GetWindowLong(WindowHandle w, std::int32_t index) override;
    void PostMessage(WindowHandle w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override;
    bool SendMessageTimeout(WindowHandle w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam,
                            std::uint32_t flags, std::uint32_t timeoutMs, std::uintptr_t& reply) override;
    std::uint32_t MsgWaitForProcessOrInput(ProcessHandle h, std::uint32_t milliseconds) override;
    void DispatchPendingMessages() override { ++dispatchCalls; }

private:
    struct Process {
        FakeProcessSetup setup;
        bool running = true;
        std::uint64_t created = 0;    // FILETIME
        std::uint64_t generation = 0; // tells a reused id apart
    };
    struct Handle {
        std::uint32_t pid;
        std::uint64_t generation;
    };

    // A missing window reads as an empty, invisible one.
    const FakeWindowSetup& Window(WindowHandle w) const;
    const Process* Of(ProcessHandle h) const; // the process the handle was opened on
    bool Ended(ProcessHandle h) const;
    // Reads one property of the process behind a handle; false without one.
    template <class T, class Field> bool Read(ProcessHandle h, T& out, Field field) const {
        const Process* p = Of(h);
        if (p != nullptr) out = field(*p);
        return p != nullptr;
    }
    bool Hung(WindowHandle w) const;
    void React(WindowHandle w, CloseReaction reaction);
    // The virtual moment of a tick, taking the counter's wrap into account.
    std::uint64_t When(std::uint32_t tick) const;
    // Moves time on until `done` holds (true) or `ms` have passed (false).
    bool WaitUntil(std::uint32_t ms, const std::function<bool()>& done);
    void RunDue();

    std::map<std::uint32_t, Process> processes_;
    std::map<WindowHandle, FakeWindowSetup> windows_; // handles grow, so this is creation order
    std::multimap<std::uint64_t, std::function<void()>> events_;
    std::multiset<std::uint64_t> inputs_;
    std::map<ProcessHandle, Handle> handles_;
    std::uint64_t now_ = 0;            // virtual milliseconds since the start
    std::uint32_t tickBase_ = 100000;  // the tick counter at the start
    std::int64_t wallClockMs_ = 0;
    std::uint32_t selfPid_ = 4;
    std::uint32_t nextPid_ = 1000;
    WindowHandle nextWindow_ = 0x10010;
    ProcessHandle nextHandle_ = 0x100;
    std::uint64_t generations_ = 0;
    std::uint32_t lastError_ = 0;
};

} // namespace qx::fake
