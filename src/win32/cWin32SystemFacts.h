#pragma once
// System facts from the real platform.
#include "core/platform/ISystemFacts.h"

namespace qx::win32 {

class cWin32SystemFacts final : public ISystemFacts {
public:
    bool GetVersionEx(OsVersionInfo& version) override;
    bool GetUserName(std::string& name) override;
    std::string GetWindowsDirectory() override;
    std::string GetSystemDirectory() override;
    std::string GetTempPath() override;
    std::uint32_t GetDriveType(const std::string& root) override;
    std::uint32_t GetSystemDefaultLCID() override;
    std::string GetLocaleInfo(std::uint32_t lcid, std::uint32_t type) override;
    std::string ProgramFolder() override;
    std::string LocalAppDataFolder() override;
};

} // namespace qx::win32
