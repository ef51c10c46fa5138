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

// Every kind of row in one run, up to the one whose first failure halts it.
TEST(KillRun, ClosesCheckedRowsInOrderEachAfterEveryMatchOfTheOneBeforeUntilAFailureHalts) {
    cRunHarness h;
    h.Start("C:\\Apps\\a.exe", "A", CloseReaction::ExitProcess, 150);
    const auto slow = h.Start("C:\\Apps\\a.exe", "A", CloseReaction::ExitProcess, 700);
    const auto b = h.Start("C:\\Apps\\b.exe", "B");
    h.os.AddWindow({.pid = h.Start("C:\\Apps\\doc.exe", "Doc 1").pid, .title = "Doc 2"});
    h.Start("C:\\Apps\\c.exe", "C");
    const auto first = h.Start("C:\\Apps\\s.exe", "S", CloseReaction::ExitProcess, 700);
    const auto stubborn = h.Start("C:\\Apps\\s.exe", "S", CloseReaction::Ignore);
    const auto never = h.Start("C:\\Apps\\s.exe", "S");
    const auto later = h.Start("C:\\Apps\\d.exe", "D");
    h.Start("C:\\Apps\\h.exe");
    const auto reused = h.Start("C:\\Apps\\r.exe");
    h.inventory.RefreshLists();
    h.os.EndProcess(reused.pid); // its id goes to a new instance of the same program
    h.os.Advance(1000);
    h.os.AddProcessWithId(reused.pid, {.exePath = "C:\\Apps\\r.exe"});

    h.AddRow("C:\\Apps\\a.exe", "A");
    h.AddRow("C:\\Apps\\b.exe", "B");
    h.AddRow("C:\\Apps\\gone.exe", "Gone").SetStopOnError(true); // not running is no failure
    h.AddRow("C:\\Apps\\doc.exe", "Doc 1");                      // both windows: the second finds it gone
    h.AddRow("C:\\Apps\\b.exe", "B");                            // gone the second time
    h.AddRow("C:\\Apps\\h.exe", "H", true);                      // was a window when the set was made
    h.AddRow("C:\\APPS\\C.EXE", "C");                            // letter case counts
    h.AddRow("C:\\Apps\\c.exe", "C");
    h.set.lvProgramSet().Item(8)->checked = false;
    h.AddRow("C:\\Apps\\r.exe", "r.exe", false);
    cApplicationProcs& halting = h.AddRow("C:\\Apps\\s.exe", "S");
    halting.SetStopOnError(true); // its matches close one after another
    halting.SetForceClose(false);
    halting.SetCloseWait(0);
    h.AddRow("C:\\Apps\\d.exe", "D");
    h.log.SetDebugMode(true);
    h.ui.SetCaption("Quellix - office");
    h.run.KillCurrentSet();

    const std::string gone = " couldn't be killed.  It wasn't running.\n", s = "Debug: KillMe 'S'\n";
    EXPECT_EQ(h.RunLog(), "Debug: KillMe 'A'\n'A' was killed cleanly.\nDebug: KillMe 'A'\n'A' was killed cleanly.\n"
                          "Debug: KillMe 'B'\n'B' was killed cleanly.\n'Gone'" +
                              gone +
                              "Debug: KillMe 'Doc 1'\n'Doc 1' was killed cleanly.\nDebug: KillMe 'Doc 1'\n'Doc 1'" +
                              gone + "Debug: KillMe 'B'\n'B'" + gone + "'H'" + gone + "'C'" + gone +
                              "Debug: KillMe 'r.exe'\n'r.exe'" + gone + s + "'S' was killed cleanly.\n" + s +
                              "'S' didn't close after waiting  0 seconds.\n"
                              "Stopped killing any other programs.\n");
    EXPECT_GE(FirstAsked(h, b.window), FirstAsked(h, slow.window) + 700);
    EXPECT_GE(FirstAsked(h, stubborn.window), FirstAsked(h, first.window) + 700);
    EXPECT_EQ(FirstAsked(h, never.window) + FirstAsked(h, later.window), 0u);
    EXPECT_EQ(h.set.AppSet()[0].ProcessID(), slow.pid); // the entry keeps what it matched last
    EXPECT_EQ(h.set.AppSet()[0].Handle(), slow.window);
    EXPECT_EQ(h.set.AppSet()[9].ProcessID(), stubborn.pid); // and a halting row the one it failed on
    EXPECT_EQ(h.ui.GetCaption(), "Quellix - office");
    EXPECT_GT(h.os.dispatchCalls, 0); // the window stays responsive during the pauses
    EXPECT_EQ(h.ferrow, std::vector<std::uint32_t>{1434});
    EXPECT_EQ(h.run.FailedKills(), 1);
    EXPECT_TRUE(h.run.Halted());
    h.set.lvProgramSet().Clear(); // the next run starts its account afresh
    h.run.KillCurrentSet();
    EXPECT_EQ(h.run.FailedKills(), 0);
    EXPECT_FALSE(h.run.Halted());
}

} // namespace
} // namespace qx
