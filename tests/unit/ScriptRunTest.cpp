// Runs of the program from start-up to exit over the fake system: command
// lines in the window program (boxes) and in the console twin (standard
// output and error) with what each closes, says, logs and reports; and the
// window program's start and close.
#include "core/sets/cSetFile.h"
#include "core/startup/cCommandLineKill.h"
#include "core/startup/cProgramSession.h"
#include "core/startup/modCommandLineRun.h"
#include "core/ui/cConsoleUserInterface.h"
#include "fake/cFakePlatform.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace qx {
namespace {

using Texts = std::vector<std::string>;
using fake::CloseReaction;
using nlohmann::json;

constexpr const char* kFolder = "C:\\Quellix";
constexpr const char* kReport = "D:\\Work\\R\u00e9.json";
constexpr const char* kOptions = fake::cFakePlatform::kOptionsKey;

struct cRecordedConsole final : IConsole {
    Texts out, err;
    void WriteOutput(const std::string& line) override { out.push_back(line); }
    void WriteError(const std::string& line) override { err.push_back(line); }
    bool OutputRedirected() override { return true; }
    bool CanShowOutput() override { return true; }
};

SetFileEntry Saved(const std::string& name, bool selected = true, bool stop = false) {
    return {selected, true, true, stop, true, 5, name, "C:\\Apps\\" + name + ".exe"};
}

// Programs under C:\Apps named after their windows, a shell and a system
// process; set files that name them, TWO.QXS opened last time.
struct World {
    explicit World(bool logging = true) {
        f.fs.AddFolder("D:\\Work");
        f.fs.AddFolder("C:\\Users\\alice\\AppData\\Local");
        f.fs.currentDirectory = "D:\\Work";
        f.facts.version = {148, 5, 1, 2600, kVerPlatformWin32Nt, ""};
        f.PutOption("Logging", logging ? 3 : 1);
        f.PutOption("DefaultStopOnError", 1); // the rules of a program named on the line
        f.PutText(kHkeyLocalMachine, kOptions, "LastLoadedSet", "D:\\Work\\TWO.QXS");
        f.os.SetSelfPid(4);
        for (const char* name : {"Go", "NoGo", "Excl", "Off"}) Start(name);
        Start("Delta", CloseReaction::ExitProcess, "App", "\u0394\u0388\u039b\u03a4\u0391 \u2013 \u03a3\u03c7\u03ad");
        Start("Stay", CloseReaction::Ignore);
        Start("Bg", CloseReaction::Ignore, "");
        Start("Shell", CloseReaction::Ignore, "Progman", "Desktop", "C:\\Windows\\explorer.exe");
        Start("Sys", CloseReaction::Ignore, "", "", "C:\\Windows\\system32\\services.exe");
        AddSet("D:\\Work\\TWO.QXS", {Saved("Stay"), Saved("Go")});
        AddSet("D:\\Work\\MIX.QXS", {Saved("Gone"), Saved("Off", false), Saved("Excl"), Saved("Go"),
                                     Saved("Stay", true, true), Saved("Bg")});
        AddSet("C:\\Quellix\\data\\DATA.QXS", {Saved("Go")});
        AddSet("C:\\Quellix\\data\\TWO.QXS", {Saved("Off")});
        AddSet("D:\\Work\\BROKEN.QXS", {Saved("Go"), Saved("Stay")}, 4); // cut inside its second entry
        f.fs.DenyWrites("D:\\Locked");
    }
    void Start(const std::string& name, CloseReaction onClose = CloseReaction::ExitProcess,
               const std::string& windowClass = "App", const std::string& title = {}, const std::string& exe = {}) {
        fake::FakeProcessSetup p;
        p.exePath = exe.empty() ? "C:\\Apps\\" + name + ".exe" : exe;
        fake::FakeWindowSetup w;
        w.pid = f.os.AddProcess(p);
        pids.emplace_back(name, w.pid);
        w.title = title.empty() ? name : title;
        w.className = windowClass;
        w.onClose = w.onEndSession = onClose;
        if (!windowClass.empty()) f.os.AddWindow(w);
    }
    void AddSet(const std::string& path, const std::vector<SetFileEntry>& entries, std::size_t cut = 0) {
        std::string bytes;
        ASSERT_EQ(cSetFile::Write(46362.0, entries, f.codec, bytes), cSetFile::WriteResult::Ok);
        f.fs.AddFile(path, bytes.substr(0, bytes.size() - cut));
    }
    std::string File(const std::string& path) const {
        const std::string* c = f.fs.Contents(path);
        return c ? *c : "";
    }
    Texts Boxes() const {
        Texts t;
        for (const auto& b : f.ui.boxes) t.push_back(b.text);
        return t;
    }
    // A report in one line: exit code, start, whether it is a plan, and each
    // program's title, "-" without a process, rules (seconds, Force, Stop,
    // every Instance), outcome and milliseconds.
    static std::string Report(const std::string& text) {
        const json r = json::parse(text);
        std::string s = "report " + r["exitCode"].dump() + " " + r["start"].get<std::string>();
        if (r["preview"] == true) s += " plan";
        for (const json& p : r["programs"]) {
            const json& k = p["rules"];
            s += " [" + p["title"].get<std::string>() + (p["processId"].is_null() ? " - " : " ") +
                 k["waitSeconds"].dump() + (k["force"] == true ? "F" : "") + (k["stopOnFailure"] == true ? "S" : "") +
                 (k["everyInstance"] == true ? "I " : " ");
            s += p["outcome"].is_null() ? "planned]"
                                        : p["outcome"].get<std::string>() + " " + p["milliseconds"].dump() + "]";
        }
        return s;
    }
    // What a run left: exit code, programs it ended, each text it showed,
    // the report file, the log's entries and the set remembered for next time.
    std::string Outcome(int exitCode) const {
        std::string s = "exit " + std::to_string(exitCode) + ", ended";
        for (const auto& [name, pid] : pids)
            if (!f.os.IsRunning(pid)) s += " " + name;
        for (const std::string& t : Boxes()) s += "\nbox: " + t;
        for (const std::string& t : console.err) s += "\nerr: " + t;
        for (const std::string& t : console.out) s += "\nout: " + (t.starts_with("{") ? Report(t) : t);
        if (const std::string report = File(kReport); !report.empty()) s += "\nfile: " + Report(report);
        std::istringstream log(File("C:\\Quellix\\Quellix.log"));
        for (std::string line; std::getline(log, line, '\n');) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            // Leave out the dates, the user and the separators.
            if (!line.empty() && line.find(" - User: ") == std::string::npos && !line.starts_with("*****"))
                s += "\nlog: " + line;
        }
        // A preview must not remember the set it read.
        if (const std::string last = f.StoredOption("LastLoadedSet"); last != "D:\\Work\\TWO.QXS" && !last.empty())
            s += "\nlast set: " + last;
        return s;
    }

