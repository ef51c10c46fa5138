#include "core/settings/cMemoryRegistry.h"
#include "core/settings/modPasswordHash.h"
#include "core/ui/cBuiltinStringTable.h"
#include "core/ui/cMiscSettingsModel.h"
#include "core/util/cCodePage1252.h"
#include "fake/cFakeClock.h"
#include "fake/cFakeShell.h"
#include "fake/cFakeUserInterface.h"
#include "fake/cMemoryFileSystem.h"
#include "fake/cPostRecorder.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

constexpr const char* kFolder = "C:\\Program Files\\Quellix";
constexpr const char* kLog = "C:\\Logs\\My Log.log";
const std::string kNoPassword = "'Require Password' was checked but no password was entered.";
const std::string kMismatch =
    "'Require Password' was checked but the entered password doesn't match the re-entered password.";

class MiscSettings : public ::testing::Test {
protected:
    MiscSettings() {
        fs.AddFolder("C:\\Logs");
        fs.AddFile(kLog, "old entries\r\n");
        options.SetLogPath(kLog);
        options.SetLogging(2);
    }
    void Open() { m.Form_Load(); }
    cMemoryRegistry reg;
    fake::cPostRecorder os;
    cQuellixOptions options{reg, os, kFolder};
    fake::cMemoryFileSystem fs;
    fake::cFakeUserInterface ui;
    fake::cFakeClock clock;
    fake::cFakeShell shell;
    cCodePage1252 codec;
    cLogger logger{fs, ui, clock, codec, kFolder};
    cGlobalsClass globals{fs};
    cBuiltinStringTable table;
    cMiscSettingsModel m{options, logger, globals, table, ui, fs, shell};
};

TEST_F(MiscSettings, LoadsTextsAndEveryControlFromTheOptions) {
    options.SetShowSplash(false);
    options.SetDefaultWaitSeconds(45);
    options.SetDefaultForceClose(false);
    options.SetDefaultStopOnError(true);
    options.SetDefaultIgnoreTitle(false);
    options.SetRequireAdminLogin(true);
    options.SetLogging(3);
    Open();
    EXPECT_EQ(m.Text(0), "Log files");
    EXPECT_EQ(m.Text(1), "Select Log File");
    EXPECT_EQ(m.Text(2), "Delete ");
    EXPECT_EQ(m.Text(3), " wasn't found.\r\nOk to create it?");
    EXPECT_EQ(m.Text(4), "Unable to create log.  Make sure path is valid.");
    EXPECT_EQ(m.Text(5), kNoPassword);
    EXPECT_EQ(m.Text(6), kMismatch);
    EXPECT_EQ(m.Text(7), "");
    EXPECT_FALSE(m.ShowSplash());
    EXPECT_EQ(m.WaitText(), "45");
    EXPECT_FALSE(m.ForceClose());
    EXPECT_TRUE(m.StopOnError());
    EXPECT_FALSE(m.IgnoreTitle());
    EXPECT_TRUE(m.RequirePassword());
    EXPECT_TRUE(m.PasswordControlsEnabled());
    EXPECT_EQ(m.LogTypeIndex(), 2);
    EXPECT_EQ(m.LogFilePath(), kLog);
    EXPECT_EQ(m.SelectedTab(), cMiscSettingsModel::kTabSettings);
}

TEST_F(MiscSettings, ALoadFailureIsShownAsAnErrorAndLoggedWhenErrorsAreLogged) {
    Open();
    logger.SetLogFile(kLog);
    logger.SetLogErrors(true);
    m.Form_LoadFailed({1813, "fQXMiscSettings", "The resource type could not be found."});
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].style, kMbOk | kMbIconCritical);
    EXPECT_EQ(ui.boxes[0].text,
              "Error number: \t1813\r\nLocation:     \tfQXMiscSettings\r\nThe resource type could not be found.");
    ASSERT_NE(fs.Contents(kLog), nullptr);
    EXPECT_NE(fs.Contents(kLog)->find("The resource type could not be found."), std::string::npos);
    // Nothing reached the options.
    EXPECT_EQ(options.Logging(), 2);
}

TEST_F(MiscSettings, LoggingValueOutsideTheListSelectsNoLogging) {
    for (const std::int16_t v : {std::int16_t{0}, std::int16_t{4}, std::int16_t{-1}}) {
        options.SetLogging(v);
        Open();
        EXPECT_EQ(m.LogTypeIndex(), 0) << v;
    }
}

