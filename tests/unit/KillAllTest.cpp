// Kill-all: every listed program goes into the set except the shell, the
// system's own processes and, from NT 6 on, what is not the user's own.
#include "core/engine/mQXEndPrograms.h"
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qx {
namespace {

using fake::cRunHarness;

TEST(KillAll, SparesTheSystemsOwnProcessesByNameOnEachSystem) {
    const std::vector<OsVersionInfo> systems = {
        fake::Win95(),   fake::Win9x(10, 1998), fake::WinNT(3, 51, 1057), fake::WinNT(4, 0, 1381),
        fake::Win2000(), fake::WinXP(),         fake::WinNT(6, 1, 7601),  fake::Win10()};
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
    const std::string nt = "This is NT", noOwner = "Own user unknown: other users' programs are not told apart";
    const std::string all = "mine mine critical other-user other-session service closed";
    const struct {
        const char* name;
        OsVersionInfo version;
        bool ownerKnown, servicesKnown;
        std::vector<std::string> debug; // before the programs added from each list
        std::string added;              // from the processes' list
        bool sparesOthers;              // another user's programs, also under the same path as one taken
    } cases[] = {
        {"Win10", fake::Win10(), true, true, {nt}, "mine", true},
        {"Win7", fake::WinNT(6, 1, 7601), true, true, {nt}, "mine", true},
        {"no owner", fake::Win10(), false, true, {nt, noOwner}, "mine mine other-user other-session closed", false},
        {"services unknown", fake::Win10(), true, false, {nt, "Service processes unknown"}, "mine service", true},
        {"XP", fake::WinXP(), true, true, {nt}, all, false},
        {"Win95", fake::Win95(), true, true, {"This is not NT"}, all, false},
    };
    for (const auto& c : cases) {
        cRunHarness h(c.version);
        h.os.ownerKnown = c.ownerKnown;
        h.os.servicesKnown = c.servicesKnown;
        h.inventory.SetKillDefaults(cKillDefaults{7, false, false, false});
        for (const char* cls : {"Progman", "IEFrame", "Shell_SecondaryTrayWnd", "WorkerW"})
            h.os.AddWindow({.pid = h.Start(std::string("C:\\Tools\\") + cls).pid, .title = cls, .className = cls});
        h.Start("C:\\WINDOWS\\Explorer.EXE", "My Documents");
        h.Start("D:\\Games\\EXPLORER.EXE", "Explorer game");
        h.Start("C:\\Apps\\a", "a");
        h.Start("C:\\Apps\\b", "b");
        const ProcessOwner other = {"S-1-5-18", 1};
        h.os.AddProcess({.exePath = "C:\\Apps\\closed", .canOpen = false});
        h.os.AddProcess({.exePath = "C:\\Apps\\service", .service = true});
        h.os.AddProcess({.exePath = "C:\\Apps\\other-session", .owner = {fake::kFakeUserSid, 2}});
        const auto theirs = h.os.AddProcess({.exePath = "C:\\Apps\\other-user", .owner = other});
        h.os.AddProcess({.exePath = "C:\\Apps\\critical", .critical = true});
        const auto mine = h.os.AddProcess({.exePath = "C:\\Apps\\mine"});
        const auto theirMine = h.os.AddProcess({.exePath = "C:\\Apps\\mine", .owner = other});
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
            std::istringstream names(c.added);
            for (std::string name; names >> name;)
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
