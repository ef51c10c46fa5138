#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using fake::cRunHarness;
using fake::FakeProcessSetup;
using fake::FakeWindowSetup;

FakeProcessSetup P(const std::string& exe, const std::string& toolhelpName = {}) {
    FakeProcessSetup s;
    s.exePath = exe;
    s.toolhelpName = toolhelpName;
    return s;
}

FakeWindowSetup W(std::uint32_t pid, const std::string& title, bool visible = true,
                 const std::string& cls = "FakeWindowClass") {
    FakeWindowSetup w;
    w.pid = pid;
    w.title = title;
    w.className = cls;
    w.style = visible ? kWsVisible : 0;
    return w;
}

struct Row {
    std::string title, path, tag;
    bool operator==(const Row&) const = default;
};

std::vector<Row> Rows(const cListViewModel& list) {
    std::vector<Row> rows;
    for (const cListItem& i : list.Items()) rows.push_back({i.text, i.subItem, i.tag});
    return rows;
}

class Inventory : public ::testing::Test {
protected:
    cRunHarness h; // Windows 2000: the process-status path with full paths
};

TEST_F(Inventory, JoinsWindowsToProcessesByTheListingRules) {
    const auto editor = h.os.AddProcess(P("C:\\Apps\\editor.exe"));
    const auto daemon = h.os.AddProcess(P("C:\\Apps\\daemon.exe"));
    const auto untitled = h.os.AddProcess(P("C:\\Apps\\untitled.exe"));
    const auto mixed = h.os.AddProcess(P("C:\\Apps\\mixed.exe"));
    h.os.AddWindow(W(editor, "  Doc 1 - Editor  "));
    FakeWindowSetup owned = W(editor, "Find");
    owned.owner = 0x10010;
    h.os.AddWindow(owned);
    FakeWindowSetup child = W(editor, "Toolbar");
    child.parent = 0x10010;
    h.os.AddWindow(child);
    h.os.AddWindow(W(editor, "Doc 2 - Editor"));
    h.os.AddWindow(W(editor, "Ghost", true, "Afx:0x####:8"));   // placeholder class names are not programs
    h.os.AddWindow(W(editor, "Real", true, "Afx:0x###"));        // only the six characters count
    h.os.AddWindow(W(editor, "Real 2", true, "Afx:0X####"));     // and only in that letter case
    h.os.AddWindow(W(untitled, ""));                             // no title: not a window row
    const auto hidden1 = h.os.AddWindow(W(daemon, "tray 1", false));
    const auto hidden2 = h.os.AddWindow(W(daemon, "tray 2", false));
    h.os.AddWindow(W(mixed, "Mixed", true));
    h.os.AddWindow(W(mixed, "Mixed helper", false));

    h.inventory.RefreshLists();

    EXPECT_EQ(Rows(h.inventory.lvApplications()),
              (std::vector<Row>{{"Doc 1 - Editor", "C:\\Apps\\editor.exe", "0"},
                                {"Doc 2 - Editor", "C:\\Apps\\editor.exe", "1"},
                                {"Real", "C:\\Apps\\editor.exe", "2"},
                                {"Real 2", "C:\\Apps\\editor.exe", "3"},
                                {"Mixed", "C:\\Apps\\mixed.exe", "4"}}));
    EXPECT_EQ(Rows(h.inventory.lvProcesses()),
              (std::vector<Row>{{"daemon.exe", "C:\\Apps\\daemon.exe", "5"},
                                {"untitled.exe", "C:\\Apps\\untitled.exe", "6"}}));

    const auto& apps = h.inventory.mcApplications();
    ASSERT_EQ(apps.size(), 7u);
    EXPECT_EQ(apps[0].ProcessID(), editor);
    EXPECT_TRUE(apps[0].WinVisible());
    EXPECT_EQ(apps[5].ProcessID(), daemon);
    EXPECT_EQ(apps[5].Handle(), hidden2); // the last hidden window met
    EXPECT_NE(apps[5].Handle(), hidden1);
    EXPECT_FALSE(apps[5].WinVisible());
    EXPECT_EQ(apps[6].Handle(), 0u); // a titleless visible window is not a hidden window either

    // Hidden windows are recorded, skipped ones are not.
    EXPECT_EQ(h.inventory.mcWindows().size(), 8u);
    EXPECT_EQ(h.inventory.mcWindows()[0].Title(), "Doc 1 - Editor");
}

