// quellix.exe with real command lines against running target programs: what
// it closed, what it spared, its exit code, its log and the options it left
// in the registry. Kill-all runs only after a dry look at what the set would
// hold, with every program that is not ours excluded, so that Wine's own
// processes and the test runner stay alive.
#include "core/engine/cInventory.h"
#include "core/engine/cKillRun.h"
#include "core/sets/cSetFile.h"
#include "core/ui/cBuiltinStringTable.h"
#include "core/util/cOSInfo.h"
#include "core/util/modText.h"
#include "fake/cKillHarness.h"
#include "integration/cTargetProcess.h"
#include "integration/cTempPath.h"
#include "integration/modRunAnswered.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/cWin32FileSystem.h"
#include "win32/cWin32ProcessWindowServices.h"
#include "win32/cWin32SystemFacts.h"
#include "win32/cWin32TextCodec.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <tlhelp32.h>

#include <memory>
#include <set>

namespace qx {
namespace {

using test::cTargetProcess;
using test::cTempPath;
using win32::Narrow;
using win32::Widen;

constexpr const wchar_t* kOptionsKey = L"Software\\Veltrane\\Quellix\\Options";
constexpr const char* kUnable = "Unable to parse command line arguments or no kill set specified:";

std::string BinPath(const std::string& name) {
    std::string dir = QX_BIN_DIR;
    if (!dir.empty() && dir[0] == '/') dir = "Z:" + dir;
    for (char& c : dir)
        if (c == '/') c = '\\';
    return dir + "\\" + name;
}

std::string TempFolder(const std::string& name) {
    wchar_t folder[MAX_PATH];
    const DWORD n = GetTempPathW(MAX_PATH, folder);
    const std::string path = Narrow(folder, n) + name;
    CreateDirectoryW(Widen(path).c_str(), nullptr);
    return path;
}

// qxtarget.exe under another name, so that a path test can tell it apart.
std::string TargetCopy(const std::string& fileName) {
    const std::string path = TempFolder("qx-cmdline-bin") + "\\" + fileName;
    CopyFileW(Widen(cTargetProcess::ExePath()).c_str(), Widen(path).c_str(), FALSE);
    return path;
}

void SetText(const wchar_t* name, const std::string& text) {
    const std::wstring w = Widen(text);
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, name, REG_SZ, w.c_str(),
                    static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t)));
}

void SetNumber(const wchar_t* name, DWORD n) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, name, REG_DWORD, &n, sizeof n);
}

std::string GetText(const wchar_t* name) {
    wchar_t buffer[1024] = L"";
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kOptionsKey, name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return "<none>";
    return Narrow(buffer);
}

using RunResult = test::AnsweredRun;

// Runs quellix.exe in `folder` and answers every box it shows with `button`,
// as a user would; its standard output goes to `output` when given.
RunResult RunQuellix(const std::string& arguments, const std::string& folder, int button = IDOK,
                     HANDLE output = nullptr) {
    return test::RunAnswered("\"" + BinPath("quellix.exe") + "\" " + arguments, folder, button, output);
}

int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

