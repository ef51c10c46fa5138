#include "core/startup/cSharedObjects.h"

namespace qx {

cSharedObjects::cSharedObjects(cPlatform& platform, std::string programFolder)
    : platform_(platform), programFolder_(std::move(programFolder)),
      logger_(platform.fs, platform.ui, platform.clock, platform.codec, programFolder_) {}

bool cSharedObjects::MainInitialize(cErrorInfo& error) {
    globals_ = std::make_unique<cGlobalsClass>(platform_.fs);
    options_ = std::make_unique<cQuellixOptions>(platform_.registry, platform_.os, programFolder_);
    registrySettings_ = std::make_unique<cAppRegAPI>(platform_.registry);
    systemInfo_ = std::make_unique<cSystemInfo>(platform_.facts, platform_.registry);
    if (!systemInfo_->Create(error)) return false;
    osInfo_ = std::make_unique<cOSInfo>(platform_.facts);
    utility_ = std::make_unique<cQXUtility>(platform_.fs, platform_.shell);

    options_->GetAppOptions(true);
    registrySettings_->SetSoftwareKey(options_->RegSoftwareKey());

    // DebugMode is left as the command line set it.
    logger_.SetCurrentUser(systemInfo_->logonName());
    logger_.SetLogActions(false);
    logger_.SetLogErrors(false);
    logger_.SetLogFile(options_->LogPath());
    logger_.ApplyLoggingLevel(options_->Logging());
    return true;
}

cKillDefaults cSharedObjects::KillDefaults() const {
    return cKillDefaults{options_->DefaultWaitSeconds(), options_->DefaultForceClose(), options_->DefaultStopOnError(),
                         options_->DefaultIgnoreTitle()};
}

} // namespace qx
