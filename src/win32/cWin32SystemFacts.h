#pragma once
// System facts from the real platform.
#include "core/platform/ISystemFacts.h"

namespace qx::win32 {

class cWin32SystemFacts final : public ISystemFacts {
public:
    bool GetVersionEx(OsVersionInfo& version) override;
    bool GetUserName(std::string& name) override;
    std::string ProgramFolder() override;
    std::string LocalAppDataFolder() override;
};

} // namespace qx::win32
