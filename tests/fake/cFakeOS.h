#pragma once
// A scriptable operating system for the engine's tests: processes with
// executable paths, top-level windows with styles, owners and titles, how each
// window answers the closing messages, and a virtual millisecond clock that
// only moves when the code under test waits, so timed behaviour is tested
// without waiting for real.
#include "core/platform/IProcessWindowServices.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace qx::fake {

// What a window does when it is asked to close.
enum class CloseReaction {
    ExitProcess, // the program ends (after the window's delay)
    CloseWindow, // only this window goes; the program ends with its last window
    Ignore,      // nothing happens
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
    std::uint32_t delayMs = 0;                               // time from the message to the reaction
    std::uintptr_t queryEndSessionReply = 1;                 // answer to WM_QUERYENDSESSION
    std::uint32_t queryEndSessionDelayMs = 0;                // time it takes to answer (a dialog, say)
};

inline constexpr const char* kFakeUserSid = "S-1-5-21-7-7-7-1001";

struct FakeProcessSetup {
    std::string exePath;
    bool canOpen = true;      // OpenProcess for closing succeeds
    bool canInspect = true;   // OpenProcess for the snapshot and the module list succeed
    bool canTerminate = true; // TerminateProcess succeeds
    bool pathReadable = true; // QueryProcessImagePath succeeds
    bool hung = false;        // stops pumping: ignores every message, SendMessageTimeout aborts
    bool waitFails = false;   // WaitForSingleObject on it fails with lastError 6
    bool openableAfterExit = false; // its object outlives it (another handle is open)
    bool critical = false;    // reported by IsProcessCritical
    bool service = false;     // hosts a running service
    ProcessOwner owner = {kFakeUserSid, 1}; // the fake's own user and session unless set
    std::uint64_t creationTime = 0; // FILETIME; 0 = now at creation
    std::string toolhelpName;       // what tool-help reports; empty = exePath
};

struct SentMessage {
    std::uint32_t tick;
    WindowHandle window;
    std::uint32_t msg;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool sent; // SendMessageTimeout rather than PostMessage
};

class cFakeOS final : public IProcessWindowServices {
public:
    cFakeOS();

    // --- scripting ---
    std::uint32_t AddProcess(const FakeProcessSetup& setup);
    // Starts a process under a given id (to model an id reused by another program).
    void AddProcessWithId(std::uint32_t pid, const FakeProcessSetup& setup);
    WindowHandle AddWindow(const FakeWindowSetup& setup);
    void EndProcess(std::uint32_t pid); // the program ends by itself now
    // Schedules something at an absolute virtual time.
    void At(std::uint32_t tick, std::function<void()> action);
    // Input for this program's own thread arrives at the given time.
    void InputAt(std::uint32_t tick);
    void SetSelfPid(std::uint32_t pid) { selfPid_ = pid; }
    // Who this program runs for; ownerKnown false makes that query fail.
    ProcessOwner selfOwner = {kFakeUserSid, 1};
    bool ownerKnown = true;
    bool servicesKnown = true; // the service manager answers
    void SetTick(std::uint32_t tick) { tick_ = tick; }
    // Sets the wall clock (not the tick counter) forward or back, as a time
    // sync does; creation times already given keep their value.
    void MoveWallClock(std::int64_t ms) { wallClockOffset_ += ms * 10000; }
    // Moves the clock forward, running whatever falls due.
    void Advance(std::uint32_t ms);

    // --- inspection ---
    bool IsRunning(std::uint32_t pid) const;
    std::uint32_t Tick() const { return tick_; }
    const std::vector<SentMessage>& Messages() const { return messages_; }
    std::vector<SentMessage> MessagesTo(WindowHandle w) const;
    int OpenHandleCount() const { return static_cast<int>(handles_.size()); }
    int TerminateCalls() const { return terminateCalls_; }
    std::vector<std::uint32_t> TerminatedPids() const { return terminated_; }
    int DispatchCalls() const { return dispatchCalls_; }
    int EnumWindowsCalls() const { return enumWindowsCalls_; }
    std::vector<std::uint32_t> BlockingWaits() const { return blockingWaits_; } // ms asked of WaitForSingleObject

