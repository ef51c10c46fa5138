#pragma once
// Thin layer over the registry port: one or two calls per operation, success
// reported as a Boolean instead of an error code.
#include "core/platform/IRegistry.h"

#include <cstdint>
#include <string>

// <windows.h> makes macros of several of these names; keep them out of the way here.
#pragma push_macro("HKEY_CLASSES_ROOT")
#pragma push_macro("HKEY_CURRENT_USER")
#pragma push_macro("HKEY_LOCAL_MACHINE")
#pragma push_macro("HKEY_USERS")
#pragma push_macro("RegCreateKey")
#pragma push_macro("RegDeleteKey")
#pragma push_macro("RegDeleteValue")
#pragma push_macro("RegEnumKey")
#pragma push_macro("RegEnumValue")
#pragma push_macro("RegOpenKey")
#undef HKEY_CLASSES_ROOT
#undef HKEY_CURRENT_USER
#undef HKEY_LOCAL_MACHINE
#undef HKEY_USERS
#undef RegCreateKey
#undef RegDeleteKey
#undef RegDeleteValue
#undef RegEnumKey
#undef RegEnumValue
#undef RegOpenKey

namespace qx {

class cRegistryAPI {
public:
    explicit cRegistryAPI(IRegistry& registry) : registry_(registry) {}

    static constexpr RegKey HKEY_CLASSES_ROOT() { return kHkeyClassesRoot; }
    static constexpr RegKey HKEY_CURRENT_USER() { return kHkeyCurrentUser; }
    static constexpr RegKey HKEY_LOCAL_MACHINE() { return kHkeyLocalMachine; }
    static constexpr RegKey HKEY_USERS() { return kHkeyUsers; }

    bool RegCloseKey(RegKey key);
    // Creates (or opens) keyPath + "\" + subkey; a leading backslash of the
    // subkey is dropped, an empty subkey means keyPath itself, and an empty
    // keyPath fails without touching the registry.
    bool RegCreateKey(RegKey root, const std::string& keyPath, const std::string& subkey, RegKey& key);
    bool RegDeleteKey(RegKey key, const std::string& subkey);
    bool RegDeleteValue(RegKey key, const std::string& name);
    bool RegEnumKey(RegKey key, std::uint32_t index, std::string& name);
    bool RegEnumValue(RegKey key, std::uint32_t index, std::string& name);
    bool RegOpenKey(RegKey root, const std::string& keyPath, RegKey& key);
    // Both readers leave the output unchanged unless the value exists with
    // the expected type (a REG_DWORD must be 4 bytes long).
    bool RegQueryNumericValue(RegKey key, const std::string& name, std::int32_t& number);
    // The text ends at the first NUL stored in the value.
    bool RegQueryStringValue(RegKey key, const std::string& name, std::string& text);
    bool RegSetNumericValue(RegKey key, const std::string& name, std::int32_t number);
    bool RegSetStringValue(RegKey key, const std::string& name, const std::string& text);

private:
    IRegistry& registry_;
};

} // namespace qx

#pragma pop_macro("HKEY_CLASSES_ROOT")
#pragma pop_macro("HKEY_CURRENT_USER")
#pragma pop_macro("HKEY_LOCAL_MACHINE")
#pragma pop_macro("HKEY_USERS")
#pragma pop_macro("RegCreateKey")
#pragma pop_macro("RegDeleteKey")
#pragma pop_macro("RegDeleteValue")
#pragma pop_macro("RegEnumKey")
#pragma pop_macro("RegEnumValue")
#pragma pop_macro("RegOpenKey")
