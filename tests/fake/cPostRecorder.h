#pragma once
// Records posted window messages and nothing else; every other service
// answers as a system with no processes and no windows would.
#include "core/platform/IProcessWindowServices.h"

#include <vector>

namespace qx::fake {

class cPostRecorder final : public IProcessWindowServices {
public:
    struct Post {
        WindowHandle window;
        std::uint32_t message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };
    std::vector<Post> posts;

    void PostMessage(WindowHandle w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override {
        posts.push_back({w, msg, wParam, lParam});
    }

    ProcessHandle OpenProcess(std::uint32_t, std::uint32_t) override { return 0; }
    bool TerminateProcess(ProcessHandle, std::uint32_t) override { return false; }
    std::uint32_t WaitForSingleObject(ProcessHandle, std::uint32_t) override { return kWaitFailed; }
    void CloseHandle(ProcessHandle) override {}
    std::uint32_t GetCurrentProcessId() override { return 1; }
    std::uint32_t GetTickCount() override { return 0; }
    std::uint32_t GetLastError() override { return 0; }
    bool QueryProcessImagePath(ProcessHandle, std::string&) override { return false; }
    bool QueryProcessCreationTime(ProcessHandle, std::uint64_t&) override { return false; }
    std::uint64_t GetSystemTimeAsFileTime() override { return 0; }
    bool ToolhelpSnapshot(std::vector<ToolhelpProcess>&) override { return false; }
    bool EnumProcesses(std::vector<std::uint32_t>&, std::uint32_t, std::uint32_t&) override { return false; }
    bool GetMainModulePath(ProcessHandle, std::string&) override { return false; }
    bool IsProcessCritical(ProcessHandle, bool&) override { return false; }
    bool QueryProcessOwner(ProcessHandle, ProcessOwner&) override { return false; }
    bool QueryCurrentProcessOwner(ProcessOwner&) override { return false; }
    bool ServiceProcessIds(std::vector<std::uint32_t>&) override { return false; }
    bool EnumWindows(const std::function<bool(WindowHandle)>&) override { return true; }
    std::uint32_t GetWindowThreadProcessId(WindowHandle) override { return 0; }
    std::string GetWindowText(WindowHandle) override { return {}; }
    std::string GetClassName(WindowHandle) override { return {}; }
    bool IsWindowVisible(WindowHandle) override { return false; }
    WindowHandle GetParent(WindowHandle) override { return 0; }
    WindowHandle GetOwner(WindowHandle) override { return 0; }
    std::uint32_t GetWindowLong(WindowHandle, std::int32_t) override { return 0; }
    bool SendMessageTimeout(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t, std::uint32_t, std::uint32_t,
                            std::uintptr_t&) override {
        return false;
    }
    std::uint32_t MsgWaitForProcessOrInput(ProcessHandle, std::uint32_t) override { return kWaitTimeout; }
    void DispatchPendingMessages() override {}
};

} // namespace qx::fake
