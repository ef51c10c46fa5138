#include "win32/cWin32ProcessWindowServices.h"

#include "integration/cTargetProcess.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/WindowHandle.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(Win32Windows, EnumerationSeesEveryKindWithStyleClassOwnerVisibilityAndTitle) {
    struct Kind {
        const char* title;
        std::uint32_t style;   // of visible, popup and disabled
        bool tool, visible;
        const char* owner;     // also the parent a popup reports
    };
    const Kind kinds[] = {{"Main W", kWsVisible, false, true, nullptr},
                          {"Popup W", kWsVisible | kWsPopup, false, true, nullptr},
                          {"Tool W", kWsVisible, true, true, nullptr},
                          {"Hidden W", 0, false, false, nullptr},
                          {"Disabled W", kWsVisible | kWsDisabled, false, true, nullptr},
                          {"Owned W", kWsVisible | kWsPopup, false, true, "Main W"}};
    cTargetProcess t({"--class", "QxKindsWnd", "--window", "main:Main W", "--window", "popup:Popup W", "--window",
                      "tool:Tool W", "--window", "hidden:Hidden W", "--window", "disabled:Disabled W", "--window",
                      "owned:Owned W"});
    ASSERT_TRUE(t.Ready());
    cWin32ProcessWindowServices os;
    std::map<std::string, WindowHandle> byTitle;
    for (WindowHandle w : WindowsOf(os, t.Pid())) {
        const std::string cls = os.GetClassName(w);
        if (cls == "IME") continue; // the system's input-method window of every GUI thread
        EXPECT_EQ(cls, "QxKindsWnd");
        byTitle[os.GetWindowText(w)] = w;
    }
    ASSERT_EQ(byTitle.size(), 6u);
    for (const Kind& k : kinds) {
        const WindowHandle w = byTitle.at(k.title);
        const WindowHandle owner = k.owner != nullptr ? byTitle.at(k.owner) : 0;
        EXPECT_EQ(os.GetWindowLong(w, kGwlStyle) & (kWsVisible | kWsPopup | kWsDisabled), k.style) << k.title;
        EXPECT_EQ((os.GetWindowLong(w, kGwlExStyle) & kWsExToolWindow) != 0, k.tool) << k.title;
        EXPECT_EQ(os.IsWindowVisible(w), k.visible) << k.title;
        EXPECT_EQ(os.GetOwner(w), owner) << k.title;
        EXPECT_EQ(os.GetParent(w), owner) << k.title;
    }
}

TEST(Win32Windows, EnumerationStopsWhenTheCallbackSaysSoOrThrows) {
    cWin32ProcessWindowServices os;
    int calls = 0;
    EXPECT_FALSE(os.EnumWindows([&](WindowHandle) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
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

TEST(Win32Messages, PostedAndSentMessagesReachTheTargetWithTheirParameters) {
    const test::cTempPath record("record");
    cTargetProcess s({"--title", "Sess", "--endsession-only", "--record", record});
    ASSERT_TRUE(s.Ready());
    cWin32ProcessWindowServices os;
    const WindowHandle w = s.Windows()[0];
    os.PostMessage(w, 1435, 0x1234, -1);
    for (int i = 0; i < 300 && record.Contents().empty(); ++i) Sleep(10); // before the sent one overtakes it
    std::uintptr_t reply = 77;
    ASSERT_TRUE(os.SendMessageTimeout(w, kWmQueryEndSession, 0, kEndSessionLogoff, kSmtoAbortIfHung,
                                      kQueryEndSessionTimeoutMs, reply));
    EXPECT_EQ(reply, 1u);
    EXPECT_TRUE(s.Running());
    os.PostMessage(w, kWmEndSession, reply, kEndSessionLogoff);
    EXPECT_TRUE(s.WaitForExit(5000));
    EXPECT_EQ(record.Contents(), "1435 0x1234 0xFFFFFFFFFFFFFFFF Sess\r\n"
                                 "WM_QUERYENDSESSION 0x0 0x80000000 Sess\r\n"
                                 "WM_ENDSESSION 0x1 0x80000000 Sess\r\n");
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
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_EQ(os.WaitForSingleObject(p, 0), kWaitObject0);
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

TEST(Win32Processes, AProcessIsIdentifiedListedInBothSnapshotsAndTerminated) {
    cWin32ProcessWindowServices os;
    const std::uint64_t before = os.GetSystemTimeAsFileTime();
    cTargetProcess t({"--window", "none"});
    ASSERT_TRUE(t.Ready());
    const std::uint64_t after = os.GetSystemTimeAsFileTime();
    EXPECT_TRUE(WindowsOf(os, t.Pid()).empty());
    const ProcessHandle killable = os.OpenProcess(kKillAccess, t.Pid());
    ASSERT_NE(killable, 0u);
    std::string path;
    ASSERT_TRUE(os.QueryProcessImagePath(killable, path));
    EXPECT_EQ(Lower(path), Lower(cTargetProcess::ExePath()));
    std::uint64_t created = 0;
    ASSERT_TRUE(os.QueryProcessCreationTime(killable, created));
    // FILETIME ticks are 100 ns; allow for a coarse system clock.
    EXPECT_GE(created + 20 * 10000, before);
    EXPECT_LE(created, after + 20 * 10000);

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
    std::string modulePath;
    ASSERT_TRUE(os.GetMainModulePath(p, modulePath));
    EXPECT_EQ(Lower(modulePath), Lower(cTargetProcess::ExePath()));
    os.CloseHandle(p);

    ASSERT_TRUE(os.TerminateProcess(killable, 0));
    EXPECT_EQ(os.WaitForSingleObject(killable, 5000), kWaitObject0);
    EXPECT_EQ(t.ExitCode(), 0u);
    os.CloseHandle(killable);
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