TEST_F(MiscSettings, TabsSelectTheirPageOnly) {
    Open();
    m.TabStrip1_Click(3);
    EXPECT_EQ(m.SelectedTab(), 3);
    m.TabStrip1_Click(7);
    EXPECT_EQ(m.SelectedTab(), 3);
    m.TabStrip1_Click(2);
    EXPECT_EQ(m.SelectedTab(), 2);
}

TEST_F(MiscSettings, StoredPasswordShowsPlaceholdersAndIsKeptWithoutCheck) {
    const std::int32_t stored = PasswordHash("secret");
    options.SetAdminPassword(stored);
    options.SetRequireAdminLogin(true);
    Open();
    EXPECT_EQ(m.Password1().size(), 5u);
    EXPECT_EQ(m.Password2().size(), 5u);
    EXPECT_NE(m.Password1(), m.Password2());
    EXPECT_FALSE(m.PasswordChanged());
    m.SetPassword2("other"); // the second box alone changes nothing
    EXPECT_EQ(m.cmdOK_Click(), cMiscSettingsModel::OkResult::Closed);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(options.AdminPassword(), stored);
    EXPECT_TRUE(options.RequireAdminLogin());
}

TEST_F(MiscSettings, NoStoredPasswordOpensEmptyForZeroAndForNeverSet) {
    for (std::int32_t none : {0, -1}) {
        options.SetAdminPassword(none);
        Open();
        EXPECT_EQ(m.Password1(), "") << none;
        EXPECT_EQ(m.Password2(), "") << none;
        EXPECT_TRUE(m.PasswordChanged()) << none;
    }
}

TEST_F(MiscSettings, RequirePasswordWithoutOneShowsTextFiveInsteadOfLockingOut) {
    for (const char* typed : {"", "   "}) {
        options.SetAdminPassword(-1);
        options.SetRequireAdminLogin(false);
        Open();
        m.SetRequirePassword(true);
        if (*typed) m.txtPassword1_Change(typed);
        ui.boxes.clear();
        EXPECT_EQ(m.cmdOK_Click(), cMiscSettingsModel::OkResult::PasswordRejected);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, kNoPassword);
        EXPECT_EQ(ui.boxes[0].style, kMbOk);
        EXPECT_EQ(ui.boxes[0].title, "Quellix");
        EXPECT_EQ(m.SelectedTab(), cMiscSettingsModel::kTabPassword);
        EXPECT_FALSE(options.RequireAdminLogin());
        EXPECT_EQ(options.AdminPassword(), -1);
    }
}

TEST_F(MiscSettings, MismatchIsExactAndStillAppliesTheLogging) {
    options.SetAdminPassword(0);
    Open();
    m.SetRequirePassword(true);
    m.txtPassword1_Change("Secret");
    m.SetPassword2("secret");
    m.SetLogTypeIndex(2);
    EXPECT_EQ(m.cmdOK_Click(), cMiscSettingsModel::OkResult::PasswordRejected);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, kMismatch);
    EXPECT_EQ(options.Logging(), 3);
    EXPECT_TRUE(logger.LogActions());
    EXPECT_TRUE(logger.LogErrors());
    EXPECT_EQ(logger.LogFile(), kLog);
    EXPECT_FALSE(options.RequireAdminLogin());
    EXPECT_EQ(options.AdminPassword(), 0);

    m.SetPassword2("Secret "); // untrimmed comparison
    ui.boxes.clear();
    EXPECT_EQ(m.cmdOK_Click(), cMiscSettingsModel::OkResult::PasswordRejected);
    EXPECT_EQ(ui.boxes.at(0).text, kMismatch);
}

TEST_F(MiscSettings, MatchingPasswordIsStoredAsTheHashOfTheUntrimmedText) {
    options.SetAdminPassword(-1);
    Open();
    m.SetRequirePassword(true);
    m.txtPassword1_Change(" pass ");
    m.SetPassword2(" pass ");
    EXPECT_EQ(m.cmdOK_Click(), cMiscSettingsModel::OkResult::Closed);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(options.RequireAdminLogin());
    EXPECT_EQ(options.AdminPassword(), PasswordHash(" pass "));
}

