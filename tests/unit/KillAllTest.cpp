// Kill-all: every listed program goes into the set except the shell, the
// system's own processes and, from NT 6 on, what is not the user's own.
#include "core/engine/mQXEndPrograms.h"
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using fake::cRunHarness;

std::vector<std::string> SetTitles(const cRunHarness& h) {
    std::vector<std::string> titles;
    for (const cListItem& i : h.set.lvProgramSet().Items()) titles.push_back(i.text);
    return titles;
}

TEST(KillAll, SparesTheSystemsOwnProcessesByNameOnEachSystem) {
    const std::vector<OsVersionInfo> systems = {fake::Win95(), fake::Win98(), fake::WinNT351(), fake::WinNT4(),
                                                fake::Win2000(), fake::WinXP(), fake::Win7(), fake::Win10()};
    const std::vector<std::pair<std::string, std::string>> names = {
        // spared on Win95, 98, NT 3.51, NT 4, 2000, XP, 7, 10
        {"Explorer.EXE", "11111111"}, {"MPREXE.EXE", "11000000"}, {"MMTASK.TSK", "01000000"},
        {"mstask.exe", "01001111"},   {"LSASS.EXE", "00111111"},  {"[System]", "00111111"},
        {"rpcss.exe", "00110000"},    {"pstores.exe", "00110000"}, {"svchost.exe", "00001111"},
        {"dwm.exe", "00000011"},      {"Secure System", "00000011"}, {"notepad.exe", "00000000"},
        {"explorer", "00000000"},     {"myexplorer.exe", "00000000"}, {"C:\\x\\dwm.exe", "00000000"}};
    for (const auto& [name, mask] : names) {
        std::string spared;
        for (const OsVersionInfo& v : systems) {
            fake::cFakeSystemFacts facts;
            facts.version = v;
            spared += IsSystemProcess(cOSInfo(facts), name) ? '1' : '0';
        }
        EXPECT_EQ(spared, mask) << name;
    }
}

TEST(KillAll, TakesRowsBottomUpWithTheKillDefaultsAndSparesTheShell) {
    cRunHarness h(fake::WinXP());
    h.inventory.SetKillDefaults(cKillDefaults{7, false, true, false});
    fake::FakeWindowSetup w;
    w.pid = h.Start("C:\\WINDOWS\\Explorer.EXE", "My Documents").pid;
    for (const char* cls : {"Progman", "Shell_SecondaryTrayWnd", "WorkerW"}) {
        w.title = cls;
        w.className = cls;
        w.pid = h.Start("C:\\Tools\\shell.exe").pid; // spared by its window's class alone
        h.os.AddWindow(w);
    }
    w.className = "IEFrame";
    w.pid = h.Start("C:\\Program Files\\Internet Explorer\\iexplore.exe").pid;
    h.os.AddWindow(w);
    h.Start("D:\\Games\\EXPLORER.EXE", "Explorer game");
    h.Start("C:\\Apps\\a.exe", "a");
    h.Start("C:\\Apps\\b.exe", "b");
    h.Start("C:\\WINDOWS\\system32\\csrss.exe");
    h.Start("C:\\Apps\\x.exe");
    h.Start("C:\\Apps\\y.exe");
    h.inventory.RefreshLists();
    h.log.SetDebugMode(true);
    h.run.KillAll(h.inventory.lvApplications());
    EXPECT_EQ(SetTitles(h), (std::vector<std::string>{"b", "a"}));
    h.run.KillAll(h.inventory.lvProcesses());
    h.run.KillAll(h.inventory.lvApplications()); // twice adds nothing new but traces again
    EXPECT_EQ(SetTitles(h), (std::vector<std::string>{"b", "a", "y.exe", "x.exe"}));
    EXPECT_EQ(h.DebugTexts(),
              (std::vector<std::string>{"This is NT", "Added app C:\\Apps\\b.exe to kill list",
                                        "Added app C:\\Apps\\a.exe to kill list", "This is NT",
                                        "Added app C:\\Apps\\y.exe to kill list", "Added app C:\\Apps\\x.exe to kill list",
                                        "This is NT", "Added app C:\\Apps\\b.exe to kill list",
                                        "Added app C:\\Apps\\a.exe to kill list"}));
    for (const cApplicationProcs& e : h.set.AppSet()) {
        EXPECT_EQ(e.CloseWait(), 7);
        EXPECT_FALSE(e.ForceClose());
        EXPECT_TRUE(e.StopOnError());
        EXPECT_FALSE(e.IgnoreTitle());
    }
    EXPECT_TRUE(h.set.SetChanged());
}

