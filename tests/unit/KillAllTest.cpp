#include "core/engine/mQXEndPrograms.h"
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using fake::cRunHarness;
using fake::FakeProcessSetup;
using fake::FakeWindowSetup;

struct SystemCase {
    const char* name;
    OsVersionInfo version;
    std::vector<std::string> spared;
    std::vector<std::string> notSpared;
};
void PrintTo(const SystemCase& c, std::ostream* os) { *os << c.name; }

class SystemProcessLists : public ::testing::TestWithParam<SystemCase> {};

TEST_P(SystemProcessLists, SparesExactlyTheNamesOfThatSystem) {
    fake::cFakeSystemFacts facts;
    facts.version = GetParam().version;
    const cOSInfo os(facts);
    for (const std::string& n : GetParam().spared) EXPECT_TRUE(IsSystemProcess(os, n)) << n;
    for (const std::string& n : GetParam().notSpared) EXPECT_FALSE(IsSystemProcess(os, n)) << n;
}

const std::vector<std::string> kNtCore = {"spoolss.exe", "LSASS.EXE", "services.exe", "winlogon.exe", "csrss.exe",
                                          "smss.exe",    "[System]",  "System",       "Explorer.EXE"};

std::vector<std::string> Plus(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

INSTANTIATE_TEST_SUITE_P(
    Systems, SystemProcessLists,
    ::testing::Values(
        SystemCase{"Win95", fake::Win95(),
                   {"explorer.exe", "MPREXE.EXE", "msgsrv32.exe", "kernel32.dll"},
                   {"systray.exe", "mstask.exe", "csrss.exe", "notepad.exe", "myexplorer.exe", "explorer"}},
        SystemCase{"Win98", fake::Win98(),
                   {"explorer.exe", "kernel32.dll", "systray.exe", "taskmon.exe", "cmmpu.exe", "ptsnoop.exe",
                    "mstask.exe", "MMTASK.TSK"},
                   {"csrss.exe", "svchost.exe", "notepad.exe"}},
        SystemCase{"NT4", fake::WinNT4(), Plus(kNtCore, {"rpcss.exe", "nddeagnt.exe", "pstores.exe"}),
                   {"svchost.exe", "regsvc.exe", "mstask.exe", "msgsrv32.exe", "dwm.exe"}},
        SystemCase{"NT351", fake::WinNT351(), Plus(kNtCore, {"rpcss.exe"}), {"svchost.exe"}},
        SystemCase{"Win2000", fake::Win2000(), Plus(kNtCore, {"regsvc.exe", "svchost.exe", "mstask.exe"}),
                   {"rpcss.exe", "nddeagnt.exe", "pstores.exe", "dwm.exe", "kernel32.dll"}},
        SystemCase{"XP", fake::WinXP(), Plus(kNtCore, {"svchost.exe", "regsvc.exe"}), {"rpcss.exe", "wininit.exe"}},
        SystemCase{"Win10", fake::Win10(),
                   Plus(Plus(kNtCore, {"regsvc.exe", "svchost.exe", "mstask.exe"}),
                        {"wininit.exe", "dwm.exe", "lsm.exe", "logonui.exe", "fontdrvhost.exe", "sihost.exe",
                         "ctfmon.exe", "taskhostw.exe", "conhost.exe", "audiodg.exe", "WUDFHost.exe",
                         "ApplicationFrameHost.exe", "SearchHost.exe", "StartMenuExperienceHost.exe",
                         "ShellExperienceHost.exe", "TextInputHost.exe", "RuntimeBroker.exe", "Registry",
                         "MemCompression", "Secure System"}),
                   {"rpcss.exe", "pstores.exe", "notepad.exe", "dwm", "svchost", "secure", "C:\\x\\dwm.exe"}},
        SystemCase{"Win7", fake::Win7(), {"dwm.exe", "svchost.exe"}, {"rpcss.exe"}}),
    [](const auto& p) { return std::string(p.param.name); });

class KillAll : public ::testing::Test {
protected:
    explicit KillAll(const OsVersionInfo& v = fake::WinXP()) : h(v) {}

    std::uint32_t Process(const std::string& exe, bool critical = false) {
        FakeProcessSetup p;
        p.exePath = exe;
        p.critical = critical;
        return h.os.AddProcess(p);
    }
    void Window(std::uint32_t pid, const std::string& title, const std::string& cls = "AppClass", bool visible = true) {
        FakeWindowSetup w;
        w.pid = pid;
        w.title = title;
        w.className = cls;
        w.style = visible ? kWsVisible : 0;
        h.os.AddWindow(w);
    }
    std::vector<std::string> SetTitles() const {
        std::vector<std::string> titles;
        for (const cListItem& i : h.set.lvProgramSet().Items()) titles.push_back(i.text);
        return titles;
    }
    void KillAllBoth() {
        h.run.KillAll(h.inventory.lvApplications());
        h.run.KillAll(h.inventory.lvProcesses());
    }

    cRunHarness h;
};

TEST_F(KillAll, SparesTheShellBothByWindowClassAndByName) {
    const auto explorer = Process("C:\\WINDOWS\\Explorer.EXE");
    Window(explorer, "My Documents", "CabinetWClass");
    Window(explorer, "Program Manager", "Progman");
    const auto ie = Process("C:\\Program Files\\Internet Explorer\\iexplore.exe");
    Window(ie, "Home - Browser", "IEFrame");
    const auto fake = Process("D:\\Games\\EXPLORER.EXE");
    Window(fake, "Explorer game");
    const auto editor = Process("C:\\Apps\\editor.exe");
    Window(editor, "Editor");
    Window(editor, "Editor helper", "AppClass", false);
    Process("C:\\WINDOWS\\system32\\csrss.exe");
    Process("C:\\Apps\\daemon.exe");
    h.inventory.RefreshLists();
    KillAllBoth();
    EXPECT_EQ(SetTitles(), (std::vector<std::string>{"Editor", "daemon.exe"}));
}

TEST_F(KillAll, TakesRowsBottomUpApplicationsBeforeProcessesAndKeepsTheDefaults) {
    h.inventory.SetKillDefaults(cKillDefaults{7, false, true, false});
    for (const char* name : {"a", "b", "c"}) Window(Process(std::string("C:\\Apps\\") + name + ".exe"), name);
    Process("C:\\Apps\\x.exe");
    Process("C:\\Apps\\y.exe");
    h.inventory.RefreshLists();
    h.log.SetDebugMode(true);
    KillAllBoth();
    EXPECT_EQ(SetTitles(), (std::vector<std::string>{"c", "b", "a", "y.exe", "x.exe"}));
    for (const cApplicationProcs& e : h.set.AppSet()) {
        EXPECT_EQ(e.CloseWait(), 7);
        EXPECT_FALSE(e.ForceClose());
        EXPECT_TRUE(e.StopOnError());
        EXPECT_FALSE(e.IgnoreTitle());
    }
    EXPECT_TRUE(h.set.SetChanged());
    const auto debug = h.DebugTexts();
    ASSERT_EQ(debug.size(), 7u);
    EXPECT_EQ(debug[0], "This is NT");
    EXPECT_EQ(debug[1], "Added app C:\\Apps\\c.exe to kill list");
    EXPECT_EQ(debug[4], "This is NT");
    EXPECT_EQ(debug[6], "Added app C:\\Apps\\x.exe to kill list");
}

TEST_F(KillAll, TwiceAddsNothingNewButStillTracesEveryRow) {
    Window(Process("C:\\Apps\\a.exe"), "a");
    Process("C:\\Apps\\x.exe");
    h.inventory.RefreshLists();
    KillAllBoth();
    h.log.SetDebugMode(true);
    KillAllBoth();
    EXPECT_EQ(h.set.lvProgramSet().Count(), 2);
    EXPECT_EQ(h.set.AppSet().size(), 2u);
    EXPECT_EQ(h.DebugTexts(), (std::vector<std::string>{"This is NT", "Added app C:\\Apps\\a.exe to kill list",
                                                        "This is NT", "Added app C:\\Apps\\x.exe to kill list"}));
}

TEST_F(KillAll, WindowsOnlyLeavesTheProcessesOut) {
    Window(Process("C:\\Apps\\a.exe"), "a");
    Process("C:\\Apps\\x.exe");
    h.inventory.RefreshLists();
    h.run.KillAll(h.inventory.lvApplications());
    EXPECT_EQ(SetTitles(), (std::vector<std::string>{"a"}));
}

class KillAllWin10 : public KillAll {
protected:
    KillAllWin10() : KillAll(fake::Win10()) {}
};

TEST_F(KillAllWin10, SparesCriticalProcessesAndTheModernShell) {
    Process("C:\\Windows\\System32\\odd-critical.exe", true);
    const auto tray = Process("C:\\Tools\\shellhost.exe");
    Window(tray, "Second taskbar", "Shell_SecondaryTrayWnd");
    Window(Process("C:\\Tools\\desk.exe"), "Desktop worker", "WorkerW");
    Window(Process("C:\\Windows\\System32\\dwm.exe"), "DWM Notification Window");
    Window(Process("C:\\Apps\\editor.exe"), "Editor");
    Process("C:\\Windows\\System32\\svchost.exe");
    Process("C:\\Apps\\daemon.exe");
    h.inventory.RefreshLists();
    h.log.SetDebugMode(true);
    KillAllBoth();
    EXPECT_EQ(SetTitles(), (std::vector<std::string>{"Editor", "daemon.exe"}));
    EXPECT_EQ(h.os.OpenHandleCount(), 0);
    EXPECT_EQ(h.DebugTexts().front(), "This is NT");
}

TEST(KillAllScope, FromNT6OnTakesOnlyTheUsersOwnProgramsOfThisSessionThatHostNoService) {
    const struct {
        const char* name;
        OsVersionInfo version;
        bool ownerKnown, servicesKnown;
        std::vector<std::string> added;
    } cases[] = {
        {"Win10", fake::Win10(), true, true, {"mine.exe"}},
        {"Win7", fake::Win7(), true, true, {"mine.exe"}},
        {"own user unknown", fake::Win10(), false, true, {"mine.exe", "other-user.exe", "other-session.exe", "closed.exe"}},
        {"services unknown", fake::Win10(), true, false, {"mine.exe", "service.exe"}},
        {"XP", fake::WinXP(), true, true,
         {"mine.exe", "other-user.exe", "other-session.exe", "service.exe", "closed.exe"}},
    };
    for (const auto& c : cases) {
        cRunHarness h(c.version);
        h.os.ownerKnown = c.ownerKnown;
        h.os.servicesKnown = c.servicesKnown;
        const auto start = [&](const char* exe, auto change) {
            FakeProcessSetup p;
            p.exePath = std::string("C:\\Apps\\") + exe;
            change(p);
            h.os.AddProcess(p);
        };
        start("closed.exe", [](FakeProcessSetup& p) { p.canOpen = false; });
        start("service.exe", [](FakeProcessSetup& p) { p.service = true; });
        start("other-session.exe", [](FakeProcessSetup& p) { p.owner.sessionId = 2; });
        start("other-user.exe", [](FakeProcessSetup& p) { p.owner.userSid = "S-1-5-18"; });
        start("mine.exe", [](FakeProcessSetup&) {});
        h.inventory.RefreshLists();
        h.run.KillAll(h.inventory.lvProcesses());
        std::vector<std::string> added;
        for (const cListItem& i : h.set.lvProgramSet().Items()) added.push_back(i.text);
        EXPECT_EQ(added, c.added) << c.name;
        EXPECT_EQ(h.os.OpenHandleCount(), 0) << c.name;
    }
}

TEST_F(KillAllWin10, RunClosesOnlyTheInstancesKillAllTookThoughOthersShareTheirPath) {
    FakeProcessSetup p;
    p.exePath = "C:\\Apps\\shared.exe";
    const auto mine = h.os.AddProcess(p);
    p.owner.userSid = "S-1-5-21-9-9-9-2002";
    const auto theirs = h.os.AddProcess(p);
    p = {};
    p.exePath = "C:\\Windows\\host.exe";
    const auto ownHost = h.os.AddProcess(p);
    p.service = true;
    const auto serviceHost = h.os.AddProcess(p);
    h.inventory.RefreshLists();
    KillAllBoth();
    h.run.KillCurrentSet();
    EXPECT_FALSE(h.os.IsRunning(mine));
    EXPECT_FALSE(h.os.IsRunning(ownHost));
    EXPECT_TRUE(h.os.IsRunning(theirs));
    EXPECT_TRUE(h.os.IsRunning(serviceHost));
    EXPECT_EQ(h.run.FailedKills(), 0);
}

class KillAllWin95 : public KillAll {
protected:
    KillAllWin95() : KillAll(fake::Win95()) {}
};

TEST_F(KillAllWin95, ListsTheWin95NamesAndSaysItIsNotNT) {
    FakeProcessSetup p;
    p.exePath = "C:\\WINDOWS\\SYSTRAY.EXE";
    h.os.AddProcess(p);
    p.exePath = "C:\\WINDOWS\\MSGSRV32.EXE";
    h.os.AddProcess(p);
    h.inventory.RefreshLists();
    h.log.SetDebugMode(true);
    h.run.KillAll(h.inventory.lvProcesses());
    EXPECT_EQ(SetTitles(), (std::vector<std::string>{"SYSTRAY.EXE"}));
    EXPECT_EQ(h.DebugTexts().front(), "This is not NT");
}

} // namespace
} // namespace qx
