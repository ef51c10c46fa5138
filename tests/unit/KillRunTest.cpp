#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

#include <climits>

namespace qx {
namespace {

using fake::CloseReaction;
using fake::cRunHarness;
using fake::FakeProcessSetup;
using fake::FakeWindowSetup;

constexpr std::uint32_t kHalted = 1434;
constexpr std::uint32_t kFailed = 1435;

class KillRun : public ::testing::Test {
protected:
    struct Program {
        std::uint32_t pid;
        WindowHandle window;
    };

    Program Start(const std::string& exe, const std::string& title, CloseReaction onClose = CloseReaction::ExitProcess,
                  bool visible = true) {
        FakeProcessSetup p;
        p.exePath = exe;
        const std::uint32_t pid = h.os.AddProcess(p);
        FakeWindowSetup w;
        w.pid = pid;
        w.title = title;
        w.style = visible ? kWsVisible : 0;
        w.onClose = onClose;
        w.onEndSession = onClose;
        return {pid, h.os.AddWindow(w)};
    }

    // Puts the program behind the Applications row with this title into the set.
    cApplicationProcs& AddApplication(const std::string& title, bool checkDuplicates = true) {
        const cListViewModel& list = h.inventory.lvApplications();
        for (std::int16_t row = list.Count(); row >= 1; --row) {
            if (list.Item(row)->text != title) continue;
            EXPECT_TRUE(h.set.AddToProgramSet(*cKillSet::GetListApp(list, row, h.inventory.mcApplications()),
                                              checkDuplicates));
            return h.set.AppSet().back();
        }
        ADD_FAILURE() << "no row " << title;
        return h.set.AppSet().front();
    }

    cApplicationProcs& AddEntry(const std::string& exe, const std::string& title, bool visible = true) {
        cApplicationProcs e;
        e.SetExePath(exe);
        e.SetTitle(title);
        e.SetWinVisible(visible);
        EXPECT_TRUE(h.set.AddToProgramSet(e, false));
        return h.set.AppSet().back();
    }

    std::vector<std::string> ApplicationTitles() const {
        std::vector<std::string> titles;
        for (const cListItem& i : h.inventory.lvApplications().Items()) titles.push_back(i.text);
        return titles;
    }

