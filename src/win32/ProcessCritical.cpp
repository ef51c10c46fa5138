#include "win32/ProcessCritical.h"

namespace qx::win32 {
namespace {

using IsProcessCriticalFn = BOOL(WINAPI*)(HANDLE, PBOOL);
using NtQueryInformationProcessFn = LONG(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
constexpr ULONG kProcessBreakOnTermination = 29;

template <class Fn>
Fn Resolve(const wchar_t* module, const char* name) {
    const HMODULE m = GetModuleHandleW(module);
    return m == nullptr ? nullptr : reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m, name)));
}

} // namespace

bool QueryProcessCritical(HANDLE process, bool& critical) {
    static const auto isCritical = Resolve<IsProcessCriticalFn>(L"kernel32.dll", "IsProcessCritical");
    if (isCritical != nullptr) {
        BOOL flag = FALSE;
        if (isCritical(process, &flag) == FALSE) return false;
        critical = flag != FALSE;
        return true;
    }
    // The flag IsProcessCritical reads, as the systems before it expose it.
    static const auto query = Resolve<NtQueryInformationProcessFn>(L"ntdll.dll", "NtQueryInformationProcess");
    if (query == nullptr) return false;
    ULONG flag = 0;
    if (query(process, kProcessBreakOnTermination, &flag, sizeof flag, nullptr) < 0) return false;
    critical = flag != 0;
    return true;
}

} // namespace qx::win32
