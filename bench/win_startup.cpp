// Time from starting quellix.exe to its shown main window, next to Wine's own
// taskmgr.exe in the same run, both measured the same way: from
// CreateProcess to the first visible, captioned top-level window of the
// new process. Each program is then closed with WM_CLOSE and awaited. Run
// under Wine in Xvfb:
//   xvfb-run -a bash -c 'source scripts/wine-env.sh; wine build/mingw/bench_win_startup.exe [rounds]'
#include "win32/WinApi.h"
#include "BenchTiming.h"
#include "win32/WideText.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using qx::bench::NowMs;
using qx::bench::Print;

struct Found {
    DWORD pid;
    HWND window;
};

BOOL CALLBACK FindShown(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<Found*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    // Every GUI thread owns a hidden, captionless "Default IME" window; only a
    // visible window with a caption counts as shown.
    if (pid == found->pid && IsWindowVisible(window) != FALSE && GetWindowTextLengthW(window) > 0) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds to the first shown window, or a negative number on failure.
double TimeToWindow(const std::wstring& commandLine) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = commandLine;
    const double start = NowMs();
    if (CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi) == FALSE) {
        return -1;
    }
    Found found{pi.dwProcessId, nullptr};
    double elapsed = -1;
    while (NowMs() - start < 30000) {
        EnumWindows(FindShown, reinterpret_cast<LPARAM>(&found));
        if (found.window != nullptr) {
            elapsed = NowMs() - start;
            break;
        }
        if (WaitForSingleObject(pi.hProcess, 2) == WAIT_OBJECT_0) break;
    }
    if (found.window != nullptr) PostMessageW(found.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return elapsed;
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const std::wstring quellix = L"\"" + qx::win32::Widen(QX_BIN_DIR) + L"/quellix.exe\"";
    const std::wstring taskmgr = L"taskmgr.exe";
    // One unmeasured start of each, so that both are timed with warm caches.
    TimeToWindow(quellix);
    TimeToWindow(taskmgr);
    std::vector<double> ours, theirs;
    for (int i = 0; i < rounds; ++i) {
        const double q = TimeToWindow(quellix);
        const double t = TimeToWindow(taskmgr);
        if (q < 0 || t < 0) {
            std::printf("round %d: a program showed no window (quellix %.0f, taskmgr %.0f)\n", i, q, t);
            return 1;
        }
        ours.push_back(q);
        theirs.push_back(t);
    }
    Print("quellix.exe start to shown main window", ours);
    Print("taskmgr.exe start to shown window", theirs);
    return 0;
}
