#pragma once
// The registry port over the Win32 registry (wide API). A key handle belongs
// to the object that opened it: others refuse it as invalid, and keys a
// caller leaves open are closed when the object goes away.
#include "core/platform/IRegistry.h"

#include <set>

namespace qx::win32 {

class cWin32Registry final : public IRegistry {
public:
    cWin32Registry() = default;
    cWin32Registry(const cWin32Registry&) = delete;
    cWin32Registry& operator=(const cWin32Registry&) = delete;
    ~cWin32Registry() override;

    // Asks for read and write access and settles for read access where
    // writing is denied, so that a user without administrator rights can
    // still read machine-wide keys.
    std::int32_t OpenKey(RegKey parent, const std::string& path, RegKey& key) override;
    std::int32_t CreateKey(RegKey parent, const std::string& path, RegKey& key) override;
    std::int32_t CloseKey(RegKey key) override;
    std::int32_t DeleteKey(RegKey key, const std::string& subkey) override;
    std::int32_t DeleteValue(RegKey key, const std::string& name) override;
    std::int32_t EnumKey(RegKey key, std::uint32_t index, std::string& name) override;
    std::int32_t EnumValue(RegKey key, std::uint32_t index, std::string& name) override;
    std::int32_t QueryValue(RegKey key, const std::string& name, RegistryValue& value) override;
    std::int32_t SetStringValue(RegKey key, const std::string& name, const std::string& text) override;
    std::int32_t SetDwordValue(RegKey key, const std::string& name, std::uint32_t number) override;

private:
    bool Known(RegKey key) const;
    RegKey Adopt(void* handle);

    std::set<RegKey> open_; // keys handed out and not yet closed
};

} // namespace qx::win32
