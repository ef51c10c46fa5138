#include "core/ui/cBuiltinStringTable.h"
#include "core/ui/cShortcutWizardModel.h"
#include "core/util/cCodePage1252.h"
#include "fake/cFakeClock.h"
#include "fake/cFakeShell.h"
#include "fake/cFakeUserInterface.h"
#include "fake/cMemoryFileSystem.h"

#include <gtest/gtest.h>

#include <vector>

namespace qx {
namespace {

constexpr const char* kFolder = "C:\\Tools";
constexpr const char* kExe = "C:\\Tools\\Quellix.exe";
using Target = cShortcutWizardModel::Target;

class Wizard : public ::testing::Test {
protected:
    Wizard() {
        fs.AddFile(kExe, "MZ");
        fs.AddFile("C:\\Windows\\NOTEPAD.EXE", "MZ");
        fs.AddFile("C:\\Sets\\office.QXS", "set");
        fs.AddFile("C:\\Sets\\office.qxs.bak", "set");
        fs.AddFolder("C:\\Out");
        m.Form_Load();
    }
    cShortcutWizardModel Make(const std::string& exe) {
        return cShortcutWizardModel(logger, globals, utility, table, ui, fs, codec, exe,
                                    [this](const ShortcutLink& link, std::string& error) {
                                        links.push_back(link);
                                        error = linkError;
                                        return linkError.empty();
                                    });
    }
    // Next from page 0 up to the Finish page, asserting that no check fails on the way.
    void ToFinishPage() {
        while (m.Page() != 1) {
            ASSERT_FALSE(m.cmdNext_Click());
            ASSERT_TRUE(ui.boxes.empty()) << ui.boxes.back().text;
        }
    }
    std::string Boxed() const { return ui.boxes.empty() ? std::string("<none>") : ui.boxes.back().text; }
    fake::cMemoryFileSystem fs;
    fake::cFakeUserInterface ui;
    fake::cFakeClock clock;
    fake::cFakeShell shell;
    cCodePage1252 codec;
    cLogger logger{fs, ui, clock, codec, kFolder};
    cGlobalsClass globals{fs};
    cQXUtility utility{fs, shell};
    cBuiltinStringTable table;
    std::vector<ShortcutLink> links;
    std::string linkError;
    cShortcutWizardModel m = Make(kExe);
};

TEST_F(Wizard, LoadsOnPageZeroWithItsTexts) {
    EXPECT_EQ(m.Page(), 0);
    EXPECT_FALSE(m.BackEnabled());
    EXPECT_EQ(m.NextCaption(), "&Next >>");
    EXPECT_TRUE(m.IsCancelled());
    EXPECT_EQ(m.Text(1), "Select a program to kill");
    EXPECT_EQ(m.Text(7), "The entered program to be killed was not valid");
    EXPECT_EQ(m.Text(12), "Creation failed.");
    EXPECT_EQ(m.Text(0), "");
    EXPECT_EQ(m.Text(13), "");
}

TEST_F(Wizard, PictureLiesBesideTheProgramAndAMissingOneIsReportedOnce) {
    EXPECT_EQ(m.PicturePath(), "C:\\Tools\\graphics\\QXpic.JPG");
    EXPECT_EQ(Make("D:\\My Apps\\q x\\Quellix.exe").PicturePath(), "D:\\My Apps\\q x\\graphics\\QXpic.JPG");
    logger.SetLogFile("C:\\Tools\\Quellix.log");
    logger.SetLogErrors(true);
    m.PictureLoadFailed({53, "fQXCreateShortcutWizard", "File not found: C:\\Tools\\graphics\\QXpic.JPG"});
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].style, kMbOk | kMbIconCritical);
    EXPECT_EQ(ui.boxes[0].text, "Error number: \t53\r\nLocation:     \tfQXCreateShortcutWizard\r\n"
                                "File not found: C:\\Tools\\graphics\\QXpic.JPG");
    ASSERT_NE(fs.Contents("C:\\Tools\\Quellix.log"), nullptr);
    EXPECT_NE(fs.Contents("C:\\Tools\\Quellix.log")->find("QXpic.JPG"), std::string::npos);
    // The wizard itself carries on from page 0.
    EXPECT_EQ(m.Page(), 0);
}

