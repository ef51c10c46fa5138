#include "integration/cVersionedProbe.h"

#include "integration/cTargetProcess.h"
#include "integration/modRunCaptured.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"

namespace qx::test {

cVersionedProbe::cVersionedProbe(const std::string& probe, const std::string& version) {
    const std::string copy = probe + "_" + (version.empty() ? "default" : version) + ".exe";
    exe_ = BinPath(copy);
    key_ = win32::Widen("Software\\Wine\\AppDefaults\\" + copy);
    RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str());
    const std::wstring v = win32::Widen(version);
    ready_ = (version.empty() ||
              RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), L"Version", REG_SZ, v.c_str(),
                              static_cast<DWORD>((v.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS) &&
             CopyFileW(win32::Widen(BinPath(probe + ".exe")).c_str(), win32::Widen(exe_).c_str(), FALSE);
}

cVersionedProbe::~cVersionedProbe() {
    RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str());
    DeleteFileW(win32::Widen(exe_).c_str());
}

std::string cVersionedProbe::Run() const {
    std::string output;
    if (ready_) RunCaptured(L"\"" + win32::Widen(exe_) + L"\"", output);
    return output;
}

} // namespace qx::test
