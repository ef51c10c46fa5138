#include "integration/modRunAnswered.h"

#include "win32/WideText.h"
#include "win32/WinApi.h"

#include <set>

namespace qx::test {

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
    struct Scan {
        DWORD pid;
        int button;
        AnsweredRun& run;
        std::set<HWND> answered, others;
    } scan{pi.dwProcessId, button, r, {}, {}};
    const auto visit = [](HWND w, LPARAM p) -> BOOL {
        auto& s = *reinterpret_cast<Scan*>(p);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        wchar_t cls[64] = L"";
        GetClassNameW(w, cls, 64);
        if (pid != s.pid || !IsWindowVisible(w)) return TRUE;
        if (std::wstring(cls) != L"#32770") {
            // Closed as its close box does; a splash or a tool window has none.
            if (s.others.insert(w).second && (GetWindowLongPtrW(w, GWL_STYLE) & WS_SYSMENU) != 0)
                PostMessageW(w, WM_CLOSE, 0, 0);
        } else if (s.answered.insert(w).second) {
            std::wstring text(8192, L'\0');
            s.run.boxes.push_back(win32::Narrow(text.data(), GetDlgItemTextW(w, 0xFFFF, text.data(), 8192)));
            PostMessageW(w, WM_COMMAND, static_cast<WPARAM>(s.button), 0);
        }
        return TRUE;
    };
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(pi.hProcess, 20) == WAIT_TIMEOUT) {
        EnumWindows(visit, reinterpret_cast<LPARAM>(&scan));
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