TEST_F(Inventory, EntriesCarryTheKillDefaultsAndTheirProcessCreationTime) {
    const std::uint64_t started = h.os.GetSystemTimeAsFileTime();
    const auto pid = h.os.AddProcess(P("C:\\a.exe"));
    h.os.AddWindow(W(pid, "A"));
    h.os.AddProcess(P("C:\\b.exe"));
    h.inventory.SetKillDefaults(cKillDefaults{25, false, true, false});
    h.os.Advance(5000);
    h.inventory.RefreshLists();
    ASSERT_EQ(h.inventory.mcApplications().size(), 2u);
    for (const cApplicationProcs& a : h.inventory.mcApplications()) {
        EXPECT_EQ(a.CloseWait(), 25);
        EXPECT_FALSE(a.ForceClose());
        EXPECT_TRUE(a.StopOnError());
        EXPECT_FALSE(a.IgnoreTitle());
        EXPECT_TRUE(a.Selected());
        EXPECT_FALSE(a.Deleted());
        EXPECT_EQ(a.CreationTime(), started);
    }
}

TEST_F(Inventory, OwnProcessAndItsWindowsAreNeverListed) {
    h.os.AddProcessWithId(h.os.GetCurrentProcessId(), P("C:\\Quellix\\Quellix.exe"));
    h.os.AddWindow(W(h.os.GetCurrentProcessId(), "Quellix"));
    const auto other = h.os.AddProcess(P("C:\\other.exe"));
    h.inventory.RefreshLists();
    ASSERT_EQ(h.inventory.mcProcesses().size(), 1u);
    EXPECT_EQ(h.inventory.mcProcesses()[0].ProcessID(), other);
    EXPECT_EQ(h.inventory.lvApplications().Count(), 0);
    EXPECT_EQ(h.inventory.lvProcesses().Count(), 1);
}

TEST_F(Inventory, ProcessThatCannotBeInspectedIsMissingWithItsWindows) {
    FakeProcessSetup locked = P("C:\\Windows\\protected.exe");
    locked.canInspect = false;
    const auto pid = h.os.AddProcess(locked);
    h.os.AddWindow(W(pid, "Protected"));
    h.os.AddProcess(P("C:\\open.exe"));
    h.inventory.RefreshLists();
    EXPECT_EQ(h.inventory.InProcList(pid), -1);
    EXPECT_EQ(h.inventory.lvApplications().Count(), 0);
    EXPECT_EQ(Rows(h.inventory.lvProcesses()), (std::vector<Row>{{"open.exe", "C:\\open.exe", "0"}}));
    EXPECT_EQ(h.os.OpenHandleCount(), 0);
}

TEST_F(Inventory, ProcessStatusPathGrowsItsBufferUntilEveryIdFits) {
    for (int i = 0; i < 200; ++i) h.os.AddProcess(P("C:\\Bulk\\p" + std::to_string(i) + ".exe"));
    h.log.SetDebugMode(true);
    EXPECT_EQ(h.inventory.FillProcessListNT(), 200);
    EXPECT_EQ(h.inventory.mcProcesses().size(), 200u);
    EXPECT_EQ(h.inventory.mcProcesses()[199].ExePath(), "C:\\Bulk\\p199.exe");
    EXPECT_EQ(h.DebugTexts(),
              (std::vector<std::string>{"Erase mcProcesses", "FillProcessListNT Done: processes = 200"}));
    EXPECT_EQ(h.os.OpenHandleCount(), 0);
}

