// The matches of one row close together: their outcomes are those of closing
// them one after another, in the same order, but their pauses and waits overlap.
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qx {
namespace {

using fake::CloseReaction;
using fake::cRunHarness;
using fake::FakeProcessSetup;
using fake::FakeWindowSetup;

constexpr const char* kExe = "C:\\Apps\\a.exe";

enum class Kind { Cooperative, Slow, Stubborn, LogoffOnly, Unkillable, Ended, Denied, Popup };

struct Started {
    std::uint32_t pid;
    WindowHandle window;
};

// Starts one instance of the program, titled "A" like all its siblings.
Started Start(cRunHarness& h, Kind kind) {
    FakeProcessSetup p;
    p.exePath = kExe;
    p.canTerminate = kind != Kind::Unkillable;
    p.canOpen = kind != Kind::Denied;
    const std::uint32_t pid = h.os.AddProcess(p);
    FakeWindowSetup w;
    w.pid = pid;
    w.title = "A";
    const bool stays = kind == Kind::Stubborn || kind == Kind::Unkillable;
    w.onClose = stays || kind == Kind::LogoffOnly ? CloseReaction::Ignore : CloseReaction::ExitProcess;
    w.onEndSession = stays ? CloseReaction::Ignore : CloseReaction::ExitProcess;
    w.delayMs = kind == Kind::Slow ? 700 : kind == Kind::Cooperative ? 150 : 0;
    const WindowHandle window = h.os.AddWindow(w);
    if (kind == Kind::Popup) {
        FakeWindowSetup dialog = w;
        dialog.title = "Save?";
        dialog.className = "#32770";
        dialog.style = kWsVisible | kWsPopup;
        dialog.owner = window; // not listed, but asked first
        dialog.delayMs = 300;
        h.os.AddWindow(dialog);
    }
    return {pid, window};
}

// The log from the first KillMe on, as (debug or action) texts in order.
std::vector<std::string> KillLog(const cRunHarness& h) {
    std::vector<std::string> out;
    const std::string* bytes = h.fs.Contents(fake::cKillRecorder::kLogPath);
    if (bytes == nullptr) return out;
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t pos; (pos = bytes->find("\r\n", start)) != std::string::npos; start = pos + 2)
        lines.push_back(bytes->substr(start, pos - start));
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].find(" - User: ") == std::string::npos) continue;
        const std::string& text = lines[i + 1];
        if (text.rfind("Debug: ", 0) == 0 && text.rfind("Debug: KillMe", 0) != 0) continue;
        out.push_back(text);
    }
    return out;
}

struct Scenario {
    const char* name;
    std::vector<Kind> programs;
    bool force;
    std::int32_t wait;
};

class KillTogether : public ::testing::TestWithParam<Scenario> {
protected:
    // Every instance running and listed, one row for all of them.
    static std::vector<Started> Prepare(cRunHarness& h, const Scenario& s) {
        std::vector<Started> started;
        for (const Kind k : s.programs) started.push_back(Start(h, k));
        h.inventory.RefreshLists();
        for (std::size_t i = 0; i < s.programs.size(); ++i)
            if (s.programs[i] == Kind::Ended) h.os.EndProcess(started[i].pid);
        h.log.SetDebugMode(true);
        return started;
    }
    static cApplicationProcs Rules(const Scenario& s) {
        cApplicationProcs e;
        e.SetExePath(kExe);
        e.SetTitle("A");
        e.SetWinVisible(true);
        e.SetForceClose(s.force);
        e.SetCloseWait(s.wait);
        return e;
    }
};