TEST_F(MiscSettings, EmptyPasswordWithoutRequireStaysNoPassword) {
    options.SetAdminPassword(PasswordHash("old"));
    Open();
    m.txtPassword1_Change(""); // the user cleared the box
    EXPECT_EQ(m.cmdOK_Click(), cMiscSettingsModel::OkResult::Closed);
    EXPECT_EQ(options.AdminPassword(), 0);
    Open(); // so the next opening catches "Require password" without one again
    EXPECT_TRUE(m.PasswordChanged());
    EXPECT_EQ(m.Password1(), "");
}

TEST_F(MiscSettings, WithoutAdministratorRightsAPasswordChangeIsRefusedAndTheRestKept) {
    const std::string refused = "Only an administrator can change the password settings.\r\n\r\n"
                                "Your other settings were saved.";
    struct Case {
        const char* what;
        bool required;       // stored
        bool require;        // as the box is left
        const char* typed;   // nullptr: the password boxes untouched
        bool told;
    };
    for (const Case& c : {Case{"switched on", false, true, "pw", true}, Case{"switched off", true, false, nullptr, true},
                          Case{"new password", true, true, "pw", true}, Case{"untouched", true, true, nullptr, false},
                          Case{"emptied, never set", false, false, "", false}}) {
        SCOPED_TRACE(c.what);
        cMemoryRegistry machine;
        machine.RefuseWritesBelow(kHkeyLocalMachine);
        cQuellixOptions o{machine, os, kFolder};
        o.SetLogPath(kLog);
        o.SetRequireAdminLogin(c.required);
        o.SetAdminPassword(c.required ? PasswordHash("old") : -1);
        cMiscSettingsModel model{o, logger, globals, table, ui, fs, shell};
        model.Form_Load();
        model.SetRequirePassword(c.require);
        if (c.typed) {
            model.txtPassword1_Change(c.typed);
            model.SetPassword2(c.typed);
        }
        model.SetWaitText("33");
        model.SetShowSplash(false);
        ui.boxes.clear();
        EXPECT_EQ(model.cmdOK_Click(), cMiscSettingsModel::OkResult::Closed);
        ASSERT_EQ(ui.boxes.size(), c.told ? 1u : 0u);
        if (c.told) {
            EXPECT_EQ(ui.boxes[0].text, refused);
            EXPECT_EQ(ui.boxes[0].style, kMbOk | kMbIconExclamation);
        }
        EXPECT_EQ(o.RequireAdminLogin(), c.required);
        EXPECT_EQ(o.AdminPassword(), c.required ? PasswordHash("old") : -1);
        EXPECT_EQ(o.DefaultWaitSeconds(), 33);
        EXPECT_FALSE(o.ShowSplash());
    }
}

TEST_F(MiscSettings, OkStoresDefaultsAndNormalisedWait) {
    options.SetAdminPassword(PasswordHash("x"));
    Open();
    m.SetShowSplash(false);
    m.SetForceClose(false);
    m.SetStopOnError(true);
    m.SetIgnoreTitle(false);
    m.SetWaitText("2.5");
    m.SetLogTypeIndex(0);
    EXPECT_EQ(m.cmdOK_Click(), cMiscSettingsModel::OkResult::Closed);
    EXPECT_FALSE(options.ShowSplash());
    EXPECT_FALSE(options.DefaultForceClose());
    EXPECT_TRUE(options.DefaultStopOnError());
    EXPECT_FALSE(options.DefaultIgnoreTitle());
    EXPECT_EQ(options.DefaultWaitSeconds(), 2);
    EXPECT_EQ(m.WaitText(), "2");
    EXPECT_EQ(options.Logging(), 1);
    EXPECT_FALSE(logger.LogErrors());
    EXPECT_FALSE(logger.LogActions());
}

TEST_F(MiscSettings, WaitIsReadWithTheUsersSeparators) {
    Open();
    m.SetNumberSeparators({",", "."});
    m.SetWaitText("3,5");
    m.txtWait_LostFocus();
    EXPECT_EQ(m.WaitText(), "4");
    m.SetWaitText("1.200");
    EXPECT_EQ(m.cmdOK_Click(), cMiscSettingsModel::OkResult::Closed);
    EXPECT_EQ(options.DefaultWaitSeconds(), 1200);
}

