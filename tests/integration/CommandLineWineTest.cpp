// quellix.exe and quellixc.exe with real command lines against running target
// programs: what they closed and spared, their exit codes, boxes, output,
// log and reports, and the options they left in the registry. Kill-all runs
// in a Wine prefix of its own (scripts/wine-killall-test.sh).
#include "core/sets/cSetFile.h"
#include "integration/cDialogUser.h"
#include "integration/cTargetProcess.h"
#include "integration/cTempPath.h"
#include "integration/modRunAnswered.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/cWin32TextCodec.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <set>
#include <tuple>

namespace qx {
namespace {

using test::BinPath;
using test::cTargetProcess;
using test::cTempFolder;
using test::cTempPath;

constexpr const wchar_t* kOptionsKey = L"Software\\Veltrane\\Quellix\\Options";
constexpr const wchar_t* kHandlesKey = L"Software\\Window Handles\\Window Handles";
constexpr const char* kUnable = "Unable to parse command line arguments or no kill set specified:";

void SetOption(const wchar_t* name, const std::string& text) {
    const std::wstring w = win32::Widen(text);
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, name, REG_SZ, w.c_str(),
                    static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t)));
}

int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

struct Outcome {
    test::AnsweredRun answered;
    std::string out, err; // standard output and error
};

class CommandLineWine : public ::testing::Test {
protected:
    CommandLineWine() {
        const DWORD everything = 3;
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, L"Logging", REG_DWORD, &everything, sizeof everything);
        SetOption(L"LogPath", log.Path());
        SetOption(L"DefaultDataDirectory", data.Path());
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, L"LastLoadedSet");
    }
    // The prefix's options go back to their defaults for the tests after these.
    ~CommandLineWine() override {
        for (const wchar_t* name : {L"Logging", L"LogPath", L"DefaultDataDirectory", L"LastLoadedSet"})
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, name);
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kHandlesKey, L"CorvathHwnd");
    }

    // Runs a program in the work folder, answering every box with OK as a user would.
    Outcome Start(const std::string& exe, const std::string& arguments) {
        const cTempPath out("out"), err("err");
        SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
        HANDLE o = CreateFileW(win32::Widen(out).c_str(), GENERIC_WRITE, 0, &sa, CREATE_ALWAYS, 0, nullptr);
        HANDLE e = CreateFileW(win32::Widen(err).c_str(), GENERIC_WRITE, 0, &sa, CREATE_ALWAYS, 0, nullptr);
        const test::AnsweredRun r = test::RunAnswered("\"" + BinPath(exe) + "\" " + arguments, work.Path(), IDOK, o,
                                                      60000, e);
        CloseHandle(o);
        CloseHandle(e);
        return {r, out.Contents(), err.Contents()};
    }
    static void WriteSet(const cTempFolder& folder, const std::string& name, const std::vector<SetFileEntry>& entries) {
        std::string bytes;
        win32::cWin32TextCodec codec;
        ASSERT_EQ(cSetFile::Write(46362.0, entries, codec, bytes), cSetFile::WriteResult::Ok);
        ASSERT_TRUE(folder.Put(name, bytes));
    }
    static SetFileEntry Entry(const std::string& title, const std::string& exe, bool force, std::int32_t wait,
                              bool stopOnError = false) {
        return {true, force, true, stopOnError, false, wait, title, exe};
    }

    const cTempPath log{"cmdline-log"};
    const cTempFolder data{"cmdline-data"}, work{"cmdline work"}, bin{"cmdline-bin"};
    // qxtarget.exe under another name, so that a path tells it apart.
    const std::string spareExe = bin.File("qxspare.exe");
    const bool copied = CopyFileW(win32::Widen(cTargetProcess::ExePath()).c_str(), win32::Widen(spareExe).c_str(), 0);
};

