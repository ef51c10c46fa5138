#pragma once
// Facts about the machine, the system and the user, read through the
// platform: version record, logon name, the program's and the user's folders.
#include <cstdint>
#include <string>

namespace qx {

inline constexpr std::uint32_t kVerPlatformWin32Windows = 1;
inline constexpr std::uint32_t kVerPlatformWin32Nt = 2;

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
    // The folder that holds the program's executable, without a trailing backslash.
    virtual std::string ProgramFolder() = 0;
    // The user's own folder for local application data, without a trailing
    // backslash; empty when the system has none.
    virtual std::string LocalAppDataFolder() = 0;
};

} // namespace qx
