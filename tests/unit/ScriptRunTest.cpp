// The console twin and the script switches over the fake system: what goes
// to standard output and error, the exit code, the "/L" plan and the "/O="
// report, and what a run without a user may and may not touch.
#include "core/sets/cSetFile.h"
#include "core/startup/cCommandLineKill.h"
#include "core/startup/cProgramSession.h"
#include "core/startup/modCommandLineRun.h"
#include "core/ui/cConsoleUserInterface.h"
#include "fake/cFakePlatform.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace qx {
namespace {

using Texts = std::vector<std::string>;
using nlohmann::json;

constexpr const char* kFolder = "C:\\Quellix";
constexpr const char* kUnable = "Unable to parse command line arguments or no kill set specified:";

struct cRecordedConsole final : IConsole {
    Texts out, err;
    bool canShow = true;
    void WriteOutput(const std::string& line) override { out.push_back(line); }
    void WriteError(const std::string& line) override { err.push_back(line); }
    bool OutputRedirected() override { return canShow; }
    bool CanShowOutput() override { return canShow; }
};

SetFileEntry Saved(const std::string& exe, const std::string& title, bool selected = true, bool stop = false) {
    SetFileEntry e;
    e.Selected = selected;
    e.WinVisible = e.IgnoreTitle = e.ForceClose = true;
    e.StopOnError = stop;
    e.CloseWait = 5;
    e.Title = title;
    e.ExePath = exe;
    return e;
}

class ScriptRun : public ::testing::Test {
protected:
    ScriptRun() {
        fake_.fs.AddFolder("D:\\Work");
        fake_.fs.currentDirectory = "D:\\Work";
        fake_.facts.version = {148, 5, 1, 2600, kVerPlatformWin32Nt, ""};
        fake_.PutOption("Logging", 3);
        fake_.os.SetSelfPid(4);
        go = Start("C:\\Apps\\go.exe", "Go");
        stay = Start("C:\\Apps\\stay.exe", "Stay", fake::CloseReaction::Ignore);
    }
    std::uint32_t Start(const std::string& exe, const std::string& title,
                        fake::CloseReaction onClose = fake::CloseReaction::ExitProcess) {
        fake::FakeProcessSetup p;
        p.exePath = exe;
        const std::uint32_t pid = fake_.os.AddProcess(p);
        fake::FakeWindowSetup w;
        w.pid = pid;
        w.title = title;
        w.onClose = w.onEndSession = onClose;
        fake_.os.AddWindow(w);
        return pid;
    }
    void WriteSet(const std::string& path, const std::vector<SetFileEntry>& entries) {
        std::string bytes;
        ASSERT_EQ(cSetFile::Write(46362.0, entries, fake_.codec, bytes), cSetFile::WriteResult::Ok);
        fake_.fs.AddFile(path, bytes);
    }
    int Twin(const std::string& line) { return RunCommandLine(platform, console, kFolder, line, true); }
    std::string File(const std::string& path) const {
        const std::string* c = fake_.fs.Contents(path);
        return c ? *c : "<none>";
    }
    static Texts Outcomes(const json& report) {
        Texts t;
        for (const json& p : report["programs"]) t.push_back(p["outcome"].is_null() ? "-" : p["outcome"].get<std::string>());
        return t;
    }

