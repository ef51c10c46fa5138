#include "core/sets/cSetFile.h"
#include "fake/cMemoryRegistry.h"
#include "core/startup/cCommandLineKill.h"
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using fake::FakeProcessSetup;
using fake::FakeWindowSetup;
using Texts = std::vector<std::string>;

constexpr const char* kFolder = "C:\\Quellix";
constexpr const char* kData = "C:\\Quellix\\data";
constexpr const char* kWork = "D:\\Work";
constexpr const char* kUnable = "Unable to parse command line arguments or no kill set specified:";

SetFileEntry Saved(const std::string& exe, const std::string& title, bool selected = true) {
    SetFileEntry e;
    e.Selected = selected;
    e.WinVisible = true;
    e.IgnoreTitle = true;
    e.CloseWait = 10;
    e.Title = title;
    e.ExePath = exe;
    return e;
}

class CommandLineKill : public ::testing::Test {
protected:
    CommandLineKill() {
        h.fs.AddFolder(kData);
        h.fs.AddFolder(kWork);
        h.fs.currentDirectory = kWork;
        options.SetDefaultDataPath(kData);
        h.log.SetLogErrors(true);
    }

    std::uint32_t Start(const std::string& exe, const std::string& title = {}, const std::string& cls = "AppClass") {
        FakeProcessSetup p;
        p.exePath = exe;
        const std::uint32_t pid = h.os.AddProcess(p);
        if (!title.empty()) {
            FakeWindowSetup w;
            w.pid = pid;
            w.title = title;
            w.className = cls;
            h.os.AddWindow(w);
        }
        return pid;
    }
    void WriteSet(const std::string& path, const std::vector<SetFileEntry>& entries) {
        std::string bytes;
        ASSERT_EQ(cSetFile::Write(46362.0, entries, h.codec, bytes), cSetFile::WriteResult::Ok);
        h.fs.AddFile(path, bytes);
    }
    bool Parse(const std::string& line) {
        h.inventory.RefreshLists();
        return cmd.ParseCommand(line);
    }
    Texts Rows() const {
        Texts t;
        for (const cListItem& i : h.set.lvProgramSet().Items()) t.push_back(i.text);
        return t;
    }
    Texts Boxes() const {
        Texts t;
        for (const auto& b : h.ui.boxes) t.push_back(b.text);
        return t;
    }
    // The texts of the error entries in the log.
    Texts Errors() const {
        Texts out;
        const std::string* bytes = h.fs.Contents(fake::cKillRecorder::kLogPath);
        if (bytes == nullptr) return out;
        const std::string marker = "\r\nError: ";
        for (std::size_t pos = bytes->find(marker); pos != std::string::npos; pos = bytes->find(marker, pos + 1)) {
            const std::size_t start = pos + marker.size();
            out.push_back(bytes->substr(start, bytes->find("\r\n", start) - start));
        }
        return out;
    }

    fake::cRunHarness h{fake::WinXP()};
    cMemoryRegistry registry;
    cQuellixOptions options{registry, h.os, kFolder};
    cGlobalsClass globals{h.fs};
    cSetFileCommands files{h.set, {h.fs, h.ui, h.clock, h.codec, h.log, globals, h.messages}};
    cCommandParser parser;
    cCommandLineKill cmd{{parser, h.set, h.inventory, files, h.run, options, h.fs, h.codec, h.log, h.messages}};
};

// ---------------------------------------------------------------- set files

TEST_F(CommandLineKill, SetInTheCurrentFolderIsLoadedAndOverridden) {
    WriteSet("D:\\Work\\OFFICE.QXS", {Saved("C:\\Office\\word.exe", "Word"), Saved("C:\\Office\\xl.exe", "Excel")});
    WriteSet("C:\\Quellix\\data\\OFFICE.QXS", {Saved("C:\\Other\\other.exe", "Other")});
    EXPECT_TRUE(Parse("OFFICE /F"));
    EXPECT_EQ(Rows(), (Texts{"Word", "Excel"}));
    for (const cApplicationProcs& e : h.set.AppSet()) EXPECT_TRUE(e.ForceClose());
    EXPECT_EQ(files.CurrentSetFile(), "D:\\Work\\OFFICE.QXS");
    EXPECT_FALSE(h.set.SetChanged());
    EXPECT_TRUE(h.ui.boxes.empty());
    EXPECT_FALSE(cmd.Unusable());
}

