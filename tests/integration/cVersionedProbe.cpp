#include "integration/cVersionedProbe.h"

#include "integration/modRunCaptured.h"

#include "win32/WideText.h"
#include "win32/WinApi.h"

namespace qx::test {

std::string cVersionedProbe::BinFolder() {
    wchar_t buf[MAX_PATH]{};
    const DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
    const std::string path = win32::Narrow(buf, n);
    return path.substr(0, path.find_last_of('\\') + 1);
}

cVersionedProbe::cVersionedProbe(const std::string& probe, const std::string& copyName, const std::string& version)
    : exe_(BinFolder() + copyName), key_("Software\\Wine\\AppDefaults\\" + copyName) {
    const std::wstring key = win32::Widen(key_);
    RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
    bool ok = true;
    if (!version.empty()) {
        const std::wstring v = win32::Widen(version);
        HKEY k = nullptr;
        ok = RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) ==
             ERROR_SUCCESS;
        if (ok) {
            ok = RegSetValueExW(k, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()),
                                static_cast<DWORD>((v.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
            RegCloseKey(k);
        }
    }
    ready_ = ok && CopyFileW(win32::Widen(BinFolder() + probe + ".exe").c_str(), win32::Widen(exe_).c_str(), FALSE);
}

cVersionedProbe::~cVersionedProbe() {
    RegDeleteKeyW(HKEY_CURRENT_USER, win32::Widen(key_).c_str());
    DeleteFileW(win32::Widen(exe_).c_str());
}

bool cVersionedProbe::Run(std::string& output) const {
    return RunCaptured(L"\"" + win32::Widen(exe_) + L"\"", output);
}

} // namespace qx::test
