#include "integration/modRunAnswered.h"

#include "win32/WideText.h"
#include "win32/WinApi.h"

#include <set>

namespace qx::test {

namespace {

struct WindowScan {
    DWORD pid;
    int button;
    std::set<HWND> answered;
    std::set<HWND> others;
    std::vector<std::string>* boxes;
};

BOOL CALLBACK ScanWindow(HWND w, LPARAM lp) {
    auto& scan = *reinterpret_cast<WindowScan*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != scan.pid || !IsWindowVisible(w)) return TRUE;
    wchar_t cls[64] = L"";
    GetClassNameW(w, cls, 64);
    if (std::wstring(cls) != L"#32770") {
        scan.others.insert(w);
    } else if (scan.answered.insert(w).second) {
        std::wstring text(8192, L'\0');
        const UINT n = GetDlgItemTextW(w, 0xFFFF, text.data(), static_cast<int>(text.size()));
        scan.boxes->push_back(win32::Narrow(text.data(), n));
        PostMessageW(w, WM_COMMAND, static_cast<WPARAM>(scan.button), 0);
    }
    return TRUE;
}

} // namespace

AnsweredRun RunAnswered(const std::string& commandLine, const std::string& folder, int button, void* output,
                        std::uint32_t timeoutMs, void* errors) {
    AnsweredRun r;
    std::wstring cmd = win32::Widen(commandLine);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (output != nullptr) {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = static_cast<HANDLE>(output);
        si.hStdError = static_cast<HANDLE>(errors != nullptr ? errors : output);
    }
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, output != nullptr, 0, nullptr,
                        win32::Widen(folder).c_str(), &si, &pi))
        return r;
    r.started = true;
    WindowScan scan{pi.dwProcessId, button, {}, {}, &r.boxes};
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(pi.hProcess, 20) == WAIT_TIMEOUT) {
        EnumWindows(ScanWindow, reinterpret_cast<LPARAM>(&scan));
        if (GetTickCount() - start > timeoutMs) TerminateProcess(pi.hProcess, 998);
    }
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    r.exitCode = code;
    r.otherWindows = static_cast<int>(scan.others.size());
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return r;
}

} // namespace qx::test