TEST_F(Wizard, CaptionsComeFromTheTable) {
    EXPECT_EQ(m.Caption(cShortcutWizardModel::kCaption), "Create Shortcut Wizard");
    EXPECT_EQ(m.Caption(cShortcutWizardModel::kStopKillingBox),
              "If any programs won't close, stop and do not close anymore programs in the kill set.");
    EXPECT_EQ(m.Caption(cShortcutWizardModel::kBack), "<< &Back");
    EXPECT_EQ(m.Caption(cShortcutWizardModel::kFinish), "&Finish");
    EXPECT_EQ(m.Caption(cShortcutWizardModel::kCancel), "Cancel");
    EXPECT_EQ(m.Caption(cShortcutWizardModel::kKillAllProcessesOption), "Kill all programs and processes");
}

TEST_F(Wizard, SingleProgramWalksEveryPageForwardAndBack) {
    m.SetKillSetOrProgram("C:\\Windows\\NOTEPAD.EXE");
    m.SetDestDir("C:\\Out");
    m.SetShortcutName("Close Notepad");
    std::vector<int> pages{m.Page()};
    while (m.Page() != 1) {
        m.cmdNext_Click();
        pages.push_back(m.Page());
        EXPECT_TRUE(m.BackEnabled());
    }
    EXPECT_EQ(pages, (std::vector<int>{0, 2, 3, 4, 5, 1}));
    EXPECT_TRUE(m.KillProgramLabelVisible());
    EXPECT_EQ(m.NextCaption(), "&Finish");
    pages = {m.Page()};
    while (m.Page() != 0) {
        m.cmdBack_Click();
        pages.push_back(m.Page());
        if (m.Page() == 5) {
            EXPECT_EQ(m.NextCaption(), "&Next >>");
        }
    }
    EXPECT_EQ(pages, (std::vector<int>{1, 5, 4, 3, 2, 0}));
    EXPECT_FALSE(m.BackEnabled());
    m.cmdBack_Click();
    EXPECT_EQ(m.Page(), 0);
}

TEST_F(Wizard, KillAllSkipsTheProgramPageBothWays) {
    m.SetKillTarget(Target::AllPrograms);
    m.cmdNext_Click();
    m.cmdNext_Click();
    ASSERT_EQ(m.Page(), 3);
    m.cmdNext_Click();
    EXPECT_EQ(m.Page(), 5);
    m.cmdBack_Click();
    EXPECT_EQ(m.Page(), 3);
    m.SetKillTarget(Target::ProgramSet);
    m.cmdNext_Click();
    EXPECT_EQ(m.Page(), 4);
    EXPECT_FALSE(m.KillProgramLabelVisible());
}

TEST_F(Wizard, ProgramPageChecksTheFile) {
    for (int i = 0; i < 3; ++i) m.cmdNext_Click();
    ASSERT_EQ(m.Page(), 4);
    for (const char* bad : {"", "   ", "C:\\Windows\\missing.exe", "C:\\Windows"}) {
        ui.boxes.clear();
        m.SetKillSetOrProgram(bad);
        m.cmdNext_Click();
        EXPECT_EQ(m.Page(), 4) << bad;
        EXPECT_EQ(Boxed(), "The entered program to be killed was not valid") << bad;
        EXPECT_EQ(ui.boxes.back().style, kMbOk | kMbIconCritical);
        EXPECT_EQ(ui.boxes.back().title, "Quellix");
    }
    m.SetKillSetOrProgram("C:\\Windows\\NOTEPAD.EXE");
    m.cmdNext_Click();
    EXPECT_EQ(m.Page(), 5);
}