TEST_F(CommandLineKill, SetMissingHereIsTakenFromTheDataFolderWhosePathKeepsABackslash) {
    WriteSet("C:\\Quellix\\data\\OFFICE.QXS", {Saved("C:\\Office\\word.exe", "Word")});
    EXPECT_TRUE(Parse("office.qxs"));
    EXPECT_EQ(Rows(), Texts{"Word"});
    EXPECT_EQ(options.DefaultDataPath(), "C:\\Quellix\\data\\");
    EXPECT_EQ(files.CurrentSetFile(), "C:\\Quellix\\data\\OFFICE.QXS");
}

TEST_F(CommandLineKill, FullPathsAreTakenAsTheyStandAndTheExtensionIsAddedOnce) {
    WriteSet("E:\\Sets\\A.QXS", {Saved("C:\\a.exe", "A")});
    WriteSet("D:\\Work\\B.QXS.QXS", {Saved("C:\\b.exe", "B")});
    EXPECT_TRUE(Parse("E:\\SETS\\A"));
    EXPECT_EQ(files.CurrentSetFile(), "E:\\SETS\\A.QXS");
    EXPECT_FALSE(Parse("B.QXS")); // not B.QXS.QXS
    EXPECT_TRUE(cmd.Unusable());
}

TEST_F(CommandLineKill, TwoSetsMergeInOrderWithoutDuplicates) {
    WriteSet("D:\\Work\\ONE.QXS", {Saved("C:\\a.exe", "A"), Saved("C:\\b.exe", "B")});
    WriteSet("D:\\Work\\TWO.QXS", {Saved("C:\\b.exe", "B"), Saved("C:\\c.exe", "C", false)});
    EXPECT_TRUE(Parse("ONE \"TWO\""));
    EXPECT_EQ(Rows(), (Texts{"A", "B", "C"}));
    EXPECT_FALSE(h.set.lvProgramSet().Item(3)->checked); // kept as saved
    EXPECT_EQ(files.CurrentSetFile(), "D:\\Work\\TWO.QXS");
}

TEST_F(CommandLineKill, SetFoundNowhereEndsAtOnceWithoutAWord) {
    WriteSet("D:\\Work\\ONE.QXS", {Saved("C:\\a.exe", "A")});
    h.log.SetDebugMode(true);
    EXPECT_FALSE(Parse("ONE MISSING /P=A.EXE"));
    EXPECT_TRUE(cmd.Unusable());
    EXPECT_TRUE(h.ui.boxes.empty());
    EXPECT_TRUE(Errors().empty());
    // Each set starts unchanged, so the first one is not offered for saving.
    EXPECT_FALSE(h.set.SetChanged());
    EXPECT_EQ(Rows(), Texts{"A"});
}

TEST_F(CommandLineKill, NameTakenAsGivenWhenTheCurrentFolderIsUnknown) {
    h.fs.currentDirectory.clear();
    WriteSet("REL.QXS", {Saved("C:\\a.exe", "A")});
    EXPECT_TRUE(Parse("REL"));
    EXPECT_EQ(files.CurrentSetFile(), "REL.QXS");
}

// ---------------------------------------------------------------- programs by name and title

