#pragma once
// Helpers for tests that look into a registry store, the real one or the
// in-memory double.
#include "core/platform/IRegistry.h"

#include <map>
#include <string>
#include <vector>

namespace qx::contract {

inline const std::string kBase = "Software\\Veltrane\\QuellixTest";

// Deletes a key with everything below it; true when it is gone.
inline bool DeleteTree(IRegistry& reg, RegKey root, const std::string& path) {
    RegKey key = 0;
    if (reg.OpenKey(root, path, key) != kErrorSuccess) return true;
    std::vector<std::string> children;
    for (std::string name; reg.EnumKey(key, static_cast<std::uint32_t>(children.size()), name) == kErrorSuccess;)
        children.push_back(name);
    reg.CloseKey(key);
    for (const auto& child : children) DeleteTree(reg, root, path + "\\" + child);
    return reg.DeleteKey(root, path) == kErrorSuccess;
}

// Every value of a key, by name; empty when the key does not open.
inline std::map<std::string, RegistryValue> AllValues(IRegistry& reg, RegKey root, const std::string& path) {
    std::map<std::string, RegistryValue> out;
    RegKey key = 0;
    if (reg.OpenKey(root, path, key) != kErrorSuccess) return out;
    std::string name;
    for (std::uint32_t i = 0; reg.EnumValue(key, i, name) == kErrorSuccess; ++i) reg.QueryValue(key, name, out[name]);
    reg.CloseKey(key);
    return out;
}

// The four bytes a REG_DWORD holds.
inline std::string Dword(std::int32_t n) {
    const auto u = static_cast<std::uint32_t>(n);
    return {static_cast<char>(u), static_cast<char>(u >> 8), static_cast<char>(u >> 16), static_cast<char>(u >> 24)};
}

} // namespace qx::contract