TEST_F(Wizard, SetPageWantsAnExistingQxsFileWhateverItsCase) {
    m.SetKillTarget(Target::ProgramSet);
    for (int i = 0; i < 3; ++i) m.cmdNext_Click();
    ASSERT_EQ(m.Page(), 4);
    for (const char* bad : {"C:\\Sets\\office.qxs.bak", "C:\\Sets\\other.qxs", "", "qxs"}) {
        ui.boxes.clear();
        m.SetKillSetOrProgram(bad);
        m.cmdNext_Click();
        EXPECT_EQ(m.Page(), 4) << bad;
        EXPECT_EQ(Boxed(), "You must select a Kill Set") << bad;
    }
    m.SetKillSetOrProgram("C:\\Sets\\office.QXS");
    m.cmdNext_Click();
    EXPECT_EQ(m.Page(), 5);
}

TEST_F(Wizard, DestinationPageChecksNameThenFolder) {
    m.SetKillTarget(Target::AllProcesses);
    for (int i = 0; i < 3; ++i) m.cmdNext_Click();
    ASSERT_EQ(m.Page(), 5);
    m.SetDestDir("C:\\Out");
    m.SetShortcutName("   ");
    m.cmdNext_Click();
    EXPECT_EQ(Boxed(), "The shortcut name must be entered");
    m.SetCreateShortcut(false);
    m.cmdNext_Click();
    EXPECT_EQ(Boxed(), "The batch file name must be entered");
    m.SetShortcutName("kill");
    for (const char* bad : {"", "  ", "C:\\Missing"}) {
        ui.boxes.clear();
        m.SetDestDir(bad);
        m.cmdNext_Click();
        EXPECT_EQ(Boxed(), "The destination directory doesn't exist") << bad;
        EXPECT_EQ(m.Page(), 5);
    }
    m.SetDestDir("C:\\Out");
    m.cmdNext_Click();
    EXPECT_EQ(m.Page(), 1);
}

TEST_F(Wizard, ArgumentsForEachTargetAndOverride) {
    m.SetKillSetOrProgram("C:\\Windows\\NOTEPAD.EXE");
    EXPECT_EQ(m.Arguments(), "/P=NOTEPAD.EXE ");
    m.SetKillSetOrProgram("C:\\Program Files\\My App\\my app.exe");
    EXPECT_EQ(m.Arguments(), "/P=\"my app.exe\" ");
    m.SetKillSetOrProgram("C:\\Apps\\R&D.exe");
    EXPECT_EQ(m.Arguments(), "/P=\"R&D.exe\" ");
    m.SetKillTarget(Target::ProgramSet);
    m.SetKillSetOrProgram("C:\\Sets\\office.qxs");
    EXPECT_EQ(m.Arguments(), "\"C:\\Sets\\office.qxs\" ");
    m.SetKillTarget(Target::AllProcesses);
    EXPECT_EQ(m.Arguments(), "/KA ");
    m.SetKillTarget(Target::AllPrograms);
    m.SetStopKilling(true);
    m.SetForceClose(true);
    m.SetWaitChecked(true);
    m.SetWaitSeconds(30);
    EXPECT_EQ(m.Arguments(), "/KW "); // boxes below an unchecked override do not count
    m.SetOverrideSettings(true);
    EXPECT_TRUE(m.OverrideControlsEnabled());
    EXPECT_EQ(m.Arguments(), "/KW /S /F /W:30");
    m.SetWaitChecked(false);
    m.SetStopKilling(false);
    m.SetForceClose(false);
    EXPECT_EQ(m.Arguments(), "/KW /-S /-F ");
}

TEST_F(Wizard, BatchFileGetsTheExactLineAndTheFolderItsBackslash) {
    m.SetCreateShortcut(false);
    m.SetKillTarget(Target::AllPrograms);
    m.SetOverrideSettings(true);
    m.SetStopKilling(true);
    m.SetWaitChecked(true);
    m.SetWaitSeconds(30);
    m.SetDestDir("C:\\Out");
    m.SetShortcutName("kill all");
    ToFinishPage();
    EXPECT_TRUE(m.cmdNext_Click());
    EXPECT_EQ(m.DestDir(), "C:\\Out\\");
    ASSERT_NE(fs.Contents("C:\\Out\\kill all.bat"), nullptr);
    EXPECT_EQ(*fs.Contents("C:\\Out\\kill all.bat"), "C:\\Tools\\Quellix.exe /KW /S /-F /W:30\r\n");
    EXPECT_FALSE(m.IsCancelled());
    EXPECT_TRUE(links.empty());
}