    fake::cFakePlatform f{kFolder};
    std::vector<std::pair<std::string, std::uint32_t>> pids;
    cRecordedConsole console;
    cConsoleUserInterface consoleUi{console};
    cPlatform twin{f.os, f.registry, f.fs, consoleUi, f.clock, f.codec, f.facts, f.shell, f.strings};
};

TEST(CommandLineRun, EachLineClosesSaysLogsAndEndsAsItShould) {
    const std::string unable = "Unable to parse command line arguments or no kill set specified: ";
    const std::string go = "'Go' was killed cleanly.", stay = "'Stay' didn't close after waiting  0 seconds.";
    // The log is written in the ANSI code page, which has no Greek.
    const std::string delta = "'<U+0394><U+0388><U+039B><U+03A4><U+0391> \x96 <U+03A3><U+03C7><U+03AD>' was killed cleanly.";
    const std::string pastEnd = "Error number: \t62\r\nLocation:     \tOpenProgramSet\r\nInput past end of file";
    const std::string locked = "/O=- /P=GO.EXE /O=D:\\LOCKED\\R.JSON - D:\\Locked\\r.json: Access is denied";
    // In the console twin (which logs nothing here: its texts are the log's) or the window program, the line, and
    // what the run left.
    const std::tuple<bool, const char*, std::string> cases[] = {
        // That file name only, politely; forced and window-less ones are terminated.
        {true, "/P=go.exe", "exit 0, ended Go\nout: " + go},
        {true, "/P=stay.exe /P=bg.exe /W:0 /O=-",
         "exit 0, ended Stay Bg\nerr: 'Stay' was terminated.\nerr: 'Bg.exe' was killed cleanly.\n"
         "out: report 0 2026-12-06T13:05:09Z [Stay 0FSI terminated 3000] [Bg.exe 0FSI terminated 0]"},
        {false, "/DEBUG /P=x",
         "exit 0, ended\nlog: Debug: Command line args: /DEBUG /P=X\nlog: Debug: Unloading\nlog: Debug: SaveSettings"},
        // A set found nowhere ends without a word; the one before it is not offered for saving.
        {false, "two nosuchset /P=go.exe", "exit 2, ended"},
        // Nothing requested: a bad wait is not even read.
        {false, " /z -q /w:a", "exit 2, ended\nbox: " + unable + "/Z -Q /W:A\nlog: Error: " + unable + "/Z -Q /W:A"},
        {true, "/P=none.exe /W:abc", "exit 2, ended\nerr: " + unable + "/P=NONE.EXE /W:ABC - Type mismatch"},
        // A damaged set is reported once; what it let through is neither run nor offered for saving.
        {true, "broken", "exit 2, ended\nerr: " + pastEnd},
        // The current folder's set before the data folder's namesake, then a full path; no entry twice.
        {false, "two C:\\QUELLIX\\DATA\\DATA.QXS /-F /W:0",
         "exit 1, ended Go\nlog: " + stay + "\nlog: " + go + "\nlast set: C:\\QUELLIX\\DATA\\DATA.QXS"},
        // Everything but the shell, the system and the exclusions; "/KW" only what has a window.
        {false, "/KA /X=stay /X=excl",
         "exit 0, ended Go NoGo Off Delta Bg\nlog: " + delta + "\nlog: 'Off' was killed cleanly.\n"
         "log: 'NoGo' was killed cleanly.\nlog: " + go + "\nlog: 'Bg.exe' was killed cleanly."},
        {false, "/KW /X=o /X=excl /W:0", "exit 0, ended Delta Stay\nlog: 'Stay' was terminated.\nlog: " + delta},
        // Any part of a title in any case, also beyond Latin letters.
        {false, "/T=\u03b4\u03ad\u03bb\u03c4\u03b1", "exit 0, ended Delta\nlog: " + delta},
        // Excluded, not running, unchecked, closed, halted and the rest skipped, in the report's order.
        {true, "mix /-f /w:0 /x=\\excl /O=-",
         "exit 1, ended Go\nerr: 'Gone' couldn't be killed.  It wasn't running.\nerr: " + go + "\nerr: " + stay +
             "\nerr: Stopped killing any other programs.\nout: report 1 2026-12-06T13:05:09Z [Excl - 0I excluded 0] "
             "[Gone - 0I not running 0] [Off - 0I skipped 0] [Go 0I closed 0] [Stay 0SI halted 3000] "
             "[Bg - 0I skipped 0]\nlast set: D:\\Work\\MIX.QXS"},
        // A plan closes and remembers nothing; the last override wins.
        {true, "two /F /-F /S /-I /W:30 /W:\" 7.5 \" /L /O=\"D:\\Work\\R\u00e9.json\"",
         "exit 0, ended\nout: Would close, in this order:\n"
         "out: 'Stay'  C:\\Apps\\Stay.exe  process 1020  wait 8 s, no force, stop on failure, this title only\n"
         "out: 'Go'  C:\\Apps\\Go.exe  process 1000  wait 8 s, no force, stop on failure, this title only\n"
         "file: report 0 2026-12-06T13:05:09Z plan [Stay 8S planned] [Go 8S planned]"},
        // The last report path, as typed; one that cannot be written stops the run before anything closes.
        {false, "/O=- /P=go.exe /O=D:\\Locked\\r.json", "exit 2, ended\nbox: " + unable + locked +
                                                           "\nlog: Error: " + unable + locked},
    };
    for (const auto& [twin, line, expected] : cases) {
        World w(!twin);
        EXPECT_EQ(w.Outcome(RunCommandLine(twin ? w.twin : w.f.platform, w.console, kFolder, line, twin)), expected);
    }
}

