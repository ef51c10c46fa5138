#include "core/settings/cRegistryAPI.h"

namespace qx {

bool cRegistryAPI::RegCloseKey(RegKey key) {
    return registry_.CloseKey(key) == kErrorSuccess;
}

bool cRegistryAPI::RegCreateKey(RegKey root, const std::string& keyPath, RegKey& key) {
    return registry_.CreateKey(root, keyPath, key) == kErrorSuccess;
}

bool cRegistryAPI::RegDeleteValue(RegKey key, const std::string& name) {
    return registry_.DeleteValue(key, name) == kErrorSuccess;
}

bool cRegistryAPI::RegOpenKey(RegKey root, const std::string& keyPath, RegKey& key) {
    return registry_.OpenKey(root, keyPath, key) == kErrorSuccess;
}

bool cRegistryAPI::RegQueryNumericValue(RegKey key, const std::string& name, std::int32_t& number) {
    RegistryValue value;
    // A REG_DWORD of another length is corrupt; taking part of it would give a
    // number nobody stored.
    if (registry_.QueryValue(key, name, value) != kErrorSuccess || value.type != kRegDword || value.data.size() != 4)
        return false;
    std::uint32_t n = 0;
    for (int i = 3; i >= 0; --i)
        n = (n << 8) | static_cast<unsigned char>(value.data[static_cast<std::size_t>(i)]);
    number = static_cast<std::int32_t>(n);
    return true;
}

bool cRegistryAPI::RegQueryStringValue(RegKey key, const std::string& name, std::string& text) {
    RegistryValue value;
    if (registry_.QueryValue(key, name, value) != kErrorSuccess || value.type != kRegSz) return false;
    text = value.data.substr(0, value.data.find('\0'));
    return true;
}

bool cRegistryAPI::RegSetNumericValue(RegKey key, const std::string& name, std::int32_t number) {
    return registry_.SetDwordValue(key, name, static_cast<std::uint32_t>(number)) == kErrorSuccess;
}

bool cRegistryAPI::RegSetStringValue(RegKey key, const std::string& name, const std::string& text) {
    if (key == 0) return false;
    return registry_.SetStringValue(key, name, text) == kErrorSuccess;
}

} // namespace qx
