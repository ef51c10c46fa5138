#pragma once
// The operating-system services the kill engine and the inventory need:
// processes, top-level windows and window messages. Kept close to the Win32
// calls so that the engine's logic reads like the platform it drives, while
// tests can substitute a scripted system.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qx {

using WindowHandle = std::uint32_t;   // top-level window handles fit in 32 bits
using ProcessHandle = std::uintptr_t; // opaque; 0 means "no handle"

inline constexpr std::uint32_t kSynchronize = 0x00100000;
inline constexpr std::uint32_t kProcessTerminate = 0x0001;
inline constexpr std::uint32_t kProcessQueryInformation = 0x0400;
inline constexpr std::uint32_t kProcessVmRead = 0x0010;
inline constexpr std::uint32_t kProcessQueryLimitedInformation = 0x1000; // NT 6 and later
inline constexpr std::uint32_t kKillAccess = kSynchronize | kProcessQueryInformation | kProcessTerminate;
inline constexpr std::uint32_t kInspectAccess = kProcessQueryInformation | kProcessVmRead;

inline constexpr std::uint32_t kWaitObject0 = 0;
inline constexpr std::uint32_t kWaitInput = 1;       // from MsgWaitForProcessOrInput with a handle
inline constexpr std::uint32_t kWaitTimeout = 258;
inline constexpr std::uint32_t kWaitFailed = 0xFFFFFFFF;
// GetLastError after OpenProcess: the process runs but may not be touched.
inline constexpr std::uint32_t kErrorProcessAccessDenied = 5;

inline constexpr std::int32_t kGwlStyle = -16;
inline constexpr std::int32_t kGwlExStyle = -20;
inline constexpr std::uint32_t kWsVisible = 0x10000000;
inline constexpr std::uint32_t kWsDisabled = 0x08000000;
inline constexpr std::uint32_t kWsPopup = 0x80000000;
inline constexpr std::uint32_t kWsExToolWindow = 0x00000080;

inline constexpr std::uint32_t kWmClose = 0x0010;
inline constexpr std::uint32_t kWmQueryEndSession = 0x0011;
inline constexpr std::uint32_t kWmEndSession = 0x0016;
inline constexpr std::uint32_t kEndSessionLogoff = 0x80000000;
inline constexpr std::uint32_t kSmtoAbortIfHung = 2;
inline constexpr std::uint32_t kQueryEndSessionTimeoutMs = 0x100590;

// Who a process runs for: the account's security identifier (in its text
// form) and the logon session of its token.
struct ProcessOwner {
    std::string userSid;
    std::uint32_t sessionId = 0;
    bool operator==(const ProcessOwner&) const = default;
};

// One record of the tool-help process snapshot.
struct ToolhelpProcess {
    std::uint32_t processId = 0;
    std::string exeFile; // as the platform stores it: a full path or a bare name
};

class IProcessWindowServices {
public:
    virtual ~IProcessWindowServices() = default;

    // --- processes ---
    virtual ProcessHandle OpenProcess(std::uint32_t access, std::uint32_t processId) = 0;
    virtual bool TerminateProcess(ProcessHandle h, std::uint32_t exitCode) = 0;
    virtual std::uint32_t WaitForSingleObject(ProcessHandle h, std::uint32_t milliseconds) = 0;
    virtual void CloseHandle(ProcessHandle h) = 0;
    virtual std::uint32_t GetCurrentProcessId() = 0;
    virtual std::uint32_t GetTickCount() = 0;
    virtual std::uint32_t GetLastError() = 0;

    // Identity of an opened process, so that a reused process id is never
    // mistaken for the program that was listed. Both may be unavailable.
    virtual bool QueryProcessImagePath(ProcessHandle h, std::string& path) = 0;
    virtual bool QueryProcessCreationTime(ProcessHandle h, std::uint64_t& fileTime) = 0;
    // Whether the system treats the process as critical: ending it stops the
    // machine. False when the platform cannot tell (no such service, or the
    // handle lacks query access); `critical` is then left alone.
    virtual bool IsProcessCritical(ProcessHandle h, bool& critical) = 0;
    // The owner of an opened process, and of this process. False when the
    // platform cannot tell (no tokens, or the handle lacks query access).
    virtual bool QueryProcessOwner(ProcessHandle h, ProcessOwner& owner) = 0;
    virtual bool QueryCurrentProcessOwner(ProcessOwner& owner) = 0;
    // The ids of the processes that host a running service, as the service
    // manager reports them. False when it cannot be asked.
    virtual bool ServiceProcessIds(std::vector<std::uint32_t>& ids) = 0;
    // Current time as a FILETIME (100 ns since 1601), comparable with the above.
    virtual std::uint64_t GetSystemTimeAsFileTime() = 0;

    // --- snapshots ---
    virtual bool ToolhelpSnapshot(std::vector<ToolhelpProcess>& out) = 0;
    // EnumProcesses: fills ids up to capacity; bytesReturned as the platform reports it.
    virtual bool EnumProcesses(std::vector<std::uint32_t>& ids, std::uint32_t bufferBytes,
                               std::uint32_t& bytesReturned) = 0;
    // EnumProcessModules + GetModuleFileNameExA of the first module.
    virtual bool GetMainModulePath(ProcessHandle h, std::string& path) = 0;

    // --- windows ---
    // Calls back once per top-level window until the callback returns false;
    // returns false when the callback stopped it.
    virtual bool EnumWindows(const std::function<bool(WindowHandle)>& callback) = 0;
    virtual std::uint32_t GetWindowThreadProcessId(WindowHandle w) = 0;
    virtual std::string GetWindowText(WindowHandle w) = 0;
    virtual std::string GetClassName(WindowHandle w) = 0;
    virtual bool IsWindowVisible(WindowHandle w) = 0;
    virtual WindowHandle GetParent(WindowHandle w) = 0;
    virtual WindowHandle GetOwner(WindowHandle w) = 0;
    virtual std::uint32_t GetWindowLong(WindowHandle w, std::int32_t index) = 0;
    virtual void PostMessage(WindowHandle w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // SendMessageTimeout(WM_QUERYENDSESSION...): true when the window answered.
    virtual bool SendMessageTimeout(WindowHandle w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam,
                                    std::uint32_t flags, std::uint32_t timeoutMs, std::uintptr_t& reply) = 0;

    // Waits until input arrives for this thread (kWaitInput), the process
    // handle (when not 0) is signalled (kWaitObject0), or the time runs out
    // (kWaitTimeout).
    virtual std::uint32_t MsgWaitForProcessOrInput(ProcessHandle h, std::uint32_t milliseconds) = 0;
    // Dispatches every window message pending for this thread and returns.
    virtual void DispatchPendingMessages() = 0;
};

} // namespace qx
