// A program for the integration tests to close. Everything about it is chosen
// on its command line:
//   --title T             title of the first window (default "QxTarget"); later
//                         windows get "T (kind N)" unless they name their own
//   --window KIND[:TITLE] repeatable; KIND is main, popup, tool, hidden,
//                         disabled, owned (a popup owned by the first window)
//                         or none. Without any --window: one main window.
//   --on-close ignore     WM_CLOSE does nothing (by default it closes the program)
//   --refuse-endsession   WM_QUERYENDSESSION answers FALSE and WM_ENDSESSION
//                         never ends it: a program that stays whatever it is asked
//   --record FILE         appends one line per WM_CLOSE, WM_QUERYENDSESSION,
//                         WM_ENDSESSION or message >= WM_USER received:
//                         "<name or number> <wParam hex> <lParam hex> <title>"
//   --ready FILE          written once the windows exist: the process id, then
//                         each window handle, one decimal number a line
//   --exit-after MS       ends by itself after MS milliseconds
//   --crash               dies of an access violation at once
// Without windows ("--window none") it runs in the background until it is
// terminated or --exit-after ends it. It links only user32 and kernel32.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Options {
    std::wstring title = L"QxTarget", recordFile, readyFile;
    std::vector<std::wstring> windows; // "kind" or "kind:title"
    bool ignoreClose = false, refuseEndSession = false, crash = false;
    UINT exitAfterMs = 0;
};

Options g_opt;
std::vector<HWND> g_windows;

void AppendBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE f = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

void Record(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (g_opt.recordFile.empty()) return;
    const char* names[] = {"WM_CLOSE", "WM_QUERYENDSESSION", "WM_ENDSESSION"};
    const int known = msg == WM_CLOSE ? 0 : msg == WM_QUERYENDSESSION ? 1 : msg == WM_ENDSESSION ? 2 : -1;
    char line[128];
    std::snprintf(line, sizeof line, "%s 0x%llX 0x%llX ", known >= 0 ? names[known] : std::to_string(msg).c_str(),
                  static_cast<unsigned long long>(wp), static_cast<unsigned long long>(lp));
    wchar_t title[256] = L"";
    char utf8[1024] = "";
    GetWindowTextW(w, title, 256); // as UTF-8, whatever the code page
    WideCharToMultiByte(CP_UTF8, 0, title, -1, utf8, sizeof utf8, nullptr, nullptr);
    AppendBytes(g_opt.recordFile, std::string(line) + utf8 + "\r\n");
}

// Written under another name and renamed, so a reader never sees half of it.
void WriteReadyFile() {
    if (g_opt.readyFile.empty()) return;
    std::string text = std::to_string(GetCurrentProcessId()) + "\r\n";
    for (HWND w : g_windows)
        text += std::to_string(static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(w))) + "\r\n";
    const std::wstring tmp = g_opt.readyFile + L".tmp";
    DeleteFileW(tmp.c_str());
    AppendBytes(tmp, text);
    MoveFileExW(tmp.c_str(), g_opt.readyFile.c_str(), MOVEFILE_REPLACE_EXISTING);
}

LRESULT CALLBACK WndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE || msg == WM_QUERYENDSESSION || msg == WM_ENDSESSION || msg >= WM_USER) Record(w, msg, wp, lp);
    switch (msg) {
    case WM_CLOSE:
        if (!g_opt.ignoreClose) PostQuitMessage(0);
        return 0;
    case WM_QUERYENDSESSION:
        return g_opt.refuseEndSession ? FALSE : TRUE;
    case WM_ENDSESSION:
        if (wp && !g_opt.refuseEndSession) PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(w, msg, wp, lp);
    }
}

bool ParseOptions(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        if (a == L"--refuse-endsession") g_opt.refuseEndSession = true;
        else if (a == L"--crash") g_opt.crash = true;
        else if (i + 1 == argc) return false;
        else if (a == L"--title") g_opt.title = argv[++i];
        else if (a == L"--record") g_opt.recordFile = argv[++i];
        else if (a == L"--ready") g_opt.readyFile = argv[++i];
        else if (a == L"--window") g_opt.windows.push_back(argv[++i]);
        else if (a == L"--exit-after") g_opt.exitAfterMs = static_cast<UINT>(_wtoi(argv[++i]));
        else if (a == L"--on-close") g_opt.ignoreClose = std::wstring(argv[++i]) == L"ignore";
        else return false;
    }
    if (g_opt.windows.empty()) g_opt.windows.push_back(L"main");
    return true;
}

bool CreateWindows(HINSTANCE inst) {
    const WNDCLASSW wc{0, WndProc, 0, 0, inst, nullptr, nullptr, nullptr, nullptr, L"QxTargetWnd"};
    if (!RegisterClassW(&wc)) return false;
    for (const std::wstring& asked : g_opt.windows) {
        const auto colon = asked.find(L':');
        const std::wstring kind = asked.substr(0, colon);
        if (kind == L"none") continue;
        const int n = static_cast<int>(g_windows.size());
        std::wstring title = n == 0 ? g_opt.title : g_opt.title + L" (" + kind + L" " + std::to_wstring(n) + L")";
        if (colon != std::wstring::npos) title = asked.substr(colon + 1);
        DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
        if (kind == L"popup" || kind == L"owned") style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
        else if (kind == L"hidden") style = WS_OVERLAPPEDWINDOW;
        else if (kind == L"disabled") style |= WS_DISABLED;
        else if (kind != L"main" && kind != L"tool") return false;
        HWND owner = kind == L"owned" && n > 0 ? g_windows.front() : nullptr;
        HWND w = CreateWindowExW(kind == L"tool" ? WS_EX_TOOLWINDOW : 0, L"QxTargetWnd", title.c_str(), style,
                                 40 + 30 * n, 40 + 30 * n, 320, 200, owner, nullptr, inst, nullptr);
        if (!w) return false;
        g_windows.push_back(w);
    }
    return true;
}

} // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int) {
    if (!ParseOptions(__argc, __wargv)) return 2;
    if (g_opt.crash) {
        volatile UINT_PTR nowhere = 0; // read at run time, so no compiler turns it into a trap
        *reinterpret_cast<volatile int*>(nowhere) = 1;
    }
    if (!CreateWindows(inst)) return 3;
    if (g_opt.exitAfterMs) SetTimer(nullptr, 0, g_opt.exitAfterMs, nullptr);
    WriteReadyFile();
    MSG m;
    // The thread's timer is the end of its lifetime.
    while (GetMessageW(&m, nullptr, 0, 0) > 0 && !(m.message == WM_TIMER && m.hwnd == nullptr))
        DispatchMessageW(&m);
    return 0;
}
