#include "core/engine/mQXEndPrograms.h"
#include "fake/cKillHarness.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace qx {
namespace {

using fake::CloseReaction;
using fake::FakeProcessSetup;
using fake::FakeWindowSetup;

constexpr const char* kNotepad = "C:\\Windows\\notepad.exe";

FakeProcessSetup P(const std::string& exe) {
    FakeProcessSetup s;
    s.exePath = exe;
    return s;
}

FakeProcessSetup Hung(FakeProcessSetup s) {
    s.hung = true;
    return s;
}

FakeWindowSetup W(std::uint32_t pid, const std::string& title, const std::string& cls = "FakeWindowClass",
                 std::uint32_t style = kWsVisible, std::uint32_t exStyle = 0) {
    FakeWindowSetup w;
    w.pid = pid;
    w.title = title;
    w.className = cls;
    w.style = style;
    w.exStyle = exStyle;
    return w;
}

// A window that ignores every request to close.
FakeWindowSetup Deaf(FakeWindowSetup w) {
    w.onClose = CloseReaction::Ignore;
    w.onEndSession = CloseReaction::Ignore;
    return w;
}

class KillMe : public ::testing::Test {
protected:
    std::uint32_t StartProgram(CloseReaction onClose = CloseReaction::ExitProcess, std::uint32_t delayMs = 0,
                               const std::string& exe = kNotepad) {
        const std::uint32_t pid = h.os.AddProcess(P(exe));
        FakeWindowSetup w;
        w.pid = pid;
        w.title = "Untitled - Notepad";
        w.onClose = onClose;
        w.onEndSession = onClose;
        w.delayMs = delayMs;
        mainWindow = h.os.AddWindow(w);
        return pid;
    }

    cApplicationProcs Entry(std::uint32_t pid, std::int32_t wait = 10, bool force = true) {
        cApplicationProcs e;
        e.SetProcessID(pid);
        e.SetTitle("Notepad");
        e.SetExePath(kNotepad);
        e.SetCloseWait(wait);
        e.SetForceClose(force);
        return e;
    }

    std::uint32_t Elapsed() const { return h.os.Tick() - start; }