TEST(KillAll, FromNT6OnTakesOnlyTheUsersOwnProgramsOfThisSessionThatHostNoServiceAndAreNotCritical) {
    const struct {
        const char* name;
        OsVersionInfo version;
        bool ownerKnown, servicesKnown;
        std::vector<std::string> debug; // before the added programs
        std::vector<std::string> added;
    } cases[] = {
        {"Win10", fake::Win10(), true, true, {"This is NT"}, {"mine"}},
        {"Win7", fake::Win7(), true, true, {"This is NT"}, {"mine"}},
        {"own user unknown", fake::Win10(), false, true,
         {"This is NT", "Own user unknown: other users' programs are not told apart"},
         {"mine", "other-user", "other-session", "closed"}},
        {"services unknown", fake::Win10(), true, false, {"This is NT", "Service processes unknown"}, {"mine", "service"}},
        {"XP", fake::WinXP(), true, true, {"This is NT"},
         {"mine", "critical", "other-user", "other-session", "service", "closed"}},
        {"Win95", fake::Win95(), true, true, {"This is not NT"},
         {"mine", "critical", "other-user", "other-session", "service", "closed"}},
    };
    for (const auto& c : cases) {
        cRunHarness h(c.version);
        h.os.ownerKnown = c.ownerKnown;
        h.os.servicesKnown = c.servicesKnown;
        const auto start = [&](const char* name, auto change) {
            fake::FakeProcessSetup p;
            p.exePath = std::string("C:\\Apps\\") + name;
            change(p);
            h.os.AddProcess(p);
        };
        start("closed", [](fake::FakeProcessSetup& p) { p.canOpen = false; });
        start("service", [](fake::FakeProcessSetup& p) { p.service = true; });
        start("other-session", [](fake::FakeProcessSetup& p) { p.owner.sessionId = 2; });
        start("other-user", [](fake::FakeProcessSetup& p) { p.owner.userSid = "S-1-5-18"; });
        start("critical", [](fake::FakeProcessSetup& p) { p.critical = true; });
        start("mine", [](fake::FakeProcessSetup&) {});
        h.inventory.RefreshLists();
        h.log.SetDebugMode(true);
        h.run.KillAll(h.inventory.lvProcesses());
        std::vector<std::string> debug = c.debug;
        for (const std::string& name : c.added) debug.push_back("Added app C:\\Apps\\" + name + " to kill list");
        EXPECT_EQ(h.DebugTexts(), debug) << c.name;
        EXPECT_EQ(h.os.OpenHandleCount(), 0) << c.name;
    }
}

TEST(KillAll, TheRunClosesOnlyTheInstancesKillAllTookThoughOthersShareTheirPath) {
    cRunHarness h(fake::Win10());
    fake::FakeProcessSetup p;
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
    h.run.KillAll(h.inventory.lvProcesses());
    h.run.KillCurrentSet();
    EXPECT_EQ((std::vector<bool>{h.os.IsRunning(mine), h.os.IsRunning(theirs), h.os.IsRunning(ownHost),
                                 h.os.IsRunning(serviceHost)}),
              (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(h.run.FailedKills(), 0);
}

} // namespace
} // namespace qx
