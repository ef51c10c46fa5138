#pragma once
// The objects every part of the program shares, created once at start-up in
// a fixed order and kept until the program ends.
#include "core/engine/cApplicationProcs.h"
#include "core/log/cLogger.h"
#include "core/platform/cPlatform.h"
#include "core/settings/cAppRegAPI.h"
#include "core/settings/cQuellixOptions.h"
#include "core/util/cErrorInfo.h"
#include "core/util/cGlobalsClass.h"
#include "core/util/cOSInfo.h"
#include "core/util/cQXUtility.h"
#include "core/util/cSystemInfo.h"

#include <memory>
#include <string>

namespace qx {

class cSharedObjects {
public:
    // The logger exists from here on, before anything else is configured,
    // so that even a failing start-up can report.
    cSharedObjects(cPlatform& platform, std::string programFolder);

    // Creates the shared objects (globals, options, registry settings, system
    // and operating-system information, utilities), reads every option and
    // configures the logger from them. False, with the error, when the system
    // information cannot be gathered; the program must then end.
    bool MainInitialize(cErrorInfo& error);

    cLogger& Logger() { return logger_; }
    // Valid after a successful MainInitialize.
    cGlobalsClass& Globals() { return *globals_; }
    cQuellixOptions& Options() { return *options_; }
    cAppRegAPI& RegistrySettings() { return *registrySettings_; }
    cOSInfo& OSInfo() { return *osInfo_; }
    cQXUtility& Utility() { return *utility_; }
    const std::string& ProgramFolder() const { return programFolder_; }

    // The rules a new kill-set entry starts with, from the options of the moment.
    cKillDefaults KillDefaults() const;

private:
    cPlatform& platform_;
    std::string programFolder_;
    cLogger logger_;
    std::unique_ptr<cGlobalsClass> globals_;
    std::unique_ptr<cQuellixOptions> options_;
    std::unique_ptr<cAppRegAPI> registrySettings_;
    std::unique_ptr<cSystemInfo> systemInfo_;
    std::unique_ptr<cOSInfo> osInfo_;
    std::unique_ptr<cQXUtility> utility_;
};

} // namespace qx
