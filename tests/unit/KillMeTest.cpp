// Closing one program: the passes over its windows, the pauses, the wait and
// the force step, with the time each takes and the texts they leave.
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace qx {
namespace {

using fake::CloseReaction;
constexpr auto kExit = CloseReaction::ExitProcess, kIgnore = CloseReaction::Ignore;
constexpr const char* kNotepad = "C:\\Windows\\notepad.exe";
enum Flags { kNone = 0, kHung = 1, kNoTerminate = 2, kWaitFails = 4 };
constexpr std::uint32_t kTool = 0, kHidden = 1, kPopup = kWsVisible | kWsPopup; // kTool, kHidden: not real styles

fake::FakeWindowSetup W(CloseReaction onClose, CloseReaction onEndSession = kIgnore, std::uint32_t delayMs = 0,
                        std::uint32_t style = kWsVisible, const char* cls = "App", std::uint32_t answerMs = 0) {
    fake::FakeWindowSetup w;
    w.className = cls;
    w.style = style == kHidden ? 0 : style == kTool ? kWsVisible : style;
    w.exStyle = style == kTool ? kWsExToolWindow : 0;
    w.onClose = onClose;
    w.onEndSession = onEndSession;
    w.delayMs = delayMs;
    w.queryEndSessionDelayMs = answerMs;
    return w;
}

fake::FakeProcessSetup Exe(const std::string& path) {
    fake::FakeProcessSetup p;
    p.exePath = path;
    return p;
}

struct Case {
    const char* name;
    int flags;
    std::vector<fake::FakeWindowSetup> windows;
    std::int32_t wait;
    bool force, result;
    std::uint32_t elapsed;
    std::vector<std::string> texts;
    std::string trace; // C, Q, E: WM_CLOSE, WM_QUERYENDSESSION, WM_ENDSESSION; window index; ms since the start
};

class KillMe : public ::testing::TestWithParam<Case> {};

TEST_P(KillMe, ClosesByItsRules) {
    const Case& c = GetParam();
    fake::cRunHarness h;
    fake::FakeProcessSetup p = Exe(kNotepad);
    p.hung = (c.flags & kHung) != 0;
    p.canTerminate = (c.flags & kNoTerminate) == 0;
    p.waitFails = (c.flags & kWaitFails) != 0;
    const std::uint32_t pid = h.os.AddProcess(p);
    std::vector<WindowHandle> windows;
    for (fake::FakeWindowSetup w : c.windows) {
        w.pid = pid;
        windows.push_back(h.os.AddWindow(w));
    }
    fake::FakeWindowSetup other = W(kExit); // never asked: another program's, and our own
    other.pid = h.os.AddProcess(p);
    h.os.AddWindow(other);
    other.pid = h.os.GetCurrentProcessId();
    h.os.AddWindow(other);
    cApplicationProcs e;
    e.SetProcessID(pid);
    e.SetTitle("Notepad");
    e.SetExePath(kNotepad);
    e.SetCloseWait(c.wait);
    e.SetForceClose(c.force);
    const std::uint32_t start = h.os.Tick();

    EXPECT_EQ(h.Kill(e), c.result);
    EXPECT_EQ(h.os.Tick() - start, c.elapsed);
    EXPECT_EQ(h.ActionTexts(), c.texts);
    std::vector<std::string> captions{"Attempting to kill Notepad"};
    captions.insert(captions.end(), c.texts.begin(), c.texts.end());
    EXPECT_EQ(h.ui.captions, captions);
    std::string trace;
    for (const fake::FakeMessage& m : h.os.posts) {
        const auto index = std::find(windows.begin(), windows.end(), m.window) - windows.begin();
        const char kind = m.message == kWmClose ? 'C' : m.message == kWmQueryEndSession ? 'Q' : 'E';
        // '!' marks a message sent where it should be posted, or with the wrong parameters
        const bool proper = kind == 'C' ? !m.sent
                                        : static_cast<std::uint32_t>(m.lParam) == kEndSessionLogoff &&
                                              m.sent == (kind == 'Q') && m.wParam == (kind == 'E' ? 1u : 0u);
        trace += (trace.empty() ? "" : " ") + std::string(1, kind) + std::to_string(index) + "@" +
                 std::to_string(m.tick - start) + (proper ? "" : "!");
    }
    EXPECT_EQ(trace, c.trace);
    EXPECT_EQ(h.os.IsRunning(pid), !c.result);
    EXPECT_EQ(h.os.OpenHandleCount(), 0);
}

const std::string kClean = "'Notepad' was killed cleanly.", kTerminated = "'Notepad' was terminated.";
const std::string kProblem = "Problem killing 'Notepad'";
std::string DidntClose(const char* seconds) {
    return "'Notepad' didn't close after waiting " + std::string(seconds) + " seconds.";
}

INSTANTIATE_TEST_SUITE_P(
    Programs, KillMe,
    ::testing::Values(
        Case{"Cooperative", kNone, {W(kExit, kExit, 150)}, 10, true, true, 150, {kClean}, "C0@0"},
        Case{"PopupsFirstThenEveryMainWindow", kNone,
             {W(kIgnore), W(CloseReaction::CloseWindow, kIgnore, 0, kPopup), W(kIgnore)}, 1, true, true, 5000, {kTerminated}, "C1@0 C0@1000 C2@1000 Q0@2000 E0@2000 Q2@2000 E2@2000"},
        Case{"QuitsAtLogoffOnly", kNone, {W(kIgnore, kExit)}, 10, false, true, 1000, {kClean}, "C0@0 Q0@1000 E0@1000"},
        Case{"StubbornForced", kNone, {W(kIgnore)}, 10, true, true, 13000, {kTerminated}, "C0@0 Q0@1000 E0@1000"},
        Case{"StubbornUnforced", kNone, {W(kIgnore)}, 10, false, false, 13000, {DidntClose(" 10")}, "C0@0 Q0@1000 E0@1000"},
        Case{"PopupAskedAgainBeforeTermination", kNone, {W(kIgnore), W(kIgnore, kIgnore, 0, kPopup)}, 0, true, true, 4000,
             {kTerminated}, "C1@0 C0@1000 Q0@2000 E0@2000 C1@4000"},
        Case{"HungIsNotQueried", kHung, {W(kExit, kExit)}, 3, true, true, 4000, {kTerminated}, "C0@0"},
        Case{"TerminationRefused", kNoTerminate, {W(kIgnore)}, 1, true, false, 4000, {kProblem}, "C0@0 Q0@1000 E0@1000"},
        Case{"ZeroWaitTooShort", kNone, {W(kIgnore, kExit, 2500)}, 0, false, false, 3000, {DidntClose(" 0")},
             "C0@0 Q0@1000 E0@1000"},
        Case{"NegativeWait", kNone, {W(kIgnore)}, -5, false, false, 3000, {DidntClose("-5")}, "C0@0 Q0@1000 E0@1000"},
        Case{"HugeWaitClamped", kNone, {W(kIgnore)}, INT_MAX, true, true, 3000u + 0x7FFFFFFEu, {kTerminated},
             "C0@0 Q0@1000 E0@1000"},
        Case{"WaitFails", kWaitFails, {W(kIgnore)}, 10, true, false, 3000, {"Unable to kill 'Notepad'.  Reason: Err# 6"},
             "C0@0 Q0@1000 E0@1000"},
        Case{"WindowlessEndedAtOnce", kNone, {}, 0, false, true, 0, {kClean}, ""},
        Case{"WindowlessUnkillable", kNoTerminate, {}, 2, true, false, 2000, {kProblem, kProblem}, ""},
        Case{"HiddenOnlyWaited", kNone, {W(kExit, kExit, 0, kHidden)}, 4, false, false, 4000, {DidntClose(" 4")}, ""},
        Case{"HiddenOnlyForced", kNone, {W(kExit, kExit, 0, kHidden)}, 4, true, true, 4000, {kTerminated}, ""},
        Case{"ShellToolAndDisabledNeverAsked", kNone,
             {W(kIgnore), W(kExit, kExit, 0, kWsVisible, "Progman"), W(kIgnore, kIgnore, 0, kWsVisible, "progman"),
              W(kExit, kExit, 0, kTool), W(kExit, kExit, 0, kWsVisible | kWsDisabled)},
             0, true, true, 3000, {kTerminated}, "C0@0 C2@0 Q0@1000 E0@1000 Q2@1000 E2@1000"},
        // A late answer to the end-of-session query is taken from the program's own wait.
        Case{"NoAnswerWithinItsWait", kNone, {W(kIgnore, kIgnore, 0, kWsVisible, "App", 600000)}, 5, true, true, 6000,
             {kTerminated}, "C0@0 Q0@1000"},
        Case{"LateAnswerWithinItsWait", kNone, {W(kIgnore, kIgnore, 0, kWsVisible, "App", 3000)}, 5, true, true, 8000,
             {kTerminated}, "C0@0 Q0@1000 E0@4000"},
        Case{"NoAnswerAndNoWait", kNone, {W(kIgnore, kIgnore, 0, kWsVisible, "App", 600000)}, 0, true, true, 2000,
             {kTerminated}, "C0@0 Q0@1000"}),
    [](const auto& p) { return std::string(p.param.name); });

// What has ended by its turn (often by closing another program) is done;
// only a process that runs and may not be touched is a failure.
TEST(KillMeTarget, IsTheListedProcessOrCountsAsGone) {
    const std::string gone = "'Notepad' couldn't be killed.  It wasn't running.";
    struct Target {
        const char* what;
        std::function<cApplicationProcs(fake::cFakeOS&)> make;
        bool result, running;
        std::string text;
    };
    const auto start = [](fake::cFakeOS& os, const std::string& exe, void (*change)(fake::FakeProcessSetup&)) {
        fake::FakeProcessSetup p = Exe(exe);
        change(p);
        cApplicationProcs e;
        e.SetProcessID(os.AddProcess(p));
        e.SetTitle("Notepad");
        e.SetExePath(kNotepad);
        return e;
    };
    const auto plain = [](fake::FakeProcessSetup&) {};
    const std::vector<Target> targets = {
        {"no id", [&](fake::cFakeOS& os) {
             auto e = start(os, kNotepad, plain);
             e.SetProcessID(0);
             return e;
         }, true, false, gone},
        {"ended, still held open", [&](fake::cFakeOS& os) {
             auto e = start(os, kNotepad, [](fake::FakeProcessSetup& p) { p.openableAfterExit = true; });
             os.EndProcess(e.ProcessID());
             return e;
         }, true, false, gone},
        {"id reused by another program", [&](fake::cFakeOS& os) {
             auto e = start(os, kNotepad, plain);
             os.AddProcessWithId(e.ProcessID(), Exe("C:\\Work\\editor.exe"));
             return e;
         }, true, true, gone},
        {"id reused by the same program", [&](fake::cFakeOS& os) {
             auto e = start(os, kNotepad, plain);
             e.SetCreationTime(os.GetSystemTimeAsFileTime());
             os.Advance(1000);
             os.AddProcessWithId(e.ProcessID(), Exe(kNotepad));
             return e;
         }, true, true, gone},
        {"listed, then the clock set back", [&](fake::cFakeOS& os) {
             auto e = start(os, kNotepad, plain);
             e.SetCreationTime(os.GetSystemTimeAsFileTime());
             os.Advance(1000);
             os.MoveWallClock(-3600 * 1000);
             return e;
         }, true, false, "'Notepad' was killed cleanly."},
        {"access denied", [&](fake::cFakeOS& os) {
             return start(os, kNotepad, [](fake::FakeProcessSetup& p) { p.canOpen = false; });
         }, false, true, "Unable to kill 'Notepad'.  Reason: Not authorized or Non-existent process"},
        {"path in other letters", [&](fake::cFakeOS& os) { return start(os, "C:\\WINDOWS\\NOTEPAD.EXE", plain); },
         true, false, "'Notepad' was killed cleanly."},
        {"bare name", [&](fake::cFakeOS& os) { return start(os, "notepad.exe", plain); }, true, false,
         "'Notepad' was killed cleanly."},
        {"path unreadable", [&](fake::cFakeOS& os) {
             return start(os, "C:\\x.exe", [](fake::FakeProcessSetup& p) { p.pathReadable = false; });
         }, true, false, "'Notepad' was killed cleanly."},
    };
    for (const Target& t : targets) {
        fake::cRunHarness h;
        const cApplicationProcs e = t.make(h.os);
        EXPECT_EQ(h.Kill(e), t.result) << t.what;
        EXPECT_EQ(h.ActionTexts(), std::vector<std::string>{t.text}) << t.what;
        EXPECT_EQ(h.os.IsRunning(e.ProcessID()), t.running) << t.what;
    }
}

} // namespace
} // namespace qx
