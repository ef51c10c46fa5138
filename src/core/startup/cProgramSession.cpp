#include "core/startup/cProgramSession.h"

#include "core/startup/cCommandLineKill.h"
#include "core/startup/cCommandParser.h"
#include "core/util/modText.h"

namespace qx {

// What start-up builds once the shared objects exist.
struct cProgramSession::Parts {
    Parts(cProgramSession& s, cPlatform& p)
        : inventory(p.os, s.shared_.OSInfo(), s.shared_.Logger()),
          kill{p.os, p.ui, s.shared_.Logger(), s.killTexts_},
          run(kill, s.shared_.OSInfo(), inventory, s.set_, s.messages_,
              [&options = s.shared_.Options()](std::uint32_t m) { options.SendFerrowMsg(m); }),
          files(s.set_, {p.fs, p.ui, p.clock, p.codec, s.shared_.Logger(), s.shared_.Globals(), s.messages_}) {}

    cInventory inventory;
    cKillContext kill;
    cKillRun run;
    cSetFileCommands files;
};

cProgramSession::cProgramSession(cPlatform& platform, std::string programFolder)
    : platform_(platform), shared_(platform, std::move(programFolder)) {}

cProgramSession::~cProgramSession() = default;

cInventory& cProgramSession::Inventory() { return parts_->inventory; }
cSetFileCommands& cProgramSession::SetFiles() { return parts_->files; }
cKillRun& cProgramSession::Run() { return parts_->run; }

bool cProgramSession::Load(const std::string& commandLine) {
    messages_.LoadMessages(platform_.strings, shared_.ProgramFolder());
    killTexts_.LoadKillMessages(platform_.strings);
    cLogger& log = shared_.Logger();
    const std::string line = UpperCase(TrimBlanks(commandLine));
    if (line == "/DEBUG") {
        log.SetDebugMode(true);
        commandLineMode_ = false;
    } else {
        commandLineMode_ = !line.empty();
    }

    cErrorInfo error;
    if (!shared_.MainInitialize(error)) {
        log.LogError("", true, error);
        exitCode_ = kExitStartFailed;
        return false;
    }
    log.LogDebug("After MainInitialize");
    if (!commandLineMode_ && windowStartupStep_) windowStartupStep_(shared_);
    parts_ = std::make_unique<Parts>(*this, platform_);
    cQuellixOptions& options = shared_.Options();
    // No window yet, so no handle to publish; the process is ours either way.
    const std::uint32_t self = platform_.os.GetCurrentProcessId();
    options.SetProcessID(self);
    GetSettings(!commandLineMode_);
    if (!commandLineMode_ && windowLayoutStep_) windowLayoutStep_(shared_);
    shared_.Globals().SetsBrowsePath(options.DefaultDataPath());
    parts_->inventory.SetOwnProcessID(self);
    parts_->inventory.SetKillDefaults(shared_.KillDefaults());
    parts_->inventory.RefreshLists();

    if (!commandLineMode_) {
        set_.SetSetChanged(false);
        return true;
    }
    cCommandParser parser;
    cCommandLineKill mode({parser, set_, parts_->inventory, parts_->files, parts_->run, options, platform_.fs, platform_.codec, log,
                           messages_});
    if (mode.ParseCommand(line)) {
        parts_->run.KillCurrentSet();
        exitCode_ = parts_->run.FailedKills() > 0 || parts_->run.Halted() ? kExitKillFailed : kExitDone;
    } else {
        exitCode_ = mode.Unusable() ? kExitUnusable : kExitDone;
    }
    quitAtStart_ = true;
    return true;
}

bool cProgramSession::IsCommandLineMode(const std::string& commandLine) {
    const std::string line = UpperCase(TrimBlanks(commandLine));
    return !line.empty() && line != "/DEBUG";
}

bool cProgramSession::Close() {
    if (!parts_) return true; // start-up failed: nothing was loaded, nothing is saved
    if (set_.SetChanged() && !parts_->files.QuerySaveChanges() && !commandLineMode_) return false;
    shared_.Logger().LogDebug("Unloading");
    SaveSettings();
    return true;
}

bool cProgramSession::DataDirectoryReady() {
    const std::string& path = shared_.Options().DefaultDataPath();
    return platform_.fs.PathExists(path) || platform_.fs.CreateDirectory(path);
}

void cProgramSession::GetSettings(bool openLastSet) {
    shared_.Logger().LogDebug("GetSettings");
    cQuellixOptions& options = shared_.Options();
    while (!DataDirectoryReady()) {
        const bool retry =
            platform_.ui.MessageBox(messages_[cMessages::kDataDirTryQuestion], kMbYesNo | kMbIconCritical) == kIdYes;
        if (!retry) platform_.ui.MessageBox(messages_[cMessages::kUsingDataDir], kMbOk);
        options.SetDefaultDataPath(FallbackDataPath());
        if (!retry) break;
    }
    if (openLastSet && !TrimBlanks(options.LastProgramSet()).empty())
        parts_->files.OpenProgramSet(options.LastProgramSet(), false, true);
}

bool cProgramSession::SaveSettings() {
    shared_.Logger().LogDebug("SaveSettings");
    cQuellixOptions& options = shared_.Options();
    while (!DataDirectoryReady()) {
        if (platform_.ui.MessageBox(messages_[cMessages::kDataDirSaveQuestion], kMbOkCancel | kMbIconCritical) != kIdOk)
            return false;
        options.SetDefaultDataPath(FallbackDataPath());
    }
    const std::string& current = parts_->files.CurrentSetFile();
    if (!TrimBlanks(current).empty()) options.SetLastProgramSet(current);
    options.SaveAppOptions();
    return true;
}

} // namespace qx