    cRunHarness h;
};

TEST_F(KillRun, UncheckedRowsAreLeftAloneAndOnlyTheRefreshHappens) {
    const Program a = Start("C:\\Apps\\a.exe", "A");
    h.inventory.RefreshLists();
    AddApplication("A");
    h.set.lvProgramSet().Item(1)->checked = false;
    h.log.SetDebugMode(true);
    h.run.KillCurrentSet();
    EXPECT_TRUE(h.os.IsRunning(a.pid));
    EXPECT_TRUE(h.ActionTexts().empty());
    EXPECT_TRUE(h.ferrow.empty());
    EXPECT_EQ(h.DebugTexts(), (std::vector<std::string>{"Begin KillCurrentSet", "Erase mcProcesses",
                                                        "FillProcessListNT Done: processes = 1", "PopulateListviews"}));
}

TEST_F(KillRun, KillsCheckedRowsInListOrderAndRecordsWhatItMatched) {
    const Program a = Start("C:\\Apps\\a.exe", "A");
    const Program b = Start("C:\\Apps\\b.exe", "B");
    h.inventory.RefreshLists();
    AddApplication("A");
    AddApplication("B");
    ASSERT_TRUE(h.set.lvProgramSet().Move(2, 1)); // B is closed first
    h.run.KillCurrentSet();
    EXPECT_FALSE(h.os.IsRunning(a.pid));
    EXPECT_FALSE(h.os.IsRunning(b.pid));
    EXPECT_EQ(h.ActionTexts(), (std::vector<std::string>{"'B' was killed cleanly.", "'A' was killed cleanly."}));
    EXPECT_EQ(h.set.AppSet()[0].ProcessID(), a.pid);
    EXPECT_EQ(h.set.AppSet()[0].Handle(), a.window);
    EXPECT_EQ(h.ui.GetCaption(), "Quellix"); // restored after "Attempting to kill ..."
    EXPECT_NE(std::find(h.ui.captions.begin(), h.ui.captions.end(), "Attempting to kill B"), h.ui.captions.end());
    EXPECT_TRUE(h.inventory.mcApplications().empty()); // refreshed at the end
    EXPECT_TRUE(h.ferrow.empty());
    EXPECT_EQ(h.run.FailedKills(), 0);
    EXPECT_FALSE(h.run.Halted());
}

TEST_F(KillRun, ProgramNotRunningIsReportedWithoutMessageOrHalt) {
    const Program b = Start("C:\\Apps\\b.exe", "B");
    h.inventory.RefreshLists();
    AddEntry("C:\\Apps\\gone.exe", "Gone").SetStopOnError(true);
    AddApplication("B");
    h.run.KillCurrentSet();
    EXPECT_EQ(h.ActionTexts(), (std::vector<std::string>{"'Gone' couldn't be killed.  It wasn't running.",
                                                         "'B' was killed cleanly."}));
    EXPECT_TRUE(h.ferrow.empty());
    EXPECT_FALSE(h.os.IsRunning(b.pid));
    EXPECT_EQ(h.run.FailedKills(), 0); // not running is not a failure
    EXPECT_FALSE(h.run.Halted());
}

TEST_F(KillRun, EmptyInventoryReportsEveryCheckedRowAndStillRefreshes) {
    AddEntry("C:\\Apps\\a.exe", "A");
    AddEntry("C:\\Apps\\b.exe", "B");
    AddEntry("C:\\Apps\\c.exe", "C");
    h.set.lvProgramSet().Item(2)->checked = false;
    const Program late = Start("C:\\Apps\\a.exe", "A"); // started after the (empty) snapshot
    h.run.KillCurrentSet();
    EXPECT_EQ(h.ActionTexts(), (std::vector<std::string>{"'A' couldn't be killed.  It wasn't running.",
                                                         "'C' couldn't be killed.  It wasn't running."}));
    EXPECT_TRUE(h.os.IsRunning(late.pid));
    EXPECT_EQ(ApplicationTitles(), (std::vector<std::string>{"A"}));
}

TEST_F(KillRun, SecondWindowOfAKilledProcessFindsItGoneWhichIsNoFailure) {
    const Program a = Start("C:\\Apps\\a.exe", "Doc 1");
    FakeWindowSetup second;
    second.pid = a.pid;
    second.title = "Doc 2";
    h.os.AddWindow(second);
    h.inventory.RefreshLists();
    AddApplication("Doc 1"); // IgnoreTitle by default: both windows match
    h.run.KillCurrentSet();
    EXPECT_EQ(h.ActionTexts(),
              (std::vector<std::string>{"'Doc 1' was killed cleanly.", "'Doc 1' couldn't be killed.  It wasn't running."}));
    EXPECT_TRUE(h.ferrow.empty());
    EXPECT_EQ(h.run.FailedKills(), 0);
    EXPECT_FALSE(h.run.Halted());
}

TEST_F(KillRun, HaltOnRowKLeavesLaterRowsUntouchedAndRefreshes) {
    const Program a = Start("C:\\Apps\\a.exe", "A");
    const Program b = Start("C:\\Apps\\b.exe", "B", CloseReaction::Ignore);
    const Program c = Start("C:\\Apps\\c.exe", "C");
    h.inventory.RefreshLists();
    AddApplication("A");
    cApplicationProcs& stubborn = AddApplication("B");
    stubborn.SetStopOnError(true);
    stubborn.SetForceClose(false);
    stubborn.SetCloseWait(0);
    AddApplication("C");
    h.run.KillCurrentSet();
    EXPECT_FALSE(h.os.IsRunning(a.pid));
    EXPECT_TRUE(h.os.IsRunning(b.pid));
    EXPECT_TRUE(h.os.IsRunning(c.pid));
    EXPECT_TRUE(h.os.MessagesTo(c.window).empty());
    EXPECT_EQ(h.ActionTexts(),
              (std::vector<std::string>{"'A' was killed cleanly.", "'B' didn't close after waiting  0 seconds.",
                                        "Stopped killing any other programs."}));
    EXPECT_EQ(h.ferrow, (std::vector<std::uint32_t>{kHalted}));
    EXPECT_EQ(ApplicationTitles(), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(h.ui.GetCaption(), "Quellix");
    EXPECT_EQ(h.run.FailedKills(), 1);
    EXPECT_TRUE(h.run.Halted());
    // The next run starts its account afresh.
    h.set.lvProgramSet().Clear();
    h.run.KillCurrentSet();
    EXPECT_EQ(h.run.FailedKills(), 0);
    EXPECT_FALSE(h.run.Halted());
}

TEST_F(KillRun, SameProgramInTwoRowsIsGoneTheSecondTime) {
    const Program a = Start("C:\\Apps\\a.exe", "A");
    h.inventory.RefreshLists();
    AddApplication("A", false);
    AddApplication("A", false);
    h.run.KillCurrentSet();
    EXPECT_FALSE(h.os.IsRunning(a.pid));
    EXPECT_EQ(h.ActionTexts(),
              (std::vector<std::string>{"'A' was killed cleanly.", "'A' couldn't be killed.  It wasn't running."}));
    EXPECT_TRUE(h.ferrow.empty());
}

TEST_F(KillRun, VisibilityAndLetterCaseMustMatch) {
    const Program hiddenOnly = Start("C:\\Apps\\a.exe", "A", CloseReaction::ExitProcess, false);
    const Program windowed = Start("C:\\Apps\\b.exe", "B");
    h.inventory.RefreshLists();
    AddEntry("C:\\Apps\\a.exe", "A", true);       // was a visible window when the set was made
    AddEntry("C:\\Apps\\b.exe", "b.exe", false);  // was a process without a window
    AddEntry("C:\\APPS\\B.EXE", "B", true);
    h.run.KillCurrentSet();
    EXPECT_TRUE(h.os.IsRunning(hiddenOnly.pid));
    EXPECT_TRUE(h.os.IsRunning(windowed.pid));
    EXPECT_EQ(h.ActionTexts(), (std::vector<std::string>{"'A' couldn't be killed.  It wasn't running.",
                                                         "'b.exe' couldn't be killed.  It wasn't running.",
                                                         "'B' couldn't be killed.  It wasn't running."}));
}

TEST_F(KillRun, HugeCloseWaitNoLongerEndsTheRun) {
    const Program a = Start("C:\\Apps\\a.exe", "A");
    const Program b = Start("C:\\Apps\\b.exe", "B");
    h.inventory.RefreshLists();
    AddApplication("A").SetCloseWait(INT_MAX);
    AddApplication("B");
    h.run.KillCurrentSet();
    EXPECT_FALSE(h.os.IsRunning(a.pid));
    EXPECT_FALSE(h.os.IsRunning(b.pid));
    EXPECT_TRUE(h.inventory.mcApplications().empty());
}

TEST_F(KillRun, ProcessIdReusedSinceTheSnapshotIsNotKilled) {
    const Program a = Start("C:\\Apps\\a.exe", "A");
    h.inventory.RefreshLists();
    AddEntry("C:\\Apps\\a.exe", "A"); // as loaded from a set file: no snapshot time of its own
    h.os.EndProcess(a.pid);
    h.os.Advance(1000);
    FakeProcessSetup again;
    again.exePath = "C:\\Apps\\a.exe";
    h.os.AddProcessWithId(a.pid, again);
    h.run.KillCurrentSet();
    EXPECT_TRUE(h.os.IsRunning(a.pid));
    EXPECT_EQ(h.ActionTexts(), (std::vector<std::string>{"'A' couldn't be killed.  It wasn't running."}));
}

TEST_F(KillRun, FullSetEndsAfterItsLastRow) {
    cApplicationProcs e;
    e.SetExePath("C:\\Apps\\gone.exe");
    e.SetSelected(false);
    for (int i = 0; i < cKillSet::kMaxEntries; ++i) ASSERT_TRUE(h.set.AddToProgramSet(e, false));
    h.set.lvProgramSet().Item(32767)->checked = true;
    h.set.AppSet().back().SetTitle("Last");
    h.run.KillCurrentSet();
    EXPECT_EQ(h.ActionTexts(), (std::vector<std::string>{"'Last' couldn't be killed.  It wasn't running."}));
}

TEST_F(KillRun, RowWhoseTagNamesNoEntryStopsTheRunButTheListsAreRefreshed) {
    const Program a = Start("C:\\Apps\\a.exe", "A");
    h.inventory.RefreshLists();
    AddEntry("C:\\Apps\\gone.exe", "Gone");
    AddApplication("A");
    h.set.lvProgramSet().Item(1)->tag = "7";
    h.os.EndProcess(a.pid);
    h.run.KillCurrentSet();
    EXPECT_TRUE(h.ActionTexts().empty());
    EXPECT_TRUE(h.inventory.mcApplications().empty());
    EXPECT_EQ(h.ui.GetCaption(), "Quellix");
    EXPECT_TRUE(h.run.Halted()); // the later rows were never reached
}

} // namespace
} // namespace qx
