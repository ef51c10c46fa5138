#include "core/util/cSystemInfo.h"

#include <algorithm>
#include <cstdio>

namespace qx {

namespace {

constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr const char* kIdConfigDb = "System\\CurrentControlSet\\Control\\IDConfigDB";
constexpr const char* kUnknownUser = "[Unknown]";

bool IsBlank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

// Closes an opened key whatever path the caller leaves by.
class OpenedKey {
public:
    OpenedKey(cRegistryAPI& api, RegKey root, const std::string& path) : api_(api) {
        if (!api_.RegOpenKey(root, path, key_)) key_ = 0;
    }
    ~OpenedKey() {
        if (key_ != 0) api_.RegCloseKey(key_);
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    RegKey get() const { return key_; }
    explicit operator bool() const { return key_ != 0; }

private:
    cRegistryAPI& api_;
    RegKey key_ = 0;
};

} // namespace

cSystemInfo::cSystemInfo(ISystemFacts& facts, IRegistry& registry)
    : facts_(facts), registry_(registry), os_(facts) {}

bool cSystemInfo::ReadString(RegKey root, const std::string& path, const std::string& name, std::string& text) {
    const OpenedKey key(registry_, root, path);
    return key && registry_.RegQueryStringValue(key.get(), name, text);
}

bool cSystemInfo::ReadNumber(RegKey root, const std::string& path, const std::string& name, std::int32_t& number) {
    const OpenedKey key(registry_, root, path);
    return key && registry_.RegQueryNumericValue(key.get(), name, number);
}

bool cSystemInfo::Create(cErrorInfo& error) {
    std::string name;
    if (facts_.GetUserName(name)) name.resize(std::min(name.size(), name.find('\0')));
    else name.clear();
    logonName_ = IsBlank(name) ? kUnknownUser : name;
    windowsDir_ = facts_.GetWindowsDirectory();
    systemDir_ = facts_.GetSystemDirectory();
    tempPath_ = facts_.GetTempPath();

    // Every NT version keeps per-user profiles, not only NT 4 and 5.
    if (os_.isWinNT4OrLater()) {
        multiUsers_ = true;
    } else {
        std::string profiles;
        multiUsers_ = (ReadString(kHkeyLocalMachine, "Network\\Logon", "UserProfiles", profiles) && !IsBlank(profiles)) ||
                      logonName_ != kUnknownUser;
    }

    startMenuDir_.clear();
    startupFolder_.clear();
    ReadString(kHkeyCurrentUser, kShellFolders, "Programs", startMenuDir_);
    ReadString(kHkeyCurrentUser, kShellFolders, "Startup", startupFolder_);
    if (IsBlank(startMenuDir_) || IsBlank(startupFolder_)) {
        error = {999, "cSystemInfo", "Unable to locate Startup directory"};
        return false;
    }

    lastShutdownSetting_ = 0;
    ReadNumber(kHkeyCurrentUser, kExplorer, "Shutdown setting", lastShutdownSetting_);

    const std::uint32_t lcid = facts_.GetSystemDefaultLCID();
    englishNameOfLang_ = facts_.GetLocaleInfo(lcid, kLocaleSEnglishLanguage);
    localNameOfLang_ = facts_.GetLocaleInfo(lcid, kLocaleSLanguage);
    currentLanguageID_ = facts_.GetLocaleInfo(lcid, kLocaleILanguage);
    return true;
}

bool cSystemInfo::SetLastShutdownSetting(std::int32_t setting) {
    RegKey key = 0;
    if (!registry_.RegCreateKey(kHkeyCurrentUser, kExplorer, {}, key)) return false;
    const bool ok = registry_.RegSetNumericValue(key, "Shutdown setting", setting);
    registry_.RegCloseKey(key);
    if (ok) lastShutdownSetting_ = setting;
    return ok;
}

std::string cSystemInfo::ProfileName(const std::string& profileKey) {
    std::string name;
    ReadString(kHkeyLocalMachine, std::string(kIdConfigDb) + "\\Hardware Profiles\\" + profileKey, "FriendlyName",
               name);
    return name;
}

std::string cSystemInfo::CurrentHardwareConfig() {
    // NT stores the profile number; Windows 9x a four-digit text.
    std::int32_t number = 0;
    std::string id;
    if (ReadNumber(kHkeyLocalMachine, kIdConfigDb, "CurrentConfig", number)) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%04d", static_cast<int>(number));
        id = buf;
    } else if (!ReadString(kHkeyLocalMachine, kIdConfigDb, "CurrentConfig", id) || IsBlank(id)) {
        return {};
    }
    return ProfileName(id);
}

bool cSystemInfo::GetHardwareConfigList(std::vector<std::string>& list) {
    list.clear();
    std::vector<std::string> keys;
    {
        const OpenedKey profiles(registry_, kHkeyLocalMachine, std::string(kIdConfigDb) + "\\Hardware Profiles");
        if (!profiles) return false;
        std::string sub;
        for (std::uint32_t i = 0; registry_.RegEnumKey(profiles.get(), i, sub); ++i) keys.push_back(sub);
    }
    for (const std::string& k : keys) {
        const std::string name = ProfileName(k);
        if (!IsBlank(name)) list.push_back(name);
    }
    return !list.empty();
}

bool cSystemInfo::GetDriveList(std::int16_t driveType, std::vector<std::string>& list) {
    list.clear();
    if (driveType < DRIVE_REMOVABLE() || driveType > DRIVE_RAMDISK()) return false;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (facts_.GetDriveType(std::string(1, letter) + ":\\") == static_cast<std::uint32_t>(driveType))
            list.push_back(std::string(1, letter) + ":");
    }
    return !list.empty();
}

} // namespace qx
