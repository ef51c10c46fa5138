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

#include <map>
#include <memory>
#include <optional>
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

// Puts the options a test changes back as they were.
class OptionsGuard {
public:
    explicit OptionsGuard(std::vector<std::wstring> names) {
        for (const std::wstring& n : names) {
            DWORD type = 0, size = 0;
            std::optional<std::pair<DWORD, std::vector<BYTE>>> value;
            if (RegGetValueW(HKEY_LOCAL_MACHINE, kOptionsKey, n.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                             &size) == ERROR_SUCCESS) {
                std::vector<BYTE> bytes(size);
                RegGetValueW(HKEY_LOCAL_MACHINE, kOptionsKey, n.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                             bytes.data(), &size);
                value = std::make_pair(type, bytes);
            }
            saved_.emplace(n, value);
        }
    }
    ~OptionsGuard() {
        for (const auto& [name, value] : saved_) {
            if (value)
                RegSetKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, name.c_str(), value->first, value->second.data(),
                                static_cast<DWORD>(value->second.size()));
            else
                RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, name.c_str());
        }
    }

private:
    std::map<std::wstring, std::optional<std::pair<DWORD, std::vector<BYTE>>>> saved_;
};

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
    CommandLineWine() : guard({L"Logging", L"LogPath", L"DefaultDataDirectory", L"LastLoadedSet"}) {
        SetNumber(L"Logging", 3);
        SetText(L"LogPath", log.Path());
        SetText(L"DefaultDataDirectory", data);
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, L"LastLoadedSet");
    }
    ~CommandLineWine() override {
        for (const std::string& f : created) DeleteFileW(Widen(f).c_str());
    }

    // What the inventory sees of a target: its path and the title of its first window.
    cApplicationProcs Seen(const cTargetProcess& t) {
        for (const cApplicationProcs& a : Inventory())
            if (a.ProcessID() == t.Pid()) return a;
        ADD_FAILURE() << "target " << t.Pid() << " not in the inventory";
        return {};
    }
    std::vector<cApplicationProcs> Inventory() {
        cInventory inventory(os, osInfo, recorder.log);
        inventory.SetOwnProcessID(GetCurrentProcessId());
        inventory.RefreshLists();
        return inventory.mcApplications();
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
    OptionsGuard guard;
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
    for (int i = 0; i < 3; ++i) many.push_back(std::make_unique<cTargetProcess>(std::vector<std::string>{"--title", "QxCmd Many"}));
    cTargetProcess spare({"--title", "QxCmd Many"}, 10000, TargetCopy("qxspare.exe"));
    for (const auto& t : many) ASSERT_TRUE(t->Ready());
    ASSERT_TRUE(spare.Ready());

    RunResult r = RunQuellix("/P=qxtarget.exe", work);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(r.otherWindows, 0);
    for (const auto& t : many) EXPECT_TRUE(t->WaitForExit(2000));
    EXPECT_TRUE(spare.Running());
    EXPECT_EQ(Count(log.Contents(), "'QxCmd Many' was killed cleanly.\r\n"), 3) << log.Contents();
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
                                   "\\QUELLIX.EXE "})
            EXPECT_EQ(line.find(spared), std::string::npos) << line;
        ++at;
    }
    EXPECT_GE(Count(text, "DEBUG: EXCLUDE ARG = '\\WINDOWS\\'"), 1) << text;
}

TEST_F(CommandLineWine, LinesThatCannotBeUsedEndWithExitCodeTwoAndKillNothing) {
    cTargetProcess target({"--title", "QxCmd Kept"});
    ASSERT_TRUE(target.Ready());
    // This set lies in the folder Quellix is started in.
    WriteSet(work + "\\HERE.QXS", {Entry(Seen(target), true, 1, true)});

    RunResult r = RunQuellix("NoSuchSet", work);
    EXPECT_EQ(r.exitCode, 2u);
    EXPECT_TRUE(r.boxes.empty());

    r = RunQuellix("here /W:abc", work);
    EXPECT_EQ(r.exitCode, 2u);
    EXPECT_EQ(r.boxes, std::vector<std::string>{std::string(kUnable) + " HERE /W:ABC - Type mismatch"});

    r = RunQuellix("  /zz -q  ", work);
    EXPECT_EQ(r.exitCode, 2u);
    EXPECT_EQ(r.boxes, std::vector<std::string>{std::string(kUnable) + " /ZZ -Q"});
    EXPECT_EQ(r.otherWindows, 0);

    EXPECT_TRUE(target.Running());
    const std::string text = log.Contents();
    EXPECT_EQ(Count(text, "Error: " + std::string(kUnable)), 2) << text;
    EXPECT_EQ(GetText(L"LastLoadedSet"), work + "\\HERE.QXS"); // the set it did load
}

TEST_F(CommandLineWine, HelpGoesToTheRedirectedOutputAndABoxAndClosesNothing) {
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
    ASSERT_EQ(r.boxes.size(), 1u);
    EXPECT_EQ(r.boxes[0].rfind("Usage: QUELLIX [set ...]", 0), 0u) << r.boxes[0];
    EXPECT_EQ(out.Contents(), r.boxes[0] + "\r\n");
    EXPECT_TRUE(target.Running());
    EXPECT_TRUE(log.Contents().empty());
}

} // namespace
} // namespace qx