class CommandLineWine : public ::testing::Test {
protected:
    CommandLineWine() {
        SetNumber(L"Logging", 3);
        SetText(L"LogPath", log.Path());
        SetText(L"DefaultDataDirectory", data);
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, L"LastLoadedSet");
    }
    // The prefix's options go back to their defaults for the tests after these.
    ~CommandLineWine() override {
        for (const std::string& f : created) DeleteFileW(Widen(f).c_str());
        for (const wchar_t* name : {L"Logging", L"LogPath", L"DefaultDataDirectory", L"LastLoadedSet"})
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, name);
    }

    // What the inventory sees of a target: its path and the title of its first window.
    cApplicationProcs Seen(const cTargetProcess& t) {
        cInventory inventory(os, osInfo, recorder.log);
        inventory.RefreshLists();
        for (const cApplicationProcs& a : inventory.mcApplications())
            if (a.ProcessID() == t.Pid()) return a;
        ADD_FAILURE() << "target " << t.Pid() << " not in the inventory";
        return {};
    }
    // The entries kill-all would put into the set right now.
    std::vector<cApplicationProcs> DryKillAll(bool all) {
        cInventory inventory(os, osInfo, recorder.log);
        inventory.RefreshLists();
        cKillSet set;
        cMessages messages;
        cBuiltinStringTable table;
        messages.LoadMessages(table, "C:\\Quellix");
        cKillContext kill{os, recorder.ui, recorder.log, recorder.texts};
        cKillRun run(kill, osInfo, inventory, set, messages, {});
        run.KillAll(inventory.lvApplications());
        if (all) run.KillAll(inventory.lvProcesses());
        return set.AppSet();
    }
    void WriteSet(const std::string& path, const std::vector<SetFileEntry>& entries) {
        std::string bytes;
        ASSERT_EQ(cSetFile::Write(46362.0, entries, codec, bytes), cSetFile::WriteResult::Ok);
        ASSERT_TRUE(fs.WriteFile(path, bytes));
        created.push_back(path);
    }
    static SetFileEntry Entry(const cApplicationProcs& seen, bool forceClose, std::int32_t wait, bool ignoreTitle) {
        SetFileEntry e;
        e.Selected = true;
        e.WinVisible = seen.WinVisible();
        e.ForceClose = forceClose;
        e.IgnoreTitle = ignoreTitle;
        e.CloseWait = wait;
        e.Title = seen.Title();
        e.ExePath = seen.ExePath();
        return e;
    }

    win32::cWin32ProcessWindowServices os;
    win32::cWin32SystemFacts facts;
    win32::cWin32FileSystem fs;
    win32::cWin32TextCodec codec;
    cOSInfo osInfo{facts};
    fake::cKillRecorder recorder;
    cTempPath log{"cmdline-log"};
    const std::string data = TempFolder("qx-cmdline-data");
    const std::string work = TempFolder("qx-cmdline-work");
    std::vector<std::string> created;
};

TEST_F(CommandLineWine, SavedSetInTheDataFolderWithOverridesAndAnExclusion) {
    cTargetProcess stubborn({"--title", "QxCmd Stubborn", "--on-close", "ignore", "--refuse-endsession"});
    cTargetProcess spare({"--title", "QxCmd Spare"}, 10000, TargetCopy("qxspare.exe"));
    cTargetProcess bystander({"--title", "QxCmd Bystander"});
    ASSERT_TRUE(stubborn.Ready() && spare.Ready() && bystander.Ready());
    // As saved, the stubborn program would be waited for 30 s and then left running.
    WriteSet(data + "\\CmdSet.qxs", {Entry(Seen(stubborn), false, 30, false), Entry(Seen(spare), true, 1, false)});

    const RunResult r = RunQuellix("cmdset /f /w:1 /x=qxspare", work);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_TRUE(r.boxes.empty());
    EXPECT_EQ(r.otherWindows, 0);
    EXPECT_TRUE(stubborn.WaitForExit(2000));
    EXPECT_TRUE(spare.Running());
    EXPECT_TRUE(bystander.Running()); // same program, other title: the entry matches titles
    const std::string text = log.Contents();
    EXPECT_EQ(Count(text, "'QxCmd Stubborn' was terminated.\r\n"), 1) << text;
    EXPECT_EQ(text.find("QxCmd Spare"), std::string::npos) << text;
    EXPECT_EQ(GetText(L"LastLoadedSet"), data + "\\CMDSET.QXS");
    EXPECT_EQ(GetText(L"DefaultDataDirectory"), data + "\\"); // kept with its backslash
}

