#include "core/startup/cProgramSession.h"

#include "core/startup/cCommandLineKill.h"
#include "core/startup/cCommandParser.h"
#include "core/startup/cPlanText.h"
#include "core/startup/cRunReport.h"
#include "core/ui/modResourceText.h"
#include "core/util/modText.h"

namespace qx {
namespace {

constexpr std::uint32_t kPerUserDataText = 1216;

} // namespace

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
    preview_ = cCommandLineKill::IsPreview(line);
    if (consoleTwin_) {
        commandLineMode_ = true;
    } else if (line == "/DEBUG") {
        log.SetDebugMode(true);
        commandLineMode_ = false;
    } else {
        commandLineMode_ = !line.empty() && !preview_;
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
    GetSettings(!commandLineMode_ && !preview_);
    if (!commandLineMode_ && windowLayoutStep_) windowLayoutStep_(shared_);
    shared_.Globals().SetsBrowsePath(options.DefaultDataPath());
    parts_->inventory.SetOwnProcessID(self);
    parts_->inventory.SetKillDefaults(shared_.KillDefaults());
    parts_->inventory.RefreshLists();

    if (!commandLineMode_ && !preview_) {
        set_.SetSetChanged(false);
        return true;
    }
    RunCommandLine(commandLine, line);
    if (!commandLineMode_) {
        // The plan is the user's to review, edit, save or run.
        parts_->files.SetCurrentSetFile("");
        platform_.ui.SetStatusText(1, messages_[cMessages::kNewSet]);
        set_.SetSetChanged(set_.lvProgramSet().Count() > 0);
        return true;
    }
    quitAtStart_ = true;
    return true;
}

void cProgramSession::ToConsole(bool toError, const std::string& text) {
    if (console_ == nullptr) return;
    if (toError) console_->WriteError(text);
    else console_->WriteOutput(text);
}

void cProgramSession::RunCommandLine(const std::string& commandLine, const std::string& line) {
    cLogger& log = shared_.Logger();
    const bool logErrors = log.LogErrors();
    // A preview leaves no trace in the log beyond the debug trace; it acts on
    // nothing, so only an error could write one.
    if (preview_) log.SetLogErrors(false);
    const std::string reportPath = cCommandLineKill::ReportPath(commandLine);
    // Standard output then holds the report alone.
    const bool reportToOutput = reportPath == "-";
    cRunReport report(platform_.os, platform_.clock, TrimBlanks(commandLine), preview_);
    if (consoleTwin_) report.SetLineSink([this, reportToOutput](const std::string& text) { ToConsole(reportToOutput, text); });
    parts_->kill.observer = &report;
    exitCode_ = Execute(report, reportPath, line);
    parts_->kill.observer = nullptr;
    log.SetLogErrors(logErrors);
}

int cProgramSession::Execute(cRunReport& report, const std::string& reportPath, const std::string& line) {
    cLogger& log = shared_.Logger();
    const bool reportToOutput = reportPath == "-";
    // Found out before anything is closed, so that a run is never left without its report.
    if (!reportPath.empty() && !reportToOutput && !platform_.fs.WriteFile(reportPath, "")) {
        const std::string reason = platform_.fs.LastErrorDescription();
        log.LogError(messages_[cMessages::kUnableToParse] + " " + line + " - " + reportPath +
                         (reason.empty() ? "" : ": " + reason),
                     true);
        return kExitUnusable;
    }
    cCommandParser parser;
    cCommandLineKill mode({parser, set_, parts_->inventory, parts_->files, parts_->run, shared_.Options(),
                           platform_.fs, platform_.codec, log, messages_});
    const bool any = mode.ParseCommand(line);
    for (const cApplicationProcs& e : mode.Excluded()) report.Outcome(e, KillOutcome::Excluded, "");
    int exitCode = kExitDone;
    if (!any) {
        exitCode = mode.Unusable() ? kExitUnusable : kExitDone;
    } else if (preview_) {
        const std::vector<cApplicationProcs> plan = parts_->run.Plan();
        if (consoleTwin_) {
            const cPlanText text(platform_.strings);
            ToConsole(reportToOutput, text.Header());
            for (const cApplicationProcs& target : plan) ToConsole(reportToOutput, text.Line(target));
        }
    } else {
        parts_->run.KillCurrentSet();
        exitCode = parts_->run.FailedKills() > 0 || parts_->run.Halted() ? kExitKillFailed : kExitDone;
    }
    report.Finish(exitCode);
    if (reportToOutput) {
        ToConsole(false, report.Json());
    } else if (!reportPath.empty() && !platform_.fs.WriteFile(reportPath, report.Json())) {
        log.LogError(reportPath + ": " + platform_.fs.LastErrorDescription(), true);
    }
    return exitCode;
}

bool cProgramSession::IsCommandLineMode(const std::string& commandLine) {
    const std::string line = UpperCase(TrimBlanks(commandLine));
    return !line.empty() && line != "/DEBUG" && !cCommandLineKill::IsPreview(line);
}

bool cProgramSession::Close() {
    if (!parts_) return true; // start-up failed: nothing was loaded, nothing is saved
    if (commandLineMode_ && preview_) return true; // a preview writes no option and no set
    if (set_.SetChanged() && !parts_->files.QuerySaveChanges() && !commandLineMode_) return false;
    shared_.Logger().LogDebug("Unloading");
    SaveSettings();
    return true;
}

bool cProgramSession::DataDirectoryReady() {
    const std::string& path = shared_.Options().DefaultDataPath();
    return platform_.fs.PathExists(path) || platform_.fs.CreateDirectory(path);
}

bool cProgramSession::IsFallbackDataPath() {
    return UpperCase(shared_.Options().DefaultDataPath()) == UpperCase(FallbackDataPath());
}

void cProgramSession::UsePerUserDataDirectory() {
    const std::string base = platform_.facts.LocalAppDataFolder();
    if (TrimBlanks(base).empty()) return;
    std::string path = base;
    for (const char* level : {"\\Veltrane", "\\Quellix", "\\data"}) {
        path += level;
        if (!platform_.fs.IsDirectory(path) && !platform_.fs.CreateDirectory(path)) return;
    }
    shared_.Options().SetDefaultDataPath(path);
    platform_.ui.MessageBox(LoadResourceText(platform_.strings, kPerUserDataText) + path, kMbOk | kMbIconInformation);
}

void cProgramSession::GetSettings(bool openLastSet) {
    shared_.Logger().LogDebug("GetSettings");
    cQuellixOptions& options = shared_.Options();
    if (!DataDirectoryReady()) {
        bool tryNow = true;
        if (!IsFallbackDataPath()) {
            tryNow = platform_.ui.MessageBox(messages_[cMessages::kDataDirTryQuestion], kMbYesNo | kMbIconCritical) ==
                     kIdYes;
            if (!tryNow) platform_.ui.MessageBox(messages_[cMessages::kUsingDataDir], kMbOk);
            options.SetDefaultDataPath(FallbackDataPath());
        }
        // Asking again about a folder that cannot be made would never end.
        if (tryNow && !DataDirectoryReady()) UsePerUserDataDirectory();
    }
    if (openLastSet && !TrimBlanks(options.LastProgramSet()).empty())
        parts_->files.OpenProgramSet(options.LastProgramSet(), false, true);
}

bool cProgramSession::SaveSettings() {
    shared_.Logger().LogDebug("SaveSettings");
    cQuellixOptions& options = shared_.Options();
    if (!DataDirectoryReady()) {
        if (!IsFallbackDataPath()) {
            if (platform_.ui.MessageBox(messages_[cMessages::kDataDirSaveQuestion], kMbOkCancel | kMbIconCritical) !=
                kIdOk)
                return false;
            options.SetDefaultDataPath(FallbackDataPath());
        }
        if (!DataDirectoryReady()) UsePerUserDataDirectory();
    }
    const std::string& current = parts_->files.CurrentSetFile();
    if (!TrimBlanks(current).empty()) options.SetLastProgramSet(current);
    options.SaveAppOptions();
    return true;
}

} // namespace qx
