#include "win32/cWin32ProcessWindowServices.h"

#include "win32/ProcessCritical.h"
#include "win32/ProcessOwner.h"

#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/WindowHandle.h"

#include <cwchar>

namespace qx::win32 {
namespace {

HANDLE ToHandle(ProcessHandle h) {
    return reinterpret_cast<HANDLE>(h);
}

std::uint64_t ToUint64(const FILETIME& t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// A fixed-size text buffer as the platform fills it, cut at the first NUL.
std::string FromBuffer(const wchar_t* buffer, std::size_t capacity) {
    return Narrow(buffer, wcsnlen(buffer, capacity));
}

using QueryFullProcessImageNameWFn = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);

// Present from Vista on; older systems fall back to the module file name.
QueryFullProcessImageNameWFn QueryFullProcessImageNameFn() {
    static const auto fn = reinterpret_cast<QueryFullProcessImageNameWFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "QueryFullProcessImageNameW")));
    return fn;
}

// GetWindowTextW or GetClassNameW into the same 255-character buffer the
// listing has always used, cut at the first NUL.
std::string ReadWindowString(int(WINAPI* read)(HWND, LPWSTR, int), WindowHandle w, std::uint32_t& lastError) {
    wchar_t buffer[255] = L"";
    const int n = read(ToHwnd(w), buffer, 255);
    lastError = ::GetLastError();
    try {
        return FromBuffer(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
    } catch (...) {
        return {};
    }
}

struct EnumContext {
    const std::function<bool(WindowHandle)>* callback;
    bool failed = false;
};

BOOL CALLBACK EnumProc(HWND w, LPARAM lp) {
    auto* ctx = reinterpret_cast<EnumContext*>(lp);
    try {
        return (*ctx->callback)(ToWindowHandle(w)) ? TRUE : FALSE;
    } catch (...) {
        // Never let an exception unwind through the system's frames.
        ctx->failed = true;
        return FALSE;
    }
}

} // namespace

void cWin32ProcessWindowServices::KeepLastError() {
    lastError_ = ::GetLastError();
}

ProcessHandle cWin32ProcessWindowServices::OpenProcess(std::uint32_t access, std::uint32_t processId) {
    HANDLE h = ::OpenProcess(access, FALSE, processId);
    KeepLastError();
    return reinterpret_cast<ProcessHandle>(h);
}

bool cWin32ProcessWindowServices::TerminateProcess(ProcessHandle h, std::uint32_t exitCode) {
    const BOOL ok = ::TerminateProcess(ToHandle(h), exitCode);
    KeepLastError();
    return ok != FALSE;
}

std::uint32_t cWin32ProcessWindowServices::WaitForSingleObject(ProcessHandle h, std::uint32_t milliseconds) {
    const DWORD r = ::WaitForSingleObject(ToHandle(h), milliseconds);
    KeepLastError();
    return r;
}

void cWin32ProcessWindowServices::CloseHandle(ProcessHandle h) {
    if (h == 0) return;
    ::CloseHandle(ToHandle(h));
    KeepLastError();
}

std::uint32_t cWin32ProcessWindowServices::GetCurrentProcessId() {
    return ::GetCurrentProcessId();
}

std::uint32_t cWin32ProcessWindowServices::GetTickCount() {
    return ::GetTickCount();
}

bool cWin32ProcessWindowServices::QueryProcessImagePath(ProcessHandle h, std::string& path) {
    try {
        wchar_t buffer[MAX_PATH * 4];
        BOOL ok = FALSE;
        if (const auto query = QueryFullProcessImageNameFn()) {
            DWORD size = static_cast<DWORD>(std::size(buffer));
            ok = query(ToHandle(h), 0, buffer, &size);
            KeepLastError();
            if (ok) path = Narrow(buffer, size);
        } else {
            const DWORD n = GetModuleFileNameExW(ToHandle(h), nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
            KeepLastError();
            ok = n != 0;
            if (ok) path = Narrow(buffer, n);
        }
        return ok != FALSE;
    } catch (...) {
        return false;
    }
}

bool cWin32ProcessWindowServices::QueryProcessCreationTime(ProcessHandle h, std::uint64_t& fileTime) {
    FILETIME created{}, exited{}, kernel{}, user{};
    const BOOL ok = GetProcessTimes(ToHandle(h), &created, &exited, &kernel, &user);
    KeepLastError();
    if (ok) fileTime = ToUint64(created);
    return ok != FALSE;
}

std::uint64_t cWin32ProcessWindowServices::GetSystemTimeAsFileTime() {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    return ToUint64(now);
}

bool cWin32ProcessWindowServices::ToolhelpSnapshot(std::vector<ToolhelpProcess>& out) {
    out.clear();
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    KeepLastError();
    if (snap == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    try {
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32FirstW(snap, &entry); more; more = Process32NextW(snap, &entry))
            out.push_back({entry.th32ProcessID, FromBuffer(entry.szExeFile, std::size(entry.szExeFile))});
    } catch (...) {
        ok = false;
    }
    ::CloseHandle(snap);
    return ok;
}

bool cWin32ProcessWindowServices::EnumProcesses(std::vector<std::uint32_t>& ids, std::uint32_t bufferBytes,
                                                std::uint32_t& bytesReturned) {
    try {
        ids.assign(bufferBytes / sizeof(DWORD), 0);
    } catch (...) {
        return false;
    }
    DWORD returned = 0;
    static_assert(sizeof(DWORD) == sizeof(std::uint32_t));
    const BOOL ok = K32EnumProcesses(reinterpret_cast<DWORD*>(ids.data()), bufferBytes, &returned);
    KeepLastError();
    bytesReturned = returned;
    return ok != FALSE;
}

bool cWin32ProcessWindowServices::GetMainModulePath(ProcessHandle h, std::string& path) {
    HMODULE modules[200 / sizeof(HMODULE)] = {};
    DWORD needed = 0;
    BOOL ok = K32EnumProcessModules(ToHandle(h), modules, sizeof modules, &needed);
    KeepLastError();
    // A process whose loader has not run yet succeeds with no module at all.
    if (!ok || needed < sizeof(HMODULE) || modules[0] == nullptr) return false;
    wchar_t buffer[MAX_PATH];
    const DWORD n = K32GetModuleFileNameExW(ToHandle(h), modules[0], buffer, MAX_PATH);
    KeepLastError();
    if (n == 0) return false;
    try {
        path = Narrow(buffer, n);
    } catch (...) {
        return false;
    }
    return true;
}

bool cWin32ProcessWindowServices::EnumWindows(const std::function<bool(WindowHandle)>& callback) {
    EnumContext ctx{&callback};
    const BOOL ran = ::EnumWindows(EnumProc, reinterpret_cast<LPARAM>(&ctx));
    KeepLastError();
    return ran != FALSE && !ctx.failed;
}

std::uint32_t cWin32ProcessWindowServices::GetWindowThreadProcessId(WindowHandle w) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(ToHwnd(w), &pid);
    KeepLastError();
    return pid;
}

