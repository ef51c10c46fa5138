// Kill-all: every listed program goes into the set except the shell, the
// system's own processes and, from NT 6 on, what is not the user's own.
#include "core/engine/mQXEndPrograms.h"
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using fake::cRunHarness;

TEST(KillAll, SparesTheSystemsOwnProcessesByNameOnEachSystem) {
    const std::vector<OsVersionInfo> systems = {fake::Win95(),   fake::Win98(), fake::WinNT351(), fake::WinNT4(),
                                                fake::Win2000(), fake::WinXP(), fake::Win7(),     fake::Win10()};
    // spared on Win95, 98, NT 3.51, 4, 2000, XP, 7, 10
    const std::vector<std::pair<std::string, std::string>> names = {
        {"Explorer.EXE", "11111111"},  {"MPREXE.EXE", "11000000"},    {"MMTASK.TSK", "01000000"},
        {"mstask.exe", "01001111"},    {"[System]", "00111111"},      {"rpcss.exe", "00110000"},
        {"svchost.exe", "00001111"},   {"Secure System", "00000011"}, {"explorer", "00000000"},
        {"C:\\x\\dwm.exe", "00000000"}};
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

// Each list from its last row to its first; the run that follows closes
// only what kill-all took, not what it spared under the same path.
TEST(KillAll, SparesTheShellAndFromNT6OnWhatIsNotTheUsersOwnProgramOfThisSession) {
    const struct {
        const char* name;
        OsVersionInfo version;
        bool ownerKnown, servicesKnown;
        std::vector<std::string> debug; // before the programs added from each list
        std::vector<std::string> added; // from the processes' list
        bool sparesOthers;              // another user's programs, also under the same path as one taken
    } cases[] = {
        {"Win10", fake::Win10(), true, true, {"This is NT"}, {"mine"}, true},
        {"Win7", fake::Win7(), true, true, {"This is NT"}, {"mine"}, true},
        {"own user unknown",
         fake::Win10(),
         false,
         true,
         {"This is NT", "Own user unknown: other users' programs are not told apart"},
         {"mine", "mine", "other-user", "other-session", "closed"},
         false},
        {"services unknown",
         fake::Win10(),
         true,
         false,
         {"This is NT", "Service processes unknown"},
         {"mine", "service"},
         true},
        {"XP",
         fake::WinXP(),
         true,
         true,
         {"This is NT"},
         {"mine", "mine", "critical", "other-user", "other-session", "service", "closed"},
         false},
        {"Win95",
         fake::Win95(),
         true,
         true,
         {"This is not NT"},
         {"mine", "mine", "critical", "other-user", "other-session", "service", "closed"},
         false},
    };
    for (const auto& c : cases) {
        cRunHarness h(c.version);
        h.os.ownerKnown = c.ownerKnown;
        h.os.servicesKnown = c.servicesKnown;
        h.inventory.SetKillDefaults(cKillDefaults{7, false, false, false});
        fake::FakeWindowSetup w;
        for (const char* cls : {"Progman", "IEFrame", "Shell_SecondaryTrayWnd", "WorkerW"}) {
            w.pid = h.Start(std::string("C:\\Tools\\") + cls).pid;
            w.title = w.className = cls;
            h.os.AddWindow(w);
        }
        h.Start("C:\\WINDOWS\\Explorer.EXE", "My Documents");
        h.Start("D:\\Games\\EXPLORER.EXE", "Explorer game");
        h.Start("C:\\Apps\\a", "a");
        h.Start("C:\\Apps\\b", "b");
        const auto start = [&](const char* name, auto change) {
            fake::FakeProcessSetup p;
            p.exePath = std::string("C:\\Apps\\") + name;
            change(p);
            return h.os.AddProcess(p);
        };
        start("closed", [](fake::FakeProcessSetup& p) { p.canOpen = false; });
        start("service", [](fake::FakeProcessSetup& p) { p.service = true; });
        start("other-session", [](fake::FakeProcessSetup& p) { p.owner.sessionId = 2; });
        const auto theirs = start("other-user", [](fake::FakeProcessSetup& p) { p.owner.userSid = "S-1-5-18"; });
        start("critical", [](fake::FakeProcessSetup& p) { p.critical = true; });
        const auto mine = start("mine", [](fake::FakeProcessSetup&) {});
        const auto theirMine = start("mine", [](fake::FakeProcessSetup& p) { p.owner.userSid = "S-1-5-18"; });
        h.inventory.RefreshLists();
        h.log.SetDebugMode(true);
        h.run.KillAll(h.inventory.lvApplications());
        h.run.KillAll(h.inventory.lvProcesses());
        h.run.KillAll(h.inventory.lvProcesses()); // adds nothing new, but looks again
        std::vector<std::string> debug = c.debug;
        for (const char* name : {"b", "a"})
            debug.push_back("Added app C:\\Apps\\" + std::string(name) + " to kill list");
        for (int pass = 0; pass < 2; ++pass) {
            debug.insert(debug.end(), c.debug.begin(), c.debug.end());
            for (const std::string& name : c.added)
                debug.push_back("Added app C:\\Apps\\" + name + " to kill list");
        }
        EXPECT_EQ(h.DebugTexts(), debug) << c.name;
        EXPECT_EQ(h.os.OpenHandleCount(), 0) << c.name;
        for (const cApplicationProcs& e : h.set.AppSet())
            EXPECT_EQ(e.CloseWait(), 7) << c.name;
        h.run.KillCurrentSet();
        EXPECT_EQ((std::vector<bool>{h.os.IsRunning(mine), h.os.IsRunning(theirMine), h.os.IsRunning(theirs)}),
                  (std::vector<bool>{false, c.sparesOthers, c.sparesOthers}))
            << c.name;
    }
}

} // namespace
} // namespace qx
