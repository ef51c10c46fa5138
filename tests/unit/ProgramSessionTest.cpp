#include "core/sets/cSetFile.h"
#include "core/startup/cProgramSession.h"
#include "fake/cFakePlatform.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using Texts = std::vector<std::string>;

constexpr const char* kFolder = "C:\\Quellix";
constexpr const char* kOptions = "Software\\Veltrane\\Quellix\\Options";
constexpr const char* kLog = "C:\\Quellix\\Quellix.log";

class ProgramSession : public ::testing::Test {
protected:
    ProgramSession() {
        fs.AddFolder("D:\\Work");
        fs.currentDirectory = "D:\\Work";
        fake_.facts.version = {148, 5, 1, 2600, kVerPlatformWin32Nt, ""};
        Number("Logging", 3); // errors and actions
        os.SetSelfPid(4);
    }
    void Text(RegKey root, const std::string& path, const std::string& name, const std::string& text) {
        fake_.PutText(root, path, name, text);
    }
    void Number(const std::string& name, std::int32_t n) { fake_.PutOption(name, n); }
    std::string Stored(const std::string& name) const { return fake_.StoredOption(name); }
    std::uint32_t Start(const std::string& exe, const std::string& title, fake::CloseReaction onClose =
                                                                            fake::CloseReaction::ExitProcess) {
        fake::FakeProcessSetup p;
        p.exePath = exe;
        const std::uint32_t pid = os.AddProcess(p);
        fake::FakeWindowSetup w;
        w.pid = pid;
        w.title = title;
        w.onClose = w.onEndSession = onClose;
        os.AddWindow(w);
        return pid;
    }
    void WriteSet(const std::string& path, const std::string& exe, const std::string& title) {
        SetFileEntry e;
        e.Selected = e.WinVisible = e.IgnoreTitle = e.ForceClose = true;
        e.CloseWait = 5;
        e.Title = title;
        e.ExePath = exe;
        std::string bytes;
        ASSERT_EQ(cSetFile::Write(46362.0, {e}, codec, bytes), cSetFile::WriteResult::Ok);
        fs.AddFile(path, bytes);
    }
    Texts Boxes() const {
        Texts t;
        for (const auto& b : ui.boxes) t.push_back(b.text);
        return t;
    }
    std::string Log() const {
        const std::string* c = fs.Contents(kLog);
        return c ? *c : std::string();
    }
    // Load and close as the entry procedure runs them.
    bool RunLine(const std::string& line) {
        if (!session.Load(line)) return false;
        return session.Close();
    }

    fake::cFakePlatform fake_{kFolder};
    fake::cFakeOS& os = fake_.os;
    cMemoryRegistry& registry = fake_.registry;
    fake::cMemoryFileSystem& fs = fake_.fs;
    fake::cFakeUserInterface& ui = fake_.ui;
    cCodePage1252& codec = fake_.codec;
    cProgramSession session{fake_.platform, kFolder};
};

TEST_F(ProgramSession, CommandLineRunClosesTheSetAndRemembersItWithTheOptions) {
    WriteSet("D:\\Work\\OFFICE.QXS", "C:\\Office\\word.exe", "Letter");
    const std::uint32_t word = Start("C:\\Office\\word.exe", "Letter");
    const std::uint32_t other = Start("C:\\Apps\\other.exe", "Other");
    ASSERT_TRUE(RunLine("  office  "));
    EXPECT_TRUE(session.CommandLineMode());
    EXPECT_TRUE(session.QuitAtStart());
    EXPECT_EQ(session.ExitCode(), 0);
    EXPECT_FALSE(os.IsRunning(word));
    EXPECT_TRUE(os.IsRunning(other));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(Stored("LastLoadedSet"), "D:\\Work\\OFFICE.QXS");
    EXPECT_EQ(session.Shared().Options().ProcessID(), 4u);
    EXPECT_NE(Log().find("'Letter' was killed cleanly."), std::string::npos);
    EXPECT_TRUE(fs.IsDirectory("C:\\Quellix\\data")); // made at start-up
}