TEST_F(Wizard, BatchLineQuotesAProgramPathWithBlanksAndDoublesPercent) {
    fs.AddFile("C:\\Program Files\\Q%x%\\Quellix.exe", "MZ");
    cShortcutWizardModel w = Make("C:\\Program Files\\Q%x%\\Quellix.exe");
    w.Form_Load();
    w.SetKillTarget(Target::ProgramSet);
    w.SetKillSetOrProgram("C:\\Sets\\100%.qxs");
    EXPECT_EQ(w.BatchLine(), "\"C:\\Program Files\\Q%%x%%\\Quellix.exe\" \"C:\\Sets\\100%%.qxs\" ");
    m.SetKillTarget(Target::AllPrograms);
    EXPECT_EQ(m.BatchLine(), "C:\\Tools\\Quellix.exe /KW "); // nothing to quote
    fs.AddFile("C:\\R&D\\Quellix.exe", "MZ");
    cShortcutWizardModel r = Make("C:\\R&D\\Quellix.exe");
    r.SetKillTarget(Target::AllProcesses);
    EXPECT_EQ(r.BatchLine(), "\"C:\\R&D\\Quellix.exe\" /KA "); // cmd would split the line at an unquoted &
}

TEST_F(Wizard, BatchFileIsWrittenInTheConsoleCodePageOrRefusedWhenItCannotHoldTheLine) {
    const struct {
        std::string set;
        const char* bytes; // "" when refused
    } cases[] = {
        {"C:\\B\u00fcro\\\u00c9t\u00e9.qxs", "C:\\Tools\\Quellix.exe \"C:\\B\x81ro\\\x90t\x82.qxs\" \r\n"},
        {"C:\\\u0141\u00f3d\u017a\\Set.qxs", ""},
        {"C:\\\u0394\u03ad\u03bb\u03c4\u03b1.qxs", ""},
        {"C:\\Euro \u20ac.qxs", ""}, // in the ANSI code page, not in the console's
    };
    for (const auto& c : cases) {
        fs.AddFile(c.set, "set");
        cShortcutWizardModel w = Make(kExe);
        w.Form_Load();
        w.SetCreateShortcut(false);
        w.SetKillTarget(Target::ProgramSet);
        w.SetKillSetOrProgram(c.set);
        w.SetDestDir("C:\\Out");
        w.SetShortcutName("run");
        while (w.Page() != 1) ASSERT_FALSE(w.cmdNext_Click());
        ui.boxes.clear();
        fs.DeleteFile("C:\\Out\\run.bat");
        const bool refused = std::string(c.bytes).empty();
        EXPECT_EQ(w.cmdNext_Click(), !refused) << c.set;
        EXPECT_EQ(w.IsCancelled(), refused);
        const std::string* written = fs.Contents("C:\\Out\\run.bat");
        EXPECT_EQ(written ? *written : "", c.bytes) << c.set;
        if (!refused) continue;
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_NE(ui.boxes[0].text.find("Create a shortcut instead"), std::string::npos);
        EXPECT_EQ(ui.boxes[0].style, kMbOk | kMbIconCritical);
        EXPECT_EQ(w.Page(), 1); // Back leads to the choice of a shortcut
    }
}

