#pragma once
// A machine described by plain fields.
#include "core/platform/ISystemFacts.h"

#include <string>

namespace qx::fake {

class cFakeSystemFacts final : public ISystemFacts {
public:
    OsVersionInfo version{148, 5, 1, 2600, kVerPlatformWin32Nt, "Service Pack 3"};
    bool versionOk = true;
    std::string userName = "alice";
    bool userNameOk = true;
    std::string programFolder = "C:\\Program Files\\Quellix";
    std::string localAppData = "C:\\Users\\alice\\AppData\\Local";

    bool GetVersionEx(OsVersionInfo& v) override {
        if (versionOk) v = version;
        return versionOk;
    }
    bool GetUserName(std::string& name) override {
        if (userNameOk) name = userName;
        return userNameOk;
    }
    std::string ProgramFolder() override { return programFolder; }
    std::string LocalAppDataFolder() override { return localAppData; }
};

} // namespace qx::fake
