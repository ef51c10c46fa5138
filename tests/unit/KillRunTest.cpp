// Running the current set: rows in list order, each over every running
// program it matches, with the account of failures and halts.
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using fake::CloseReaction;
using fake::cRunHarness;

std::uint32_t FirstAsked(const cRunHarness& h, WindowHandle w) {
    for (const fake::FakeMessage& m : h.os.posts)
        if (m.window == w) return m.tick;
    return 0;
}

std::vector<std::string> ApplicationTitles(const cRunHarness& h) {
    std::vector<std::string> titles;
    for (const cListItem& i : h.inventory.lvApplications().Items()) titles.push_back(i.text);
    return titles;
}

TEST(KillRun, ClosesCheckedRowsInOrderEachAfterEveryMatchOfTheOneBefore) {
    cRunHarness h;
    h.Start("C:\\Apps\\a.exe", "A", CloseReaction::ExitProcess, 150);
    const auto slow = h.Start("C:\\Apps\\a.exe", "A", CloseReaction::ExitProcess, 700);
    const auto b = h.Start("C:\\Apps\\b.exe", "B");
    fake::FakeWindowSetup second;
    second.pid = h.Start("C:\\Apps\\doc.exe", "Doc 1").pid;
    second.title = "Doc 2";
    h.os.AddWindow(second);
    const auto c = h.Start("C:\\Apps\\c.exe", "C");
    const auto windowless = h.Start("C:\\Apps\\h.exe");
    const auto reused = h.Start("C:\\Apps\\r.exe");
    h.inventory.RefreshLists();
    h.os.EndProcess(reused.pid); // its id goes to a new instance of the same program
    h.os.Advance(1000);
    fake::FakeProcessSetup again;
    again.exePath = "C:\\Apps\\r.exe";
    h.os.AddProcessWithId(reused.pid, again);

    h.AddRow("C:\\Apps\\a.exe", "A");
    h.AddRow("C:\\Apps\\b.exe", "B");
    h.AddRow("C:\\Apps\\gone.exe", "Gone").SetStopOnError(true); // not running is no failure
    h.AddRow("C:\\Apps\\doc.exe", "Doc 1");  // both windows: the second finds the program gone
    h.AddRow("C:\\Apps\\b.exe", "B");        // gone the second time
    h.AddRow("C:\\Apps\\h.exe", "H", true);  // was a window when the set was made
    h.AddRow("C:\\APPS\\C.EXE", "C");        // letter case counts
    h.AddRow("C:\\Apps\\c.exe", "C");
    h.set.lvProgramSet().Item(8)->checked = false;
    h.AddRow("C:\\Apps\\r.exe", "r.exe", false);
    h.log.SetDebugMode(true);
    h.ui.SetCaption("Quellix - office");
    h.run.KillCurrentSet();

    const std::string gone = " couldn't be killed.  It wasn't running.";
    EXPECT_EQ(h.EntryTexts(),
              (std::vector<std::string>{"Debug: Begin KillCurrentSet", "Debug: KillMe 'A'", "'A' was killed cleanly.",
                                        "Debug: KillMe 'A'", "'A' was killed cleanly.", "Debug: KillMe 'B'",
                                        "'B' was killed cleanly.", "'Gone'" + gone, "Debug: KillMe 'Doc 1'",
                                        "'Doc 1' was killed cleanly.", "Debug: KillMe 'Doc 1'", "'Doc 1'" + gone,
                                        "Debug: KillMe 'B'", "'B'" + gone, "'H'" + gone, "'C'" + gone,
                                        "Debug: KillMe 'r.exe'", "'r.exe'" + gone, "Debug: Erase mcProcesses",
                                        "Debug: FillProcessListNT Done: processes = 3", "Debug: PopulateListviews"}));
    EXPECT_GE(FirstAsked(h, b.window), FirstAsked(h, slow.window) + 700);
    for (const auto pid : {c.pid, windowless.pid, reused.pid}) EXPECT_TRUE(h.os.IsRunning(pid)) << pid;
    EXPECT_EQ(h.set.AppSet()[0].ProcessID(), slow.pid); // the entry keeps what it matched last
    EXPECT_EQ(h.set.AppSet()[0].Handle(), slow.window);
    EXPECT_EQ(ApplicationTitles(h), std::vector<std::string>{"C"});
    EXPECT_EQ(h.ui.GetCaption(), "Quellix - office");
    EXPECT_EQ(h.ferrow, std::vector<std::uint32_t>{});
    EXPECT_EQ(h.run.FailedKills(), 0);
    EXPECT_FALSE(h.run.Halted());
}

TEST(KillRun, WithStopOnErrorTheMatchesCloseOneAfterAnotherAndTheFirstFailureHalts) {
    cRunHarness h;
    const auto first = h.Start("C:\\Apps\\a.exe", "A", CloseReaction::ExitProcess, 700);
    const auto stubborn = h.Start("C:\\Apps\\a.exe", "A", CloseReaction::Ignore);
    const auto never = h.Start("C:\\Apps\\a.exe", "A");
    const auto later = h.Start("C:\\Apps\\b.exe", "B");
    h.inventory.RefreshLists();
    cApplicationProcs& row = h.AddRow("C:\\Apps\\a.exe", "A");
    row.SetStopOnError(true);
    row.SetForceClose(false);
    row.SetCloseWait(0);
    h.AddRow("C:\\Apps\\b.exe", "B");
    h.run.KillCurrentSet();
    EXPECT_GE(FirstAsked(h, stubborn.window), FirstAsked(h, first.window) + 700);
    EXPECT_EQ(FirstAsked(h, never.window) + FirstAsked(h, later.window), 0u);
    EXPECT_EQ(h.ActionTexts(), (std::vector<std::string>{"'A' was killed cleanly.",
                                                         "'A' didn't close after waiting  0 seconds.",
                                                         "Stopped killing any other programs."}));
    EXPECT_EQ(h.ferrow, std::vector<std::uint32_t>{1434});
    EXPECT_EQ(ApplicationTitles(h), (std::vector<std::string>{"A", "A", "B"}));
    EXPECT_EQ(h.run.FailedKills(), 1);
    EXPECT_TRUE(h.run.Halted());
    h.set.lvProgramSet().Clear(); // the next run starts its account afresh
    h.run.KillCurrentSet();
    EXPECT_EQ(h.run.FailedKills(), 0);
    EXPECT_FALSE(h.run.Halted());
}

TEST(KillRun, StopsAtARowWhoseTagNamesNoEntryAndEndsAfterTheLastOfAFullSet) {
    cRunHarness h;
    h.AddRow("C:\\Apps\\gone.exe", "Gone");
    h.AddRow("C:\\Apps\\gone.exe", "Gone");
    h.set.lvProgramSet().Item(1)->tag = "7";
    h.run.KillCurrentSet();
    EXPECT_TRUE(h.ActionTexts().empty());
    EXPECT_TRUE(h.run.Halted());

    cRunHarness full;
    for (int i = 0; i < cKillSet::kMaxEntries; ++i) full.AddRow("C:\\Apps\\gone.exe", "Gone");
    for (int i = 1; i < cKillSet::kMaxEntries; ++i) full.set.lvProgramSet().Item(static_cast<std::int16_t>(i))->checked = false;
    full.set.AppSet().back().SetTitle("Last");
    full.run.KillCurrentSet();
    EXPECT_EQ(full.ActionTexts(), std::vector<std::string>{"'Last' couldn't be killed.  It wasn't running."});
    EXPECT_FALSE(full.run.Halted());
}

} // namespace
} // namespace qx
