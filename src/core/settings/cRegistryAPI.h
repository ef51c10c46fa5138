#pragma once
// Thin layer over the registry port: one or two calls per operation, success
// reported as a Boolean instead of an error code.
#include "core/platform/IRegistry.h"

#include <cstdint>
#include <string>

// <windows.h> makes macros of several of these names; keep them out of the way here.
#pragma push_macro("RegCreateKey")
#pragma push_macro("RegDeleteValue")
#pragma push_macro("RegOpenKey")
#undef RegCreateKey
#undef RegDeleteValue
#undef RegOpenKey

namespace qx {

class cRegistryAPI {
public:
    explicit cRegistryAPI(IRegistry& registry) : registry_(registry) {}

    bool RegCloseKey(RegKey key);
    // Opens the key, creating it and every missing key on the way.
    bool RegCreateKey(RegKey root, const std::string& keyPath, RegKey& key);
    bool RegDeleteValue(RegKey key, const std::string& name);
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

#pragma pop_macro("RegCreateKey")
#pragma pop_macro("RegDeleteValue")
#pragma pop_macro("RegOpenKey")