TEST_F(CommandLineWine, ProgramSwitchClosesEveryInstanceAndTitleSwitchOnlyTheTitle) {
    std::vector<std::unique_ptr<cTargetProcess>> many;
    for (int i = 0; i < 2; ++i) many.push_back(std::make_unique<cTargetProcess>(std::vector<std::string>{"--title", "QxCmd Many"}));
    cTargetProcess spare({"--title", "QxCmd Many"}, 10000, TargetCopy("qxspare.exe"));
    for (const auto& t : many) ASSERT_TRUE(t->Ready());
    ASSERT_TRUE(spare.Ready());

    RunResult r = RunQuellix("/P=qxtarget.exe", work);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(r.otherWindows, 0);
    for (const auto& t : many) EXPECT_TRUE(t->WaitForExit(2000));
    EXPECT_TRUE(spare.Running());
    EXPECT_EQ(Count(log.Contents(), "'QxCmd Many' was killed cleanly.\r\n"), 2) << log.Contents();
    EXPECT_EQ(GetText(L"LastLoadedSet"), ""); // no set file was loaded

    cTargetProcess titled({"--title", "QxCmd Title With Blanks"});
    cTargetProcess other({"--title", "QxCmd Title"});
    ASSERT_TRUE(titled.Ready() && other.Ready());
    // Without /-I the entry would take every window of the same program.
    r = RunQuellix("/T=\"title with\" /-I", work);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_TRUE(titled.WaitForExit(2000));
    EXPECT_TRUE(other.Running());
    EXPECT_TRUE(spare.Running());
}

TEST_F(CommandLineWine, KillWindowsAndKillAllSpareTheShellTheSystemAndQuellix) {
    cTargetProcess windowed({"--title", "QxCmd Windowed"});
    cTargetProcess background({"--window", "none"});
    cTargetProcess shellWindow({"--title", "QxCmd Folder", "--class", "CabinetWClass"}, 10000,
                               TargetCopy("qxshell.exe"));
    cTargetProcess namedLikeTheShell({"--window", "none"}, 10000, TargetCopy("explorer.exe"));
    ASSERT_TRUE(windowed.Ready() && background.Ready() && shellWindow.Ready() && namedLikeTheShell.Ready());

    // Everything of Wine lives in its Windows folder; the test runner beside
    // the targets. Whatever else the dry look finds is excluded by its path.
    std::string exclusions = " /X=\\WINDOWS\\ /X=\\QX_WINE_TESTS.EXE";
    const std::set<std::string> ours = {UpperCase(cTargetProcess::ExePath())};
    for (const cApplicationProcs& e : DryKillAll(true)) {
        const std::string path = UpperCase(e.ExePath());
        ASSERT_FALSE(path.empty()) << "a program without a path cannot be excluded: " << e.Title();
        EXPECT_EQ(path.find("QXSHELL.EXE"), std::string::npos);
        EXPECT_EQ(path.find("\\EXPLORER.EXE"), std::string::npos);
        if (ours.count(path) || path.find("\\WINDOWS\\") != std::string::npos ||
            path.find("\\QX_WINE_TESTS.EXE") != std::string::npos)
            continue;
        ASSERT_EQ(path.find('"'), std::string::npos);
        exclusions += " /X=\"" + path + "\"";
    }

    RunResult r = RunQuellix("/KW /DEBUG /W:1" + exclusions, work);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(r.otherWindows, 0);
    EXPECT_TRUE(windowed.WaitForExit(2000));
    EXPECT_TRUE(background.Running());
    EXPECT_TRUE(shellWindow.Running());
    EXPECT_TRUE(namedLikeTheShell.Running());

    r = RunQuellix("/KA /DEBUG /W:1" + exclusions, work);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_TRUE(background.WaitForExit(3000));
    EXPECT_TRUE(shellWindow.Running());
    EXPECT_TRUE(namedLikeTheShell.Running());

    // Quellix's own choice, before any exclusion: never the shell, the
    // system's processes or itself.
    const std::string text = UpperCase(log.Contents());
    EXPECT_GE(Count(text, "DEBUG: ADDED APP "), 2) << text;
    std::size_t at = 0;
    while ((at = text.find("DEBUG: ADDED APP ", at)) != std::string::npos) {
        const std::string line = text.substr(at, text.find("\r\n", at) - at);
        for (const char* spared : {"\\EXPLORER.EXE ", "\\QXSHELL.EXE ", "\\SERVICES.EXE ", "\\SVCHOST.EXE ",
                                   "\\QUELLIX.EXE ", "\\WINEDEVICE.EXE ", "\\PLUGPLAY.EXE ", "\\RPCSS.EXE "})
            EXPECT_EQ(line.find(spared), std::string::npos) << line;
        ++at;
    }
}

