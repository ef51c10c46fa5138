#pragma once
// Facts about the user, read once at start-up: the logon name for the log,
// and whether the user's profile records its Start menu folders, without
// which the program does not start.
#include "core/platform/IRegistry.h"
#include "core/platform/ISystemFacts.h"
#include "core/settings/cRegistryAPI.h"
#include "core/util/cErrorInfo.h"

#include <string>

namespace qx {

class cSystemInfo {
public:
    cSystemInfo(ISystemFacts& facts, IRegistry& registry) : facts_(facts), registry_(registry) {}
    // Reads the facts. Fails with error 999 when the user's Programs or
    // Startup shell folder is not recorded; the logon name is read even then.
    bool Create(cErrorInfo& error);

    const std::string& logonName() const { return logonName_; }

private:
    bool ReadString(RegKey root, const std::string& path, const std::string& name, std::string& text);

    ISystemFacts& facts_;
    cRegistryAPI registry_;
    std::string logonName_;
};

} // namespace qx
