#pragma once
// One run of the program from the main window's load to its close, apart
// from the window itself: start-up (shared objects, options, data directory,
// the first inventory), the command-line kill when there is a command line,
// and the close that asks to save a changed set and saves the options.
#include "core/engine/cInventory.h"
#include "core/engine/cKillMessages.h"
#include "core/engine/cKillRun.h"
#include "core/platform/IConsole.h"
#include "core/platform/cPlatform.h"
#include "core/sets/cKillSet.h"
#include "core/sets/cSetFileCommands.h"
#include "core/startup/cSharedObjects.h"
#include "core/ui/cMessages.h"

#include <functional>
#include <memory>
#include <string>

namespace qx {

class cProgramSession {
public:
    // Exit codes of a command-line run.
    static constexpr int kExitDone = 0;        // every checked program that was running ended
    static constexpr int kExitKillFailed = 1;  // a program could not be closed, or the run halted
    static constexpr int kExitUnusable = 2;    // nothing requested, a set not found, a bad "/W:"
    static constexpr int kExitStartFailed = 3; // start-up itself failed

    // Runs in window mode once the options are read and before the data
    // directory, the last set and the first inventory: the window shows its
    // splash and publishes its handle here.
    using WindowStartupStep = std::function<void(cSharedObjects& shared)>;
    // Runs in window mode right after the data directory and the last set,
    // before the first inventory: the window restores its saved layout here.
    using WindowLayoutStep = std::function<void(cSharedObjects& shared)>;

    cProgramSession(cPlatform& platform, std::string programFolder);
    ~cProgramSession();

    // A command line other than "/DEBUG" alone or one with "/L" (whose plan
    // the window shows), blanks and letter case aside.
    static bool IsCommandLineMode(const std::string& commandLine);
    // Where "/O=-" writes the report. With consoleTwin the session never has
    // a window: every command line is run as one, each outcome is printed as
    // it happens, and "/L" prints its plan.
    void SetConsole(IConsole* console, bool consoleTwin) {
        console_ = console;
        consoleTwin_ = consoleTwin;
    }
    void SetWindowStartupStep(WindowStartupStep step) { windowStartupStep_ = std::move(step); }
    void SetWindowLayoutStep(WindowLayoutStep step) { windowLayoutStep_ = std::move(step); }

    // The load, given the program's command line as it came. False when
    // start-up failed (shown and logged already): the program must end at
    // once, without Close. In command-line mode the kill runs here.
    bool Load(const std::string& commandLine);
    // A command line other than "/DEBUG" alone.
    bool CommandLineMode() const { return commandLineMode_; }
    // "/L": the set is a plan; in window mode it is the current, unsaved set.
    bool Preview() const { return preview_; }
    // Set when the program must end instead of waiting for the user.
    bool QuitAtStart() const { return quitAtStart_; }
    // The query stage (a changed set asks to be saved) and the unload stage
    // (options saved). False when the window must stay open: the save
    // question was cancelled in window mode. A command-line run has no window
    // to go back to, so it always closes.
    bool Close();
    int ExitCode() const { return exitCode_; }

    // The data-directory half of loading and saving the settings: makes sure
    // the data directory exists (offering the folder beside the program when
    // it cannot be created, and a per-user folder where that cannot be made
    // either), reopens the last set when asked; at exit
    // remembers the current set file and saves the options. SaveSettings is
    // false when the user cancelled and nothing was written.
    void GetSettings(bool openLastSet);
    bool SaveSettings();

    cSharedObjects& Shared() { return shared_; }
    const cMessages& Messages() const { return messages_; }
    cKillSet& Set() { return set_; }
    // Valid after a successful Load.
    cInventory& Inventory();
    cSetFileCommands& SetFiles();
    cKillRun& Run();

private:
    struct Parts;
    bool DataDirectoryReady();
    void RunCommandLine(const std::string& commandLine, const std::string& line);
    int Execute(class cRunReport& report, const std::string& reportPath, const std::string& line);
    void ToConsole(bool toError, const std::string& text);
    std::string FallbackDataPath() const { return shared_.ProgramFolder() + "\\data"; }
    bool IsFallbackDataPath();
    // The user's own data folder, created with its parents and said once:
    // the option then names it, so later starts find it ready.
    void UsePerUserDataDirectory();

    cPlatform& platform_;
    cSharedObjects shared_;
    cMessages messages_;
    cKillMessages killTexts_;
    cKillSet set_;
    std::unique_ptr<Parts> parts_;
    WindowStartupStep windowStartupStep_;
    WindowLayoutStep windowLayoutStep_;
    IConsole* console_ = nullptr;
    bool consoleTwin_ = false;
    bool preview_ = false;
    bool commandLineMode_ = false;
    bool quitAtStart_ = false;
    int exitCode_ = kExitDone;
};

} // namespace qx
