// A program for the integration tests to close. Everything about it is chosen
// on its command line:
//   --title T             title of the first window (default "QxTarget"); later
//                         windows get "T (kind N)" unless they name their own
//   --class C             window class of every window (default "QxTargetWnd")
//   --window KIND[:TITLE] repeatable; KIND is main, popup, tool, hidden,
//                         disabled, owned (a popup owned by the first window)
//                         or none; "--window popup*3" makes three. Without any
//                         --window the program shows one main window.
//   --owner-popup         same as --window owned
//   --on-close close|ignore|delay:MS|hang
//                         what WM_CLOSE does: close the program, nothing, close
//                         after MS milliseconds, or stop pumping messages
//   --endsession-only     WM_CLOSE is ignored; WM_QUERYENDSESSION answers TRUE
//                         and WM_ENDSESSION with a non-zero wParam ends it
//   --refuse-endsession   WM_QUERYENDSESSION answers FALSE and WM_ENDSESSION
//                         never ends it: a program that stays whatever it is asked
//   --answer-after MS     WM_QUERYENDSESSION is answered only after MS
//                         milliseconds of pumping messages, as when a program
//                         asks its user first
//   --record FILE         appends one line per WM_CLOSE, WM_QUERYENDSESSION,
//                         WM_ENDSESSION or message >= WM_USER received:
//                         "<name or number> <wParam hex> <lParam hex> <title>"
//   --ready FILE          written once the windows exist: the process id, then
//                         each window handle, one decimal number a line
//   --exit-after MS       ends by itself after MS milliseconds
//   --hang-after MS       stops pumping messages MS milliseconds after it is
//                         ready (the system calls a window hung after 5 s)
//   --crash               dies of an access violation at once
// Without windows ("--window none") it runs in the background until it is
// terminated or --exit-after ends it. It links only user32 and kernel32.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

enum class OnClose { Close, Ignore, Delay, Hang };

struct Options {
    std::wstring title = L"QxTarget";
    std::wstring className = L"QxTargetWnd";
    std::vector<std::pair<std::wstring, std::wstring>> windows; // kind, title ("" = default)
    std::vector<bool> titled;
    OnClose onClose = OnClose::Close;
    UINT delayMs = 0;
    bool endSessionOnly = false;
    bool refuseEndSession = false;
    std::wstring recordFile;
    std::wstring readyFile;
    UINT exitAfterMs = 0;
    int hangAfterMs = -1;
    UINT answerAfterMs = 0;
    bool crash = false;
};

Options g_opt;
std::vector<HWND> g_windows;
const UINT_PTR kDelayTimer = 1;

void AppendBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE f = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