TEST_F(Wizard, ShortcutGetsTargetAndUnescapedArguments) {
    m.SetKillTarget(Target::ProgramSet);
    m.SetKillSetOrProgram("C:\\Sets\\office.QXS");
    m.SetDestDir("C:\\Out\\");
    m.SetShortcutName("Office");
    ToFinishPage();
    EXPECT_TRUE(m.cmdNext_Click());
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].linkPath, "C:\\Out\\Office.lnk");
    EXPECT_EQ(links[0].targetPath, kExe);
    EXPECT_EQ(links[0].arguments, "\"C:\\Sets\\office.QXS\" ");
    EXPECT_FALSE(m.IsCancelled());
    m.cmdCancel_Click();
    EXPECT_TRUE(m.IsCancelled());
}

TEST_F(Wizard, MissingProgramFileWritesNothing) {
    cShortcutWizardModel w = Make("C:\\Tools\\Gone.exe");
    w.Form_Load();
    w.SetKillTarget(Target::AllPrograms);
    w.SetDestDir("C:\\Out");
    w.SetShortcutName("x");
    while (w.Page() != 1) w.cmdNext_Click();
    EXPECT_FALSE(w.cmdNext_Click());
    EXPECT_EQ(Boxed(), "Couldn't locate Quellix.\r\nCreation failed.");
    EXPECT_EQ(ui.boxes.back().style, kMbOk | kMbIconCritical);
    EXPECT_TRUE(links.empty());
    EXPECT_TRUE(w.IsCancelled());
}

TEST_F(Wizard, FailedWriteReportsAndReturnsToPageZeroKeepingEntries) {
    m.SetKillTarget(Target::AllPrograms);
    m.SetDestDir("C:\\Out");
    m.SetShortcutName("x");
    ToFinishPage();
    linkError = "Access is denied.";
    EXPECT_FALSE(m.cmdNext_Click());
    EXPECT_EQ(Boxed(), "Access is denied.: Creation failed.");
    EXPECT_EQ(m.Page(), 0);
    EXPECT_FALSE(m.BackEnabled());
    EXPECT_EQ(m.NextCaption(), "&Next >>");
    EXPECT_EQ(m.ShortcutName(), "x");
    EXPECT_TRUE(m.IsCancelled());

    m.SetCreateShortcut(false);
    fs.DenyWrites("C:\\Out");
    ui.boxes.clear();
    ToFinishPage();
    EXPECT_FALSE(m.cmdNext_Click());
    EXPECT_EQ(Boxed(), "Access is denied: Creation failed."); // why, in the file system's words
}

TEST_F(Wizard, BrowsingFillsTheBoxesAndRemembersTheFolder) {
    globals.SetsBrowsePath("C:\\Start");
    ui.chosenFiles.push_back(std::string("C:\\Windows\\NOTEPAD.EXE"));
    m.cmdBrowseKillSet_Click();
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].title, "Select a program to kill");
    EXPECT_EQ(ui.dialogs[0].filter, "All Files(*.*;)|*.*;");
    EXPECT_EQ(ui.dialogs[0].initialFolder, "C:\\Start");
    EXPECT_EQ(ui.dialogs[0].flags, kOfnHideReadOnly);
    EXPECT_EQ(m.KillSetOrProgram(), "C:\\Windows\\NOTEPAD.EXE");
    EXPECT_EQ(globals.sBrowsePath(), "C:\\Windows\\");

    m.SetKillTarget(Target::ProgramSet);
    m.cmdBrowseKillSet_Click(); // cancelled
    EXPECT_EQ(ui.dialogs[1].title, "Select a kill set");
    EXPECT_EQ(ui.dialogs[1].filter, "Kill Sets(*.qxs;)|*.qxs;");
    EXPECT_EQ(m.KillSetOrProgram(), "C:\\Windows\\NOTEPAD.EXE");

    shell.browseResult = true;
    shell.browsePath = "C:\\Out";
    m.cmdBrowseForShorcutDir_Click(0);
    EXPECT_EQ(m.DestDir(), "C:\\Out");
    EXPECT_EQ(shell.calls.at(0).file, "Select directory");
    shell.browseResult = false;
    m.cmdBrowseForShorcutDir_Click(0);
    EXPECT_EQ(m.DestDir(), "C:\\Out");
}

} // namespace
} // namespace qx
