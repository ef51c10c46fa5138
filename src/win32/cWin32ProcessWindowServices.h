#pragma once
// The real process and window services: thin wrappers over kernel32, psapi and
// user32 (wide API), with the platform's last error kept after every call.
#include "core/platform/IProcessWindowServices.h"

namespace qx::win32 {

class cWin32ProcessWindowServices final : public IProcessWindowServices {
public:
    ProcessHandle OpenProcess(std::uint32_t access, std::uint32_t processId) override;
    bool TerminateProcess(ProcessHandle h, std::uint32_t exitCode) override;
    std::uint32_t WaitForSingleObject(ProcessHandle h, std::uint32_t milliseconds) override;
    void CloseHandle(ProcessHandle h) override;
    std::uint32_t GetCurrentProcessId() override;
    std::uint32_t GetTickCount() override;
    std::uint32_t GetLastError() override { return lastError_; }

    bool QueryProcessImagePath(ProcessHandle h, std::string& path) override;
    bool QueryProcessCreationTime(ProcessHandle h, std::uint64_t& fileTime) override;
    std::uint64_t GetSystemTimeAsFileTime() override;

    bool ToolhelpSnapshot(std::vector<ToolhelpProcess>& out) override;
    bool EnumProcesses(std::vector<std::uint32_t>& ids, std::uint32_t bufferBytes,
                       std::uint32_t& bytesReturned) override;
    bool GetMainModulePath(ProcessHandle h, std::string& path) override;
    bool IsProcessCritical(ProcessHandle h, bool& critical) override;
    bool QueryProcessOwner(ProcessHandle h, ProcessOwner& owner) override;
    bool QueryCurrentProcessOwner(ProcessOwner& owner) override;
    bool ServiceProcessIds(std::vector<std::uint32_t>& ids) override;

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
    void DispatchPendingMessages() override;

private:
    void KeepLastError();
    std::uint32_t lastError_ = 0;
    bool quitPending_ = false; // the last dispatch met a quit request and left it queued
};

} // namespace qx::win32