TEST(CommandLineRun, WaitTakesSignedDecimalsRoundedHalfToEvenAndTellsWhyOthersFail) {
    const std::pair<const char*, const char*> cases[] = {
        {" +7\t", "7"}, {"2.5", "2"}, {"3.5", "4"}, {"2.59", "3"}, {".5", "0"}, {"-0.5", "0"}, {"", "Type mismatch"},
        {"2147483647", "2147483647"}, {"-2147483648", "-2147483648"}, {"1E3", "Type mismatch"}, {"-", "Type mismatch"},
        {"2147483648", "Overflow"}, {"2147483647.5", "Overflow"}, {"-2147483649", "Overflow"}};
    for (const auto& [text, expected] : cases) {
        std::int32_t seconds = 0;
        std::string why;
        const bool ok = cCommandLineKill::ToCloseWait(text, seconds, why);
        EXPECT_EQ(ok ? std::to_string(seconds) : why, expected) << text;
        EXPECT_EQ(ok, why.empty()) << text;
    }
}

TEST(CommandLineRun, TheTwinsBoxesGoToStandardErrorAndQuestionsTakeTheAnswerThatChangesNothing) {
    World w;
    const std::pair<std::uint32_t, int> cases[] = {{kMbOk | kMbIconCritical, kIdOk}, {kMbOkCancel, kIdCancel},
                                                   {kMbYesNoCancel | kMbIconQuestion, kIdCancel}, {kMbYesNo, kIdNo}};
    for (const auto& [style, answer] : cases) EXPECT_EQ(w.consoleUi.MessageBox(std::to_string(style), style), answer);
    EXPECT_EQ(w.console.err, (Texts{"16", "1", "35", "4"}));
}