TEST_P(KillTogether, GivesTheTextsOfOneAfterAnotherInMatchOrderWithinTheLongestAlone) {
    const Scenario& s = GetParam();
    // One after another, as the reference.
    cRunHarness alone;
    const auto aloneStarted = Prepare(alone, s);
    std::vector<bool> aloneResults;
    std::uint32_t longest = 0;
    for (const cApplicationProcs& app : alone.inventory.mcApplications()) {
        cApplicationProcs target = Rules(s);
        target.SetProcessID(app.ProcessID());
        target.SetCreationTime(app.CreationTime());
        const std::uint32_t begin = alone.os.Tick();
        aloneResults.push_back(target.KillMe(alone.kill));
        longest = std::max(longest, alone.os.Tick() - begin);
    }

    cRunHarness h;
    const auto started = Prepare(h, s);
    ASSERT_TRUE(h.set.AddToProgramSet(Rules(s), false));
    const std::uint32_t begin = h.os.Tick();
    h.run.KillCurrentSet();

    EXPECT_EQ(KillLog(h), KillLog(alone));
    EXPECT_EQ(h.run.FailedKills(), std::count(aloneResults.begin(), aloneResults.end(), false));
    EXPECT_EQ(h.ferrow, std::vector<std::uint32_t>(h.run.FailedKills(), 1435));
    EXPECT_EQ(h.os.Tick() - begin, longest);
    for (std::size_t i = 0; i < started.size(); ++i)
        EXPECT_EQ(h.os.IsRunning(started[i].pid), alone.os.IsRunning(aloneStarted[i].pid)) << i;
    EXPECT_EQ(h.ui.GetCaption(), "Quellix");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KillTogether,
    ::testing::Values(
        Scenario{"Cooperative", {Kind::Slow, Kind::Cooperative, Kind::Cooperative, Kind::Slow}, true, 10},
        Scenario{"MixedForced",
                 {Kind::Cooperative, Kind::Stubborn, Kind::Ended, Kind::Denied, Kind::LogoffOnly, Kind::Unkillable},
                 true, 2},
        Scenario{"MixedUnforced", {Kind::Stubborn, Kind::Cooperative, Kind::Ended, Kind::Stubborn}, false, 1},
        Scenario{"Popups", {Kind::Popup, Kind::Popup, Kind::Popup}, false, 3}),
    [](const ::testing::TestParamInfo<Scenario>& p) { return std::string(p.param.name); });

class KillRows : public ::testing::Test {
protected:
    cApplicationProcs& Row(const std::string& exe, const std::string& title, bool stopOnError = false) {
        cApplicationProcs e;
        e.SetExePath(exe);
        e.SetTitle(title);
        e.SetWinVisible(true);
        e.SetStopOnError(stopOnError);
        e.SetForceClose(false);
        e.SetCloseWait(0);
        EXPECT_TRUE(h.set.AddToProgramSet(e, false));
        return h.set.AppSet().back();
    }
    std::uint32_t FirstAsked(WindowHandle w) const {
        const auto m = h.os.MessagesTo(w);
        return m.empty() ? 0 : m.front().tick;
    }
    cRunHarness h;
};

TEST_F(KillRows, WithStopOnErrorTheMatchesCloseOneAfterAnotherAndHaltAtTheFirstFailure) {
    const Started first = Start(h, Kind::Slow);
    const Started stubborn = Start(h, Kind::Stubborn);
    const Started never = Start(h, Kind::Cooperative);
    h.inventory.RefreshLists();
    Row(kExe, "A", true);
    h.run.KillCurrentSet();
    EXPECT_GE(FirstAsked(stubborn.window), FirstAsked(first.window) + 700); // after the first had gone
    EXPECT_TRUE(h.os.MessagesTo(never.window).empty());
    EXPECT_TRUE(h.os.IsRunning(never.pid));
    EXPECT_EQ(h.ActionTexts(), (std::vector<std::string>{"'A' was killed cleanly.",
                                                         "'A' didn't close after waiting  0 seconds.",
                                                         "Stopped killing any other programs."}));
    EXPECT_EQ(h.ferrow, std::vector<std::uint32_t>{1434});
}