    fake::cKillHarness h;
    WindowHandle mainWindow = 0;
    std::uint32_t start = h.os.Tick();
};

// --- cooperative programs -------------------------------------------------

TEST_F(KillMe, CooperativeProgramClosesOnItsFirstRequestWithoutFixedPauses) {
    const auto pid = StartProgram(CloseReaction::ExitProcess, 150);
    EXPECT_TRUE(h.Kill(Entry(pid)));
    EXPECT_FALSE(h.os.IsRunning(pid));
    EXPECT_EQ(Elapsed(), 150u); // the pause ends when the program has gone
    EXPECT_EQ(h.ActionTexts(), std::vector<std::string>{"'Notepad' was killed cleanly."});
    ASSERT_EQ(h.ui.captions.size(), 2u);
    EXPECT_EQ(h.ui.captions[0], "Attempting to kill Notepad");
    EXPECT_EQ(h.ui.captions[1], "'Notepad' was killed cleanly.");
    EXPECT_EQ(h.os.TerminateCalls(), 0);
    EXPECT_EQ(h.os.OpenHandleCount(), 0);
}

TEST_F(KillMe, PopupsAreAskedBeforeMainWindowsAndEveryWindowOfTheProcessIsAsked) {
    const auto pid = StartProgram(CloseReaction::Ignore);
    FakeWindowSetup popup = W(pid, "Find", "#32770", kWsVisible | kWsPopup);
    popup.onClose = CloseReaction::CloseWindow;
    const WindowHandle dialog = h.os.AddWindow(popup);
    FakeWindowSetup second = W(pid, "Second window");
    second.onClose = CloseReaction::Ignore;
    const WindowHandle other = h.os.AddWindow(second);

    EXPECT_TRUE(h.Kill(Entry(pid, 1, true)));
    const auto& msgs = h.os.Messages();
    ASSERT_GE(msgs.size(), 3u);
    EXPECT_EQ(msgs[0].window, dialog);
    EXPECT_EQ(msgs[0].msg, kWmClose);
    EXPECT_EQ(msgs[1].msg, kWmClose);
    EXPECT_EQ(msgs[2].msg, kWmClose);
    EXPECT_EQ(msgs[1].tick, msgs[0].tick + 1000); // pass 1 asked a popup, so its pause ran
    EXPECT_EQ(h.os.MessagesTo(mainWindow).front().msg, kWmClose);
    EXPECT_EQ(h.os.MessagesTo(other).front().msg, kWmClose);
}

TEST_F(KillMe, EndOfSessionPassClosesProgramsThatOnlyQuitAtLogoff) {
    const auto pid = h.os.AddProcess(P(kNotepad));
    FakeWindowSetup w = W(pid, "Editor");
    w.onClose = CloseReaction::Ignore;
    w.onEndSession = CloseReaction::ExitProcess;
    w.queryEndSessionReply = 1;
    const WindowHandle win = h.os.AddWindow(w);

    EXPECT_TRUE(h.Kill(Entry(pid, 10, false)));
    const auto msgs = h.os.MessagesTo(win);
    ASSERT_EQ(msgs.size(), 3u);
    EXPECT_EQ(msgs[1].msg, kWmQueryEndSession);
    EXPECT_TRUE(msgs[1].sent);
    EXPECT_EQ(msgs[1].wParam, 0u);
    EXPECT_EQ(static_cast<std::uint32_t>(msgs[1].lParam), kEndSessionLogoff);
    EXPECT_EQ(msgs[2].msg, kWmEndSession);
    EXPECT_FALSE(msgs[2].sent);
    EXPECT_EQ(msgs[2].wParam, 1u); // the reply is passed on
    EXPECT_EQ(static_cast<std::uint32_t>(msgs[2].lParam), kEndSessionLogoff);
    EXPECT_EQ(Elapsed(), 1000u);
    EXPECT_EQ(h.ActionTexts().back(), "'Notepad' was killed cleanly.");
}

// --- programs that stay -----------------------------------------------------

TEST_F(KillMe, StubbornProgramIsTerminatedAfterTheFullWaitWhenForced) {
    const auto pid = StartProgram(CloseReaction::Ignore);
    EXPECT_TRUE(h.Kill(Entry(pid, 10, true)));
    EXPECT_FALSE(h.os.IsRunning(pid));
    EXPECT_EQ(h.os.TerminatedPids(), std::vector<std::uint32_t>{pid});
    EXPECT_EQ(Elapsed(), 1000u + 2000u + 10000u); // main-window pause, end-of-session pause, CloseWait
    EXPECT_EQ(h.ActionTexts(), std::vector<std::string>{"'Notepad' was terminated."});
    EXPECT_EQ(h.os.OpenHandleCount(), 0);
}

TEST_F(KillMe, StubbornProgramSurvivesWithoutForceAndTheWaitIsReportedWithASignPosition) {
    const auto pid = StartProgram(CloseReaction::Ignore);
    EXPECT_FALSE(h.Kill(Entry(pid, 10, false)));
    EXPECT_TRUE(h.os.IsRunning(pid));
    EXPECT_EQ(h.os.TerminateCalls(), 0);
    EXPECT_EQ(h.ActionTexts(), std::vector<std::string>{"'Notepad' didn't close after waiting  10 seconds."});
}

TEST_F(KillMe, ProgramThatClosesAfterTheWaitIsTerminatedAndItsPopupsAskedOnceMore) {
    const auto pid = StartProgram(CloseReaction::Ignore);
    FakeWindowSetup popup = W(pid, "Save changes?", "#32770", kWsVisible | kWsPopup);
    popup.onClose = CloseReaction::Ignore;
    const WindowHandle dialog = h.os.AddWindow(popup);
    EXPECT_TRUE(h.Kill(Entry(pid, 0, true)));
    const auto toPopup = h.os.MessagesTo(dialog);
    ASSERT_EQ(toPopup.size(), 2u); // pass 1, and once more just before terminating
    EXPECT_EQ(toPopup[1].msg, kWmClose);
    EXPECT_EQ(h.ActionTexts().back(), "'Notepad' was terminated.");
}

TEST_F(KillMe, HungProgramIsSkippedByTheEndOfSessionQueryAndTerminated) {
    const auto pid = h.os.AddProcess(Hung(P(kNotepad)));
    h.os.AddWindow(W(pid, "Not responding"));
    EXPECT_TRUE(h.Kill(Entry(pid, 3, true)));
    EXPECT_EQ(Elapsed(), 1000u + 3000u); // no answer to the query, so no end-of-session pause
    for (const auto& m : h.os.Messages()) EXPECT_FALSE(m.sent);
    EXPECT_EQ(h.ActionTexts().back(), "'Notepad' was terminated.");
}

TEST_F(KillMe, TerminationRefusedAfterTheWaitIsAProblemNotASuccess) {
    FakeProcessSetup setup = P(kNotepad);
    setup.canTerminate = false;
    const auto pid = h.os.AddProcess(setup);
    h.os.AddWindow(Deaf(W(pid, "Protected")));
    EXPECT_FALSE(h.Kill(Entry(pid, 1, true)));
    EXPECT_EQ(h.ActionTexts(), std::vector<std::string>{"Problem killing 'Notepad'"});
    EXPECT_TRUE(h.os.IsRunning(pid));
}

// --- the wait ------------------------------------------------------------------

TEST_F(KillMe, ZeroWaitReportsAProgramThatNeedsTimeAsNotClosed) {
    const auto pid = h.os.AddProcess(P(kNotepad));
    FakeWindowSetup w = W(pid, "Slow");
    w.onClose = CloseReaction::Ignore;
    w.onEndSession = CloseReaction::ExitProcess;
    w.delayMs = 2500; // longer than the end-of-session pause
    h.os.AddWindow(w);
    EXPECT_FALSE(h.Kill(Entry(pid, 0, false)));
    EXPECT_EQ(h.os.BlockingWaits(), (std::vector<std::uint32_t>{0, 0})); // the check that it still runs, then the wait
    EXPECT_EQ(h.ActionTexts().back(), "'Notepad' didn't close after waiting  0 seconds.");
}

TEST_F(KillMe, NegativeWaitIsNeverHandedToThePlatformButStillReportedAsStored) {
    const auto pid = StartProgram(CloseReaction::Ignore);
    EXPECT_FALSE(h.Kill(Entry(pid, -5, false)));
    EXPECT_EQ(h.os.BlockingWaits(), (std::vector<std::uint32_t>{0, 0})); // the check that it still runs, then the wait
    EXPECT_EQ(h.ActionTexts().back(), "'Notepad' didn't close after waiting -5 seconds.");
}

TEST_F(KillMe, HugeWaitIsClampedInsteadOfOverflowing) {
    const auto pid = StartProgram(CloseReaction::Ignore);
    EXPECT_TRUE(h.Kill(Entry(pid, INT_MAX, true)));
    EXPECT_EQ(h.os.BlockingWaits().back(), 0x7FFFFFFEu);
    EXPECT_EQ(h.ActionTexts().back(), "'Notepad' was terminated.");
    EXPECT_EQ(cApplicationProcs::WaitMilliseconds(INT_MIN), 0u);
    EXPECT_EQ(cApplicationProcs::WaitMilliseconds(2147483), 2147483000u);
    EXPECT_EQ(cApplicationProcs::WaitMilliseconds(2147484), 0x7FFFFFFEu);
}

TEST_F(KillMe, FailedWaitReportsThePlatformError) {
    FakeProcessSetup setup = P(kNotepad);
    setup.waitFails = true;
    const auto pid = h.os.AddProcess(setup);
    h.os.AddWindow(Deaf(W(pid, "W")));
    EXPECT_FALSE(h.Kill(Entry(pid)));
    EXPECT_EQ(h.ActionTexts().back(), "Unable to kill 'Notepad'.  Reason: Err# 6");
}

// --- programs without visible windows ------------------------------------------

TEST_F(KillMe, WindowlessProcessIsEndedAtOnceEvenWithoutForce) {
    const auto pid = h.os.AddProcess(P("C:\\bin\\daemon.exe"));
    cApplicationProcs e = Entry(pid, 0, false);
    e.SetExePath("C:\\bin\\daemon.exe");
    e.SetTitle("daemon.exe");
    EXPECT_TRUE(h.Kill(e));
    EXPECT_EQ(Elapsed(), 0u);
    EXPECT_TRUE(h.os.Messages().empty());
    // Termination is not instantaneous on a real system: a wait of 0 would
    // otherwise report a terminated process as one that "didn't close".
    EXPECT_EQ(h.os.BlockingWaits().back(), 5000u);
    EXPECT_EQ(h.ActionTexts(), std::vector<std::string>{"'daemon.exe' was killed cleanly."});
}

TEST_F(KillMe, WindowlessProcessThatCannotBeTerminatedIsReportedTwiceWhenForced) {
    FakeProcessSetup setup = P(kNotepad);
    setup.canTerminate = false;
    const auto pid = h.os.AddProcess(setup);
    EXPECT_FALSE(h.Kill(Entry(pid, 2, true)));
    EXPECT_EQ(h.ActionTexts(), (std::vector<std::string>{"Problem killing 'Notepad'", "Problem killing 'Notepad'"}));
    EXPECT_EQ(Elapsed(), 2000u);
}

TEST_F(KillMe, ProcessWithOnlyHiddenWindowsIsWaitedForAndNeverAsked) {
    const auto pid = h.os.AddProcess(P(kNotepad));
    h.os.AddWindow(W(pid, "hidden", "C", 0));
    EXPECT_FALSE(h.Kill(Entry(pid, 4, false)));
    EXPECT_TRUE(h.os.Messages().empty());
    EXPECT_EQ(h.os.TerminateCalls(), 0); // it has windows, so it is not ended at once
    EXPECT_EQ(Elapsed(), 4000u);
    EXPECT_EQ(h.ActionTexts().back(), "'Notepad' didn't close after waiting  4 seconds.");
    EXPECT_TRUE(h.Kill(Entry(pid, 4, true)));
    EXPECT_EQ(h.ActionTexts().back(), "'Notepad' was terminated.");
}

// --- what is never touched ------------------------------------------------------

TEST_F(KillMe, ShellToolDisabledAndForeignWindowsAreNeverAsked) {
    const auto pid = StartProgram(CloseReaction::Ignore);
    const WindowHandle shell = h.os.AddWindow(W(pid, "Program Manager", "Progman"));
    const WindowHandle tool = h.os.AddWindow(W(pid, "Palette", "C", kWsVisible, kWsExToolWindow));
    const WindowHandle disabled = h.os.AddWindow(W(pid, "Busy", "C", kWsVisible | kWsDisabled));
    const auto otherPid = h.os.AddProcess(P("C:\\other.exe"));
    const WindowHandle foreign = h.os.AddWindow(W(otherPid, "Other program"));
    const WindowHandle ours = h.os.AddWindow(W(h.os.GetCurrentProcessId(), "Quellix"));

    h.Kill(Entry(pid, 0, true));
    for (const WindowHandle w : {shell, tool, disabled, foreign, ours}) EXPECT_TRUE(h.os.MessagesTo(w).empty()) << w;
    EXPECT_FALSE(h.os.MessagesTo(mainWindow).empty());
    EXPECT_TRUE(h.os.IsRunning(otherPid));
}

TEST_F(KillMe, OwnWindowsAreNotClosableEvenWhenAskedForAnyProcess) {
    const WindowHandle ours = h.os.AddWindow(W(h.os.GetCurrentProcessId(), "Quellix"));
    const auto pid = StartProgram();
    EXPECT_FALSE(IsClosableWindow(h.os, ours, WindowKind::Main, 0));
    EXPECT_TRUE(IsClosableWindow(h.os, mainWindow, WindowKind::Main, 0));
    EXPECT_FALSE(IsClosableWindow(h.os, mainWindow, WindowKind::Popup, pid));
    // With no process given, shell windows are not singled out.
    const WindowHandle shell = h.os.AddWindow(W(pid, "Desktop", "Progman"));
    EXPECT_TRUE(IsClosableWindow(h.os, shell, WindowKind::Main, 0));
    EXPECT_FALSE(IsClosableWindow(h.os, shell, WindowKind::Main, pid));
}

TEST_F(KillMe, ShellClassesAreMatchedExactlyAndCaseSensitively) {
    const auto pid = h.os.AddProcess(P("C:\\Windows\\explorer.exe"));
    for (const char* cls : {"IEFrame", "ExploreWClass", "IEDummyFrame", "Shell_TrayWnd", "Progman", "CabinetWClass",
                            "BaseBar", "WinPopup"}) {
        EXPECT_TRUE(IsShellWindow(h.os, h.os.AddWindow(W(pid, "t", cls)))) << cls;
    }
    for (const char* cls : {"progman", "Progman2", "IEFram", ""}) {
        EXPECT_FALSE(IsShellWindow(h.os, h.os.AddWindow(W(pid, "t", cls)))) << cls;
    }
}

// --- the process behind the id ---------------------------------------------------

// What has ended by its turn (often ended by closing another program) is
// done; only a process that runs and may not be touched is a failure.
TEST_F(KillMe, GoneProcessIsEndedAndOnlyAnUnopenableRunningOneIsNotAuthorized) {
    const std::string gone = "'Notepad' couldn't be killed.  It wasn't running.";
    const std::string denied = "Unable to kill 'Notepad'.  Reason: Not authorized or Non-existent process";
    struct Case {
        const char* what;
        std::function<std::uint32_t()> make;
        bool ended;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"ended", [&] { const auto pid = StartProgram(); h.os.EndProcess(pid); return pid; }, true, gone},
        {"no id", [] { return 0u; }, true, gone},
        {"ended, still held open", [&] {
             FakeProcessSetup held = P(kNotepad);
             held.openableAfterExit = true;
             const auto pid = h.os.AddProcess(held);
             h.os.EndProcess(pid);
             return pid;
         }, true, gone},
        {"id reused by another program", [&] {
             const auto pid = StartProgram();
             h.os.EndProcess(pid);
             h.os.AddProcessWithId(pid, P("C:\\Work\\editor.exe")); // no windows: would be ended at once
             return pid;
         }, true, gone},
        {"access denied", [&] {
             FakeProcessSetup locked = P(kNotepad);
             locked.canOpen = false;
             return h.os.AddProcess(locked);
         }, false, denied},
    };
    for (const Case& c : cases) {
        const auto pid = c.make();
        const bool running = h.os.IsRunning(pid);
        EXPECT_EQ(h.Kill(Entry(pid)), c.ended) << c.what;
        EXPECT_EQ(h.ActionTexts().back(), c.text) << c.what;
        EXPECT_EQ(h.os.IsRunning(pid), running) << c.what;
    }
    EXPECT_EQ(h.os.TerminateCalls(), 0);
    EXPECT_TRUE(h.os.Messages().empty());
}