TEST(ProgramSession, WindowStepsComeInTheirPlaceAndOnlyTheWindowStaysOpenWhenSavingIsCancelled) {
    const std::pair<const char*, const char*> cases[] = {
        {" /debug\t", "window, debug, 2 rows 'TWO.QXS', splash: 0 rows, layout: 2 rows, 0 apps, "
                      "open: -, closed: D:\\Work\\TWO.QXS"},
        // The plan is the user's unsaved set to review.
        {"/p=go.exe /l", "window, 1 rows '[New Set]', changed, splash: 0 rows, layout: 0 rows, 0 apps, "
                         "open: -, closed: D:\\Work\\TWO.QXS"},
        // The last set stays closed, and there is no window to go back to.
        {"data", "command line, quits, 1 rows 'DATA.QXS', closed: C:\\Quellix\\data\\DATA.QXS"}};
    for (const auto& [line, expected] : cases) {
        World w;
        cProgramSession s(w.f.platform, kFolder);
        std::string steps;
        const auto rows = [&s] { return std::to_string(s.Set().lvProgramSet().Count()) + " rows"; };
        s.SetWindowStartupStep([&](cSharedObjects&) { steps += ", splash: " + rows(); });
        s.SetWindowLayoutStep([&](cSharedObjects&) {
            steps += ", layout: " + rows() + ", " + std::to_string(s.Inventory().lvApplications().Count()) + " apps";
        });
        ASSERT_TRUE(s.Load(line));
        EXPECT_EQ(cProgramSession::IsCommandLineMode(line), s.CommandLineMode());
        std::string shown = std::string(s.CommandLineMode() ? "command line" : "window") +
                            (s.QuitAtStart() ? ", quits" : "") + (s.Shared().Logger().DebugMode() ? ", debug" : "") +
                            ", " + rows() + " '" + w.f.ui.statusText[1] + "'" +
                            (s.Set().SetChanged() ? ", changed" : "") + steps;
        s.Set().SetSetChanged(true);
        w.f.PutText(kHkeyLocalMachine, kOptions, "LastLoadedSet", "-");
        w.f.ui.answers = {kIdCancel, kIdNo};
        for (bool closed = false; !closed;) {
            closed = s.Close();
            shown += (closed ? ", closed: " : ", open: ") + w.f.StoredOption("LastLoadedSet");
        }
        EXPECT_EQ(shown, expected);
    }
}

