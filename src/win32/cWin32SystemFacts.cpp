#include "win32/cWin32SystemFacts.h"

#include "win32/WideText.h"

#include "win32/WinApi.h"

#include <knownfolders.h>
#include <shlobj.h>

#include <cwchar>
#include <vector>

namespace qx::win32 {

namespace {

using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);

} // namespace

// Which source: GetVersionEx reports 6.2 on Windows 8.1 and later (and under
// Wine set to win10) unless the exe's manifest claims those versions, while
// RtlGetVersion always tells the truth, so it is asked first. Found under
// Wine 8 (64-bit prefix), both calls agreeing unless noted:
//   win98    platform 1, 4.10, build 67766446 (0x040A07CE: 4.10 in the high
//            word, 1998 in the low word, as Windows 9x packs it), " A"
//   win2k    platform 2, 5.0.2195, "Service Pack 4"
//   winxp    platform 2, 5.1.2600, "Service Pack 3"
//   win7     platform 2, 6.1.7601, "Service Pack 1" (also the prefix default)
//   win10    platform 2, GetVersionExW 6.2.9200, RtlGetVersion 10.0.18362
bool cWin32SystemFacts::GetVersionEx(OsVersionInfo& version) {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    bool ok = false;
    if (const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
        const auto rtl = reinterpret_cast<RtlGetVersionFn>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
        ok = rtl != nullptr && rtl(&info) == 0;
    }
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    if (!ok) ok = ::GetVersionExW(&info) != FALSE;
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    if (!ok) return false;
    version.size = 148;
    version.majorVersion = info.dwMajorVersion;
    version.minorVersion = info.dwMinorVersion;
    version.buildNumber = info.dwBuildNumber;
    version.platformId = info.dwPlatformId;
    version.servicePack = Narrow(info.szCSDVersion, wcsnlen(info.szCSDVersion, 128));
    return true;
}

bool cWin32SystemFacts::GetUserName(std::string& name) {
    wchar_t buf[257]{}; // UNLEN + 1
    DWORD size = 257;
    if (!::GetUserNameW(buf, &size)) return false;
    name = Narrow(buf, wcsnlen(buf, 257));
    return true;
}

std::string cWin32SystemFacts::ProgramFolder() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return {};
        if (n < buf.size()) {
            const std::string path = Narrow(buf.data(), n);
            const auto slash = path.find_last_of("\\/");
            return slash == std::string::npos ? std::string{} : path.substr(0, slash);
        }
        if (buf.size() >= 32768) return {};
        buf.resize(buf.size() * 2);
    }
}

std::string cWin32SystemFacts::LocalAppDataFolder() {
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path)) && path != nullptr) {
        try {
            folder = Narrow(path, wcslen(path));
        } catch (...) {
            folder.clear();
        }
    }
    ::CoTaskMemFree(path);
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

} // namespace qx::win32