TEST_F(MiscSettings, MissingLogFileRefusedKeepsEverythingOnTheLoggingTab) {
    options.SetDefaultWaitSeconds(33);
    Open();
    m.SetLogFilePath("C:\\Logs\\new.log");
    m.SetLogTypeIndex(2);
    m.SetWaitText("99");
    ui.answers.push_back(kIdNo);
    EXPECT_EQ(m.cmdOK_Click(), cMiscSettingsModel::OkResult::LogFileRejected);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "C:\\Logs\\new.log wasn't found.\r\nOk to create it?");
    EXPECT_EQ(ui.boxes[0].style, kMbYesNo | kMbIconQuestion);
    EXPECT_EQ(m.SelectedTab(), cMiscSettingsModel::kTabLogging);
    EXPECT_EQ(options.Logging(), 2);
    EXPECT_EQ(options.LogPath(), kLog);
    EXPECT_EQ(options.DefaultWaitSeconds(), 33);
    EXPECT_EQ(fs.Contents("C:\\Logs\\new.log"), nullptr);
}

TEST_F(MiscSettings, MissingLogFileIsCreatedOnYes) {
    Open();
    m.SetLogFilePath("C:\\Logs\\new.log");
    EXPECT_TRUE(m.CheckLogFile());
    ASSERT_NE(fs.Contents("C:\\Logs\\new.log"), nullptr);
    EXPECT_EQ(*fs.Contents("C:\\Logs\\new.log"), "");
}

TEST_F(MiscSettings, UncreatableLogFileShowsTextFour) {
    Open();
    for (const char* path : {"C:\\Nowhere\\x.log", ""}) {
        m.SetLogFilePath(path);
        ui.boxes.clear();
        EXPECT_FALSE(m.CheckLogFile()) << path;
        ASSERT_EQ(ui.boxes.size(), 2u);
        EXPECT_EQ(ui.boxes[1].text, "Unable to create log.  Make sure path is valid.");
        EXPECT_EQ(ui.boxes[1].style, kMbOk | kMbIconCritical);
    }
}

TEST_F(MiscSettings, ViewLogQuotesThePathForNotepad) {
    Open();
    EXPECT_EQ(m.ViewLogCommandLine(), "Notepad.exe \"C:\\Logs\\My Log.log\"");
    m.cmdViewLog_Click(7);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].file, "Notepad.exe");
    EXPECT_EQ(shell.calls[0].parameters, "\"C:\\Logs\\My Log.log\"");
    EXPECT_EQ(shell.calls[0].show, kSwShowNormal);
    EXPECT_EQ(shell.calls[0].window, static_cast<WindowHandle>(7));

    m.SetLogFilePath("C:\\Logs\\gone.log");
    ui.answers.push_back(kIdNo);
    m.cmdViewLog_Click(7);
    EXPECT_EQ(shell.calls.size(), 1u); // refused: Notepad not started
}

TEST_F(MiscSettings, DeleteLogAsksWithNoAsDefaultAndIgnoresFailures) {
    Open();
    ui.answers.push_back(kIdNo);
    m.cmdDeleteLog_Click();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Delete C:\\Logs\\My Log.log?");
    EXPECT_EQ(ui.boxes[0].style, kMbYesNo | kMbIconQuestion | 0x100u);
    EXPECT_NE(fs.Contents(kLog), nullptr);
    m.cmdDeleteLog_Click(); // Yes
    EXPECT_EQ(fs.Contents(kLog), nullptr);
    m.cmdDeleteLog_Click(); // already gone: nothing happens
    EXPECT_EQ(ui.boxes.size(), 3u);
}

TEST_F(MiscSettings, BrowseTakesTheChosenFileAndRemembersItsFolder) {
    globals.SetsBrowsePath("C:\\Start");
    Open();
    ui.chosenFiles.push_back(std::string("D:\\Logs\\q.log"));
    m.cmdBrowseLogFile_Click();
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].title, "Select Log File");
    EXPECT_EQ(ui.dialogs[0].filter, "Log files(*.log) | *.log");
    EXPECT_EQ(ui.dialogs[0].initialFolder, "C:\\Start");
    EXPECT_EQ(ui.dialogs[0].flags, 2052u);
    EXPECT_EQ(m.LogFilePath(), "D:\\Logs\\q.log");
    EXPECT_EQ(globals.sBrowsePath(), "D:\\Logs");

    m.cmdBrowseLogFile_Click(); // cancelled
    EXPECT_EQ(m.LogFilePath(), "D:\\Logs\\q.log");
    EXPECT_EQ(globals.sBrowsePath(), "D:\\Logs");
}

} // namespace
} // namespace qx
