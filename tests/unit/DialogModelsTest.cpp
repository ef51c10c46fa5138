#include "core/settings/cMemoryRegistry.h"
#include "core/settings/modPasswordHash.h"
#include "core/ui/cBuiltinStringTable.h"
#include "core/ui/cDataPathModel.h"
#include "core/ui/cMiscSettingsModel.h"
#include "core/ui/cShortcutWizardModel.h"
#include "core/util/cCodePage1252.h"
#include "fake/cFakeClock.h"
#include "fake/cFakeShell.h"
#include "fake/cFakeUserInterface.h"
#include "fake/cMemoryFileSystem.h"
#include "fake/cPostRecorder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace qx {
namespace {

constexpr const char* kExe = "C:\\Tools\\Quellix.exe";
constexpr const char* kLog = "C:\\Logs\\My Log.log";
using Target = cShortcutWizardModel::Target;
using Ok = cMiscSettingsModel::OkResult;

// The Create Shortcut Wizard, Advanced Settings and Select Default Data
// Directory over one fake system.
class Dialogs : public ::testing::Test {
protected:
    Dialogs() {
        for (const char* f : {kExe, "C:\\Sets\\office.QXS", "C:\\Sets\\office.qxs.bak", kLog}) fs.AddFile(f);
        fs.AddFolder("C:\\Out");
        options.SetLogPath(kLog);
    }
    // A wizard opened with its entries filled in, moved on by Next until the
    // Finish page or a refusal; `pages` are the pages it showed.
    cShortcutWizardModel Wizard(const std::string& exe, Target target, bool shortcut, const std::string& entry,
                                const std::string& dir = "C:\\Out", const std::string& name = "x") {
        cShortcutWizardModel w{logger, globals, utility, table, ui, fs, codec, exe,
                               [this](const ShortcutLink& l, std::string& error) {
                                   if (linkError.empty()) written = l.linkPath + "|" + l.targetPath + "|" + l.arguments;
                                   error = linkError;
                                   return linkError.empty();
                               }};
        w.Form_Load();
        w.SetKillTarget(target);
        w.SetCreateShortcut(shortcut);
        w.SetKillSetOrProgram(entry);
        w.SetDestDir(dir);
        w.SetShortcutName(name);
        ui.boxes.clear();
        for (pages = {w.Page()}; pages.size() < 7 && w.Page() != 1 && ui.boxes.empty(); pages.push_back(w.Page()))
            w.cmdNext_Click();
        return w;
    }
    // How many boxes were shown, and the start of the last one.
    std::string Boxed(const std::string& start) const {
        return std::to_string(ui.boxes.size()) + (ui.boxes.empty() ? "" : ui.boxes.back().text.substr(0, start.size()));
    }
    cMemoryRegistry reg;
    fake::cPostRecorder os;
    cQuellixOptions options{reg, os, "C:\\Tools"};
    fake::cMemoryFileSystem fs;
    fake::cFakeUserInterface ui;
    fake::cFakeClock clock;
    fake::cFakeShell shell;
    cCodePage1252 codec;
    cLogger logger{fs, ui, clock, codec, "C:\\Tools"};
    cGlobalsClass globals{fs};
    cQXUtility utility{fs, shell};
    cBuiltinStringTable table;
    std::string written, linkError;
    std::vector<int> pages;
};

TEST_F(Dialogs, TheWizardShowsThePagesItsTargetNeedsAndWritesItsCommandLine) {
    // Each row: the program, the entry naming what to close, the target, and the overrides (0: none; else /S /F
    // and, above 1, a wait of that many seconds) and the command line they give.
    using Row = std::tuple<const char*, const char*, Target, int, std::string>;
    const std::vector<Row> cases{
        {kExe, "C:\\W\\NOTEPAD.EXE", Target::OneProgram, 0, "C:\\Tools\\Quellix.exe /P=NOTEPAD.EXE "},
        {kExe, "C:\\A B\\R&D x.exe", Target::OneProgram, 0, "C:\\Tools\\Quellix.exe /P=\"R&D x.exe\" "},
        {"C:\\P F\\%x%\\Q.exe", "C:\\1%.qxs", Target::ProgramSet, 0, "\"C:\\P F\\%%x%%\\Q.exe\" \"C:\\1%%.qxs\" "},
        {"C:\\R&D\\Q.exe", "", Target::AllProcesses, 1, "\"C:\\R&D\\Q.exe\" /KA /S /F "},
        {kExe, "", Target::AllPrograms, 30, "C:\\Tools\\Quellix.exe /KW /S /F /W:30"},
    };
    for (const auto& [exe, entry, target, overrides, line] : cases) {
        if (*entry) fs.AddFile(entry);
        cShortcutWizardModel w = Wizard(exe, target, true, entry);
        const bool namesFile = target == Target::OneProgram || target == Target::ProgramSet;
        EXPECT_EQ(pages, (namesFile ? std::vector<int>{0, 2, 3, 4, 5, 1} : std::vector<int>{0, 2, 3, 5, 1}));
        EXPECT_EQ(w.NextCaption() + std::to_string(w.BackEnabled()), "&Finish1");
        std::vector<int> back; // the last Back finds nothing before the first page
        for (int i = 0; i < 6; ++i, w.cmdBack_Click()) back.insert(back.begin(), w.Page());
        EXPECT_EQ(std::vector<int>(back.end() - static_cast<std::ptrdiff_t>(pages.size()), back.end()), pages);
        EXPECT_EQ(w.NextCaption() + std::to_string(w.BackEnabled()) + std::to_string(w.Page()), "&Next >>00");
        w.SetStopKilling(true);
        w.SetForceClose(true);
        w.SetWaitSeconds(static_cast<std::int16_t>(overrides));
        w.SetWaitChecked(overrides > 1);
        w.SetOverrideSettings(overrides > 0);
        EXPECT_EQ(w.BatchLine(), line);
    }
}

// Next up to the Finish page, where a page's entry cannot be used, and Finish.
TEST_F(Dialogs, TheWizardWritesTheFileOrSaysWhyNot) {
    fs.AddFolder("C:\\Locked");
    fs.DenyWrites("C:\\Locked");
    const std::string set = "C:\\Sets\\office.QXS", noSet = "You must select a Kill Set", out = "C:\\Out", x = "x";
    // Each row: a shortcut or a batch file, the entry, the program, the folder, the name and the link writer's
    // error; then the start of the box shown, the file written and the page the wizard is left on.
    using Row = std::tuple<bool, std::string, std::string, std::string, std::string, std::string, std::string,
                           std::string, int>;
    const std::vector<Row> cases{
        {true, set, kExe, out, x, "", "", "C:\\Out\\x.lnk|C:\\Tools\\Quellix.exe|\"C:\\Sets\\office.QXS\" ", 1},
        {false, "C:\\B\u00fc\\\u00c9t\u00e9.qxs", kExe, out, x, "", "",
         "C:\\Tools\\Quellix.exe \"C:\\B\x81\\\x90t\x82.qxs\" \r\n", 1}, // in the console's code page
        {false, "C:\\Euro \u20ac.qxs", kExe, out, x, "", "The batch file cannot hold", "", 1}, // only ANSI has it
        {true, set, kExe, out, x, "Access is denied.", "Access is denied.: Creation failed.", "", 0},
        {false, set, kExe, "C:\\Locked", x, "", "Access is denied: Creation failed.", "", 0},
        {true, set, "C:\\Tools\\Gone.exe", out, x, "", "Couldn't locate Quellix.\r\nCreation failed.", "", 1},
        {true, "C:\\W\\missing.exe", kExe, out, x, "", "The entered program to be killed was not valid", "", 4},
        {true, "C:\\Sets\\office.qxs.bak", kExe, out, x, "", noSet, "", 4},
        {true, set, kExe, out, "   ", "", "The shortcut name must be entered", "", 5},
        {false, set, kExe, out, "", "", "The batch file name must be entered", "", 5},
        {true, set, kExe, "C:\\Missing", x, "", "The destination directory doesn't exist", "", 5},
    };
    for (const auto& [shortcut, entry, exe, dir, name, writerError, box, file, page] : cases) {
        if (page == 1) fs.AddFile(entry);
        linkError = writerError;
        written.clear();
        const Target target = entry.ends_with(".exe") ? Target::OneProgram : Target::ProgramSet;
        cShortcutWizardModel w = Wizard(exe, target, shortcut, entry, dir, name);
        EXPECT_EQ(w.Page() == 1 && w.cmdNext_Click(), box.empty()) << entry;
        const std::string* bat = fs.Contents("C:\\Out\\x.bat");
        EXPECT_EQ(std::make_tuple(w.Page(), w.IsCancelled(), Boxed(box), shortcut ? written : bat ? *bat : ""),
                  std::make_tuple(page, !box.empty(), (box.empty() ? "0" : "1") + box, file))
            << entry;
        fs.DeleteFile("C:\\Out\\x.bat");
    }
}

// OK first settles the log file: a missing one is created only when the user agrees.
TEST_F(Dialogs, AdvancedSettingsOpenWithTheOptionsAndOkStoresTheEditedOnes) {
    options.SetShowSplash(false);
    options.SetDefaultWaitSeconds(45);
    options.SetLogging(4); // no such level
    cMiscSettingsModel m{options, logger, globals, table, ui, fs, shell};
    m.Form_Load();
    EXPECT_EQ(std::make_tuple(m.ShowSplash(), m.WaitText(), m.LogTypeIndex(), m.LogFilePath()),
              std::make_tuple(false, std::string("45"), 0, std::string(kLog)));
    m.TabStrip1_Click(2);
    m.TabStrip1_Click(4);
    EXPECT_EQ(m.SelectedTab(), 2);
    m.SetShowSplash(true);
    m.SetForceClose(!options.DefaultForceClose());
    m.SetStopOnError(!options.DefaultStopOnError());
    m.SetIgnoreTitle(!options.DefaultIgnoreTitle());
    m.SetNumberSeparators({",", "."});
    m.SetWaitText("1.200");
    m.SetLogTypeIndex(1);
    m.SetLogTypeIndex(3); // no such item
    ui.answers = {kIdYes, kIdOk, kIdNo, kIdYes}; // create, cannot; do not create; create
    for (const char* log : {"C:\\Nowhere\\x.log", "C:\\Logs\\new.log"}) {
        m.SetLogFilePath(log);
        EXPECT_EQ(m.cmdOK_Click(), Ok::LogFileRejected);
        EXPECT_EQ(std::make_tuple(m.SelectedTab(), options.DefaultWaitSeconds(), fs.Contents(log)),
                  std::make_tuple(3, 45, nullptr));
    }
    EXPECT_EQ(m.cmdOK_Click(), Ok::Closed);
    EXPECT_EQ(std::make_tuple(ui.boxes.size(), ui.boxes[1].text, *fs.Contents("C:\\Logs\\new.log")),
              std::make_tuple(std::size_t{4}, std::string("Unable to create log.  Make sure path is valid."), ""));
    EXPECT_EQ(std::make_tuple(options.ShowSplash(), options.DefaultWaitSeconds(), options.DefaultForceClose(),
                              options.DefaultStopOnError(), options.DefaultIgnoreTitle(), options.Logging(),
                              options.LogPath(), m.WaitText()),
              std::make_tuple(true, 1200, m.ForceClose(), m.StopOnError(), m.IgnoreTitle(), std::int16_t{2},
                              std::string("C:\\Logs\\new.log"), std::string("1200")));
}

// A required password must be typed twice exactly; a change to the password
// settings needs the right to write them machine-wide, the rest is kept anyway.
TEST_F(Dialogs, AdvancedSettingsCheckAndStoreThePassword) {
    const std::int32_t old = PasswordHash("old");
    const std::string none = "'Require Password' was checked but no password was entered.",
                      mismatch = "'Require Password' was checked but the entered password doesn't match",
                      refused = "Only an administrator can change the password settings.";
    // Each row: whether a password was required, is required now and afterwards; the stored hash and the one
    // afterwards; what was typed in both boxes (nullptr: untouched); the box shown.
    using Row = std::tuple<bool, bool, bool, std::int32_t, std::int32_t, const char*, const char*, std::string>;
    const std::vector<Row> cases{
        {false, true, false, -1, -1, nullptr, nullptr, none}, // never set
        {false, true, false, 0, 0, "Secret", "secret", mismatch},
        {false, true, true, -1, PasswordHash(" pass "), " pass ", " pass ", ""},
        {true, false, false, old, 0, "", nullptr, ""},       // an emptied box is no password
        {false, true, false, -1, -1, "pw", "pw", refused},   // from here on writes are refused
        {true, false, true, old, old, nullptr, nullptr, refused},
        {true, true, true, old, old, nullptr, nullptr, ""},
    };
    for (const auto& [required, require, requiredAfter, stored, storedAfter, typed1, typed2, box] : cases) {
        if (box == refused) reg.RefuseWritesBelow(kHkeyLocalMachine);
        options.SetRequireAdminLogin(required);
        options.SetAdminPassword(stored);
        cMiscSettingsModel m{options, logger, globals, table, ui, fs, shell};
        m.Form_Load();
        m.SetRequirePassword(require);
        if (typed1) m.txtPassword1_Change(typed1);
        if (typed2) m.SetPassword2(typed2);
        m.SetLogTypeIndex(2);
        ui.boxes.clear();
        const bool rejected = box == none || box == mismatch;
        EXPECT_EQ(m.cmdOK_Click(), rejected ? Ok::PasswordRejected : Ok::Closed) << box;
        // The logging is applied even when the password is refused.
        EXPECT_EQ(std::make_tuple(Boxed(box), options.RequireAdminLogin(), options.AdminPassword(), options.Logging(),
                                  m.SelectedTab()),
                  std::make_tuple((box.empty() ? "0" : "1") + box, requiredAfter, storedAfter, std::int16_t{3},
                                  rejected ? 2 : 1));
    }
}

TEST_F(Dialogs, TheDataFolderStartsWhereItCanAndADriveNotReadyIsRetriedOrLeft) {
    cDataPathModel m{options, logger, table, ui, fs, "C:\\Tools"};
    options.SetDefaultDataPath("Q:\\Gone");
    m.Form_Load();
    using Show = cDataPathModel::DriveShow;
    const std::vector<Show> script{Show::NotReady, Show::NotReady, Show::NotReady, Show::Shown, Show::Failed};
    std::size_t next = 0;
    const auto show = [&](const std::string&, cErrorInfo&) { return script.at(next++); };
    m.SetLastGoodDrive("c:");
    ui.answers = {4, kIdCancel, 4}; // Retry, Cancel, Retry
    using Change = cDataPathModel::DriveChange;
    EXPECT_EQ((std::vector{m.Drive1_Change("a:", show), m.Drive1_Change("b:", show), m.Drive1_Change("e:", show)}),
              (std::vector<Change>{Change::BackToLastGood, Change::Shown, Change::Close}));
    EXPECT_EQ(m.StartDriveLetter() + m.StartFolder() + "|" + m.LastGoodDrive() + "|" + ui.boxes.at(3).text.substr(0, 6) +
                  ui.boxes[0].text,
              "CC:\\Tools|b:|Error a: is not accessible.\r\n\r\nThe device is not ready.");
}

TEST(WaitField, AnyTextBecomesWholeSecondsFromZeroTo7200) {
    const NumberSeparators en, de{",", "."}, nbsp{",", "\xC2\xA0"};
    using Row = std::tuple<const char*, NumberSeparators, std::int32_t>;
    // Ten for what is no number or beyond 32 bits; any other number is held to 0..7200, rounded with halves to
    // the even neighbour, and read the way the user's locale writes numbers.
    const std::vector<Row> cases{
        {"abc", en, 10}, {" ", en, 10}, {"-", en, 10}, {"1e", en, 10}, {"1 2", en, 10}, {",5", en, 10}, {"1,", en, 10},
        {"1,,0", en, 10}, {"1.5,0", en, 10}, {"2147483648", en, 10}, {"1\xC2" "000", nbsp, 10}, {"-5", en, 0},
        {"7201", en, 7200}, {"\t +042 \t", en, 42}, {"1.5E+2", en, 150}, {"5.", en, 5}, {".6", en, 1}, {"2.5", en, 2},
        {"3.5", en, 4}, {"1,000", en, 1000}, {"3,5", de, 4}, {"1.000,6", de, 1001}, {"1\xC2\xA0" "000", nbsp, 1000},
    };
    for (const auto& [text, separators, seconds] : cases) {
        const WaitField w = NormaliseWaitText(text, separators);
        EXPECT_EQ(w.text + "|" + std::to_string(w.seconds), std::to_string(seconds) + "|" + std::to_string(seconds))
            << '[' << text << ']';
    }
}

} // namespace
} // namespace qx
