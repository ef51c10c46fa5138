#include "win32/cWin32ProcessWindowServices.h"

#include "integration/cTargetProcess.h"
#include "integration/cTempPath.h"
#include "win32/WinApi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace qx::win32 {
namespace {

using test::cTargetProcess;

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

TEST(Win32Windows, EnumerationSeesEveryKindWithItsStyleOwnerAndWideTitle) {
    struct Kind {
        std::string window, title; // the target's --window; the title read back
        std::uint32_t style;       // of visible, popup and disabled
        bool tool;
        int owner; // index of the owner, which a popup also reports as its parent; -1 for none
    };
    const std::string longTitle(300, 'x');
    const Kind kinds[] = {{"main:Caf\xC3\xA9 \xE2\x9C\x93", "Caf\xC3\xA9 \xE2\x9C\x93", kWsVisible, false, -1},
                          {"popup:Popup", "Popup", kWsVisible | kWsPopup, false, -1},
                          {"tool:" + longTitle, std::string(254, 'x'), kWsVisible, true, -1},
                          {"hidden:Hidden", "Hidden", 0, false, -1},
                          {"disabled:Disabled", "Disabled", kWsVisible | kWsDisabled, false, -1},
                          {"owned:Owned", "Owned", kWsVisible | kWsPopup, false, 0}};
    std::vector<std::string> args;
    for (const Kind& k : kinds) args.insert(args.end(), {"--window", k.window});
    cTargetProcess t(args);
    ASSERT_TRUE(t.Ready());
    cWin32ProcessWindowServices os;
    std::set<WindowHandle> seen;
    os.EnumWindows([&](WindowHandle w) {
        // Every GUI thread also has the system's input-method window.
        if (os.GetWindowThreadProcessId(w) == t.Pid() && os.GetClassName(w) != "IME") seen.insert(w);
        return true;
    });
    EXPECT_EQ(seen, std::set<WindowHandle>(t.Windows().begin(), t.Windows().end()));
    for (std::size_t i = 0; i < std::size(kinds); ++i) {
        const Kind& k = kinds[i];
        const WindowHandle w = t.Windows().at(i), owner = k.owner < 0 ? 0 : t.Windows().at(k.owner);
        EXPECT_EQ(os.GetClassName(w), "QxTargetWnd");
        EXPECT_EQ(os.GetWindowText(w), k.title);
        EXPECT_EQ(os.GetWindowLong(w, kGwlStyle) & (kWsVisible | kWsPopup | kWsDisabled), k.style) << k.title;
        EXPECT_EQ((os.GetWindowLong(w, kGwlExStyle) & kWsExToolWindow) != 0, k.tool) << k.title;
        EXPECT_EQ(os.IsWindowVisible(w), (k.style & kWsVisible) != 0) << k.title;
        EXPECT_EQ(os.GetOwner(w), owner) << k.title;
        EXPECT_EQ(os.GetParent(w), owner) << k.title;
    }
    EXPECT_EQ(os.GetWindowText(0) + os.GetClassName(0), "");
    EXPECT_EQ(os.GetWindowThreadProcessId(0), 0u);
    // The walk ends when the callback says so, or throws.
    int calls = 0;
    EXPECT_FALSE(os.EnumWindows([&](WindowHandle) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(os.EnumWindows([](WindowHandle) -> bool { throw 1; }));
}

TEST(Win32Messages, PostedAndSentMessagesReachTheTargetWithTheirParameters) {
    const test::cTempPath record("record");
    cTargetProcess s({"--title", "Sess", "--on-close", "ignore", "--record", record});
    ASSERT_TRUE(s.Ready());
    cWin32ProcessWindowServices os;
    const WindowHandle w = s.Windows()[0];
    os.PostMessage(w, 1435, 0x1234, -1);
    for (int i = 0; i < 300 && record.Contents().empty(); ++i) Sleep(10); // before the sent one overtakes it
    std::uintptr_t reply = 77;
    ASSERT_TRUE(os.SendMessageTimeout(w, kWmQueryEndSession, 0, kEndSessionLogoff, kSmtoAbortIfHung,
                                      kQueryEndSessionTimeoutMs, reply));
    EXPECT_EQ(reply, 1u);
    os.PostMessage(w, kWmEndSession, reply, kEndSessionLogoff);
    EXPECT_TRUE(s.WaitForExit(5000));
    EXPECT_EQ(record.Contents(), "1435 0x1234 0xFFFFFFFFFFFFFFFF Sess\r\n"
                                 "WM_QUERYENDSESSION 0x0 0x80000000 Sess\r\n"
                                 "WM_ENDSESSION 0x1 0x80000000 Sess\r\n");
}

// What each process-service path makes of these calls is seen by the inventory under each version.
TEST(Win32Processes, AProcessIsIdentifiedOwnedWaitedForAndTerminated) {
    cWin32ProcessWindowServices os;
    const std::uint64_t before = os.GetSystemTimeAsFileTime();
    cTargetProcess t({"--window", "none"});
    ASSERT_TRUE(t.Ready());
    const std::uint64_t after = os.GetSystemTimeAsFileTime();
    const ProcessHandle p = os.OpenProcess(kKillAccess | kInspectAccess, t.Pid());
    std::string path, modulePath;
    std::uint64_t created = 0;
    bool critical = true;
    ProcessOwner self, owner;
    EXPECT_FALSE(os.IsProcessCritical(p, critical) && critical); // when the system can tell at all
    ASSERT_TRUE(os.QueryProcessImagePath(p, path) && os.GetMainModulePath(p, modulePath) &&
                os.QueryProcessCreationTime(p, created) && os.QueryProcessOwner(p, owner) &&
                os.QueryCurrentProcessOwner(self));
    EXPECT_EQ(Lower(path) + " " + Lower(modulePath), Lower(t.ExePath() + " " + t.ExePath()));
    // FILETIME ticks are 100 ns; allow for a coarse system clock.
    EXPECT_GE(created + 20 * 10000, before);
    EXPECT_LE(created, after + 20 * 10000);
    EXPECT_EQ(owner, self);
    EXPECT_EQ(self.userSid.rfind("S-1-5-", 0), 0u) << self.userSid;
    EXPECT_EQ(os.WaitForSingleObject(p, 50), kWaitTimeout);
    ASSERT_TRUE(os.TerminateProcess(p, 0));
    EXPECT_EQ(os.WaitForSingleObject(p, 5000), kWaitObject0);
    os.CloseHandle(p);
}

TEST(Win32Processes, FailuresKeepTheLastErrorOfTheFailedCall) {
    cWin32ProcessWindowServices os;
    bool critical = true;
    EXPECT_EQ(os.OpenProcess(kKillAccess, 0), 0u);
    SetLastError(0); // unrelated later activity must not change what was kept
    EXPECT_EQ(os.GetLastError(), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(os.WaitForSingleObject(0, 0), kWaitFailed);
    EXPECT_EQ(os.GetLastError(), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(os.TerminateProcess(0, 0));
    EXPECT_NE(os.GetLastError(), 0u);
    EXPECT_FALSE(os.IsProcessCritical(0, critical)); // no handle gives no answer
    EXPECT_TRUE(critical);
}

TEST(Win32Pump, InputWakesTheWaitDispatchingDrainsItAndAQuitIsLeftForTheMainLoop) {
    cWin32ProcessWindowServices os;
    cTargetProcess t({"--window", "none"});
    ASSERT_TRUE(t.Ready());
    MSG m;
    os.DispatchPendingMessages();
    DWORD start = GetTickCount();
    EXPECT_EQ(os.MsgWaitForProcessOrInput(t.Handle(), 60), kWaitTimeout);
    EXPECT_GE(GetTickCount() - start, 40u);
    PostThreadMessageW(GetCurrentThreadId(), WM_USER + 7, 0, 0);
    PostThreadMessageW(GetCurrentThreadId(), WM_USER + 7, 0, 0);
    start = GetTickCount();
    EXPECT_EQ(os.MsgWaitForProcessOrInput(t.Handle(), 5000), kWaitInput); // input, not the process
    EXPECT_LT(GetTickCount() - start, 500u);
    os.DispatchPendingMessages();
    EXPECT_FALSE(PeekMessageW(&m, nullptr, WM_USER + 7, WM_USER + 7, PM_NOREMOVE));
    t.Terminate();
    EXPECT_EQ(os.MsgWaitForProcessOrInput(t.Handle(), 5000), kWaitObject0);

    // After a quit request a pause waits out its time instead of waking at
    // once over and over (messages sent by other threads may still wake it).
    PostQuitMessage(3);
    os.DispatchPendingMessages();
    start = GetTickCount();
    int wakes = 0;
    while (GetTickCount() - start < 100 && wakes < 1000) {
        wakes += os.MsgWaitForProcessOrInput(0, 100 - (GetTickCount() - start)) == kWaitInput;
        os.DispatchPendingMessages();
    }
    EXPECT_LT(wakes, 10);
    ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(m.wParam, 3u);
}

} // namespace
} // namespace qx::win32
