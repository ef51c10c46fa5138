// What is running: the process snapshot joined with the top-level windows
// into the Applications and Processes lists.
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using fake::cRunHarness;

std::vector<std::string> Rows(const cListViewModel& list) {
    std::vector<std::string> rows;
    for (const cListItem& i : list.Items())
        rows.push_back(i.text + "|" + i.subItem + "|" + i.tag);
    return rows;
}

TEST(Inventory, JoinsWindowsToProcessesByTheListingRules) {
    cRunHarness h; // Windows 2000: the process-status path with full paths
    const std::uint64_t started = h.os.GetSystemTimeAsFileTime();
    const auto editor = h.Start("C:\\Apps\\editor.exe", "  Doc 1 - Editor  ");
    const auto add = [&h](fake::FakeWindowSetup w) { return h.os.AddWindow(w); };
    std::uint32_t pid = editor.pid;
    add({.pid = pid, .title = "Find", .owner = editor.window});     // owned: not a program
    add({.pid = pid, .title = "Toolbar", .parent = editor.window}); // a child
    add({.pid = pid, .title = std::string("Doc 2\0garbage", 13)});
    add({.pid = pid, .title = "Ghost", .className = "Afx:0x####:8"}); // placeholder class names are not programs
    add({.pid = pid, .title = "Real", .className = "Afx:0x###"});
    add({.pid = h.Start("C:\\Apps\\untitled.exe").pid, .title = "   "}); // no title: not a window row
    pid = h.Start("C:\\Apps\\daemon.exe").pid;
    add({.pid = pid, .title = "tray 1", .style = 0});
    const WindowHandle tray2 = add({.pid = pid, .title = "tray 2", .style = 0});
    add({.pid = h.Start("C:\\Apps\\mixed.exe", "Mixed").pid, .title = "Mixed helper", .style = 0});
    const fake::FakeProcessSetup locked{.exePath = "C:\\Windows\\protected.exe", .canInspect = false};
    add({.pid = h.os.AddProcess(locked), .title = "Protected"});
    h.os.AddProcessWithId(h.os.GetCurrentProcessId(), locked);
    add({.pid = h.os.GetCurrentProcessId(), .title = "Quellix"});
    h.inventory.SetKillDefaults(cKillDefaults{25, false, true, false});
    h.os.Advance(5000);
    h.inventory.RefreshLists();

    EXPECT_EQ(Rows(h.inventory.lvApplications()),
              (std::vector<std::string>{"Doc 1 - Editor|C:\\Apps\\editor.exe|0", "Doc 2|C:\\Apps\\editor.exe|1",
                                        "Real|C:\\Apps\\editor.exe|2", "Mixed|C:\\Apps\\mixed.exe|3"}));
    EXPECT_EQ(Rows(h.inventory.lvProcesses()),
              (std::vector<std::string>{"untitled.exe|C:\\Apps\\untitled.exe|4", "daemon.exe|C:\\Apps\\daemon.exe|5"}));
    std::vector<std::string> apps;
    for (const cApplicationProcs& a : h.inventory.mcApplications()) {
        EXPECT_TRUE(a.CloseWait() == 25 && !a.ForceClose() && a.StopOnError() && !a.IgnoreTitle() && a.Selected() &&
                    a.CreationTime() == started);
        apps.push_back(a.Title() + (a.WinVisible() ? "+" : "-") + std::to_string(a.Handle() == tray2) +
                       std::to_string(a.ProcessID() == editor.pid));
    }
    EXPECT_EQ(apps, (std::vector<std::string>{"Doc 1 - Editor+01", "Doc 2+01", "Real+01", "Mixed+00", "untitled.exe-00",
                                              "daemon.exe-10"}));
    EXPECT_EQ(h.inventory.mcWindows().size(), 7u); // hidden windows count, skipped ones do not
    EXPECT_EQ(h.os.OpenHandleCount(), 0);

    h.os.EndProcess(editor.pid); // a refresh replaces everything
    h.inventory.RefreshLists();
    EXPECT_EQ(Rows(h.inventory.lvApplications()), std::vector<std::string>{"Mixed|C:\\Apps\\mixed.exe|0"});
    EXPECT_EQ(h.inventory.mcWindows().size(), 4u);
}

// Tool-help lists what it cannot open too; the process-status path, from NT 4
// on, grows its buffer until every id fits.
TEST(Inventory, ChoosesTheProcessServiceBySystem) {
    const std::vector<std::string> toolhelp{"FillProcessList95", "PopulateListviews"};
    const std::vector<std::string> status{"Erase mcProcesses", "FillProcessListNT Done: processes = 201",
                                          "PopulateListviews"};
    const struct {
        OsVersionInfo version;
        std::int16_t processes;
        std::vector<std::string> debug;
    } cases[] = {{fake::Win95(), 201, toolhelp},
                 {fake::WinNT(3, 51, 1057), 201, toolhelp},
                 {fake::WinNT(4, 0, 1381), 200, status},
                 {fake::Win10(), 200, status}};
    for (const auto& c : cases) {
        cRunHarness h(c.version);
        h.os.AddProcessWithId(h.os.GetCurrentProcessId(), {.exePath = "C:\\Quellix\\Quellix.exe"});
        h.os.AddProcess({.exePath = "C:\\WINNT\\system32\\csrss.exe", .canInspect = false});
        for (int i = 0; i < 200; ++i)
            h.Start("C:\\Bulk\\p" + std::to_string(i) + ".exe");
        h.Start("C:\\Apps\\editor.exe", "Editor");
        h.log.SetDebugMode(true);
        h.inventory.RefreshLists();
        EXPECT_EQ(h.inventory.lvProcesses().Count(), c.processes) << c.version.majorVersion;
        EXPECT_EQ(Rows(h.inventory.lvApplications()), std::vector<std::string>{"Editor|C:\\Apps\\editor.exe|0"});
        EXPECT_EQ(h.DebugTexts(), c.debug) << c.version.majorVersion;
    }
}

} // namespace
} // namespace qx