std::string Utf8(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

void Record(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (g_opt.recordFile.empty()) return;
    char name[32];
    switch (msg) {
    case WM_CLOSE:
        std::snprintf(name, sizeof name, "WM_CLOSE");
        break;
    case WM_QUERYENDSESSION:
        std::snprintf(name, sizeof name, "WM_QUERYENDSESSION");
        break;
    case WM_ENDSESSION:
        std::snprintf(name, sizeof name, "WM_ENDSESSION");
        break;
    default:
        std::snprintf(name, sizeof name, "%u", msg);
        break;
    }
    wchar_t title[256] = L"";
    if (w) GetWindowTextW(w, title, 256);
    char line[128];
    std::snprintf(line, sizeof line, "%s 0x%llX 0x%llX ", name, static_cast<unsigned long long>(wp),
                  static_cast<unsigned long long>(lp));
    AppendBytes(g_opt.recordFile, line + Utf8(title) + "\r\n");
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

// Keeps the window responsive (it is not hung) while it makes its caller wait.
void PumpFor(UINT ms) {
    const DWORD end = GetTickCount() + ms;
    for (DWORD now = GetTickCount(); static_cast<LONG>(end - now) > 0; now = GetTickCount()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
}

void Hang() {
    for (;;)
        Sleep(INFINITE);
}

LRESULT CALLBACK WndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE || msg == WM_QUERYENDSESSION || msg == WM_ENDSESSION || msg >= WM_USER) Record(w, msg, wp, lp);
    switch (msg) {
    case WM_CLOSE:
        if (g_opt.endSessionOnly) return 0;
        switch (g_opt.onClose) {
        case OnClose::Close:
            PostQuitMessage(0);
            return 0;
        case OnClose::Ignore:
            return 0;
        case OnClose::Delay:
            SetTimer(nullptr, kDelayTimer, g_opt.delayMs, nullptr);
            return 0;
        case OnClose::Hang:
            Hang();
        }
        return 0;
    case WM_QUERYENDSESSION:
        if (g_opt.answerAfterMs) PumpFor(g_opt.answerAfterMs);
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
        const bool hasValue = i + 1 < argc;
        if (a == L"--title" && hasValue)
            g_opt.title = argv[++i];
        else if (a == L"--class" && hasValue)
            g_opt.className = argv[++i];
        else if (a == L"--record" && hasValue)
            g_opt.recordFile = argv[++i];
        else if (a == L"--ready" && hasValue)
            g_opt.readyFile = argv[++i];
        else if (a == L"--exit-after" && hasValue)
            g_opt.exitAfterMs = static_cast<UINT>(_wtoi(argv[++i]));
        else if (a == L"--hang-after" && hasValue)
            g_opt.hangAfterMs = _wtoi(argv[++i]);
        else if (a == L"--answer-after" && hasValue)
            g_opt.answerAfterMs = static_cast<UINT>(_wtoi(argv[++i]));
        else if (a == L"--owner-popup")
            g_opt.windows.push_back({L"owned", {}}), g_opt.titled.push_back(false);
        else if (a == L"--endsession-only")
            g_opt.endSessionOnly = true;
        else if (a == L"--refuse-endsession")
            g_opt.refuseEndSession = true;
        else if (a == L"--crash")
            g_opt.crash = true;
        else if (a == L"--on-close" && hasValue) {
            const std::wstring v = argv[++i];
            if (v == L"close")
                g_opt.onClose = OnClose::Close;
            else if (v == L"ignore")
                g_opt.onClose = OnClose::Ignore;
            else if (v == L"hang")
                g_opt.onClose = OnClose::Hang;
            else if (v.rfind(L"delay:", 0) == 0) {
                g_opt.onClose = OnClose::Delay;
                g_opt.delayMs = static_cast<UINT>(_wtoi(v.c_str() + 6));
            } else
                return false;
        } else if (a == L"--window" && hasValue) {
            std::wstring v = argv[++i], title;
            bool titled = false;
            int count = 1;
            if (const auto colon = v.find(L':'); colon != std::wstring::npos) {
                title = v.substr(colon + 1);
                titled = true;
                v.resize(colon);
            }
            if (const auto star = v.find(L'*'); star != std::wstring::npos) {
                count = _wtoi(v.c_str() + star + 1);
                v.resize(star);
            }
            for (int k = 0; k < count; ++k)
                g_opt.windows.push_back({v, title}), g_opt.titled.push_back(titled);
        } else
            return false;
    }
    if (g_opt.windows.empty()) g_opt.windows.push_back({L"main", {}}), g_opt.titled.push_back(false);
    return true;
}

bool CreateWindows(HINSTANCE inst) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = g_opt.className.c_str();
    if (!RegisterClassExW(&wc)) return false;
    int n = 0;
    for (std::size_t i = 0; i < g_opt.windows.size(); ++i) {
        const std::wstring& kind = g_opt.windows[i].first;
        if (kind == L"none") continue;
        DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, exStyle = 0;
        HWND owner = nullptr;
        if (kind == L"popup")
            style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
        else if (kind == L"tool")
            exStyle = WS_EX_TOOLWINDOW;
        else if (kind == L"hidden")
            style = WS_OVERLAPPEDWINDOW;
        else if (kind == L"disabled")
            style |= WS_DISABLED;
        else if (kind == L"owned") {
            style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
            if (g_windows.empty()) return false;
            owner = g_windows.front();
        } else if (kind != L"main")
            return false;
        std::wstring title = g_opt.windows[i].second;
        if (!g_opt.titled[i])
            title = n == 0 ? g_opt.title : g_opt.title + L" (" + kind + L" " + std::to_wstring(n) + L")";
        HWND w = CreateWindowExW(exStyle, g_opt.className.c_str(), title.c_str(), style, 40 + 30 * n, 40 + 30 * n, 320,
                                 200, owner, nullptr, inst, nullptr);
        if (!w) return false;
        g_windows.push_back(w);
        ++n;
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
    const UINT_PTR hangTimer =
        g_opt.hangAfterMs > 0 ? SetTimer(nullptr, 0, static_cast<UINT>(g_opt.hangAfterMs), nullptr) : 0;
    WriteReadyFile();
    if (g_opt.hangAfterMs == 0) Hang();
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        // Thread timers: the time to hang, the delayed close, or the end of the lifetime.
        if (m.message == WM_TIMER && m.hwnd == nullptr && m.wParam == hangTimer) Hang();
        if (m.message == WM_TIMER && m.hwnd == nullptr) break;
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return 0;
}