TEST(ProgramSession, FailedStartEndsAtOnceAndSavesNothing) {
    World w;
    w.f.PutText(kHkeyCurrentUser, fake::cFakePlatform::kShellFolders, "Startup", " ");
    cProgramSession s(w.f.platform, kFolder);
    EXPECT_FALSE(s.Load("/P=go.exe") || !s.Close());
    EXPECT_EQ(w.Outcome(s.ExitCode()), "exit 3, ended\nbox: Error number: \t999\r\nLocation:     \tcSystemInfo\r\n"
                                       "Unable to locate Startup directory");
}

// A program folder the user may not write to (a non-administrator, the
// program under Program Files) sends the data to the user's own folder, said
// once; no start or exit asks again or loops.
TEST(ProgramSession, DataDirectoryThatCannotBeMadeIsAskedForOnceAndThenMovedOnce) {
    const char* folder = "C:\\Qx"; // that holds no set yet
    const std::string own = "C:\\Users\\alice\\AppData\\Local\\Veltrane\\Quellix\\data", beside = "C:\\Qx\\data";
    const std::string cannot = "Unable to create the data directory.\r\n\r\nIs it OK to ";
    const std::string tryBeside = cannot + "try to create C:\\Qx\\data as the data directory?";
    const std::string told = "The data directory can't be created beside the program. Your kill sets are kept in "
                             "this folder instead:\r\n\r\n" + own;
    const std::string saveBeside = cannot + "create data in C:\\Qx\\data or do you want to cancel saving?";
    // Whether the option names a gone folder at the start (else by the exit), where nothing can be made, the
    // answer to a question, the boxes shown and the option afterwards.
    const std::tuple<bool, const char*, int, Texts, std::string> cases[] = {
        {true, "", kIdYes, {tryBeside}, beside},
        {true, "", kIdNo, {tryBeside, "Using C:\\Qx\\data as the data directory."}, beside},
        {true, folder, kIdYes, {tryBeside, told}, own},
        {false, "", kIdCancel, {saveBeside}, beside},
        {false, "", kIdOk, {saveBeside}, beside},
        {false, folder, kIdOk, {told, saveBeside, told}, own},
    };
    for (const auto& [gone, denied, answer, boxes, dataDirectory] : cases) {
        World w;
        w.f.fs.AddFolder(folder);
        if (*denied) w.f.fs.DenyWrites(denied);
        if (gone) w.f.PutText(kHkeyLocalMachine, kOptions, "DefaultDataDirectory", "Q:\\gone\\data");
        w.f.ui.answers = {answer};
        for (const bool again : {false, true}) {
            cProgramSession s(w.f.platform, folder);
            ASSERT_TRUE(s.Load(""));
            if (!gone && !again) s.Shared().Options().SetDefaultDataPath("Q:\\gone\\data");
            EXPECT_TRUE(s.Close());
            // The next start finds the folder ready, or has nowhere to go again, without a word.
            EXPECT_EQ(w.Boxes(), again ? Texts{} : boxes) << boxes.size() << again;
            EXPECT_EQ(w.f.StoredOption("DefaultDataDirectory"), dataDirectory) << boxes.size();
            w.f.ui.boxes.clear();
        }
    }
}

} // namespace
} // namespace qx