// A saved set as it is, then with overrides and an exclusion: a program that
// stays whatever it is asked halts the first run, which the companion window
// published in the registry hears of; the second ends it after every pass.
TEST_F(CommandLineWine, SavedSetHaltsThenWithOverridesClosesInPassOrderAndABadLineIsToldInABox) {
    const cTempPath companionRecord("companion"), record("stubborn");
    const cTargetProcess companion({"--window", "hidden:Corvath", "--record", companionRecord});
    const cTargetProcess stubborn({"--title", "QxCmd Stubborn", "--window", "main", "--window", "popup", "--on-close",
                                   "ignore", "--refuse-endsession", "--record", record});
    const cTargetProcess spare({"--title", "QxCmd Spare"}, 10000, spareExe);
    const cTargetProcess later({"--title", "QxCmd Later"});
    ASSERT_TRUE(copied && companion.Ready() && stubborn.Ready() && spare.Ready() && later.Ready());
    const DWORD published = companion.Windows().at(0);
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kHandlesKey, L"CorvathHwnd", REG_DWORD, &published, 4), 0);
    WriteSet(data, "CmdSet.qxs", {Entry("QxCmd Stubborn", cTargetProcess::ExePath(), false, 0, true),
                                  Entry("QxCmd Spare", spareExe, true, 1),
                                  Entry("QxCmd Later", cTargetProcess::ExePath(), true, 1)});
    Outcome r = Start("quellix.exe", "cmdset");
    EXPECT_EQ(r.answered.exitCode, 1u);
    EXPECT_EQ(r.answered.boxes.size() + r.answered.otherWindows, 0u);
    EXPECT_TRUE(stubborn.Running() && spare.Running() && later.Running());
    // A posted message arrives a moment later.
    const auto heard = [&] { return companionRecord.Contents() == "1434 0x0 0x0 Corvath\r\n"; };
    EXPECT_TRUE(test::cDialogUser::WaitFor(heard)) << companionRecord.Contents();
    EXPECT_EQ(Count(log.Contents(), "Stopped killing any other programs."), 1) << log.Contents();

    r = Start("quellix.exe", "cmdset /f /w:1 /x=qxspare");
    EXPECT_EQ(r.answered.exitCode, 0u);
    EXPECT_TRUE(stubborn.WaitForExit(2000) && later.WaitForExit(2000) && spare.Running());
    EXPECT_EQ(Count(log.Contents(), "'QxCmd Stubborn' was terminated.\r\n"), 1) << log.Contents();
    EXPECT_EQ(log.Contents().find("QxCmd Spare"), std::string::npos) << log.Contents();
    // Pass 1 (the popup), pass 2 (main), pass 3 (query and end of session),
    // then the popup once more, posted just before the termination: on a busy
    // machine the program may be gone before it reads it.
    const std::string passes = "WM_CLOSE 0x0 0x0 QxCmd Stubborn (popup 1)\r\nWM_CLOSE 0x0 0x0 QxCmd Stubborn\r\n"
                               "WM_QUERYENDSESSION 0x0 0x80000000 QxCmd Stubborn\r\n"
                               "WM_ENDSESSION 0x0 0x80000000 QxCmd Stubborn\r\n";
    const std::string got = record.Contents();
    EXPECT_TRUE(got.ends_with(passes) || got.ends_with(passes + passes.substr(0, passes.find('\n') + 1))) << got;

    // What the window program cannot use it tells in a box, and its help on
    // the redirected output, where a script never waits on a box.
    r = Start("quellix.exe", "/T=\"QxCmd Spare\" /W:abc");
    EXPECT_EQ(r.answered.exitCode, 2u);
    EXPECT_EQ(r.answered.boxes,
              std::vector<std::string>{std::string(kUnable) + " /T=\"QXCMD SPARE\" /W:ABC - Type mismatch"});
    EXPECT_EQ(Count(log.Contents(), "Error: " + std::string(kUnable)), 1) << log.Contents();
    r = Start("quellix.exe", "/P=qxspare.exe /?");
    EXPECT_EQ(r.answered.exitCode + r.answered.boxes.size() + r.answered.otherWindows, 0u);
    EXPECT_EQ(r.out.rfind("Usage: QUELLIX [set ...]", 0), 0u) << r.out;
    EXPECT_TRUE(spare.Running());
}

