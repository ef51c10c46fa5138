#pragma once
// Named values under the program's own key, Software\<SoftwareKey>\<section>.
// Readers heal the store: a missing, wrongly typed or out-of-range value is
// replaced by the caller's default, which is written back.
//
// Machine-wide settings (root HKEY_LOCAL_MACHINE) must also work for a user
// without administrator rights, for whom that root is read-only: a write it
// refuses goes to the same key under HKEY_CURRENT_USER, and readers look there
// first. A write the machine-wide key takes removes the per-user copy, so the
// value last written is the one read back. The Machine* accessors are the
// exception: they never touch the per-user key.
#include "core/settings/cRegistryAPI.h"

#include <cstdint>
#include <functional>
#include <string>

namespace qx {

class cAppRegAPI {
public:
    explicit cAppRegAPI(IRegistry& registry) : api_(registry) {}

    // Empty (not the default) when the section key can be neither opened nor created.
    std::string GetStringSetting(RegKey root, const std::string& section, const std::string& name,
                                 const std::string& defaultText);
    // A negative minimum or maximum leaves that side unbounded.
    std::int32_t GetNumericSetting(RegKey root, const std::string& section, const std::string& name,
                                   std::int32_t defaultNumber, std::int32_t minimum, std::int32_t maximum);
    bool SetStringSetting(RegKey root, const std::string& section, const std::string& name, const std::string& value);
    bool SetNumericSetting(RegKey root, const std::string& section, const std::string& name, std::int32_t value);
    // A number only an administrator may set: read from and written to
    // HKEY_LOCAL_MACHINE alone, so that no per-user copy can hide or override
    // it. A missing value reads as the default (stored when the key takes it);
    // a refused write is false and leaves no copy anywhere.
    std::int32_t GetMachineNumericSetting(const std::string& section, const std::string& name,
                                          std::int32_t defaultNumber);
    bool SetMachineNumericSetting(const std::string& section, const std::string& name, std::int32_t value);

    const std::string& SoftwareKey() const { return softwareKey_; }
    void SetSoftwareKey(std::string key) { softwareKey_ = std::move(key); }

private:
    using Setter = std::function<bool(RegKey)>;
    std::string SectionKey(const std::string& section) const { return "Software\\" + softwareKey_ + "\\" + section; }
    bool ReadUserCopy(RegKey root, const std::string& section, const Setter& query);
    bool WriteAt(RegKey root, const std::string& section, const Setter& set, bool& reached);
    bool Write(RegKey root, const std::string& section, const std::string& name, const Setter& set, bool& reached);

    cRegistryAPI api_;
    std::string softwareKey_ = "Quellix";
};

} // namespace qx