TEST_F(Inventory, InProcListGivesTheFirstPositionAndForgetsOldSnapshots) {
    h.inventory.addProcess(5, "a");
    h.inventory.addProcess(7, "b");
    h.inventory.addProcess(5, "c");
    EXPECT_EQ(h.inventory.InProcList(5), 0);
    EXPECT_EQ(h.inventory.InProcList(7), 1);
    EXPECT_EQ(h.inventory.InProcList(9), -1);
    h.inventory.FillProcessList95();
    EXPECT_EQ(h.inventory.InProcList(5), -1);
}

TEST_F(Inventory, RefreshReplacesEverything) {
    const auto pid = h.os.AddProcess(P("C:\\a.exe"));
    h.os.AddWindow(W(pid, "A"));
    h.inventory.RefreshLists();
    h.os.EndProcess(pid);
    h.os.AddProcess(P("C:\\b.exe"));
    h.inventory.RefreshLists();
    EXPECT_EQ(h.inventory.lvApplications().Count(), 0);
    EXPECT_EQ(Rows(h.inventory.lvProcesses()), (std::vector<Row>{{"b.exe", "C:\\b.exe", "0"}}));
    EXPECT_TRUE(h.inventory.mcWindows().empty());
    EXPECT_EQ(h.inventory.mcProcesses().size(), 1u);
}

TEST(InventoryStripNull, CutsAtTheFirstNulTrimsBlanksAndWritesBack) {
    std::string s("  Title \0garbage  ", 18);
    EXPECT_EQ(cInventory::StripNull(s), "Title");
    EXPECT_EQ(s, "Title");
    std::string blanks = "   ";
    EXPECT_EQ(cInventory::StripNull(blanks), "");
    std::string tabs = "\tx\t";
    EXPECT_EQ(cInventory::StripNull(tabs), "\tx\t"); // blanks only
}

// Which process service each system uses, and the path form it yields.
struct PathCase {
    const char* name;
    OsVersionInfo version;
    bool toolhelp;
};
void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

class InventoryPath : public ::testing::TestWithParam<PathCase> {};

TEST_P(InventoryPath, ChoosesTheServiceBySystem) {
    cRunHarness h(GetParam().version);
    h.log.SetDebugMode(true);
    h.os.AddProcessWithId(h.os.GetCurrentProcessId(), P("C:\\Quellix\\Quellix.exe", "QUELLIX.EXE"));
    FakeProcessSetup locked = P("C:\\WINNT\\system32\\csrss.exe", "csrss.exe");
    locked.canInspect = false; // tool-help lists it anyway
    h.os.AddProcess(locked);
    const auto pid = h.os.AddProcess(P("C:\\Program Files\\Editor\\editor.exe", "editor.exe"));
    h.os.AddWindow(W(pid, "Editor"));
    h.inventory.RefreshLists();

    const auto& apps = h.inventory.mcApplications();
    if (GetParam().toolhelp) {
        ASSERT_EQ(apps.size(), 2u);
        EXPECT_EQ(apps[0].ExePath(), "editor.exe");
        EXPECT_EQ(apps[1].ExePath(), "csrss.exe");
        EXPECT_EQ(h.DebugTexts(), (std::vector<std::string>{"FillProcessList95", "PopulateListviews"}));
    } else {
        ASSERT_EQ(apps.size(), 1u);
        EXPECT_EQ(apps[0].ExePath(), "C:\\Program Files\\Editor\\editor.exe");
        EXPECT_EQ(h.DebugTexts(), (std::vector<std::string>{"Erase mcProcesses", "FillProcessListNT Done: processes = 1",
                                                            "PopulateListviews"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Systems, InventoryPath,
                         ::testing::Values(PathCase{"Win95", fake::Win95(), true},
                                           PathCase{"Win98", fake::Win98(), true},
                                           PathCase{"NT351", fake::WinNT351(), true},
                                           PathCase{"NT4", fake::WinNT4(), false},
                                           PathCase{"Win2000", fake::Win2000(), false},
                                           PathCase{"XP", fake::WinXP(), false},
                                           PathCase{"Win7", fake::Win7(), false},
                                           PathCase{"Win10", fake::Win10(), false}),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace qx
