#include "fake/cMemoryRegistry.h"
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

using Ok = cMiscSettingsModel::OkResult;
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
    // Opens with a password state, requires it, types both boxes and presses OK.
    Ok PasswordOk(std::int32_t stored, const char* typed1, const char* typed2) {
        options.SetAdminPassword(stored);
        m.Form_Load();
        m.SetRequirePassword(true);
        if (typed1 != nullptr) m.txtPassword1_Change(typed1);
        if (typed2 != nullptr) m.SetPassword2(typed2);
        ui.boxes.clear();
        return m.cmdOK_Click();
    }
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

TEST_F(MiscSettings, OpensWithTheOptionsAndOkStoresTheEditedOnes) {
    options.SetShowSplash(false);
    options.SetDefaultWaitSeconds(45);
    options.SetDefaultForceClose(false);
    options.SetDefaultStopOnError(true);
    options.SetDefaultIgnoreTitle(false);
    options.SetRequireAdminLogin(true);
    options.SetLogging(3);
    m.Form_Load();
    EXPECT_FALSE(m.ShowSplash());
    EXPECT_EQ(m.WaitText(), "45");
    EXPECT_FALSE(m.ForceClose());
    EXPECT_TRUE(m.StopOnError());
    EXPECT_FALSE(m.IgnoreTitle());
    EXPECT_TRUE(m.PasswordControlsEnabled());
    EXPECT_EQ(m.LogTypeIndex(), 2);
    EXPECT_EQ(m.LogFilePath(), kLog);
    m.TabStrip1_Click(3);
    m.TabStrip1_Click(7);
    EXPECT_EQ(m.SelectedTab(), 3);

    options.SetAdminPassword(PasswordHash("x"));
    m.Form_Load();
    EXPECT_EQ(m.SelectedTab(), cMiscSettingsModel::kTabSettings);
    m.SetShowSplash(true);
    m.SetForceClose(true);
    m.SetStopOnError(false);
    m.SetIgnoreTitle(true);
    m.SetNumberSeparators({",", "."});
    m.SetWaitText("3,5");
    m.txtWait_LostFocus();
    EXPECT_EQ(m.WaitText(), "4");
    m.SetWaitText("1.200");
    m.SetLogTypeIndex(0);
    EXPECT_EQ(m.cmdOK_Click(), Ok::Closed);
    EXPECT_TRUE(options.ShowSplash());
    EXPECT_TRUE(options.DefaultForceClose());
    EXPECT_FALSE(options.DefaultStopOnError());
    EXPECT_TRUE(options.DefaultIgnoreTitle());
    EXPECT_EQ(options.DefaultWaitSeconds(), 1200);
    EXPECT_EQ(options.Logging(), 1);
    EXPECT_FALSE(logger.LogErrors());
    EXPECT_FALSE(logger.LogActions());

    for (const std::int16_t v : {std::int16_t{0}, std::int16_t{4}}) {
        options.SetLogging(v);
        m.Form_Load();
        EXPECT_EQ(m.LogTypeIndex(), 0) << v;
    }
}

TEST_F(MiscSettings, ALoadFailureIsShownAndLoggedWhenErrorsAreLogged) {
    m.Form_Load();
    logger.SetLogFile(kLog);
    logger.SetLogErrors(true);
    m.Form_LoadFailed({1813, "fQXMiscSettings", "The resource type could not be found."});
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].style, kMbOk | kMbIconCritical);
    EXPECT_EQ(ui.boxes[0].text,
              "Error number: \t1813\r\nLocation:     \tfQXMiscSettings\r\nThe resource type could not be found.");
    EXPECT_NE(fs.Contents(kLog)->find("The resource type could not be found."), std::string::npos);
}

TEST_F(MiscSettings, ARequiredPasswordMustBeTypedTwiceExactly) {
    const std::int32_t secret = PasswordHash("secret");
    const struct {
        std::int32_t stored;
        const char *typed1, *typed2;
        const std::string* refusal; // nullptr: accepted
        std::int32_t after;
    } cases[] = {
        {-1, nullptr, nullptr, &kNoPassword, -1},  // never set
        {0, nullptr, nullptr, &kNoPassword, 0},    // cleared
        {-1, "   ", "   ", &kNoPassword, -1},      // blanks are no password
        {0, "Secret", "secret", &kMismatch, 0},    // case counts
        {0, "Secret", "Secret ", &kMismatch, 0},   // blanks count
        {-1, " pass ", " pass ", nullptr, PasswordHash(" pass ")},
        {secret, nullptr, "other", nullptr, secret}, // the stored one is kept unless retyped
    };
    for (const auto& c : cases) {
        options.SetRequireAdminLogin(false);
        const Ok result = PasswordOk(c.stored, c.typed1, c.typed2);
        const std::string label = std::string(c.typed1 ? c.typed1 : "-") + "/" + (c.typed2 ? c.typed2 : "-");
        EXPECT_EQ(options.AdminPassword(), c.after) << label;
        if (c.refusal == nullptr) {
            EXPECT_EQ(result, Ok::Closed) << label;
            EXPECT_TRUE(ui.boxes.empty()) << label;
            EXPECT_TRUE(options.RequireAdminLogin()) << label;
            continue;
        }
        EXPECT_EQ(result, Ok::PasswordRejected) << label;
        ASSERT_EQ(ui.boxes.size(), 1u) << label;
        EXPECT_EQ(ui.boxes[0].text, *c.refusal) << label;
        EXPECT_EQ(ui.boxes[0].style, kMbOk);
        EXPECT_EQ(m.SelectedTab(), cMiscSettingsModel::kTabPassword);
        EXPECT_FALSE(options.RequireAdminLogin()) << label;
    }
    // A stored password shows as two different placeholders of its length.
    options.SetAdminPassword(secret);
    m.Form_Load();
    EXPECT_EQ(m.Password1().size(), 5u);
    EXPECT_NE(m.Password1(), m.Password2());
}

