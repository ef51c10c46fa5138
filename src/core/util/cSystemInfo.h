#pragma once
// Facts about the machine and the user, read once when the object is created.
// The program itself needs only the logon name, for the log.
#include "core/platform/IRegistry.h"
#include "core/platform/ISystemFacts.h"
#include "core/settings/cRegistryAPI.h"
#include "core/util/cErrorInfo.h"
#include "core/util/cOSInfo.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qx {

class cSystemInfo {
public:
    static constexpr std::int16_t DRIVE_CDROM() { return 5; }
    static constexpr std::int16_t DRIVE_FIXED() { return 3; }
    static constexpr std::int16_t DRIVE_RAMDISK() { return 6; }
    static constexpr std::int16_t DRIVE_REMOTE() { return 4; }
    static constexpr std::int16_t DRIVE_REMOVABLE() { return 2; }

    cSystemInfo(ISystemFacts& facts, IRegistry& registry);
    // Reads every fact. Fails with error 999 when the user's Programs or
    // Startup shell folder is not recorded; the facts read so far stay.
    bool Create(cErrorInfo& error);

    const std::string& EnglishNameOfLang() const { return englishNameOfLang_; }
    const std::string& LocalNameOfLang() const { return localNameOfLang_; }
    const std::string& CurrentLanguageID() const { return currentLanguageID_; }
    const std::string& StartupFolder() const { return startupFolder_; }
    const std::string& StartMenuDir() const { return startMenuDir_; }
    const std::string& WindowsDir() const { return windowsDir_; }
    const std::string& SystemDir() const { return systemDir_; }
    const std::string& TempPath() const { return tempPath_; }
    bool MultiUsers() const { return multiUsers_; }
    const std::string& logonName() const { return logonName_; }
    std::int32_t LastShutdownSetting() const { return lastShutdownSetting_; }
    // Writes the value to the registry; the member changes only when that worked.
    bool SetLastShutdownSetting(std::int32_t setting);
    // Friendly name of the current hardware profile; empty when not recorded.
    std::string CurrentHardwareConfig();
    // Friendly names of every hardware profile; true when there is at least one.
    bool GetHardwareConfigList(std::vector<std::string>& list);
    // "A:" ... "Z:" for each drive of the type (2-6); true when at least one was found.
    bool GetDriveList(std::int16_t driveType, std::vector<std::string>& list);

private:
    bool ReadString(RegKey root, const std::string& path, const std::string& name, std::string& text);
    bool ReadNumber(RegKey root, const std::string& path, const std::string& name, std::int32_t& number);
    std::string ProfileName(const std::string& profileKey);

    ISystemFacts& facts_;
    cRegistryAPI registry_;
    cOSInfo os_;
    std::string englishNameOfLang_, localNameOfLang_, currentLanguageID_, startupFolder_, startMenuDir_, windowsDir_,
        systemDir_, tempPath_, logonName_;
    bool multiUsers_ = false;
    std::int32_t lastShutdownSetting_ = 0;
};

} // namespace qx