std::string cWin32ProcessWindowServices::GetWindowText(WindowHandle w) {
    return ReadWindowString(GetWindowTextW, w, lastError_);
}

std::string cWin32ProcessWindowServices::GetClassName(WindowHandle w) {
    return ReadWindowString(GetClassNameW, w, lastError_);
}

bool cWin32ProcessWindowServices::IsWindowVisible(WindowHandle w) {
    const BOOL visible = ::IsWindowVisible(ToHwnd(w));
    KeepLastError();
    return visible > 0;
}

WindowHandle cWin32ProcessWindowServices::GetParent(WindowHandle w) {
    HWND parent = ::GetParent(ToHwnd(w));
    KeepLastError();
    return ToWindowHandle(parent);
}

WindowHandle cWin32ProcessWindowServices::GetOwner(WindowHandle w) {
    HWND owner = ::GetWindow(ToHwnd(w), GW_OWNER);
    KeepLastError();
    return ToWindowHandle(owner);
}

std::uint32_t cWin32ProcessWindowServices::GetWindowLong(WindowHandle w, std::int32_t index) {
    const LONG value = GetWindowLongW(ToHwnd(w), index);
    KeepLastError();
    return static_cast<std::uint32_t>(value);
}

void cWin32ProcessWindowServices::PostMessage(WindowHandle w, std::uint32_t msg, std::uintptr_t wParam,
                                              std::intptr_t lParam) {
    PostMessageW(ToHwnd(w), msg, wParam, lParam);
    KeepLastError();
}

bool cWin32ProcessWindowServices::SendMessageTimeout(WindowHandle w, std::uint32_t msg, std::uintptr_t wParam,
                                                     std::intptr_t lParam, std::uint32_t flags, std::uint32_t timeoutMs,
                                                     std::uintptr_t& reply) {
    DWORD_PTR result = 0;
    const LRESULT ok = SendMessageTimeoutW(ToHwnd(w), msg, wParam, lParam, flags, timeoutMs, &result);
    KeepLastError();
    reply = result;
    return ok != 0;
}

std::uint32_t cWin32ProcessWindowServices::MsgWaitForProcessOrInput(ProcessHandle h, std::uint32_t milliseconds) {
    HANDLE handles[1] = {ToHandle(h)};
    const DWORD count = h ? 1 : 0;
    // A pending quit request counts as new input on every call: waiting for
    // input then would only spin until the time is up.
    const DWORD wakeMask = quitPending_ ? 0 : QS_ALLINPUT;
    const DWORD r = MsgWaitForMultipleObjects(count, count ? handles : nullptr, FALSE, milliseconds, wakeMask);
    KeepLastError();
    if (r == WAIT_TIMEOUT) return kWaitTimeout;
    if (count == 1 && r == WAIT_OBJECT_0) return kWaitObject0;
    if (r == WAIT_OBJECT_0 + count) return kWaitInput;
    return kWaitFailed;
}

void cWin32ProcessWindowServices::DispatchPendingMessages() {
    quitPending_ = false;
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        // A quit request belongs to the main loop: put it back and stop.
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            quitPending_ = true;
            break;
        }
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

bool cWin32ProcessWindowServices::IsProcessCritical(ProcessHandle h, bool& critical) {
    return QueryProcessCritical(ToHandle(h), critical);
}

bool cWin32ProcessWindowServices::QueryProcessOwner(ProcessHandle h, ProcessOwner& owner) {
    const bool ok = QueryTokenOwner(ToHandle(h), owner);
    KeepLastError();
    return ok;
}

bool cWin32ProcessWindowServices::QueryCurrentProcessOwner(ProcessOwner& owner) {
    const bool ok = QueryTokenOwner(GetCurrentProcess(), owner);
    KeepLastError();
    return ok;
}

bool cWin32ProcessWindowServices::ServiceProcessIds(std::vector<std::uint32_t>& ids) {
    const bool ok = QueryServiceProcessIds(ids);
    KeepLastError();
    return ok;
}

} // namespace qx::win32