TEST_F(KillRows, ALaterRowStartsOnlyWhenEveryMatchOfTheEarlierOneIsDone) {
    Start(h, Kind::Cooperative);
    const Started slow = Start(h, Kind::Slow);
    FakeProcessSetup b;
    b.exePath = "C:\\Apps\\b.exe";
    FakeWindowSetup w;
    w.pid = h.os.AddProcess(b);
    w.title = "B";
    const WindowHandle later = h.os.AddWindow(w);
    h.inventory.RefreshLists();
    Row(kExe, "A");
    Row("C:\\Apps\\b.exe", "B");
    h.run.KillCurrentSet();
    EXPECT_GE(FirstAsked(later), FirstAsked(slow.window) + 700);
    EXPECT_EQ(h.set.AppSet()[0].ProcessID(), slow.pid); // the entry keeps what it matched last
    EXPECT_EQ(h.set.AppSet()[0].Handle(), slow.window);
    EXPECT_EQ(h.ActionTexts(), (std::vector<std::string>{"'A' was killed cleanly.", "'A' was killed cleanly.",
                                                         "'B' was killed cleanly."}));
}

TEST_F(KillRows, TheSystemsWindowsAreWalkedAsOftenForManyMatchesAsForOne) {
    int walks[2] = {};
    for (const int n : {1, 40}) {
        cRunHarness run;
        for (int i = 0; i < n; ++i) Start(run, Kind::Cooperative);
        run.inventory.RefreshLists();
        cApplicationProcs e;
        e.SetExePath(kExe);
        e.SetTitle("A");
        e.SetWinVisible(true);
        ASSERT_TRUE(run.set.AddToProgramSet(e, false));
        const int before = run.os.EnumWindowsCalls();
        run.run.KillCurrentSet();
        EXPECT_EQ(run.ActionTexts().size(), static_cast<std::size_t>(n));
        walks[n == 1 ? 0 : 1] = run.os.EnumWindowsCalls() - before;
    }
    EXPECT_EQ(walks[0], walks[1]);
    EXPECT_LE(walks[1], 2); // one for the closing passes, one for the refresh after the run
}

// A window that answers the end-of-session query only after a long while
// (a dialog) holds the program no longer than its own wait beyond the
// fixed pauses; its time is taken from that wait.
TEST_F(KillRows, AWindowThatAnswersLateHoldsItsProgramNoLongerThanItsWait) {
    struct Case {
        std::uint32_t answerMs;
        std::int32_t wait;
        std::uint32_t elapsed;
        bool endSessionPosted;
    };
    for (const Case& c : {Case{600000, 5, 1000 + 5000, false}, Case{3000, 5, 1000 + 3000 + 2000 + 2000, true},
                          Case{600000, 0, 1000 + 1000, false}}) {
        cRunHarness run;
        FakeProcessSetup p;
        p.exePath = kExe;
        FakeWindowSetup w;
        w.pid = run.os.AddProcess(p);
        w.title = "A";
        w.onClose = CloseReaction::Ignore;
        w.onEndSession = CloseReaction::Ignore;
        w.queryEndSessionDelayMs = c.answerMs;
        const WindowHandle window = run.os.AddWindow(w);
        cApplicationProcs e;
        e.SetProcessID(w.pid);
        e.SetExePath(kExe);
        e.SetTitle("A");
        e.SetCloseWait(c.wait);
        const std::uint32_t begin = run.os.Tick();
        EXPECT_TRUE(e.KillMe(run.kill));
        EXPECT_EQ(run.os.Tick() - begin, c.elapsed) << c.answerMs;
        const auto msgs = run.os.MessagesTo(window);
        EXPECT_EQ(std::any_of(msgs.begin(), msgs.end(), [](const fake::SentMessage& m) { return m.msg == kWmEndSession; }),
                  c.endSessionPosted)
            << c.answerMs;
        EXPECT_EQ(run.ActionTexts(), std::vector<std::string>{"'A' was terminated."});
    }
}

TEST_F(KillRows, AProgramListedBeforeTheClockWasSetBackIsStillClosed) {
    const Started a = Start(h, Kind::Cooperative);
    h.os.Advance(60000);
    h.inventory.RefreshLists();
    h.os.MoveWallClock(-3600 * 1000);
    Row(kExe, "A");
    h.run.KillCurrentSet();
    EXPECT_FALSE(h.os.IsRunning(a.pid));
    EXPECT_EQ(h.ActionTexts(), std::vector<std::string>{"'A' was killed cleanly."});
}

} // namespace
} // namespace qx