TEST_F(CommandLineKill, ProgramSwitchTakesEveryInstanceOfThatFileNameOnly) {
    Start("C:\\Windows\\notepad.exe", "one - Notepad");
    Start("C:\\Windows\\notepad.exe", "two - Notepad");
    Start("C:\\Windows\\notepad.exe", "two - Notepad"); // same entry: refused as a duplicate
    Start("C:\\Tools\\mynotepad.exe", "Mine");
    EXPECT_TRUE(Parse("/P=NOTEPAD.EXE"));
    EXPECT_EQ(Rows(), (Texts{"one - Notepad", "two - Notepad"}));
    EXPECT_FALSE(h.set.SetChanged());
}

TEST_F(CommandLineKill, ProgramSwitchMatchingNothingIsARequestWithAnEmptySet) {
    Start("C:\\Windows\\calc.exe", "Calculator");
    EXPECT_FALSE(Parse("/P=NOTEPAD.EXE"));
    EXPECT_FALSE(cmd.Unusable());
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST_F(CommandLineKill, TitleSwitchMatchesPartOfTheTitleInAnyCase) {
    Start("C:\\a.exe", "Report R\u00e9sum\u00e9 - Editor");
    Start("C:\\b.exe", "Other");
    EXPECT_TRUE(Parse("/T=\"r\u00e9sum\u00e9 -\""));
    EXPECT_EQ(Rows(), Texts{"Report R\u00e9sum\u00e9 - Editor"});
}

TEST_F(CommandLineKill, GreekAndCentralEuropeanTextMatchesInAnyCase) {
    const struct {
        const char* line;
        Texts rows;
    } cases[] = {
        {"/T=\u03b4\u03ad\u03bb\u03c4\u03b1", {"\u0394\u0388\u039b\u03a4\u0391 \u2013 \u03a3\u03c7\u03ad\u03b4\u03b9\u03bf"}},
        {"/T=\u03a3\u03a7\u0388\u0394\u0399\u039f", {"\u0394\u0388\u039b\u03a4\u0391 \u2013 \u03a3\u03c7\u03ad\u03b4\u03b9\u03bf"}},
        {"/P=\u0142\u00f3d\u017a.exe", {"\u0141\u00f3d\u017a"}},
        {"/KW /X=\u017c\u00f3\u0142w /X=\u0141\u00d3D\u0179",
         {"Plain", "\u0394\u0388\u039b\u03a4\u0391 \u2013 \u03a3\u03c7\u03ad\u03b4\u03b9\u03bf", "\u0394\u03ad\u03bb\u03c4\u03bf"}},
    };
    Start("C:\\\u017b\u00d3\u0141W\\tortoise.exe", "\u017b\u00f3\u0142w");
    Start("C:\\Programy\\\u0141\u00d3D\u0179.EXE", "\u0141\u00f3d\u017a");
    Start("C:\\\u0394\u03ad\u03bb\u03c4\u03b1\\d.exe", "\u0394\u0388\u039b\u03a4\u0391 \u2013 \u03a3\u03c7\u03ad\u03b4\u03b9\u03bf");
    Start("C:\\Apps\\plain.exe", "Plain");
    Start("C:\\Apps\\delta.exe", "\u0394\u03ad\u03bb\u03c4\u03bf"); // one letter off: never matches
    for (const auto& c : cases) {
        h.set.AppSet().clear();
        Parse(c.line);
        Texts rows = Rows();
        std::sort(rows.begin(), rows.end());
        EXPECT_EQ(rows, c.rows) << c.line;
    }
}

TEST_F(CommandLineKill, EmptyTextsMatchEverythingTheyCan) {
    Start("C:\\a.exe", "A");
    Start("nopath.exe", "B"); // a path without a backslash
    EXPECT_TRUE(Parse("/P="));
    EXPECT_EQ(Rows(), Texts{"A"});
    // Each parse empties the rows but not the entries behind them, which
    // would refuse A as a duplicate; start from an empty set as a run does.
    h.set.AppSet().clear();
    EXPECT_TRUE(Parse("/T="));
    EXPECT_EQ(Rows(), (Texts{"A", "B"}));
}

// ---------------------------------------------------------------- kill-all and exclusions

TEST_F(CommandLineKill, KillAllSparesShellAndSystemAndExclusionsLeaveTheSet) {
    Start("C:\\Windows\\explorer.exe", "Desktop", "Progman");
    Start("C:\\Windows\\system32\\services.exe");
    Start("C:\\Office\\WINWORD.EXE", "Letter");
    Start("C:\\Apps\\editor.exe", "Editor");
    Start("C:\\Apps\\daemon.exe");
    h.log.SetDebugMode(true);
    EXPECT_TRUE(Parse("/KA /X=winword"));
    EXPECT_EQ(Rows(), (Texts{"Editor", "daemon.exe"}));
    ASSERT_EQ(h.set.AppSet().size(), 3u); // the excluded entry stays behind its removed row
    const Texts debug = h.DebugTexts();
    EXPECT_NE(std::find(debug.begin(), debug.end(), "Exclude arg = 'WINWORD'  Path = 'C:\\Office\\WINWORD.EXE'"),
              debug.end());
}

TEST_F(CommandLineKill, KillWindowsTakesOnlyProgramsWithWindows) {
    Start("C:\\Apps\\editor.exe", "Editor");
    Start("C:\\Apps\\daemon.exe");
    EXPECT_TRUE(Parse("/KW"));
    EXPECT_EQ(Rows(), Texts{"Editor"});
}

TEST_F(CommandLineKill, ExclusionOfEverythingLeavesNothingToKill) {
    Start("C:\\Apps\\editor.exe", "Editor");
    EXPECT_FALSE(Parse("/KW /X="));
    EXPECT_FALSE(cmd.Unusable());
    EXPECT_TRUE(h.ui.boxes.empty());
}

// ---------------------------------------------------------------- overrides

TEST_F(CommandLineKill, OverridesReachEveryEntryAndTheLastOneWins) {
    WriteSet("D:\\Work\\S.QXS", {Saved("C:\\a.exe", "A"), Saved("C:\\b.exe", "B")});
    EXPECT_TRUE(Parse("S /F /-F /S /-I /W:30 /X=B.EXE /W:\" 7.5 \""));
    ASSERT_EQ(h.set.AppSet().size(), 2u);
    for (const cApplicationProcs& e : h.set.AppSet()) {
        EXPECT_FALSE(e.ForceClose());
        EXPECT_TRUE(e.StopOnError());
        EXPECT_FALSE(e.IgnoreTitle());
        EXPECT_EQ(e.CloseWait(), 8);
    }
    EXPECT_EQ(Rows(), Texts{"A"});
    h.set.AppSet().clear(); // as a new run starts
    EXPECT_TRUE(Parse("S /-S /I"));
    EXPECT_FALSE(h.set.AppSet()[0].StopOnError());
    EXPECT_TRUE(h.set.AppSet()[0].IgnoreTitle());
}

TEST_F(CommandLineKill, BadWaitAfterASetIsReportedWithItsReasonAndNothingIsLeftToSave) {
    WriteSet("D:\\Work\\OFFICE.QXS", {Saved("C:\\a.exe", "A")});
    EXPECT_FALSE(Parse("OFFICE /F /W:ABC"));
    EXPECT_TRUE(cmd.Unusable());
    const std::string text = std::string(kUnable) + " OFFICE /F /W:ABC - Type mismatch";
    EXPECT_EQ(Boxes(), Texts{text});
    EXPECT_EQ(h.ui.boxes[0].style, kMbOk | kMbIconCritical);
    EXPECT_EQ(Errors(), Texts{text});
    EXPECT_FALSE(h.set.SetChanged());
}

TEST_F(CommandLineKill, WaitTooLargeIsAnOverflow) {
    Start("C:\\a.exe", "A");
    EXPECT_FALSE(Parse("/P=A.EXE /W:2147483648"));
    EXPECT_EQ(Boxes(), Texts{std::string(kUnable) + " /P=A.EXE /W:2147483648 - Overflow"});
}

TEST_F(CommandLineKill, BadWaitWithAnEmptySetIsNeverConverted) {
    EXPECT_FALSE(Parse("/W:ABC"));
    EXPECT_EQ(Boxes(), Texts{std::string(kUnable) + " /W:ABC"});
    EXPECT_TRUE(cmd.Unusable());
}

// ---------------------------------------------------------------- nothing requested

TEST_F(CommandLineKill, LineThatRequestsNothingIsReportedWithTheLine) {
    Start("C:\\a.exe", "A");
    for (const std::string line : {"/F", "-Q", "/ZZ /KAX", "/P", "", "/DEBUG"}) {
        h.ui.boxes.clear();
        EXPECT_FALSE(Parse(line)) << line;
        EXPECT_TRUE(cmd.Unusable()) << line;
        EXPECT_EQ(Boxes(), Texts{std::string(kUnable) + " " + line});
    }
    EXPECT_EQ(Errors().size(), 6u);
}

TEST_F(CommandLineKill, DebugSwitchWithARequestTracesTheRest) {
    Start("C:\\a.exe", "A");
    EXPECT_TRUE(Parse("/P=A.EXE /DEBUG"));
    EXPECT_TRUE(h.log.DebugMode());
    const Texts debug = h.DebugTexts();
    ASSERT_FALSE(debug.empty());
    EXPECT_EQ(debug[0], "Command line args: /P=A.EXE /DEBUG"); // the first trace came before the switch
}

TEST(CloseWaitValue, TakesSignedDecimalsRoundedHalfToEvenAndTellsWhyOthersFail) {
    const struct {
        const char* text;
        std::int32_t seconds; // 42: refused, unchanged
        const char* why;
    } cases[] = {
        {"12", 12, ""}, {" 12\t", 12, ""}, {"+7", 7, ""}, {"-3", -3, ""}, {"2.5", 2, ""}, {"3.5", 4, ""},
        {"2.51", 3, ""}, {"2.4999", 2, ""}, {".5", 0, ""}, {"5.", 5, ""}, {"007", 7, ""}, {"-0.5", 0, ""},
        {"2147483647", 2147483647, ""}, {"-2147483648", INT32_MIN, ""},
        {"", 42, "Type mismatch"}, {" ", 42, "Type mismatch"}, {"ABC", 42, "Type mismatch"},
        {"1E3", 42, "Type mismatch"}, {"0X10", 42, "Type mismatch"}, {"1 2", 42, "Type mismatch"},
        {".", 42, "Type mismatch"}, {"-", 42, "Type mismatch"}, {"+-1", 42, "Type mismatch"},
        {"1.2.3", 42, "Type mismatch"}, {"5S", 42, "Type mismatch"},
        {"2147483648", 42, "Overflow"}, {"2147483647.5", 42, "Overflow"}, {"-2147483649", 42, "Overflow"},
        {"99999999999999999999999", 42, "Overflow"},
    };
    for (const auto& c : cases) {
        std::int32_t seconds = 42;
        std::string why;
        EXPECT_EQ(cCommandLineKill::ToCloseWait(c.text, seconds, why), *c.why == '\0') << c.text;
        EXPECT_EQ(seconds, c.seconds) << c.text;
        EXPECT_EQ(why, c.why) << c.text;
    }
}

TEST(HelpRequest, OnlyASlashQuestionMarkSwitchAsksForHelp) {
    EXPECT_TRUE(cCommandLineKill::IsHelpRequest("/?"));
    EXPECT_TRUE(cCommandLineKill::IsHelpRequest("OFFICE /F /?"));
    EXPECT_FALSE(cCommandLineKill::IsHelpRequest("/?X"));
    EXPECT_FALSE(cCommandLineKill::IsHelpRequest("\"/?\""));
    EXPECT_FALSE(cCommandLineKill::IsHelpRequest("-?"));
    EXPECT_FALSE(cCommandLineKill::IsHelpRequest(""));
}

} // namespace
} // namespace qx
