#pragma once
// The single in-memory copy of the program's options. GetAppOptions loads
// them (storing the default of every missing value), SaveAppOptions writes
// them back; the setters change memory only.
#include "core/platform/IProcessWindowServices.h"
#include "core/platform/IRegistry.h"
#include "core/settings/cAppRegAPI.h"

#include <cstdint>
#include <string>

namespace qx {

class cQuellixOptions {
public:
    // programFolder: the folder of the program's executable, without a trailing backslash.
    cQuellixOptions(IRegistry& registry, IProcessWindowServices& os, std::string programFolder);

    void SetRememberWindowPos(bool v) { rememberWindowPos_ = v; }
    bool RememberWindowPos() const { return rememberWindowPos_; }
    void SetRequireAdminLogin(bool v) { requireAdminLogin_ = v; }
    bool RequireAdminLogin() const { return requireAdminLogin_; }
    void SetShowSplash(bool v) { showSplash_ = v; }
    bool ShowSplash() const { return showSplash_; }
    void SetDefaultForceClose(bool v) { defaultForceClose_ = v; }
    bool DefaultForceClose() const { return defaultForceClose_; }
    void SetDefaultStopOnError(bool v) { defaultStopOnError_ = v; }
    bool DefaultStopOnError() const { return defaultStopOnError_; }
    void SetDefaultIgnoreTitle(bool v) { defaultIgnoreTitle_ = v; }
    bool DefaultIgnoreTitle() const { return defaultIgnoreTitle_; }
    void SetDefaultWaitSeconds(std::int32_t v) { defaultWaitSeconds_ = v; }
    std::int32_t DefaultWaitSeconds() const { return defaultWaitSeconds_; }
    // 1 no logging, 2 errors only, 3 all actions.
    void SetLogging(std::int16_t v) { logging_ = v; }
    std::int16_t Logging() const { return logging_; }
    void SetLogPath(std::string v) { logPath_ = std::move(v); }
    const std::string& LogPath() const { return logPath_; }
    void SetDefaultDataPath(std::string v) { defaultDataPath_ = std::move(v); }
    const std::string& DefaultDataPath() const { return defaultDataPath_; }
    const std::string& LastProgramSet() const { return lastProgramSet_; }
    void SetLastProgramSet(std::string v) { lastProgramSet_ = std::move(v); }
    const std::string& RegSoftwareKey() const { return softwareKey_; }
    void SetWinHandle(WindowHandle v) { winHandle_ = v; }
    WindowHandle WinHandle() const { return winHandle_; }
    void SetProcessID(std::uint32_t v) { processId_ = v; }
    std::uint32_t ProcessID() const { return processId_; }
    // A hash of the administrator password; -1 when none is set.
    void SetAdminPassword(std::int32_t v) { adminPassword_ = v; }
    std::int32_t AdminPassword() const { return adminPassword_; }

    // Posts `message` to the window the companion program publishes in the registry.
    void SendFerrowMsg(std::uint32_t message);
    void SetBooleanValue(const std::string& name, bool value);
    bool GetBooleanValue(const std::string& name, bool defaultValue);
    // False only when no data directory is stored and fillDefaults is false.
    bool GetAppOptions(bool fillDefaults);
    bool SaveAppOptions();
    // The password settings are machine-wide only: written at once, and only
    // where an administrator keeps them. False (memory unchanged) when the
    // machine-wide key refuses them.
    bool SavePasswordSettings(bool requireAdminLogin, std::int32_t adminPassword);

private:
    std::int32_t ReadNumber(const std::string& name, std::int32_t defaultNumber);
    std::string ReadText(const std::string& name, const std::string& defaultText);
    void WriteNumber(const std::string& name, std::int32_t number);
    void WriteText(const std::string& name, const std::string& text);

    cAppRegAPI reg_;
    IRegistry& registry_;
    IProcessWindowServices& os_;
    const std::string programFolder_;
    const std::string softwareKey_;

    bool rememberWindowPos_ = true;
    bool requireAdminLogin_ = false;
    bool showSplash_ = true;
    bool defaultForceClose_ = true;
    bool defaultStopOnError_ = false;
    bool defaultIgnoreTitle_ = true;
    std::int32_t defaultWaitSeconds_ = 10;
    std::int16_t logging_ = 1;
    std::string logPath_;
    std::string defaultDataPath_;
    std::string lastProgramSet_;
    WindowHandle winHandle_ = 0;
    std::uint32_t processId_ = 0;
    std::int32_t adminPassword_ = -1;
};

} // namespace qx
