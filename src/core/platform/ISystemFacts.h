#pragma once
// Facts about the machine, the system and the user, read through the
// platform: version record, logon name, system folders, drives, locale.
#include <cstdint>
#include <string>

namespace qx {

inline constexpr std::uint32_t kVerPlatformWin32Windows = 1;
inline constexpr std::uint32_t kVerPlatformWin32Nt = 2;

inline constexpr std::uint32_t kLocaleILanguage = 0x0001;
inline constexpr std::uint32_t kLocaleSLanguage = 0x0002;
inline constexpr std::uint32_t kLocaleSEnglishLanguage = 0x1001;

// The OSVERSIONINFO record as the platform fills it.
struct OsVersionInfo {
    std::uint32_t size = 148;
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;
    std::string servicePack;
};

class ISystemFacts {
public:
    virtual ~ISystemFacts() = default;
    virtual bool GetVersionEx(OsVersionInfo& version) = 0;
    // The logon name of the user running the program; false when unavailable.
    virtual bool GetUserName(std::string& name) = 0;
    virtual std::string GetWindowsDirectory() = 0;
    virtual std::string GetSystemDirectory() = 0;
    virtual std::string GetTempPath() = 0;
    // GetDriveType of a root such as "C:\".
    virtual std::uint32_t GetDriveType(const std::string& root) = 0;
    virtual std::uint32_t GetSystemDefaultLCID() = 0;
    virtual std::string GetLocaleInfo(std::uint32_t lcid, std::uint32_t type) = 0;
    // The folder that holds the program's executable, without a trailing backslash.
    virtual std::string ProgramFolder() = 0;
    // The user's own folder for local application data, without a trailing
    // backslash; empty when the system has none.
    virtual std::string LocalAppDataFolder() = 0;
};

} // namespace qx