    fake::cFakePlatform fake_{kFolder};
    cRecordedConsole console;
    cConsoleUserInterface ui{console};
    cPlatform platform{fake_.os,    fake_.registry, fake_.fs,    ui,           fake_.clock,
                       fake_.codec, fake_.facts,    fake_.shell, fake_.strings};
    std::uint32_t go = 0, stay = 0;
};

TEST_F(ScriptRun, TwinPrintsEachOutcomeAndErrorsInsteadOfBoxesAndEndsWithTheExitCode) {
    // Cut short after its first entry: the window program used to end in a Save As dialog.
    std::string broken;
    ASSERT_EQ(cSetFile::Write(46362.0, {Saved("C:\\Apps\\go.exe", "Go"), Saved("C:\\Apps\\x.exe", "X")}, fake_.codec,
                              broken),
              cSetFile::WriteResult::Ok);
    broken.resize(broken.size() - 4);
    fake_.fs.AddFile("D:\\Work\\BROKEN.QXS", broken);
    struct Case {
        const char* line;
        int exitCode;
        Texts out;
        std::string errPart; // empty: nothing on standard error
    } cases[] = {
        {"/P=stay.exe /-F /W:0", 1, {"'Stay' didn't close after waiting  0 seconds."}, ""},
        {"nosuchset", 2, {}, ""},
        {"/P=go.exe /W:abc", 2, {}, std::string(kUnable) + " /P=GO.EXE /W:ABC - Type mismatch"},
        {"broken", 2, {}, "Input past end of file"},
        {"/P=go.exe", 0, {"'Go' was killed cleanly."}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        console.out.clear();
        console.err.clear();
        EXPECT_EQ(Twin(c.line), c.exitCode);
        EXPECT_EQ(console.out, c.out);
        std::string err;
        for (const std::string& e : console.err) err += e + "\n";
        if (c.errPart.empty()) EXPECT_EQ(err, "");
        else EXPECT_NE(err.find(c.errPart), std::string::npos) << err;
    }
    EXPECT_EQ(File("D:\\Work\\BROKEN.QXS"), broken);
    EXPECT_TRUE(fake_.os.IsRunning(stay));
    EXPECT_FALSE(fake_.os.IsRunning(go));
}

TEST_F(ScriptRun, ReportOnStandardOutputHoldsEveryEntryWithItsOutcomeAndTime) {
    Start("C:\\Apps\\off.exe", "Off");
    Start("C:\\Keep\\excl.exe", "Excl");
    const std::uint32_t later = Start("C:\\Apps\\later.exe", "Later");
    WriteSet("D:\\Work\\MIX.QXS", {Saved("C:\\Apps\\gone.exe", "Gone"), Saved("C:\\Apps\\off.exe", "Off", false),
                                   Saved("C:\\Keep\\excl.exe", "Excl"), Saved("C:\\Apps\\go.exe", "Go"),
                                   Saved("C:\\Apps\\stay.exe", "Stay", true, true),
                                   Saved("C:\\Apps\\later.exe", "Later")});
    fake_.clock.utc = {2026, 1, 2, 3, 4, 5};
    EXPECT_EQ(Twin("mix /-f /w:0 /x=\\keep\\ /O=-"), 1);
    ASSERT_EQ(console.out.size(), 1u); // the report alone
    const json r = json::parse(console.out[0]);
    EXPECT_EQ(r["formatVersion"], 1);
    EXPECT_EQ(r["commandLine"], "mix /-f /w:0 /x=\\keep\\ /O=-");
    EXPECT_EQ(r["preview"], false);
    EXPECT_EQ(r["start"], "2026-01-02T03:04:05Z");
    EXPECT_EQ(r["exitCode"], 1);
    EXPECT_EQ(Outcomes(r), (Texts{"excluded", "not running", "skipped", "closed", "halted", "skipped"}));
    const json& go_ = r["programs"][3];
    EXPECT_EQ(go_["processId"], go);
    EXPECT_EQ(go_["exePath"], "C:\\Apps\\go.exe");
    EXPECT_EQ(go_["rules"], json::parse(R"({"waitSeconds":0,"force":false,"stopOnFailure":false,"everyInstance":true})"));
    EXPECT_TRUE(r["programs"][1]["processId"].is_null());
    // The stubborn one was asked through every pass before the run gave up on it.
    EXPECT_GE(r["programs"][4]["milliseconds"].get<int>(), 3000);
    EXPECT_LT(go_["milliseconds"].get<int>(), 3000);
    EXPECT_EQ(console.err, (Texts{"'Gone' couldn't be killed.  It wasn't running.", "'Go' was killed cleanly.",
                                  "'Stay' didn't close after waiting  0 seconds.", "Stopped killing any other programs."}));
    EXPECT_TRUE(fake_.os.IsRunning(later));
}

TEST_F(ScriptRun, ForcedAndWindowlessProgramsAreReportedTerminated) {
    fake::FakeProcessSetup background;
    background.exePath = "C:\\Apps\\bg.exe";
    const std::uint32_t bg = fake_.os.AddProcess(background);
    EXPECT_EQ(Twin("/P=stay.exe /P=bg.exe /W:0 /O=-"), 0);
    EXPECT_FALSE(fake_.os.IsRunning(stay) || fake_.os.IsRunning(bg));
    EXPECT_EQ(Outcomes(json::parse(console.out.at(0))), (Texts{"terminated", "terminated"}));
}

TEST_F(ScriptRun, PreviewClosesNothingWritesNoOptionAndLogsNothing) {
    WriteSet("D:\\Work\\TWO.QXS", {Saved("C:\\Apps\\stay.exe", "Stay"), Saved("C:\\Apps\\go.exe", "Go")});
    EXPECT_EQ(Twin("two /-F /L /O=\"D:\\Work\\Plan Ré.json\""), 0);
    EXPECT_TRUE(fake_.os.IsRunning(go) && fake_.os.IsRunning(stay));
    EXPECT_EQ(console.out, (Texts{"Would close, in this order:",
                                  "'Stay'  C:\\Apps\\stay.exe  process " + std::to_string(stay) +
                                      "  wait 5 s, no force, go on, every instance",
                                  "'Go'  C:\\Apps\\go.exe  process " + std::to_string(go) +
                                      "  wait 5 s, no force, go on, every instance"}));
    const json r = json::parse(File("D:\\Work\\Plan Ré.json"));
    EXPECT_EQ(r["preview"], true);
    EXPECT_EQ(Outcomes(r), (Texts{"-", "-"}));
    EXPECT_EQ(r["programs"][0]["processId"], stay);
    EXPECT_EQ(Twin("two /L /W:abc"), 2); // shown on standard error, never logged
    EXPECT_EQ(File("C:\\Quellix\\Quellix.log"), "<none>");
    const std::string before = fake_.StoredOption("LastLoadedSet");

    EXPECT_EQ(Twin("two /-F"), 1); // the real run acts on what the plan named
    EXPECT_FALSE(fake_.os.IsRunning(go));
    EXPECT_EQ(before, "");
    EXPECT_EQ(fake_.StoredOption("LastLoadedSet"), "D:\\Work\\TWO.QXS");
}

TEST_F(ScriptRun, UnwritableReportIsAnUnusableLineBeforeAnythingCloses) {
    fake_.fs.DenyWrites("D:\\Locked");
    EXPECT_EQ(Twin("/P=go.exe /O=D:\\Locked\\r.json"), 2);
    EXPECT_TRUE(fake_.os.IsRunning(go));
    ASSERT_EQ(console.err.size(), 1u);
    EXPECT_EQ(console.err[0].rfind(std::string(kUnable) + " /P=GO.EXE /O=D:\\LOCKED\\R.JSON - D:\\Locked\\r.json", 0), 0u)
        << console.err[0];
}

TEST_F(ScriptRun, WindowPreviewLeavesThePlanAsTheUnsavedSet) {
    cProgramSession session(fake_.platform, kFolder);
    ASSERT_TRUE(session.Load("/p=go.exe /l"));
    EXPECT_FALSE(session.CommandLineMode());
    EXPECT_FALSE(session.QuitAtStart());
    EXPECT_TRUE(fake_.os.IsRunning(go));
    EXPECT_EQ(session.Set().lvProgramSet().Count(), 1);
    EXPECT_TRUE(session.Set().SetChanged());
    EXPECT_EQ(fake_.ui.statusText[1], "[New Set]");
}

TEST(ConsoleUserInterface, BoxesGoToStandardErrorAndQuestionsChangeNothing) {
    cRecordedConsole console;
    cConsoleUserInterface ui(console);
    const std::pair<std::uint32_t, int> cases[] = {
        {kMbOk | kMbIconCritical, kIdOk}, {kMbOkCancel, kIdCancel}, {kMbYesNoCancel | kMbIconQuestion, kIdCancel},
        {kMbYesNo, kIdNo}};
    for (const auto& [style, answer] : cases) EXPECT_EQ(ui.MessageBox("Q" + std::to_string(style), style), answer);
    EXPECT_EQ(console.err, (Texts{"Q16", "Q1", "Q35", "Q4"}));
    std::string path;
    EXPECT_FALSE(ui.ShowFileDialog({}, path));
}

TEST(ConsoleUsage, ABoxOnlyWhenNoConsoleWouldShowTheGrammar) {
    for (const bool canShow : {true, false}) {
        fake::cFakePlatform fake(kFolder);
        cRecordedConsole console;
        console.canShow = canShow;
        ShowUsage(fake.platform, console);
        EXPECT_EQ(console.out.size(), canShow ? 1u : 0u);
        EXPECT_EQ(fake.ui.boxes.size(), canShow ? 0u : 1u);
    }
}

TEST(CommandLineSwitches, ReportPathKeepsItsLetterCaseAndTheLastOneWins) {
    const std::pair<const char*, const char*> cases[] = {
        {"set /o=C:\\Dir\\Ré.json", "C:\\Dir\\Ré.json"},
        {"/O=\"C:\\My Dir\\r.json\" /O=-", "-"},
        {"/OX=a /P=o.exe", ""},
    };
    for (const auto& [line, path] : cases) EXPECT_EQ(cCommandLineKill::ReportPath(line), path) << line;
    EXPECT_TRUE(cCommandLineKill::IsPreview("set /l"));
    EXPECT_FALSE(cCommandLineKill::IsPreview("/LX"));
}

} // namespace
} // namespace qx