TEST_F(CommandLineWine, ALineThatCannotBeUsedIsToldEndsWithExitCodeTwoAndKillsNothing) {
    cTargetProcess target({"--title", "QxCmd Kept"});
    ASSERT_TRUE(target.Ready());
    // This set lies in the folder Quellix is started in.
    WriteSet(work + "\\HERE.QXS", {Entry(Seen(target), true, 1, true)});
    const RunResult r = RunQuellix("here /W:abc", work);
    EXPECT_EQ(r.exitCode, 2u);
    EXPECT_EQ(r.boxes, std::vector<std::string>{std::string(kUnable) + " HERE /W:ABC - Type mismatch"});
    EXPECT_EQ(r.otherWindows, 0);
    EXPECT_TRUE(target.Running());
    EXPECT_EQ(Count(log.Contents(), "Error: " + std::string(kUnable)), 1) << log.Contents();
    EXPECT_EQ(GetText(L"LastLoadedSet"), work + "\\HERE.QXS"); // the set it did load
}

TEST_F(CommandLineWine, HelpGoesToTheRedirectedOutputWithoutABoxAndClosesNothing) {
    cTargetProcess target({"--title", "QxCmd Help"});
    ASSERT_TRUE(target.Ready());
    const cTempPath out("cmdline-help");
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE file = CreateFileW(Widen(out.Path()).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const RunResult r = RunQuellix("/P=qxtarget.exe /?", work, IDOK, file);
    CloseHandle(file);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_TRUE(r.boxes.empty()); // a script must never wait on a box
    EXPECT_EQ(out.Contents().rfind("Usage: QUELLIX [set ...]", 0), 0u) << out.Contents();
    EXPECT_TRUE(target.Running());
    EXPECT_TRUE(log.Contents().empty());
}

struct TwinResult {
    DWORD exitCode = 999;
    std::vector<std::string> out, err; // lines
    int windows = 0;                   // top-level windows the twin owned at any time
    bool seen = false;                 // the twin was found running under cmd.exe, so the scan looked
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// Runs quellixc.exe through cmd.exe, as a batch file would, in `folder`.
TwinResult RunTwin(const std::string& arguments, const std::string& folder) {
    TwinResult r;
    const cTempPath out("twin-out"), err("twin-err");
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE o = CreateFileW(Widen(out.Path()).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
    HANDLE e = CreateFileW(Widen(err.Path()).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
    std::wstring cmd = L"cmd.exe /c " + Widen(BinPath("quellixc.exe")) + L" " + Widen(arguments);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = o;
    si.hStdError = e;
    PROCESS_INFORMATION pi{};
    const BOOL started =
        CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, Widen(folder).c_str(), &si, &pi);
    CloseHandle(o);
    CloseHandle(e);
    if (!started) return r;
    std::set<HWND> windows;
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(pi.hProcess, 20) == WAIT_TIMEOUT) {
        std::set<DWORD> twins;
        HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32W pe{};
        pe.dwSize = sizeof pe;
        for (BOOL more = Process32FirstW(snap, &pe); more; more = Process32NextW(snap, &pe))
            if (pe.th32ParentProcessID == pi.dwProcessId && _wcsicmp(pe.szExeFile, L"quellixc.exe") == 0)
                twins.insert(pe.th32ProcessID);
        CloseHandle(snap);
        r.seen = r.seen || !twins.empty();
        for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (twins.count(pid)) windows.insert(w);
        }
        if (GetTickCount() - start > 60000) TerminateProcess(pi.hProcess, 998);
    }
    GetExitCodeProcess(pi.hProcess, &r.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    r.out = Lines(out.Contents());
    r.err = Lines(err.Contents());
    r.windows = static_cast<int>(windows.size());
    return r;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& l : lines) all += l + "\n";
    return all;
}

TEST_F(CommandLineWine, ConsoleTwinThroughCmdPrintsOutcomesAndErrorsAndShowsNoWindow) {
    cTargetProcess stay({"--title", "QxTwin Stay", "--on-close", "ignore", "--refuse-endsession"});
    cTargetProcess go({"--title", "QxTwin Go"});
    ASSERT_TRUE(stay.Ready() && go.Ready());
    WriteSet(work + "\\BROKEN.QXS", {Entry(Seen(go), true, 1, true), Entry(Seen(stay), true, 1, true)});
    std::string broken = test::ReadFileBytes(work + "\\BROKEN.QXS");
    broken.resize(broken.size() - 4);
    ASSERT_TRUE(fs.WriteFile(work + "\\BROKEN.QXS", broken));
    struct Case {
        const char* arguments;
        DWORD exitCode;
        std::vector<std::string> out;
        const char* errPart; // "": standard error stays empty
    } cases[] = {
        {"/T=\"QxTwin Stay\" /-I /-F /W:0", 1, {"'QxTwin Stay' didn't close after waiting  0 seconds."}, ""},
        {"NoSuchSet", 2, {}, ""},
        {"/T=\"QxTwin Go\" /W:abc", 2, {}, " /W:ABC - Type mismatch"},
        {"broken", 2, {}, "Input past end of file"},
        {"/T=\"QxTwin Go\" /-I", 0, {"'QxTwin Go' was killed cleanly."}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const TwinResult r = RunTwin(c.arguments, work);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_EQ(r.out, c.out);
        const std::string err = Joined(r.err);
        if (*c.errPart == '\0') EXPECT_EQ(err, "");
        else EXPECT_NE(err.find(c.errPart), std::string::npos) << err;
        EXPECT_EQ(r.windows, 0);
        EXPECT_TRUE(r.seen);
    }
    EXPECT_TRUE(stay.Running());
    EXPECT_TRUE(go.WaitForExit(2000));
    EXPECT_EQ(test::ReadFileBytes(work + "\\BROKEN.QXS"), broken); // never saved over
}

TEST_F(CommandLineWine, PreviewNamesWhatTheRunThenClosesAndBothReportsParse) {
    std::vector<std::unique_ptr<cTargetProcess>> targets;
    for (int i = 0; i < 3; ++i)
        targets.push_back(std::make_unique<cTargetProcess>(std::vector<std::string>{"--title", "QxTwin Plan"}));
    for (const auto& t : targets) ASSERT_TRUE(t->Ready());
    const cTempPath report("plan-Ré-报告");

    TwinResult r = RunTwin("/T=\"QxTwin Plan\" /L /O=\"" + report.Path() + "\"", work);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(r.windows, 0);
    for (const auto& t : targets) EXPECT_TRUE(t->Running());
    ASSERT_EQ(r.out.size(), 4u) << Joined(r.out);
    EXPECT_EQ(r.out[0], "Would close, in this order:");
    const nlohmann::json plan = nlohmann::json::parse(report.Contents());
    EXPECT_EQ(plan["preview"], true);
    std::vector<DWORD> planned;
    for (const auto& p : plan["programs"]) {
        EXPECT_TRUE(p["outcome"].is_null());
        planned.push_back(p["processId"].get<DWORD>());
        EXPECT_NE(r.out[planned.size()].find("process " + std::to_string(planned.back())), std::string::npos);
    }
    EXPECT_TRUE(log.Contents().empty()) << log.Contents();

    r = RunTwin("/T=\"QxTwin Plan\" /O=-", work);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(r.err, std::vector<std::string>(3, "'QxTwin Plan' was killed cleanly."));
    const nlohmann::json run = nlohmann::json::parse(Joined(r.out));
    EXPECT_EQ(run["exitCode"], 0);
    std::vector<DWORD> closed;
    for (const auto& p : run["programs"]) {
        EXPECT_EQ(p["outcome"], "closed");
        closed.push_back(p["processId"].get<DWORD>());
    }
    EXPECT_EQ(closed, planned);
    for (const auto& t : targets) EXPECT_TRUE(t->WaitForExit(2000));
}

} // namespace
} // namespace qx