    // --- IProcessWindowServices ---
    ProcessHandle OpenProcess(std::uint32_t access, std::uint32_t processId) override;
    bool TerminateProcess(ProcessHandle h, std::uint32_t exitCode) override;
    std::uint32_t WaitForSingleObject(ProcessHandle h, std::uint32_t milliseconds) override;
    void CloseHandle(ProcessHandle h) override;
    std::uint32_t GetCurrentProcessId() override { return selfPid_; }
    std::uint32_t GetTickCount() override { return tick_; }
    std::uint32_t GetLastError() override { return lastError_; }
    bool QueryProcessImagePath(ProcessHandle h, std::string& path) override;
    bool QueryProcessCreationTime(ProcessHandle h, std::uint64_t& fileTime) override;
    bool IsProcessCritical(ProcessHandle h, bool& critical) override;
    bool QueryProcessOwner(ProcessHandle h, ProcessOwner& owner) override;
    bool QueryCurrentProcessOwner(ProcessOwner& owner) override;
    bool ServiceProcessIds(std::vector<std::uint32_t>& ids) override;
    std::uint64_t GetSystemTimeAsFileTime() override;
    bool ToolhelpSnapshot(std::vector<ToolhelpProcess>& out) override;
    bool EnumProcesses(std::vector<std::uint32_t>& ids, std::uint32_t bufferBytes,
                       std::uint32_t& bytesReturned) override;
    bool GetMainModulePath(ProcessHandle h, std::string& path) override;
    bool EnumWindows(const std::function<bool(WindowHandle)>& callback) override;
    std::uint32_t GetWindowThreadProcessId(WindowHandle w) override;
    std::string GetWindowText(WindowHandle w) override;
    std::string GetClassName(WindowHandle w) override;
    bool IsWindowVisible(WindowHandle w) override;
    WindowHandle GetParent(WindowHandle w) override;
    WindowHandle GetOwner(WindowHandle w) override;
    std::uint32_t GetWindowLong(WindowHandle w, std::int32_t index) override;
    void PostMessage(WindowHandle w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override;
    bool SendMessageTimeout(WindowHandle w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam,
                            std::uint32_t flags, std::uint32_t timeoutMs, std::uintptr_t& reply) override;
    std::uint32_t MsgWaitForProcessOrInput(ProcessHandle h, std::uint32_t milliseconds) override;
    void DispatchPendingMessages() override { ++dispatchCalls_; }

private:
    struct Process {
        FakeProcessSetup setup;
        bool running = true;
        std::uint64_t generation = 0; // distinguishes a reused id
    };
    struct Window {
        FakeWindowSetup setup;
        std::uint64_t generation = 0;
    };
    struct Event {
        std::uint32_t tick;
        std::uint64_t order;
        std::function<void()> action;
    };
    struct Handle {
        std::uint32_t pid;
        std::uint64_t generation;
    };

    const Window* FindWindow(WindowHandle w) const;
    const Process* FindHandleProcess(ProcessHandle h) const;
    bool HandleProcessEnded(ProcessHandle h) const;
    void React(WindowHandle w, CloseReaction reaction);
    void CloseOneWindow(WindowHandle w);
    void RunDue();
    // Moves time forward until `done` holds or `ms` have passed; true when `done` held.
    bool WaitUntil(std::uint32_t ms, const std::function<bool()>& done);

    std::map<std::uint32_t, Process> processes_;
    std::map<WindowHandle, Window> windows_; // handles grow, so map order is creation order
    std::vector<Event> events_;
    std::vector<std::uint32_t> inputs_;
    std::map<ProcessHandle, Handle> handles_;
    std::vector<SentMessage> messages_;
    std::vector<std::uint32_t> terminated_;
    std::vector<std::uint32_t> blockingWaits_;
    std::uint32_t tick_ = 100000;
    std::uint32_t selfPid_ = 4;
    std::uint32_t nextPid_ = 1000;
    WindowHandle nextWindow_ = 0x10010;
    ProcessHandle nextHandle_ = 0x100;
    std::uint64_t nextOrder_ = 0;
    std::uint64_t generationCounter_ = 0;
    std::uint32_t lastError_ = 0;
    std::int64_t wallClockOffset_ = 0; // in FILETIME units
    int terminateCalls_ = 0;
    int dispatchCalls_ = 0;
    int enumWindowsCalls_ = 0;
};

} // namespace qx::fake
