#pragma once
// A machine described by plain fields.
#include "core/platform/ISystemFacts.h"

#include <map>
#include <string>
#include <utility>

namespace qx::fake {

class cFakeSystemFacts final : public ISystemFacts {
public:
    OsVersionInfo version{148, 5, 1, 2600, kVerPlatformWin32Nt, "Service Pack 3"};
    bool versionOk = true;
    std::string userName = "alice";
    bool userNameOk = true;
    std::string windowsDir = "C:\\windows", systemDir = "C:\\windows\\system32", tempPath = "C:\\temp\\";
    std::map<char, std::uint32_t> driveTypes{{'C', 3}}; // others: 1, no root directory
    std::uint32_t lcid = 0x0409;
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::string> localeInfo{
        {{0x0409, kLocaleSEnglishLanguage}, "English"},
        {{0x0409, kLocaleSLanguage}, "English (United States)"},
        {{0x0409, kLocaleILanguage}, "0409"}};
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
    std::string GetWindowsDirectory() override { return windowsDir; }
    std::string GetSystemDirectory() override { return systemDir; }
    std::string GetTempPath() override { return tempPath; }
    std::uint32_t GetDriveType(const std::string& root) override {
        if (root.size() != 3 || root.substr(1) != ":\\") return 1;
        const auto it = driveTypes.find(root[0]);
        return it == driveTypes.end() ? 1 : it->second;
    }
    std::uint32_t GetSystemDefaultLCID() override { return lcid; }
    std::string GetLocaleInfo(std::uint32_t id, std::uint32_t type) override {
        const auto it = localeInfo.find({id, type});
        return it == localeInfo.end() ? std::string{} : it->second;
    }
    std::string ProgramFolder() override { return programFolder; }
    std::string LocalAppDataFolder() override { return localAppData; }
};

} // namespace qx::fake
