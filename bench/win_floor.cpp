// The floor the closing benchmarks are measured against: the least a program
// can do to close every running instance of one executable politely. It
// posts WM_CLOSE to every visible top-level window of those processes at once
// (one walk over the windows), then waits on their process handles; with a
// wait given, it terminates what is left after it.
//   bench_win_floor.exe <exe file name> [wait ms]
// Exit code: 0 when every instance has ended.
#include "win32/WinApi.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

std::wstring Lower(std::wstring s) {
    std::transform(s.begin(), s.end(), s.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return s;
}

std::unordered_map<DWORD, HANDLE> OpenInstances(const std::wstring& exeName) {
    std::unordered_map<DWORD, HANDLE> open;
    const HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return open;
    PROCESSENTRY32W e{};
    e.dwSize = sizeof e;
    for (BOOL more = Process32FirstW(snap, &e); more; more = Process32NextW(snap, &e)) {
        std::wstring name = e.szExeFile;
        name = name.substr(name.find_last_of(L'\\') + 1);
        if (Lower(name) != exeName) continue;
        if (HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, e.th32ProcessID)) open[e.th32ProcessID] = h;
    }
    CloseHandle(snap);
    return open;
}

BOOL CALLBACK PostClose(HWND w, LPARAM lp) {
    const auto& open = *reinterpret_cast<const std::unordered_map<DWORD, HANDLE>*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (open.count(pid) != 0 && IsWindowVisible(w)) PostMessageW(w, WM_CLOSE, 0, 0);
    return TRUE;
}

// Waits for every handle in turn until the deadline; true when all ended.
// (Waiting on 64 at once with wait-all is slower under Wine.)
bool WaitAll(const std::vector<HANDLE>& handles, DWORD waitMs) {
    const DWORD start = GetTickCount();
    for (const HANDLE h : handles) {
        DWORD left = INFINITE;
        if (waitMs != INFINITE) {
            const DWORD spent = GetTickCount() - start;
            left = spent >= waitMs ? 0 : waitMs - spent;
        }
        if (WaitForSingleObject(h, left) == WAIT_TIMEOUT) return false;
    }
    return true;
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 2) return 2;
    const std::wstring exeName = Lower(argv[1]);
    const DWORD waitMs = argc > 2 ? static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) : INFINITE;
    const auto open = OpenInstances(exeName);
    const DWORD t0 = GetTickCount();
    EnumWindows(PostClose, reinterpret_cast<LPARAM>(&open));
    const DWORD t1 = GetTickCount();
    std::vector<HANDLE> handles;
    for (const auto& [pid, h] : open) handles.push_back(h);
    bool ended = WaitAll(handles, waitMs);
    if (GetEnvironmentVariableW(L"QX_FLOOR_TRACE", nullptr, 0) != 0)
        std::fprintf(stderr, "floor: %zu processes, post %lu ms, wait %lu ms\n", handles.size(), t1 - t0, GetTickCount() - t1);
    if (!ended) {
        for (const HANDLE h : handles) TerminateProcess(h, 1);
        ended = WaitAll(handles, 5000);
    }
    for (const HANDLE h : handles) CloseHandle(h);
    return ended ? 0 : 1;
}
