#include "win32/cWin32ProcessWindowServices.h"

#include "integration/cTargetProcess.h"
#include "win32/WinApi.h"

#include <gtest/gtest.h>

namespace qx::win32 {
namespace {

using test::cTargetProcess;

// The inventory's rows under each version show what the window and process
// calls make of every kind of window; the command line's runs show the
// messages reaching a real program. Here: what those leave out.
TEST(Win32Windows, TitlesAreWideAndCutAt254CharactersAndTheWalkStopsWhenTold) {
    const std::string longTitle(300, 'x');
    cTargetProcess t({"--window", "disabled:Caf\xC3\xA9 \xE2\x9C\x93", "--window", "owned:" + longTitle});
    ASSERT_TRUE(t.Ready());
    cWin32ProcessWindowServices os;
    const WindowHandle first = t.Windows().at(0), owned = t.Windows().at(1);
    EXPECT_EQ(os.GetWindowText(first), "Caf\xC3\xA9 \xE2\x9C\x93");
    EXPECT_EQ(os.GetWindowText(owned), std::string(254, 'x'));
    EXPECT_EQ(os.GetWindowLong(first, kGwlStyle) & (kWsVisible | kWsDisabled), kWsVisible | kWsDisabled);
    EXPECT_EQ(os.GetParent(owned), first); // a popup reports its owner as its parent
    int calls = 0;
    EXPECT_FALSE(os.EnumWindows([&](WindowHandle) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(os.EnumWindows([](WindowHandle) -> bool { throw 1; }));
}

TEST(Win32Processes, OwnerAndEndOfAProcessTheWaitThatInputWakesAndTheLastErrorOfAFailedCall) {
    cWin32ProcessWindowServices os;
    cTargetProcess t({"--window", "none"});
    ASSERT_TRUE(t.Ready());
    const ProcessHandle p = os.OpenProcess(kKillAccess | kInspectAccess, t.Pid());
    bool critical = true;
    ProcessOwner self, owner;
    EXPECT_FALSE(os.IsProcessCritical(p, critical) && critical); // when the system can tell at all
    ASSERT_TRUE(os.QueryProcessOwner(p, owner) && os.QueryCurrentProcessOwner(self));
    EXPECT_EQ(owner, self);
    EXPECT_EQ(self.userSid.rfind("S-1-5-", 0), 0u) << self.userSid;

    // Input wakes the wait for the process, dispatching drains it, and a quit
    // request met on the way is left for the main loop.
    os.DispatchPendingMessages(); // whatever earlier tests left
    EXPECT_EQ(os.MsgWaitForProcessOrInput(p, 60), kWaitTimeout);
    PostThreadMessageW(GetCurrentThreadId(), WM_USER + 7, 0, 0);
    PostThreadMessageW(GetCurrentThreadId(), WM_USER + 7, 0, 0);
    EXPECT_EQ(os.MsgWaitForProcessOrInput(p, 5000), kWaitInput); // input, not the process
    os.DispatchPendingMessages();
    MSG m;
    EXPECT_FALSE(PeekMessageW(&m, nullptr, WM_USER + 7, WM_USER + 7, PM_NOREMOVE));
    PostQuitMessage(3);
    os.DispatchPendingMessages();
    ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(m.wParam, 3u);
    ASSERT_TRUE(os.TerminateProcess(p, 0));
    EXPECT_EQ(os.MsgWaitForProcessOrInput(p, 5000), kWaitObject0);
    os.CloseHandle(p);

    EXPECT_EQ(os.OpenProcess(kKillAccess, 0), 0u);
    SetLastError(0); // unrelated later activity must not change what was kept
    EXPECT_EQ(os.GetLastError(), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(os.WaitForSingleObject(0, 0), kWaitFailed);
    EXPECT_EQ(os.GetLastError(), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(os.IsProcessCritical(0, critical)); // no handle gives no answer
    EXPECT_TRUE(critical);
}

} // namespace
} // namespace qx::win32