TEST_F(MiscSettings, ARefusedPasswordStillAppliesTheLogging) {
    m.Form_Load();
    m.SetRequirePassword(true);
    m.txtPassword1_Change("a");
    m.SetLogTypeIndex(2);
    EXPECT_EQ(m.cmdOK_Click(), Ok::PasswordRejected);
    EXPECT_EQ(options.Logging(), 3);
    EXPECT_TRUE(logger.LogActions());
    EXPECT_TRUE(logger.LogErrors());
    EXPECT_EQ(logger.LogFile(), kLog);
}

TEST_F(MiscSettings, ClearingThePasswordWithoutRequiringOneStoresNone) {
    options.SetAdminPassword(PasswordHash("old"));
    m.Form_Load();
    m.txtPassword1_Change("");
    EXPECT_EQ(m.cmdOK_Click(), Ok::Closed);
    EXPECT_EQ(options.AdminPassword(), 0);
    EXPECT_EQ(PasswordOk(0, nullptr, nullptr), Ok::PasswordRejected); // next time it must be typed
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

TEST_F(MiscSettings, AMissingLogFileIsCreatedOnlyWhenTheUserAgrees) {
    options.SetDefaultWaitSeconds(33);
    m.Form_Load();
    m.SetLogFilePath("C:\\Logs\\new.log");
    m.SetLogTypeIndex(2);
    m.SetWaitText("99");
    ui.answers.push_back(kIdNo);
    EXPECT_EQ(m.cmdOK_Click(), Ok::LogFileRejected);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "C:\\Logs\\new.log wasn't found.\r\nOk to create it?");
    EXPECT_EQ(ui.boxes[0].style, kMbYesNo | kMbIconQuestion);
    EXPECT_EQ(m.SelectedTab(), cMiscSettingsModel::kTabLogging);
    EXPECT_EQ(options.Logging(), 2);
    EXPECT_EQ(options.LogPath(), kLog);
    EXPECT_EQ(options.DefaultWaitSeconds(), 33);
    EXPECT_EQ(fs.Contents("C:\\Logs\\new.log"), nullptr);

    EXPECT_TRUE(m.CheckLogFile()); // Yes
    EXPECT_EQ(*fs.Contents("C:\\Logs\\new.log"), "");
    for (const char* path : {"C:\\Nowhere\\x.log", ""}) {
        m.SetLogFilePath(path);
        ui.boxes.clear();
        EXPECT_FALSE(m.CheckLogFile()) << path;
        ASSERT_EQ(ui.boxes.size(), 2u);
        EXPECT_EQ(ui.boxes[1].text, "Unable to create log.  Make sure path is valid.");
        EXPECT_EQ(ui.boxes[1].style, kMbOk | kMbIconCritical);
    }
}

TEST_F(MiscSettings, TheLogIsViewedDeletedAndChosenThroughItsButtons) {
    globals.SetsBrowsePath("C:\\Start");
    m.Form_Load();
    m.cmdViewLog_Click(7);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].file, "Notepad.exe");
    EXPECT_EQ(shell.calls[0].parameters, "\"C:\\Logs\\My Log.log\"");
    EXPECT_EQ(shell.calls[0].show, kSwShowNormal);
    EXPECT_EQ(shell.calls[0].window, static_cast<WindowHandle>(7));

    ui.answers.push_back(kIdNo);
    m.cmdDeleteLog_Click();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Delete C:\\Logs\\My Log.log?");
    EXPECT_EQ(ui.boxes[0].style, kMbYesNo | kMbIconQuestion | 0x100u);
    EXPECT_NE(fs.Contents(kLog), nullptr);
    m.cmdDeleteLog_Click(); // Yes
    EXPECT_EQ(fs.Contents(kLog), nullptr);
    ui.answers.push_back(kIdNo);
    m.cmdViewLog_Click(7);
    EXPECT_EQ(shell.calls.size(), 1u); // refused to create it: Notepad not started

    ui.chosenFiles.push_back(std::string("D:\\Logs\\q.log"));
    m.cmdBrowseLogFile_Click();
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].title, "Select Log File");
    EXPECT_EQ(ui.dialogs[0].filter, "Log files(*.log) | *.log");
    EXPECT_EQ(ui.dialogs[0].initialFolder, "C:\\Start");
    EXPECT_EQ(m.LogFilePath(), "D:\\Logs\\q.log");
    EXPECT_EQ(globals.sBrowsePath(), "D:\\Logs");
    m.cmdBrowseLogFile_Click(); // cancelled
    EXPECT_EQ(m.LogFilePath(), "D:\\Logs\\q.log");
}

} // namespace
} // namespace qx
