#include "core/settings/cAppRegAPI.h"

namespace qx {

// The per-user copy of a machine-wide value, when there is one.
bool cAppRegAPI::ReadUserCopy(RegKey root, const std::string& section, const Setter& query) {
    RegKey key = 0;
    if (root != kHkeyLocalMachine || !api_.RegOpenKey(kHkeyCurrentUser, SectionKey(section), key)) return false;
    const bool found = query(key);
    api_.RegCloseKey(key);
    return found;
}

// Writes through the section key, creating it when missing. `reached` tells
// whether the key could be opened or created at all.
bool cAppRegAPI::WriteAt(RegKey root, const std::string& section, const Setter& set, bool& reached) {
    RegKey key = 0;
    reached = api_.RegOpenKey(root, SectionKey(section), key) || api_.RegCreateKey(root, SectionKey(section), key);
    if (!reached) return false;
    const bool written = set(key);
    api_.RegCloseKey(key);
    return written;
}

bool cAppRegAPI::Write(RegKey root, const std::string& section, const std::string& name, const Setter& set,
                       bool& reached) {
    bool written = WriteAt(root, section, set, reached);
    if (root != kHkeyLocalMachine) return written;
    RegKey key = 0;
    if (!written) {
        bool userReached = false;
        written = WriteAt(kHkeyCurrentUser, section, set, userReached);
        reached = reached || userReached;
    } else if (api_.RegOpenKey(kHkeyCurrentUser, SectionKey(section), key)) {
        api_.RegDeleteValue(key, name);
        api_.RegCloseKey(key);
    }
    return written;
}

std::string cAppRegAPI::GetStringSetting(RegKey root, const std::string& section, const std::string& name,
                                         const std::string& defaultText) {
    std::string result;
    const Setter query = [&](RegKey key) { return api_.RegQueryStringValue(key, name, result); };
    if (ReadUserCopy(root, section, query)) return result;
    RegKey key = 0;
    bool opened = false;
    if (api_.RegOpenKey(root, SectionKey(section), key)) {
        opened = true;
        const bool found = query(key);
        api_.RegCloseKey(key);
        if (found) return result;
    }
    bool reached = false;
    Write(
        root, section, name, [&](RegKey k) { return api_.RegSetStringValue(k, name, defaultText); }, reached);
    return opened || reached ? defaultText : std::string();
}

std::int32_t cAppRegAPI::GetNumericSetting(RegKey root, const std::string& section, const std::string& name,
                                           std::int32_t defaultNumber, std::int32_t minimum, std::int32_t maximum) {
    std::int32_t result = defaultNumber;
    const Setter query = [&](RegKey key) { return api_.RegQueryNumericValue(key, name, result); };
    const Setter writeDefault = [&](RegKey key) { return api_.RegSetNumericValue(key, name, defaultNumber); };
    bool reached = false;
    if (!ReadUserCopy(root, section, query)) {
        RegKey key = 0;
        bool found = false;
        if (api_.RegOpenKey(root, SectionKey(section), key)) {
            found = query(key);
            api_.RegCloseKey(key);
        }
        if (!found) Write(root, section, name, writeDefault, reached);
    }
    const bool tooLow = minimum >= 0 && result < minimum;
    const bool tooHigh = maximum >= 0 && result > maximum;
    if (tooLow || tooHigh) {
        result = defaultNumber;
        Write(root, section, name, writeDefault, reached);
    }
    return result;
}

bool cAppRegAPI::SetStringSetting(RegKey root, const std::string& section, const std::string& name,
                                  const std::string& value) {
    bool reached = false;
    return Write(
        root, section, name, [&](RegKey key) { return api_.RegSetStringValue(key, name, value); }, reached);
}

bool cAppRegAPI::SetNumericSetting(RegKey root, const std::string& section, const std::string& name,
                                   std::int32_t value) {
    bool reached = false;
    return Write(
        root, section, name, [&](RegKey key) { return api_.RegSetNumericValue(key, name, value); }, reached);
}

std::int32_t cAppRegAPI::GetMachineNumericSetting(const std::string& section, const std::string& name,
                                                  std::int32_t defaultNumber) {
    std::int32_t result = defaultNumber;
    RegKey key = 0;
    if (api_.RegOpenKey(kHkeyLocalMachine, SectionKey(section), key)) {
        const bool found = api_.RegQueryNumericValue(key, name, result);
        api_.RegCloseKey(key);
        if (found) return result;
    }
    SetMachineNumericSetting(section, name, defaultNumber);
    return defaultNumber;
}

bool cAppRegAPI::SetMachineNumericSetting(const std::string& section, const std::string& name, std::int32_t value) {
    bool reached = false;
    return WriteAt(
        kHkeyLocalMachine, section, [&](RegKey key) { return api_.RegSetNumericValue(key, name, value); }, reached);
}

} // namespace qx
