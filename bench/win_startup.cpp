// Start-up time of quellix.exe in window mode, from process creation to its
// visible main window, next to Wine's own taskmgr.exe started the same way
// in the same run. Several rounds each; medians. Run under Wine with Xvfb:
//   xvfb-run -a bash -c 'source scripts/wine-env.sh; qx_wine_prefix; wine build/mingw/bench_win_startup.exe [rounds]'
#include "BenchTiming.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using qx::bench::NowMs;
using qx::bench::Print;

struct FindShown {
    DWORD pid;
    const wchar_t* className; // nullptr: any visible top-level window
    HWND found = nullptr;
};

BOOL CALLBACK FindWindowOf(HWND w, LPARAM p) {
    auto* f = reinterpret_cast<FindShown*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != f->pid || !IsWindowVisible(w)) return TRUE;
    if (f->className != nullptr) {
        wchar_t cls[128] = L"";
        GetClassNameW(w, cls, 128);
        if (std::wstring(cls) != f->className) return TRUE;
    }
    f->found = w;
    return FALSE;
}

// Milliseconds until the program shows its window; -1 when it never does.
double TimeToWindow(std::wstring commandLine, const wchar_t* className, bool closeByMessage) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const double start = NowMs();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    double ms = -1;
    FindShown f{pi.dwProcessId, className};
    while (NowMs() - start < 30000) {
        EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&f));
        if (f.found != nullptr) {
            ms = NowMs() - start;
            break;
        }
        Sleep(1);
    }
    if (closeByMessage && f.found != nullptr) PostMessageW(f.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    const std::wstring quellix = L"\"" + qx::win32::Widen(QX_BIN_DIR) + L"/quellix.exe\"";
    wchar_t system[MAX_PATH] = L"";
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring taskmgr = L"\"" + std::wstring(system) + L"\\taskmgr.exe\"";
    std::vector<double> q, t;
    for (int i = 0; i < rounds; ++i) {
        const double a = TimeToWindow(quellix, L"QuellixMainWindow", true);
        const double b = TimeToWindow(taskmgr, nullptr, true);
        if (a >= 0) q.push_back(a);
        if (b >= 0) t.push_back(b);
    }
    if (!q.empty()) Print("quellix.exe to a shown main window", q);
    else std::printf("quellix.exe showed no window\n");
    if (!t.empty()) Print("taskmgr.exe to a shown window", t);
    else std::printf("taskmgr.exe showed no window\n");
    return 0;
}
