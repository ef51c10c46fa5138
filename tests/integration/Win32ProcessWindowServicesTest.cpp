#include "win32/cWin32ProcessWindowServices.h"

#include "integration/cTargetProcess.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/WindowHandle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

namespace qx::win32 {
namespace {

using test::cTargetProcess;

std::vector<WindowHandle> WindowsOf(cWin32ProcessWindowServices& os, std::uint32_t pid) {
    std::vector<WindowHandle> found;
    os.EnumWindows([&](WindowHandle w) {
        if (os.GetWindowThreadProcessId(w) == pid) found.push_back(w);
        return true;
    });
    return found;
}

// Waits for the process alone: input for this thread is dispatched on the way.
std::uint32_t WaitForProcess(cWin32ProcessWindowServices& os, ProcessHandle p, std::uint32_t ms) {
    const DWORD end = GetTickCount() + ms;
    for (;;) {
        const auto left = static_cast<std::int32_t>(end - GetTickCount());
        const std::uint32_t r = os.MsgWaitForProcessOrInput(p, left > 0 ? static_cast<std::uint32_t>(left) : 0);
        if (r != kWaitInput) return r;
        os.DispatchPendingMessages();
    }
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

TEST(Win32WindowHandle, TruncatesAndSignExtends) {
    EXPECT_EQ(ToWindowHandle(reinterpret_cast<HWND>(std::uintptr_t{0x0001002A})), 0x0001002Au);
    const HWND high = ToHwnd(0xFFFF1234u);
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(high), static_cast<std::intptr_t>(std::int32_t(0xFFFF1234u)));
    EXPECT_EQ(ToWindowHandle(high), 0xFFFF1234u);
}

TEST(Win32Windows, EnumerationSeesEveryKindWithStyleClassOwnerVisibilityAndTitle) {
    cTargetProcess t({"--class", "QxKindsWnd", "--window", "main:Main W", "--window", "popup:Popup W", "--window",
                      "tool:Tool W", "--window", "hidden:Hidden W", "--window", "disabled:Disabled W", "--window",
                      "owned:Owned W"});
    ASSERT_TRUE(t.Ready());
    ASSERT_EQ(t.Windows().size(), 6u);
    cWin32ProcessWindowServices os;
    const auto found = WindowsOf(os, t.Pid());
    for (WindowHandle w : t.Windows())
        EXPECT_NE(std::find(found.begin(), found.end(), w), found.end()) << w;

    std::map<std::string, WindowHandle> byTitle;
    for (WindowHandle w : found) {
        const std::string cls = os.GetClassName(w);
        if (cls == "IME") { // the system's input-method window of every GUI thread: hidden and owned
            EXPECT_FALSE(os.IsWindowVisible(w));
            continue;
        }
        EXPECT_EQ(cls, "QxKindsWnd");
        byTitle[os.GetWindowText(w)] = w;
    }
    ASSERT_EQ(byTitle.size(), 6u);
    const auto style = [&](const char* title) { return os.GetWindowLong(byTitle.at(title), kGwlStyle); };
    const auto exStyle = [&](const char* title) { return os.GetWindowLong(byTitle.at(title), kGwlExStyle); };

    EXPECT_TRUE(style("Main W") & kWsVisible);
    EXPECT_FALSE(style("Main W") & kWsPopup);
    EXPECT_FALSE(exStyle("Main W") & kWsExToolWindow);
    EXPECT_TRUE(style("Popup W") & kWsPopup);
    EXPECT_TRUE(exStyle("Tool W") & kWsExToolWindow);
    EXPECT_FALSE(style("Hidden W") & kWsVisible);
    EXPECT_FALSE(os.IsWindowVisible(byTitle.at("Hidden W")));
    EXPECT_TRUE(os.IsWindowVisible(byTitle.at("Main W")));
    EXPECT_TRUE(style("Disabled W") & kWsDisabled);
    EXPECT_FALSE(style("Main W") & kWsDisabled);

    EXPECT_EQ(os.GetOwner(byTitle.at("Owned W")), byTitle.at("Main W"));
    EXPECT_EQ(os.GetOwner(byTitle.at("Popup W")), 0u);
    EXPECT_EQ(os.GetOwner(byTitle.at("Main W")), 0u);
    // For a popup the platform reports the owner as its parent too.
    EXPECT_EQ(os.GetParent(byTitle.at("Owned W")), byTitle.at("Main W"));
    EXPECT_EQ(os.GetParent(byTitle.at("Popup W")), 0u);
    EXPECT_EQ(os.GetParent(byTitle.at("Main W")), 0u);
}

TEST(Win32Windows, EnumerationStopsWhenTheCallbackSaysSo) {
    cWin32ProcessWindowServices os;
    int calls = 0;
    EXPECT_FALSE(os.EnumWindows([&](WindowHandle) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
    int all = 0;
    EXPECT_TRUE(os.EnumWindows([&](WindowHandle) { return ++all > 0; }));
    EXPECT_GT(all, calls);
}

TEST(Win32Windows, AnExceptionInTheCallbackStopsTheEnumerationInsteadOfEscaping) {
    cWin32ProcessWindowServices os;
    bool ran = true;
    EXPECT_NO_THROW(ran = os.EnumWindows([](WindowHandle) -> bool { throw 1; }));
    EXPECT_FALSE(ran);
}

TEST(Win32Windows, TitlesAreWideTextAndCutAt254Characters) {
    const std::string longTitle(300, 'x');
    cTargetProcess t({"--window", "main:Caf\xC3\xA9 \xE2\x9C\x93", "--window", "main:" + longTitle});
    ASSERT_TRUE(t.Ready());
    cWin32ProcessWindowServices os;
    EXPECT_EQ(os.GetWindowText(t.Windows()[0]), "Caf\xC3\xA9 \xE2\x9C\x93");
    EXPECT_EQ(os.GetWindowText(t.Windows()[1]), std::string(254, 'x'));
    EXPECT_EQ(os.GetWindowText(0), "");
    EXPECT_EQ(os.GetClassName(0), "");
    EXPECT_EQ(os.GetWindowThreadProcessId(0), 0u);
}

TEST(Win32Messages, PostedCloseEndsACooperativeTargetAndIsRecorded) {
    const test::cTempPath record("record");
    cTargetProcess r({"--title", "Coop", "--record", record});
    ASSERT_TRUE(r.Ready());
    cWin32ProcessWindowServices os;
    os.PostMessage(r.Windows()[0], kWmClose, 0, 0);
    EXPECT_TRUE(r.WaitForExit(5000));
    EXPECT_EQ(record.Contents(), "WM_CLOSE 0x0 0x0 Coop\r\n");
}

TEST(Win32Messages, EndSessionOnlyTargetIgnoresCloseAndEndsOnTheSessionPair) {
    const test::cTempPath record("record");
    cTargetProcess s({"--title", "Sess", "--endsession-only", "--record", record});
    ASSERT_TRUE(s.Ready());
    cWin32ProcessWindowServices os;
    const WindowHandle w = s.Windows()[0];
    os.PostMessage(w, kWmClose, 0, 0);
    EXPECT_FALSE(s.WaitForExit(300));
    std::uintptr_t reply = 77;
    ASSERT_TRUE(os.SendMessageTimeout(w, kWmQueryEndSession, 0, kEndSessionLogoff, kSmtoAbortIfHung,
                                      kQueryEndSessionTimeoutMs, reply));
    EXPECT_EQ(reply, 1u);
    EXPECT_TRUE(s.Running());
    os.PostMessage(w, kWmEndSession, reply, kEndSessionLogoff);
    EXPECT_TRUE(s.WaitForExit(5000));
    EXPECT_EQ(record.Contents(), "WM_CLOSE 0x0 0x0 Sess\r\n"
                                 "WM_QUERYENDSESSION 0x0 0x80000000 Sess\r\n"
                                 "WM_ENDSESSION 0x1 0x80000000 Sess\r\n");
}

TEST(Win32Messages, UserMessagesAreRecordedWithTheirParameters) {
    const test::cTempPath record("record");
    cTargetProcess c({"--window", "hidden:Companion", "--record", record});
    ASSERT_TRUE(c.Ready());
    cWin32ProcessWindowServices os;
    os.PostMessage(c.Windows()[0], 1435, 0x1234, 0);
    os.PostMessage(c.Windows()[0], 1434, 0, -1);
    const std::string expected = "1435 0x1234 0x0 Companion\r\n"
                                 "1434 0x0 0xFFFFFFFFFFFFFFFF Companion\r\n";
    for (int i = 0; i < 200 && record.Contents().size() < expected.size(); ++i)
        Sleep(10);
    EXPECT_EQ(record.Contents(), expected);
}

TEST(Win32Messages, TargetsThatIgnoreOrDelayTheClose) {
    cWin32ProcessWindowServices os;
    cTargetProcess ignoring({"--on-close", "ignore"});
    cTargetProcess delayed({"--on-close", "delay:700"});
    ASSERT_TRUE(ignoring.Ready());
    ASSERT_TRUE(delayed.Ready());
    os.PostMessage(ignoring.Windows()[0], kWmClose, 0, 0);
    os.PostMessage(delayed.Windows()[0], kWmClose, 0, 0);
    const DWORD start = GetTickCount();
    EXPECT_FALSE(delayed.WaitForExit(400));
    EXPECT_TRUE(delayed.WaitForExit(5000));
    EXPECT_GE(GetTickCount() - start, 650u);
    EXPECT_TRUE(ignoring.Running());
    // An ignored close leaves the window responsive.
    std::uintptr_t reply = 0;
    EXPECT_TRUE(os.SendMessageTimeout(ignoring.Windows()[0], kWmQueryEndSession, 0, kEndSessionLogoff, kSmtoAbortIfHung,
                                      5000, reply));
}

TEST(Win32Processes, HiddenOnlyAndShortLivedTargets) {
    cWin32ProcessWindowServices os;
    cTargetProcess hidden({"--window", "hidden:H1", "--window", "hidden:H2"});
    ASSERT_TRUE(hidden.Ready());
    int visible = 0, ours = 0;
    for (WindowHandle w : WindowsOf(os, hidden.Pid())) {
        ++ours;
        visible += os.IsWindowVisible(w) ? 1 : 0;
    }
    EXPECT_EQ(visible, 0);
    EXPECT_GE(ours, 2);

    cTargetProcess brief({"--window", "none", "--exit-after", "200"});
    ASSERT_TRUE(brief.Ready());
    EXPECT_TRUE(brief.Running());
    EXPECT_TRUE(brief.WaitForExit(5000));
    EXPECT_EQ(brief.ExitCode(), 0u);
}

TEST(Win32Messages, SendToAHungTargetReturnsAtOnceWithAbortIfHung) {
    cTargetProcess h({"--title", "Hung", "--on-close", "hang"});
    ASSERT_TRUE(h.Ready());
    cWin32ProcessWindowServices os;
    const WindowHandle w = h.Windows()[0];
    os.PostMessage(w, kWmClose, 0, 0);
    // A window counts as hung once its thread has not looked at its queue for 5 s.
    Sleep(5500);
    std::uintptr_t reply = 0;
    const DWORD start = GetTickCount();
    EXPECT_FALSE(os.SendMessageTimeout(w, kWmQueryEndSession, 0, kEndSessionLogoff, kSmtoAbortIfHung,
                                       kQueryEndSessionTimeoutMs, reply));
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_TRUE(h.Running());
}

// The hung test is made only when the call starts: a window that stopped
// answering less than 5 s ago holds the caller for the whole time-out.
TEST(Win32Messages, AWindowHungOnlyMomentsAgoHoldsTheSenderForTheTimeout) {
    cTargetProcess h({"--title", "Fresh", "--hang-after", "0"});
    ASSERT_TRUE(h.Ready());
    cWin32ProcessWindowServices os;
    std::uintptr_t reply = 0;
    const DWORD start = GetTickCount();
    EXPECT_FALSE(
        os.SendMessageTimeout(h.Windows()[0], kWmQueryEndSession, 0, kEndSessionLogoff, kSmtoAbortIfHung, 1500, reply));
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 1400u);
    EXPECT_LT(elapsed, 4000u);
}

TEST(Win32Processes, WaitsEndPromptlyWhenTheTargetExits) {
    cWin32ProcessWindowServices os;
    cTargetProcess t({"--title", "Quick"});
    ASSERT_TRUE(t.Ready());
    const ProcessHandle p = os.OpenProcess(kKillAccess, t.Pid());
    ASSERT_NE(p, 0u);
    EXPECT_EQ(os.WaitForSingleObject(p, 50), kWaitTimeout);
    EXPECT_EQ(WaitForProcess(os, p, 50), kWaitTimeout);
    os.PostMessage(t.Windows()[0], kWmClose, 0, 0);
    const DWORD start = GetTickCount();
    EXPECT_EQ(WaitForProcess(os, p, 10000), kWaitObject0);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_LT(elapsed, 1000u);
    std::printf("[ figure   ] WM_CLOSE posted to process-handle wake-up: %lu ms\n", elapsed);
    EXPECT_EQ(os.WaitForSingleObject(p, 0), kWaitObject0);
    os.CloseHandle(p);
}

TEST(Win32Processes, TerminateEndsTheTargetAndTheWaitSeesIt) {
    cWin32ProcessWindowServices os;
    cTargetProcess t({"--window", "none"});
    ASSERT_TRUE(t.Ready());
    EXPECT_TRUE(t.Windows().empty());
    EXPECT_TRUE(WindowsOf(os, t.Pid()).empty());
    const ProcessHandle p = os.OpenProcess(kKillAccess, t.Pid());
    ASSERT_NE(p, 0u);
    ASSERT_TRUE(os.TerminateProcess(p, 0));
    EXPECT_EQ(os.WaitForSingleObject(p, 5000), kWaitObject0);
    EXPECT_EQ(t.ExitCode(), 0u);
    os.CloseHandle(p);
}

TEST(Win32Processes, FailuresKeepTheLastErrorOfTheFailedCall) {
    cWin32ProcessWindowServices os;
    EXPECT_EQ(os.OpenProcess(kKillAccess, 0), 0u);
    const std::uint32_t openError = os.GetLastError();
    EXPECT_EQ(openError, static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
    SetLastError(0); // unrelated later activity must not change what was kept
    EXPECT_EQ(os.GetLastError(), openError);
    EXPECT_EQ(os.WaitForSingleObject(0, 0), kWaitFailed);
    EXPECT_EQ(os.GetLastError(), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(os.TerminateProcess(0, 0));
    EXPECT_NE(os.GetLastError(), 0u);
}

// Wine keeps an ended process openable for about half a second after the
// last handle closed (already signalled; TerminateProcess even succeeds on it).
TEST(Win32Processes, AnEndedProcessSoonCannotBeOpenedAgain) {
    cWin32ProcessWindowServices os;
    std::uint32_t pid = 0;
    {
        cTargetProcess t({"--window", "none"});
        ASSERT_TRUE(t.Ready());
        pid = t.Pid();
    }
    int ms = 0;
    for (; ms < 5000; ms += 10) {
        const ProcessHandle p = os.OpenProcess(kKillAccess, pid);
        if (!p) break;
        EXPECT_EQ(os.WaitForSingleObject(p, 0), kWaitObject0);
        os.CloseHandle(p);
        Sleep(10);
    }
    std::printf("[ figure   ] ended process still openable for %d ms\n", ms);
    EXPECT_EQ(os.OpenProcess(kKillAccess, pid), 0u);
    EXPECT_EQ(os.GetLastError(), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
}

TEST(Win32Processes, IdentityOfAnOpenedProcess) {
    cWin32ProcessWindowServices os;
    const std::uint64_t before = os.GetSystemTimeAsFileTime();
    cTargetProcess t({"--window", "none"});
    ASSERT_TRUE(t.Ready());
    const std::uint64_t after = os.GetSystemTimeAsFileTime();
    const ProcessHandle p = os.OpenProcess(kKillAccess, t.Pid());
    ASSERT_NE(p, 0u);
    std::string path;
    ASSERT_TRUE(os.QueryProcessImagePath(p, path));
    EXPECT_EQ(Lower(path), Lower(cTargetProcess::ExePath()));
    std::uint64_t created = 0;
    ASSERT_TRUE(os.QueryProcessCreationTime(p, created));
    // FILETIME ticks are 100 ns; allow for a coarse system clock.
    EXPECT_GE(created + 20 * 10000, before);
    EXPECT_LE(created, after + 20 * 10000);
    os.CloseHandle(p);
}

TEST(Win32Processes, BothSnapshotsListTheTarget) {
    cWin32ProcessWindowServices os;
    cTargetProcess t({"--window", "none"});
    ASSERT_TRUE(t.Ready());

    std::vector<ToolhelpProcess> procs;
    ASSERT_TRUE(os.ToolhelpSnapshot(procs));
    const auto it = std::find_if(procs.begin(), procs.end(), [&](const auto& p) { return p.processId == t.Pid(); });
    ASSERT_NE(it, procs.end());
    // Tool-help names only the file on the NT family (Wine included).
    EXPECT_EQ(Lower(it->exeFile), "qxtarget.exe");
    EXPECT_TRUE(std::any_of(procs.begin(), procs.end(),
                            [&](const auto& p) { return p.processId == os.GetCurrentProcessId(); }));

    // The growing-buffer protocol: a small buffer comes back full.
    std::vector<std::uint32_t> ids;
    std::uint32_t bytes = 0;
    ASSERT_TRUE(os.EnumProcesses(ids, 16, bytes));
    EXPECT_EQ(ids.size(), 4u);
    EXPECT_EQ(bytes, 16u);
    ASSERT_TRUE(os.EnumProcesses(ids, 4096, bytes));
    ASSERT_LT(bytes, 4096u);
    ids.resize(bytes / 4);
    EXPECT_NE(std::find(ids.begin(), ids.end(), t.Pid()), ids.end());

    const ProcessHandle p = os.OpenProcess(kInspectAccess, t.Pid());
    ASSERT_NE(p, 0u);
    std::string path;
    ASSERT_TRUE(os.GetMainModulePath(p, path));
    EXPECT_EQ(Lower(path), Lower(cTargetProcess::ExePath()));
    std::printf("[ fact     ] tool-help names '%s', the module list '%s'\n", it->exeFile.c_str(), path.c_str());
    os.CloseHandle(p);
}

// A window of this thread, to see what the pump dispatches.
struct CountingWindow {
    static inline int received = 0;
    HWND hwnd = nullptr;
    CountingWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            if (m == WM_USER + 7) ++received;
            return DefWindowProcW(w, m, wp, lp);
        };
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QxCountingWnd";
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(0, L"QxCountingWnd", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }
    ~CountingWindow() { DestroyWindow(hwnd); }
};

TEST(Win32Pump, InputWakesTheWaitAndDispatchingDrainsTheQueue) {
    cWin32ProcessWindowServices os;
    CountingWindow cw;
    ASSERT_NE(cw.hwnd, nullptr);
    os.DispatchPendingMessages();
    CountingWindow::received = 0;

    DWORD start = GetTickCount();
    EXPECT_EQ(os.MsgWaitForProcessOrInput(0, 60), kWaitTimeout);
    EXPECT_GE(GetTickCount() - start, 40u);

    PostMessageW(cw.hwnd, WM_USER + 7, 0, 0);
    PostMessageW(cw.hwnd, WM_USER + 7, 0, 0);
    start = GetTickCount();
    EXPECT_EQ(os.MsgWaitForProcessOrInput(0, 5000), kWaitInput);
    EXPECT_LT(GetTickCount() - start, 500u);
    os.DispatchPendingMessages();
    EXPECT_EQ(CountingWindow::received, 2);
    EXPECT_EQ(os.MsgWaitForProcessOrInput(0, 0), kWaitTimeout);

    // With a process handle, input is reported as such and not as the process.
    cTargetProcess t({"--window", "none"});
    ASSERT_TRUE(t.Ready());
    PostMessageW(cw.hwnd, WM_USER + 7, 0, 0);
    EXPECT_EQ(os.MsgWaitForProcessOrInput(t.Handle(), 5000), kWaitInput);
    os.DispatchPendingMessages();
    EXPECT_EQ(CountingWindow::received, 3);
}

TEST(Win32Processes, OwnersAndServiceHostsAsKillAllAsks) {
    cWin32ProcessWindowServices os;
    cTargetProcess t({"--window", "none"});
    ASSERT_TRUE(t.Ready());
    ProcessOwner self, target;
    ASSERT_TRUE(os.QueryCurrentProcessOwner(self));
    EXPECT_EQ(self.userSid.rfind("S-1-5-", 0), 0u) << self.userSid;
    const ProcessHandle h = os.OpenProcess(kProcessQueryLimitedInformation, t.Pid());
    ASSERT_NE(h, 0u);
    EXPECT_TRUE(os.QueryProcessOwner(h, target));
    os.CloseHandle(h);
    EXPECT_EQ(target, self);

    std::vector<std::uint32_t> services;
    ASSERT_TRUE(os.ServiceProcessIds(services));
    std::vector<ToolhelpProcess> running;
    ASSERT_TRUE(os.ToolhelpSnapshot(running));
    int hosts = 0;
    for (const ToolhelpProcess& p : running) {
        const bool listed = std::find(services.begin(), services.end(), p.processId) != services.end();
        hosts += listed;
        if (Lower(p.exeFile) == "plugplay.exe") {
            EXPECT_TRUE(listed);
        }
        if (p.processId == t.Pid() || p.processId == GetCurrentProcessId()) {
            EXPECT_FALSE(listed);
        }
    }
    EXPECT_GE(hosts, 1);
}

TEST(Win32Pump, AQuitRequestIsLeftForTheMainLoop) {
    cWin32ProcessWindowServices os;
    PostQuitMessage(3);
    os.DispatchPendingMessages();
    // A pause meanwhile waits out its time instead of waking at once over and
    // over (messages sent by other threads may still wake it now and then).
    const DWORD start = GetTickCount();
    int wakes = 0;
    while (GetTickCount() - start < 100 && wakes < 1000) {
        if (os.MsgWaitForProcessOrInput(0, 100 - (GetTickCount() - start)) == kWaitInput) ++wakes;
        os.DispatchPendingMessages();
    }
    EXPECT_LT(wakes, 10);
    MSG m;
    ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(m.wParam, 3u);
}

} // namespace
} // namespace qx::win32