TEST_F(ProgramSession, FailedKillMakesExitCodeOne) {
    const std::uint32_t stubborn = Start("C:\\Apps\\stay.exe", "Stay", fake::CloseReaction::Ignore);
    const std::uint32_t polite = Start("C:\\Apps\\go.exe", "Go");
    ASSERT_TRUE(RunLine("/P=STAY.EXE /P=GO.EXE /-F /W:0"));
    EXPECT_EQ(session.ExitCode(), 1);
    EXPECT_TRUE(os.IsRunning(stubborn));
    EXPECT_FALSE(os.IsRunning(polite));
    EXPECT_EQ(Stored("LastLoadedSet"), ""); // no set file was loaded
}

TEST_F(ProgramSession, HaltedRunMakesExitCodeOne) {
    Start("C:\\Apps\\stay.exe", "Stay", fake::CloseReaction::Ignore);
    const std::uint32_t later = Start("C:\\Apps\\later.exe", "Later");
    ASSERT_TRUE(RunLine("/P=STAY.EXE /P=LATER.EXE /-F /S /W:0"));
    EXPECT_EQ(session.ExitCode(), 1);
    EXPECT_TRUE(os.IsRunning(later));
}

TEST_F(ProgramSession, ExitCodeTwoWhenTheLineCannotBeUsedAndZeroWhenNothingMatched) {
    struct Case {
        const char* line;
        int code;
        std::size_t boxes;
    };
    for (const Case c : {Case{"/F", 2, 1}, Case{"MISSING", 2, 0}, Case{"/P=X.EXE /W:ABC", 2, 1},
                         Case{"/P=NOTHING.EXE", 0, 0}, Case{"/W:abc", 2, 1}}) {
        Start("C:\\Apps\\x.exe", "X");
        cProgramSession s(fake_.platform, kFolder);
        ui.boxes.clear();
        ASSERT_TRUE(s.Load(c.line)) << c.line;
        EXPECT_TRUE(s.Close()) << c.line;
        EXPECT_EQ(s.ExitCode(), c.code) << c.line;
        EXPECT_EQ(ui.boxes.size(), c.boxes) << c.line;
    }
}

TEST_F(ProgramSession, NothingRequestedIsShownWithTheLineInUpperCase) {
    ASSERT_TRUE(RunLine(" /zz -q "));
    EXPECT_EQ(Boxes(), Texts{"Unable to parse command line arguments or no kill set specified: /ZZ -Q"});
    EXPECT_NE(Log().find("Error: Unable to parse command line arguments or no kill set specified: /ZZ -Q\r\n"),
              std::string::npos);
}

TEST_F(ProgramSession, DebugAloneIsWindowModeThatReopensTheLastSet) {
    WriteSet("D:\\Sets\\last.qxs", "C:\\Office\\word.exe", "Letter");
    Text(kHkeyLocalMachine, kOptions, "LastLoadedSet", "D:\\Sets\\last.qxs");
    const std::uint32_t word = Start("C:\\Office\\word.exe", "Letter");
    ASSERT_TRUE(session.Load(" /debug\t"));
    EXPECT_FALSE(session.CommandLineMode());
    EXPECT_FALSE(session.QuitAtStart());
    EXPECT_TRUE(session.Shared().Logger().DebugMode());
    EXPECT_EQ(session.Set().lvProgramSet().Count(), 1);
    EXPECT_FALSE(session.Set().SetChanged());
    EXPECT_TRUE(os.IsRunning(word));
    EXPECT_TRUE(session.Close());
    const std::string log = Log();
    const Texts order = {"Debug: After MainInitialize", "Debug: GetSettings", "Debug: OpenProgramSet",
                         "Debug: Unloading", "Debug: SaveSettings"};
    std::size_t at = 0;
    for (const std::string& t : order) {
        at = log.find(t + "\r\n", at);
        ASSERT_NE(at, std::string::npos) << t;
    }
}