TEST_F(KillMe, ListedProcessIsKnownByItsCreationTimeWhereverTheClockWentSince) {
    const auto pid = StartProgram(CloseReaction::Ignore);
    cApplicationProcs e = Entry(pid, 0, true);
    e.SetCreationTime(h.os.GetSystemTimeAsFileTime());
    h.os.Advance(1000);
    h.os.MoveWallClock(-3600 * 1000); // a time sync sets the clock back an hour
    EXPECT_TRUE(h.Kill(e));
    EXPECT_EQ(h.ActionTexts().back(), "'Notepad' was terminated.");

    const auto again = StartProgram(); // the same program started anew under the old id
    h.os.EndProcess(again);
    h.os.AddProcessWithId(pid, P(kNotepad));
    EXPECT_TRUE(h.Kill(e));
    EXPECT_TRUE(h.os.IsRunning(pid));
    EXPECT_EQ(h.ActionTexts().back(), "'Notepad' couldn't be killed.  It wasn't running.");
}

TEST_F(KillMe, PathFormsOfTheSameProgramStillMatch) {
    FakeProcessSetup setup = P("C:\\WINDOWS\\NOTEPAD.EXE");
    auto pid = h.os.AddProcess(setup);
    EXPECT_TRUE(h.Kill(Entry(pid))) << "letter case of the running path does not matter";
    cApplicationProcs bare = Entry(h.os.AddProcess(P(kNotepad)));
    bare.SetExePath("notepad.exe"); // some process services give bare names
    EXPECT_TRUE(h.Kill(bare));
    FakeProcessSetup unreadable = P("C:\\elsewhere\\x.exe");
    unreadable.pathReadable = false; // nothing to compare: not held against it
    EXPECT_TRUE(h.Kill(Entry(h.os.AddProcess(unreadable))));
}

} // namespace
} // namespace qx
