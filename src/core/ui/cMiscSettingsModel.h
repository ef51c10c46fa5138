#pragma once
// What the Advanced Settings dialog shows and does: kill defaults, splash,
// administrator password, logging level and log file. OK writes into the
// options (memory only; the password settings, which are machine-wide, go
// to the registry at once) and reconfigures the logger at once; Cancel needs
// no call, as nothing is written before OK.
#include "core/log/cLogger.h"
#include "core/platform/IFileSystem.h"
#include "core/platform/IShell.h"
#include "core/platform/IStringTable.h"
#include "core/platform/IUserInterface.h"
#include "core/settings/cQuellixOptions.h"
#include "core/util/cErrorInfo.h"
#include "core/util/cGlobalsClass.h"
#include "core/ui/modWaitField.h"

#include <array>
#include <cstdint>
#include <string>

namespace qx {

class cMiscSettingsModel {
public:
    // Text ids of the captions, tooltips and combo items.
    enum TextId : std::uint32_t {
        kCaption = 1070,
        kDefaultsFrame = 1071,
        kStopOnErrorBox = 1072,
        kForceCloseBox = 1073,
        kSecondsLabel = 1074,
        kShowSplashBox = 1075,
        kRequirePasswordBox = 1076,
        kPassword2Label = 1077,
        kPassword1Label = 1078,
        kLogPathTip = 1079,
        kDeleteLogButton = 1080,
        kDeleteLogTip = 1081,
        kViewLogButton = 1082,
        kViewLogTip = 1083,
        kBrowseButton = 1084,
        kBrowseTip = 1085,
        kLoggingTab = 1086, // also the label beside the combo
        kLogFileLabel = 1087,
        kSettingsTab = 1088,
        kSettingsTabTip = 1089,
        kPasswordTab = 1090,
        kPasswordTabTip = 1091,
        kLoggingTabTip = 1092,
        kIgnoreTitleBox = 1056,
        kWaitLabel = 1065,
        kNoLoggingItem = 1145,
        kErrorsOnlyItem = 1146,
        kAllActionsItem = 1147,
        kOk = 101,
        kCancel = 102,
        kHelp = 209,
        kHelpTip = 210,
        kPasswordRefused = 1215,
    };
    enum Tab : int { kTabSettings = 1, kTabPassword = 2, kTabLogging = 3 };
    // Where OK left the dialog: closed, or kept open on a tab with the focus in a box.
    enum class OkResult { Closed, LogFileRejected, PasswordRejected };
    static constexpr std::int16_t kHelpTopic = 107; // HID_Settings
    // Item values of cboLogType, in list order.
    static constexpr std::array<std::int16_t, 3> kLogTypeValues{1, 2, 3};

    cMiscSettingsModel(cQuellixOptions& options, cLogger& logger, cGlobalsClass& globals, IStringTable& table,
                       IUserInterface& ui, IFileSystem& fs, IShell& shell);

    // Form_Load: the seven texts and every control from the options. Each
    // opening reloads everything.
    void Form_Load();
    // The window could not be built: the error is reported with its message
    // box (and logged when error logging is on); the window then closes.
    void Form_LoadFailed(const cErrorInfo& error);

    // TabStrip1 click: the page of tab 1..3 is the only one visible.
    void TabStrip1_Click(int tab);
    int SelectedTab() const { return tab_; }

    bool ShowSplash() const { return showSplash_; }
    void SetShowSplash(bool v) { showSplash_ = v; }
    const std::string& WaitText() const { return waitText_; }
    void SetWaitText(std::string v) { waitText_ = std::move(v); }
    // How the user writes numbers, for reading the wait field.
    void SetNumberSeparators(NumberSeparators separators) { separators_ = std::move(separators); }
    void txtWait_LostFocus();
    bool ForceClose() const { return forceClose_; }
    void SetForceClose(bool v) { forceClose_ = v; }
    bool StopOnError() const { return stopOnError_; }
    void SetStopOnError(bool v) { stopOnError_ = v; }
    // Edits DefaultIgnoreTitle, which new kill-set entries start with.
    bool IgnoreTitle() const { return ignoreTitle_; }
    void SetIgnoreTitle(bool v) { ignoreTitle_ = v; }

    bool RequirePassword() const { return requirePassword_; }
    void SetRequirePassword(bool v) { requirePassword_ = v; }
    // Both password boxes and their labels are enabled exactly when this is true.
    bool PasswordControlsEnabled() const { return requirePassword_; }
    const std::string& Password1() const { return password1_; }
    // txtPassword1 changed: the new text and the password-changed flag.
    void txtPassword1_Change(std::string text);
    const std::string& Password2() const { return password2_; }
    void SetPassword2(std::string v) { password2_ = std::move(v); }

    // Index of the selected cboLogType item (0..2).
    int LogTypeIndex() const { return logTypeIndex_; }
    void SetLogTypeIndex(int index);
    const std::string& LogFilePath() const { return logFilePath_; }
    void SetLogFilePath(std::string v) { logFilePath_ = std::move(v); }

    OkResult cmdOK_Click();
    // Shows the log in Notepad; the path is quoted, so a path with blanks
    // reaches Notepad as one argument.
    void cmdViewLog_Click(WindowHandle owner);
    void cmdDeleteLog_Click();
    void cmdBrowseLogFile_Click();

private:
    // True when the log file exists or the user agreed to create it and it was created.
    bool CheckLogFile();
    // True unless a required password is missing or not repeated exactly.
    bool CheckPassword();
    std::string QuotedLogPath() const;
    // Stores a changed password setting machine-wide; a refusal is explained
    // and leaves the stored ones as they were.
    void SavePasswordSettings();
    cQuellixOptions& options_;
    cLogger& logger_;
    cGlobalsClass& globals_;
    IStringTable& table_;
    IUserInterface& ui_;
    IFileSystem& fs_;
    IShell& shell_;
    std::array<std::string, 7> texts_;
    int tab_ = kTabSettings;
    bool showSplash_ = true;
    NumberSeparators separators_;
    std::string waitText_ = "10";
    bool forceClose_ = true;
    bool stopOnError_ = false;
    bool ignoreTitle_ = true;
    bool requirePassword_ = false;
    std::string password1_;
    std::string password2_;
    bool passwordChanged_ = false;
    int logTypeIndex_ = 0;
    std::string logFilePath_;
};

} // namespace qx