TEST_F(ProgramSession, WindowStartupStepSeesTheOptionsBeforeTheLastSetAndNeverRunsForACommandLine) {
    WriteSet("D:\\Sets\\last.qxs", "C:\\Office\\word.exe", "Letter");
    Text(kHkeyLocalMachine, kOptions, "LastLoadedSet", "D:\\Sets\\last.qxs");
    Number("ShowSpash", 0); // the stored name
    int calls = 0;
    bool splashOption = true;
    std::int16_t rowsThen = -1;
    session.SetWindowStartupStep([&](cSharedObjects& shared) {
        ++calls;
        splashOption = shared.Options().ShowSplash();
        rowsThen = session.Set().lvProgramSet().Count();
        shared.Options().SetWinHandle(0x1234);
    });
    ASSERT_TRUE(session.Load(""));
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(splashOption); // read from the registry already
    EXPECT_EQ(rowsThen, 0);     // the last set comes afterwards
    EXPECT_EQ(session.Set().lvProgramSet().Count(), 1);
    EXPECT_EQ(session.Shared().Options().WinHandle(), 0x1234u);

    cProgramSession lineRun{fake_.platform, kFolder};
    int lineCalls = 0;
    lineRun.SetWindowStartupStep([&](cSharedObjects&) { ++lineCalls; });
    ASSERT_TRUE(lineRun.Load("/P=nothing.exe"));
    EXPECT_EQ(lineCalls, 0);
}

TEST_F(ProgramSession, WindowLayoutStepComesAfterTheLastSetAndBeforeTheFirstInventory) {
    WriteSet("D:\\Sets\\last.qxs", "C:\\Office\\word.exe", "Letter");
    Text(kHkeyLocalMachine, kOptions, "LastLoadedSet", "D:\\Sets\\last.qxs");
    Start("C:\\Office\\word.exe", "Letter");
    int calls = 0;
    std::int16_t rowsThen = -1, appsThen = -1;
    session.SetWindowLayoutStep([&](cSharedObjects& shared) {
        ++calls;
        rowsThen = session.Set().lvProgramSet().Count();
        appsThen = session.Inventory().lvApplications().Count();
        shared.Logger().LogDebug("Layout step");
    });
    ASSERT_TRUE(session.Load("/debug"));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(rowsThen, 1); // the last set is open already
    EXPECT_EQ(appsThen, 0); // the running programs are listed afterwards
    EXPECT_EQ(session.Inventory().lvApplications().Count(), 1);
    const std::string log = Log();
    const std::size_t step = log.find("Debug: Layout step\r\n");
    ASSERT_NE(step, std::string::npos);
    EXPECT_LT(log.find("Debug: OpenProgramSet"), step);
    EXPECT_GT(log.find("Debug: PopulateListviews"), step);

    cProgramSession lineRun{fake_.platform, kFolder};
    int lineCalls = 0;
    lineRun.SetWindowLayoutStep([&](cSharedObjects&) { ++lineCalls; });
    ASSERT_TRUE(lineRun.Load("/P=nothing.exe"));
    EXPECT_EQ(lineCalls, 0);
}

TEST_F(ProgramSession, CommandLineModeNeverOpensTheLastSetButDebugWithATokenTraces) {
    WriteSet("D:\\Sets\\last.qxs", "C:\\Office\\word.exe", "Letter");
    Text(kHkeyLocalMachine, kOptions, "LastLoadedSet", "D:\\Sets\\last.qxs");
    const std::uint32_t word = Start("C:\\Office\\word.exe", "Letter");
    ASSERT_TRUE(RunLine("/debug /P=nothing.exe"));
    EXPECT_TRUE(session.CommandLineMode());
    EXPECT_TRUE(os.IsRunning(word));
    EXPECT_EQ(Log().find("Debug: OpenProgramSet"), std::string::npos);
    EXPECT_NE(Log().find("Debug: Command line args: /DEBUG /P=NOTHING.EXE"), std::string::npos);
    EXPECT_EQ(Stored("LastLoadedSet"), "D:\\Sets\\last.qxs"); // kept
}

TEST_F(ProgramSession, SecondSetMissingEndsWithoutOfferingToSaveTheFirst) {
    WriteSet("D:\\Work\\ONE.QXS", "C:\\a.exe", "A");
    ASSERT_TRUE(RunLine("ONE TWO"));
    EXPECT_EQ(session.ExitCode(), 2);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(Stored("LastLoadedSet"), "D:\\Work\\ONE.QXS");
}

