#include "core/settings/cQuellixOptions.h"

#include "core/settings/cRegistryAPI.h"

#include <limits>

namespace qx {

namespace {

constexpr const char* kSoftwareKey = "Veltrane\\Quellix";
constexpr const char* kOptions = "Options";
constexpr const char* kWindowHandles = "Window Handles";
constexpr std::int32_t kMajorVersion = 1;
constexpr std::int32_t kMinorVersion = 1;
constexpr std::int32_t kNoBound = -1;

// Handles a post must never go to: none, "never ran" and HWND_BROADCAST,
// which would reach every top-level window on the system.
constexpr WindowHandle kNoWindow = 0;
constexpr WindowHandle kNeverRan = 0xFFFFFFFF;
constexpr WindowHandle kBroadcast = 0xFFFF;

constexpr std::int32_t Stored(bool value) {
    return value ? -1 : 0;
}

} // namespace

cQuellixOptions::cQuellixOptions(IRegistry& registry, IProcessWindowServices& os, std::string programFolder)
    : reg_(registry), registry_(registry), os_(os), programFolder_(std::move(programFolder)), softwareKey_(kSoftwareKey) {
    reg_.SetSoftwareKey(softwareKey_);
}

std::int32_t cQuellixOptions::ReadNumber(const std::string& name, std::int32_t defaultNumber) {
    return reg_.GetNumericSetting(kHkeyLocalMachine, kOptions, name, defaultNumber, kNoBound, kNoBound);
}

std::string cQuellixOptions::ReadText(const std::string& name, const std::string& defaultText) {
    return reg_.GetStringSetting(kHkeyLocalMachine, kOptions, name, defaultText);
}

void cQuellixOptions::WriteNumber(const std::string& name, std::int32_t number) {
    reg_.SetNumericSetting(kHkeyLocalMachine, kOptions, name, number);
}

void cQuellixOptions::WriteText(const std::string& name, const std::string& text) {
    reg_.SetStringSetting(kHkeyLocalMachine, kOptions, name, text);
}

bool cQuellixOptions::GetAppOptions(bool fillDefaults) {
    bool result = true;
    // A user's own key must not switch the login off: these two are read
    // machine-wide only.
    requireAdminLogin_ = reg_.GetMachineNumericSetting(kOptions, "RequirePassword", 0) != 0;
    adminPassword_ = reg_.GetMachineNumericSetting(kOptions, "AdminPassword", -1);
    defaultDataPath_ = ReadText("DefaultDataDirectory", "");
    if (defaultDataPath_.empty()) {
        if (fillDefaults) {
            defaultDataPath_ = programFolder_ + "\\data";
            WriteText("DefaultDataDirectory", defaultDataPath_);
        } else {
            result = false;
        }
    }
    lastProgramSet_ = ReadText("LastLoadedSet", "");
    rememberWindowPos_ = ReadNumber("RememberPositions", -1) != 0;
    showSplash_ = ReadNumber("ShowSpash", -1) != 0;
    defaultForceClose_ = ReadNumber("DefaultForceClose", -1) != 0;
    defaultStopOnError_ = ReadNumber("DefaultStopOnError", 0) != 0;
    defaultIgnoreTitle_ = ReadNumber("DefaultIgnoreTitle", -1) != 0;
    defaultWaitSeconds_ = ReadNumber("DefaultWaitSeconds", 10);
    const std::int32_t logging = ReadNumber("Logging", 1);
    const bool fits =
        logging >= std::numeric_limits<std::int16_t>::min() && logging <= std::numeric_limits<std::int16_t>::max();
    logging_ = fits ? static_cast<std::int16_t>(logging) : std::int16_t{1};
    logPath_ = ReadText("LogPath", programFolder_ + "\\Quellix.log");
    return result;
}

bool cQuellixOptions::SaveAppOptions() {
    // Refused for a user without administrator rights, who cannot have changed them.
    reg_.SetMachineNumericSetting(kOptions, "RequirePassword", Stored(requireAdminLogin_));
    WriteNumber("MajorVersion", kMajorVersion);
    WriteNumber("MinorVersion", kMinorVersion);
    reg_.SetMachineNumericSetting(kOptions, "AdminPassword", adminPassword_);
    WriteText("DefaultDataDirectory", defaultDataPath_);
    WriteText("LastLoadedSet", lastProgramSet_);
    WriteNumber("RememberPositions", Stored(rememberWindowPos_));
    WriteNumber("ShowSpash", Stored(showSplash_));
    WriteNumber("DefaultForceClose", Stored(defaultForceClose_));
    WriteNumber("DefaultStopOnError", Stored(defaultStopOnError_));
    WriteNumber("DefaultIgnoreTitle", Stored(defaultIgnoreTitle_));
    WriteNumber("DefaultWaitSeconds", defaultWaitSeconds_);
    WriteNumber("Logging", logging_);
    WriteText("LogPath", logPath_);
    WriteText("QuellixPath", programFolder_);
    return true;
}

bool cQuellixOptions::SavePasswordSettings(bool requireAdminLogin, std::int32_t adminPassword) {
    if (!reg_.SetMachineNumericSetting(kOptions, "AdminPassword", adminPassword) ||
        !reg_.SetMachineNumericSetting(kOptions, "RequirePassword", Stored(requireAdminLogin)))
        return false;
    requireAdminLogin_ = requireAdminLogin;
    adminPassword_ = adminPassword;
    return true;
}

void cQuellixOptions::SetBooleanValue(const std::string& name, bool value) {
    WriteNumber(name, Stored(value));
}

bool cQuellixOptions::GetBooleanValue(const std::string& name, bool defaultValue) {
    return ReadNumber(name, Stored(defaultValue)) != 0;
}

void cQuellixOptions::SendFerrowMsg(std::uint32_t message) {
    const std::string remembered = reg_.SoftwareKey();
    reg_.SetSoftwareKey(kWindowHandles);
    auto window = static_cast<WindowHandle>(
        reg_.GetNumericSetting(kHkeyLocalMachine, kWindowHandles, "CorvathHwnd", -1, kNoBound, kNoBound));
    reg_.SetSoftwareKey(remembered);
    if (window == kNeverRan) {
        // The companion publishes its handle machine-wide. The "never ran"
        // default that a user without administrator rights keeps in a copy of
        // their own must not hide a handle published there later.
        cRegistryAPI api(registry_);
        RegKey key = 0;
        if (api.RegOpenKey(kHkeyLocalMachine, "Software\\Window Handles\\Window Handles", key)) {
            std::int32_t published = -1;
            if (api.RegQueryNumericValue(key, "CorvathHwnd", published)) window = static_cast<WindowHandle>(published);
            api.RegCloseKey(key);
        }
    }
    if (window != kNoWindow && window != kNeverRan && window != kBroadcast) os_.PostMessage(window, message, 0, 0);
}

} // namespace qx