TEST_F(CommandLineWine, ConsoleTwinPrintsOutcomesAndErrorsAndShowsNoWindow) {
    const cTargetProcess stay({"--title", "QxTwin Stay", "--on-close", "ignore", "--refuse-endsession"});
    const cTargetProcess go({"--title", "QxTwin Go"});
    const cTargetProcess spare1({"--title", "QxTwin Spare"}, 10000, spareExe);
    const cTargetProcess spare2({"--title", "QxTwin Spare"}, 10000, spareExe);
    ASSERT_TRUE(copied && stay.Ready() && go.Ready() && spare1.Ready() && spare2.Ready());
    // The arguments, the exit code, the output and a part of the standard error ("": it stays empty).
    const std::tuple<const char*, DWORD, const char*, const char*> cases[] = {
        {"/T=\"QxTwin Stay\" /-I /-F /W:0", 1, "'QxTwin Stay' didn't close after waiting  0 seconds.\r\n", ""},
        {"/T=\"QxTwin Go\" /W:abc", 2, "", " /W:ABC - Type mismatch"},
        // A title matches in part and in any case; a program name matches every instance.
        {"/T=\"twin go\" /-I", 0, "'QxTwin Go' was killed cleanly.\r\n", ""},
        {"/P=QXSPARE.EXE", 0, "'QxTwin Spare' was killed cleanly.\r\n'QxTwin Spare' was killed cleanly.\r\n", ""},
    };
    for (const auto& [arguments, exitCode, out, errPart] : cases) {
        SCOPED_TRACE(arguments);
        const Outcome r = Start("quellixc.exe", arguments);
        EXPECT_EQ(r.answered.exitCode, exitCode);
        EXPECT_EQ(r.out, out);
        EXPECT_EQ(*errPart ? r.err.find(errPart) != std::string::npos : r.err.empty(), true) << r.err;
        EXPECT_EQ(r.answered.boxes.size() + r.answered.otherWindows, 0u);
    }
    EXPECT_TRUE(stay.Running() && go.WaitForExit(2000) && spare1.WaitForExit(2000) && spare2.WaitForExit(2000));
}

// The report's format is the native tests'; here it reaches a file under a
// name beyond ASCII, or the standard output, and names the real processes.
TEST_F(CommandLineWine, PreviewNamesWhatTheRunThenClosesAndBothReportsParse) {
    const cTargetProcess a({"--title", "QxTwin Plan"}), b({"--title", "QxTwin Plan"}), c({"--title", "QxTwin Plan"});
    ASSERT_TRUE(a.Ready() && b.Ready() && c.Ready());
    // The process ids of a report's programs in its order; each has the outcome.
    const auto programs = [](const std::string& report, const nlohmann::json& outcome) {
        const nlohmann::json parsed = nlohmann::json::parse(report);
        std::vector<DWORD> ids;
        for (const auto& p : parsed["programs"]) {
            EXPECT_EQ(p["outcome"], outcome);
            ids.push_back(p["processId"].get<DWORD>());
        }
        return ids;
    };
    const cTempPath report("plan-R\xC3\xA9-\xE6\x8A\xA5\xE5\x91\x8A");
    Outcome r = Start("quellixc.exe", "/T=\"QxTwin Plan\" /L /O=\"" + report.Path() + "\"");
    EXPECT_EQ(r.answered.exitCode, 0u);
    EXPECT_TRUE(a.Running() && b.Running() && c.Running() && log.Contents().empty()) << log.Contents();
    const std::vector<DWORD> planned = programs(report.Contents(), nullptr);
    EXPECT_EQ(std::set<DWORD>(planned.begin(), planned.end()), (std::set<DWORD>{a.Pid(), b.Pid(), c.Pid()}));

    r = Start("quellixc.exe", "/T=\"QxTwin Plan\" /O=-");
    EXPECT_EQ(r.answered.exitCode, 0u);
    const std::string closedLine = "'QxTwin Plan' was killed cleanly.\r\n";
    EXPECT_EQ(r.err, closedLine + closedLine + closedLine); // the report is alone on the output
    EXPECT_EQ(programs(r.out, "closed"), planned);
    EXPECT_TRUE(a.WaitForExit(2000) && b.WaitForExit(2000) && c.WaitForExit(2000));
}

} // namespace
} // namespace qx