TEST_F(ProgramSession, CancelledSaveQuestionKeepsOnlyTheWindowOpen) {
    WriteSet("D:\\Work\\ONE.QXS", "C:\\a.exe", "A");
    ASSERT_TRUE(session.Load("ONE"));
    session.Set().SetSetChanged(true);
    ui.answers = {kIdCancel};
    EXPECT_TRUE(session.Close()); // no window to go back to
    EXPECT_EQ(Boxes(), Texts{"Save changes to current set?"});
    EXPECT_EQ(Stored("LastLoadedSet"), "D:\\Work\\ONE.QXS");

    cProgramSession window(fake_.platform, kFolder);
    ASSERT_TRUE(window.Load(""));
    EXPECT_FALSE(window.CommandLineMode());
    EXPECT_EQ(window.Set().lvProgramSet().Count(), 1); // the last set, reopened
    window.Set().SetSetChanged(true);
    Text(kHkeyLocalMachine, kOptions, "LastLoadedSet", "untouched");
    ui.answers = {kIdCancel};
    EXPECT_FALSE(window.Close());
    EXPECT_EQ(Stored("LastLoadedSet"), "untouched");
    ui.answers = {kIdNo};
    EXPECT_TRUE(window.Close());
    EXPECT_EQ(Stored("LastLoadedSet"), "D:\\Work\\ONE.QXS");
}

TEST_F(ProgramSession, StartUpFailureEndsAtOnceWithoutSavingAnything) {
    Text(kHkeyCurrentUser, fake::cFakePlatform::kShellFolders, "Startup", ""); // as if never recorded
    EXPECT_FALSE(session.Load("/P=X.EXE"));
    EXPECT_EQ(session.ExitCode(), 3);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_NE(ui.boxes[0].text.find("Unable to locate Startup directory"), std::string::npos);
    EXPECT_TRUE(session.Close());
    EXPECT_EQ(Stored("QuellixPath"), "<none>");
}

// ---------------------------------------------------------------- data directory

TEST_F(ProgramSession, DataDirectoryBelowAMissingFolderFallsBackAfterYes) {
    Text(kHkeyLocalMachine, kOptions, "DefaultDataDirectory", "Q:\\gone\\data");
    ui.answers = {kIdYes};
    ASSERT_TRUE(RunLine("/P=X.EXE"));
    ASSERT_GE(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Unable to create the data directory.\r\n\r\nIs it OK to try to create "
                                "C:\\Quellix\\data as the data directory?");
    EXPECT_EQ(ui.boxes[0].style, kMbYesNo | kMbIconCritical);
    EXPECT_TRUE(fs.IsDirectory("C:\\Quellix\\data"));
    EXPECT_EQ(Stored("DefaultDataDirectory"), "C:\\Quellix\\data");
}

TEST_F(ProgramSession, DataDirectoryRefusedAtStartIsNamedAndTriedAgainAtExit) {
    Text(kHkeyLocalMachine, kOptions, "DefaultDataDirectory", "Q:\\gone\\data");
    ui.answers = {kIdNo, kIdOk};
    ASSERT_TRUE(session.Load("/P=X.EXE"));
    EXPECT_EQ(Boxes().at(1), "Using C:\\Quellix\\data as the data directory.");
    EXPECT_EQ(ui.boxes[1].style, kMbOk);
    EXPECT_FALSE(fs.PathExists("C:\\Quellix\\data"));
    EXPECT_EQ(session.Shared().Options().DefaultDataPath(), "C:\\Quellix\\data");
    EXPECT_TRUE(session.Close());
    EXPECT_TRUE(fs.IsDirectory("C:\\Quellix\\data"));
}

TEST_F(ProgramSession, DataDirectoryFailingAtExitAsksAndCancelWritesNoOption) {
    ASSERT_TRUE(session.Load("/P=X.EXE"));
    ui.boxes.clear();
    session.Shared().Options().SetDefaultDataPath("Q:\\gone\\data");
    ui.answers = {kIdCancel};
    Number("DefaultWaitSeconds", 77);
    session.Shared().Options().SetDefaultWaitSeconds(12);
    EXPECT_FALSE(session.SaveSettings());
    EXPECT_EQ(Boxes(), Texts{"Unable to create the data directory.\r\n\r\nIs it OK to create data in "
                             "C:\\Quellix\\data or do you want to cancel saving?"});
    EXPECT_EQ(ui.boxes[0].style, kMbOkCancel | kMbIconCritical);
    EXPECT_EQ(Stored("DefaultWaitSeconds"), std::string("\x4D\0\0\0", 4)); // 77 untouched
    ui.answers = {kIdOk};
    EXPECT_TRUE(session.SaveSettings());
    EXPECT_EQ(Stored("DefaultDataDirectory"), "C:\\Quellix\\data");
}

