// Closing one program: the passes over its windows, the pauses, the wait and
// the force step, with the time each takes and the texts they leave; and
// which process an entry may close at all.
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

#include <climits>

namespace qx {
namespace {

using fake::CloseReaction;
constexpr const char* kNotepad = "C:\\Windows\\notepad.exe";

// The program's windows, one letter each: x closes 150 ms after WM_CLOSE; s
// stays; l, L quit at logoff only (L 2.5 s later); p, P popups that close or
// stay; h hidden; S, z classes "Progman" and "progman"; t tool window; d
// disabled; n, a stay and answer the end-of-session query after 10 min, 3 s.
fake::FakeWindowSetup Window(char kind, std::uint32_t pid) {
    const auto is = [kind](const char* kinds) { return std::string(kinds).find(kind) != std::string::npos; };
    fake::FakeWindowSetup w{.pid = pid, .title = {}};
    w.onClose = is("xhStd") ? CloseReaction::ExitProcess : is("p") ? CloseReaction::CloseWindow : CloseReaction::Ignore;
    w.onEndSession = is("xhStdlL") ? CloseReaction::ExitProcess : CloseReaction::Ignore;
    w.delayMs = kind == 'x' ? 150 : kind == 'L' ? 2500 : 0;
    w.style = kind == 'h' ? 0 : is("pP") ? kWsVisible | kWsPopup : kind == 'd' ? kWsVisible | kWsDisabled : kWsVisible;
    w.exStyle = kind == 't' ? kWsExToolWindow : 0;
    w.className = kind == 'S' ? "Progman" : kind == 'z' ? "progman" : "App";
    w.queryEndSessionDelayMs = kind == 'n' ? 600000 : kind == 'a' ? 3000 : 0;
    return w;
}

// How the process behaves, and what became of it before its turn.
constexpr int kNone = 0, kNoTerminate = 1, kWaitFails = 2, kDenied = 4, kEnded = 8, kReused = 16, kUpper = 32,
              kBare = 64;

struct Case {
    const char* name;
    int flags;
    const char* windows;
    std::int32_t wait;
    bool force, result;
    std::uint32_t elapsed;
    std::vector<std::string> texts;
    std::string trace; // C, Q, E: WM_CLOSE, WM_QUERYENDSESSION, WM_ENDSESSION; window index; ms since the start
};

class KillMe : public ::testing::TestWithParam<Case> {};

TEST_P(KillMe, ClosesByItsRules) {
    const Case& c = GetParam();
    const auto has = [&c](int flags) { return (c.flags & flags) != 0; };
    fake::cRunHarness h;
    h.os.SetTick(0xFFFFF000); // the pauses run across the wrap of the tick counter
    fake::FakeProcessSetup p{.exePath =
                                 has(kUpper) ? "C:\\WINDOWS\\NOTEPAD.EXE" : (has(kBare) ? "notepad.exe" : kNotepad),
                             .canOpen = !has(kDenied),
                             .canTerminate = !has(kNoTerminate),
                             .waitFails = has(kWaitFails)};
    const std::uint32_t pid = h.os.AddProcess(p);
    std::vector<WindowHandle> windows;
    for (const char* k = c.windows; *k != '\0'; ++k)
        windows.push_back(h.os.AddWindow(Window(*k, pid)));
    for (const std::uint32_t other : {h.os.AddProcess(p), h.os.GetCurrentProcessId()})
        h.os.AddWindow(Window('x', other)); // never asked: another program's, and our own
    cApplicationProcs e;
    e.SetProcessID(pid);
    e.SetTitle("Notepad");
    e.SetExePath(kNotepad);
    e.SetCloseWait(c.wait);
    e.SetForceClose(c.force);
    e.SetCreationTime(h.os.GetSystemTimeAsFileTime());
    if (has(kEnded | kReused)) h.os.EndProcess(pid);
    p.exePath = "C:\\Work\\editor.exe";
    if (has(kReused)) h.os.AddProcessWithId(pid, p);
    const std::uint32_t start = h.os.Tick();

    EXPECT_EQ(h.Kill(e), c.result);
    EXPECT_EQ(h.os.Tick() - start, c.elapsed);
    EXPECT_EQ(h.ActionTexts(), c.texts);
    EXPECT_EQ(h.ui.captions.at(0), "Attempting to kill Notepad");
    EXPECT_EQ(std::vector<std::string>(h.ui.captions.begin() + 1, h.ui.captions.end()), c.texts);
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
    EXPECT_EQ(h.os.IsRunning(pid), !c.result || has(kReused));
    EXPECT_EQ(h.os.OpenHandleCount(), 0);
}

const std::string kClean = "'Notepad' was killed cleanly.", kTerminated = "'Notepad' was terminated.";
const std::string kProblem = "Problem killing 'Notepad'", kGone = "'Notepad' couldn't be killed.  It wasn't running.";
const std::string kAsked = "C0@0 Q0@1000 E0@1000", kAsked2 = "Q0@2000 E0@2000 Q2@2000 E2@2000";
std::string DidntClose(const char* seconds) {
    return "'Notepad' didn't close after waiting " + std::string(seconds) + " seconds.";
}

const std::string kUnauthorized = "Unable to kill 'Notepad'.  Reason: Not authorized or Non-existent process";

const Case kCases[] = {
    {"Cooperative", kNone, "x", 10, true, true, 150, {kClean}, "C0@0"},
    {"PopupsFirst", kNone, "sps", 1, true, true, 5000, {kTerminated}, "C1@0 C0@1000 C2@1000 " + kAsked2},
    {"QuitsAtLogoffOnly", kNone, "l", 10, false, true, 1000, {kClean}, kAsked},
    {"StubbornForced", kNone, "s", 10, true, true, 13000, {kTerminated}, kAsked},
    {"PopupAgainAtForce", kNone, "sP", 0, true, true, 4000, {kTerminated}, "C1@0 C0@1000 Q0@2000 E0@2000 C1@4000"},
    {"TerminationRefused", kNoTerminate, "s", 1, true, false, 4000, {kProblem}, kAsked},
    {"ZeroWaitTooShort", kNone, "L", 0, false, false, 3000, {DidntClose(" 0")}, kAsked},
    {"NegativeWait", kNone, "s", -5, false, false, 3000, {DidntClose("-5")}, kAsked},
    {"HugeWaitClamped", kNone, "s", INT_MAX, true, true, 3000u + 0x7FFFFFFEu, {kTerminated}, kAsked},
    {"WaitFails", kWaitFails, "s", 10, true, false, 3000, {"Unable to kill 'Notepad'.  Reason: Err# 6"}, kAsked},
    {"WindowlessUnkillable", kNoTerminate, "", 2, true, false, 2000, {kProblem, kProblem}, ""},
    {"HiddenOnlyWaitedNotAsked", kNone, "h", 4, false, false, 4000, {DidntClose(" 4")}, ""},
    {"NeverAsked", kNone, "sSztd", 0, true, true, 3000, {kTerminated}, "C0@0 C2@0 Q0@1000 E0@1000 Q2@1000 E2@1000"},
    // A late answer to the end-of-session query is taken from the program's own wait.
    {"NoAnswerWithinItsWait", kNone, "n", 5, true, true, 6000, {kTerminated}, "C0@0 Q0@1000"},
    {"LateAnswerWithinItsWait", kNone, "a", 5, true, true, 8000, {kTerminated}, "C0@0 Q0@1000 E0@4000"},
    // What has ended by its turn (often by closing another program) is done.
    {"Ended", kEnded, "x", 10, true, true, 0, {kGone}, ""},
    {"IdReusedByAnotherProgram", kReused, "", 10, true, true, 0, {kGone}, ""},
    {"AccessDenied", kDenied, "x", 10, true, false, 0, {kUnauthorized}, ""},
    // A windowless process is ended at once, even unforced; its path may come in several forms.
    {"WindowlessUnforced", kNone, "", 0, false, true, 0, {kClean}, ""},
    {"PathInOtherLetters", kUpper, "", 10, true, true, 0, {kClean}, ""},
    {"BareName", kBare, "", 10, true, true, 0, {kClean}, ""}};
INSTANTIATE_TEST_SUITE_P(Programs, KillMe, ::testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace qx
