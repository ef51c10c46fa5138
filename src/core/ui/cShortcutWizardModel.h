#pragma once
// What the Create Shortcut Wizard shows and does: six pages, their order and
// checks, and the shortcut or batch file written at the end. The window
// renders the current page and forwards its events here; the shortcut file
// itself is written by the window layer through ShortcutWriter.
#include "core/log/cLogger.h"
#include "core/platform/IFileSystem.h"
#include "core/platform/IStringTable.h"
#include "core/platform/ITextCodec.h"
#include "core/platform/IUserInterface.h"
#include "core/util/cGlobalsClass.h"
#include "core/util/cQXUtility.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace qx {

// A shell link to write: the file, what it starts and with which arguments.
struct ShortcutLink {
    std::string linkPath;
    std::string targetPath;
    std::string arguments;
};

class cShortcutWizardModel {
public:
    // Text ids of captions (the twelve message texts are loaded by Form_Load).
    enum TextId : std::uint32_t {
        kCaption = 1105,
        kCreateShortcutOption = 1106,
        kCreateBatchFileOption = 1107,
        kShortcutOrBatchQuestion = 1108,
        kWelcome = 1109,
        kBrowse = 1110,
        kKillProgramLabel = 1111,
        kKillSetLabel = 1112,
        kKillAllProcessesOption = 1113,
        kKillOneProgramOption = 1114,
        kKillProgramSetOption = 1115,
        kKillAllProgramsOption = 1116,
        kWhatToDo = 1117,
        kWaitForBox = 1118,
        kOverrideBox = 1119,
        kStopKillingBox = 1120,
        kForceCloseBox = 1121,
        kWaitSecondsLabel = 1122,
        kDestDirLabel = 1123,
        kNameLabel = 1124,
        kClickFinish = 1125,
        kBack = 1126,
        kNext = 1127,
        kFinish = 1128,
        kBatchNeedsShortcut = 1144,
        kCancel = 102,
    };
    enum class Target { OneProgram, ProgramSet, AllPrograms, AllProcesses };
    // Writes the link; false with a description of what went wrong.
    using ShortcutWriter = std::function<bool(const ShortcutLink& link, std::string& errorDescription)>;

    // programPath: the running program's own .exe, as the written command line starts it.
    cShortcutWizardModel(cLogger& logger, cGlobalsClass& globals, cQXUtility& utility, IStringTable& table,
                         IUserInterface& ui, IFileSystem& fs, ITextCodec& codec, std::string programPath,
                         ShortcutWriter shortcutWriter);

    // Load: page 0 and the twelve texts.
    void Form_Load();
    // The wizard's picture: any picture file at this place beside the program.
    std::string PicturePath() const;
    // A picture that could not be shown is reported (logged, with its box);
    // the wizard opens without it.
    void PictureLoadFailed(const cErrorInfo& error);

    // Current page 0..5; exactly its picPanel is visible.
    int Page() const { return page_; }
    bool BackEnabled() const { return backEnabled_; }
    // "&Next >>" or, on the last page, "&Finish".
    const std::string& NextCaption() const { return nextCaption_; }
    // Page 4 shows lblKillProgram when true, lblKillSet when false.
    bool KillProgramLabelVisible() const { return target_ == Target::OneProgram; }
    // The four boxes under chkOverrideQXSettings are enabled exactly when it is checked.
    bool OverrideControlsEnabled() const { return override_; }
    // True unless a file was written.
    bool IsCancelled() const { return !finished_; }
    // The text of message 1..12, as loaded; empty for any other index.
    const std::string& Text(int index) const;
    // A caption of the wizard's window, labels, options and buttons.
    std::string Caption(TextId id) const;

    bool CreateShortcut() const { return createShortcut_; }
    void SetCreateShortcut(bool v) { createShortcut_ = v; }
    Target KillTarget() const { return target_; }
    void SetKillTarget(Target v) { target_ = v; }
    bool OverrideSettings() const { return override_; }
    void SetOverrideSettings(bool v) { override_ = v; }
    bool ForceClose() const { return forceClose_; }
    void SetForceClose(bool v) { forceClose_ = v; }
    bool StopKilling() const { return stopKilling_; }
    void SetStopKilling(bool v) { stopKilling_ = v; }
    bool WaitChecked() const { return waitChecked_; }
    void SetWaitChecked(bool v) { waitChecked_ = v; }
    std::int16_t WaitSeconds() const { return waitSeconds_; }
    void SetWaitSeconds(std::int16_t v) { waitSeconds_ = v; }
    const std::string& KillSetOrProgram() const { return killSetOrProgram_; }
    void SetKillSetOrProgram(std::string v) { killSetOrProgram_ = std::move(v); }
    const std::string& DestDir() const { return destDir_; }
    void SetDestDir(std::string v) { destDir_ = std::move(v); }
    const std::string& ShortcutName() const { return shortcutName_; }
    void SetShortcutName(std::string v) { shortcutName_ = std::move(v); }

    // Next: checks the page, then moves on; on page 1 writes the file.
    // True when the wizard is to close (a file was written).
    bool cmdNext_Click();
    void cmdBack_Click();
    void cmdCancel_Click() { finished_ = false; }
    void cmdBrowseKillSet_Click();
    void cmdBrowseForShorcutDir_Click(WindowHandle owner);

    // The command-line arguments the shortcut or batch file passes.
    std::string Arguments() const;
    // The one line of the batch file, without its CR LF: the program path
    // (quoted when it holds blanks or cmd's special characters) and the arguments, every "%" doubled so
    // that cmd takes it literally.
    std::string BatchLine() const;

private:
    bool CheckPage();
    bool Fail(int text);
    bool WriteFile();
    cLogger& logger_;
    cGlobalsClass& globals_;
    cQXUtility& utility_;
    IStringTable& table_;
    IUserInterface& ui_;
    IFileSystem& fs_;
    ITextCodec& codec_;
    const std::string programPath_;
    ShortcutWriter shortcutWriter_;
    std::array<std::string, 12> texts_;
    std::string nextText_;
    std::string finishText_;
    std::string batchNeedsShortcut_;
    int page_ = 0;
    bool backEnabled_ = false;
    std::string nextCaption_;
    bool finished_ = false;
    bool createShortcut_ = true;
    Target target_ = Target::OneProgram;
    bool override_ = false;
    bool forceClose_ = false;
    bool stopKilling_ = false;
    bool waitChecked_ = false;
    std::int16_t waitSeconds_ = 10;
    std::string killSetOrProgram_;
    std::string destDir_;
    std::string shortcutName_;
};

} // namespace qx