// A program folder the user may not write to (a non-administrator, the
// program under Program Files): the data go to the user's own folder, said
// once, and neither a start nor an exit asks again or loops.
TEST_F(ProgramSession, DataDirectoryThatCannotBeBesideTheProgramMovesToTheUsersFolderOnce) {
    const std::string own = "C:\\Users\\alice\\AppData\\Local\\Veltrane\\Quellix\\data";
    const std::string told = "The data directory can't be created beside the program. Your kill sets are kept in "
                             "this folder instead:\r\n\r\n" + own;
    struct Case {
        const char* what;
        const char* stored;  // DefaultDataDirectory at the start; nullptr: none yet
        bool ownFolderFails; // the user's own folder cannot be made either
        Texts boxes;         // every box of the start and the close
    };
    const std::string ask = "Unable to create the data directory.\r\n\r\nIs it OK to try to create "
                            "C:\\Quellix\\data as the data directory?";
    for (const Case& c : {Case{"first start", nullptr, false, {told}},
                          Case{"stored folder gone", "Q:\\gone\\data", false, {ask, told}},
                          Case{"nowhere to go", nullptr, true, {}}}) {
        SCOPED_TRACE(c.what);
        fake::cFakePlatform f{kFolder};
        f.facts.version = {148, 5, 1, 2600, kVerPlatformWin32Nt, ""};
        f.fs.AddFolder("C:\\Users\\alice\\AppData\\Local");
        f.fs.DenyWrites(kFolder);
        if (c.ownFolderFails) f.fs.DenyWrites("C:\\Users");
        if (c.stored) f.PutText(kHkeyLocalMachine, kOptions, "DefaultDataDirectory", c.stored);
        {
            cProgramSession s{f.platform, kFolder};
            ASSERT_TRUE(s.Load(""));
            EXPECT_TRUE(s.Close());
        }
        Texts shown;
        for (const auto& b : f.ui.boxes) shown.push_back(b.text);
        EXPECT_EQ(shown, c.boxes);
        if (c.ownFolderFails) continue;
        EXPECT_TRUE(f.fs.IsDirectory(own));
        EXPECT_EQ(f.StoredOption("DefaultDataDirectory"), own);
        f.ui.boxes.clear();
        cProgramSession next{f.platform, kFolder};
        ASSERT_TRUE(next.Load(""));
        EXPECT_TRUE(next.Close());
        EXPECT_TRUE(f.ui.boxes.empty());
    }
}

TEST_F(ProgramSession, DataDirectoryLostAtExitGoesToTheUsersFolderAfterOk) {
    fs.AddFolder("C:\\Users\\alice\\AppData\\Local");
    Text(kHkeyLocalMachine, kOptions, "DefaultDataDirectory", "D:\\Work");
    ASSERT_TRUE(session.Load("/P=X.EXE"));
    fs.DenyWrites(kFolder);
    session.Shared().Options().SetDefaultDataPath("Q:\\gone\\data");
    ui.boxes.clear();
    ui.answers = {kIdOk};
    EXPECT_TRUE(session.SaveSettings());
    EXPECT_EQ(ui.boxes.size(), 2u); // the question, then where the data go
    EXPECT_EQ(Stored("DefaultDataDirectory"), "C:\\Users\\alice\\AppData\\Local\\Veltrane\\Quellix\\data");
}

} // namespace
} // namespace qx

namespace qx {
namespace {

TEST(ProgramSessionMode, OnlyDebugAloneOrNothingIsWindowMode) {
    EXPECT_FALSE(cProgramSession::IsCommandLineMode(""));
    EXPECT_FALSE(cProgramSession::IsCommandLineMode("  \t"));
    EXPECT_FALSE(cProgramSession::IsCommandLineMode(" /debug "));
    EXPECT_TRUE(cProgramSession::IsCommandLineMode("/DEBUG OFFICE"));
    EXPECT_TRUE(cProgramSession::IsCommandLineMode("/DEBUGX"));
    EXPECT_TRUE(cProgramSession::IsCommandLineMode("office"));
}

} // namespace
} // namespace qx
