// Closing real programs through the real ports where no fake can stand in:
// the order in which the passes reach a real program's windows, and the
// companion window published in the real registry.
#include "core/engine/cKillRun.h"
#include "core/settings/cQuellixOptions.h"
#include "core/ui/cBuiltinStringTable.h"
#include "fake/cKillHarness.h"
#include "integration/cTargetProcess.h"
#include "integration/cTempPath.h"
#include "win32/WinApi.h"
#include "win32/cWin32ProcessWindowServices.h"
#include "win32/cWin32Registry.h"
#include "win32/cWin32SystemFacts.h"

#include <gtest/gtest.h>


namespace qx {
namespace {

using test::cTargetProcess;
using test::cTempPath;

class KillRunWine : public ::testing::Test {
protected:
    KillRunWine() {
        inventory.SetOwnProcessID(GetCurrentProcessId());
        cBuiltinStringTable table;
        messages.LoadMessages(table, "C:\\Quellix");
    }
    ~KillRunWine() override { RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kHandlesKey, L"CorvathHwnd"); }

    // The inventory's entry of that process and title, put into the set.
    cApplicationProcs& Add(const cTargetProcess& t, const std::string& title, bool force, std::int32_t wait) {
        inventory.RefreshLists();
        for (const cApplicationProcs& app : inventory.mcApplications()) {
            if (app.ProcessID() == t.Pid() && app.Title() == title) {
                EXPECT_TRUE(set.AddToProgramSet(app, true));
            }
        }
        EXPECT_FALSE(set.AppSet().empty()) << title;
        cApplicationProcs& e = set.AppSet().empty() ? set.AppSet().emplace_back() : set.AppSet().back();
        e.SetForceClose(force);
        e.SetCloseWait(wait);
        e.SetIgnoreTitle(false);
        return e;
    }
    // Posted messages arrive a moment later.
    static std::string Received(const cTempPath& record) {
        for (int i = 0; i < 200 && record.Contents().empty(); ++i) Sleep(10);
        Sleep(50); // and nothing more is coming
        return record.Contents();
    }

    static constexpr const wchar_t* kHandlesKey = L"Software\\Window Handles\\Window Handles";
    win32::cWin32ProcessWindowServices os;
    win32::cWin32SystemFacts facts;
    cOSInfo osInfo{facts};
    fake::cKillRecorder rec;
    cInventory inventory{os, osInfo, rec.log};
    cKillSet set;
    cMessages messages;
    cKillContext kill{os, rec.ui, rec.log, rec.texts};
    win32::cWin32Registry registry;
    cQuellixOptions options{registry, os, "C:\\Quellix"};
    cKillRun run{kill, osInfo, inventory, set, messages, [this](std::uint32_t m) { options.SendFerrowMsg(m); }};
};

TEST_F(KillRunWine, AStubbornProgramGetsEveryPassInOrderThenIsTerminated) {
    const cTempPath record("stubborn");
    const cTargetProcess t({"--title", "Stubborn", "--window", "main", "--window", "popup", "--on-close", "ignore",
                            "--refuse-endsession", "--record", record});
    ASSERT_TRUE(t.Ready());
    EXPECT_TRUE(rec.Kill(os, Add(t, "Stubborn", true, 1)));
    EXPECT_TRUE(t.WaitForExit(2000));
    EXPECT_EQ(rec.ActionTexts().back(), "'Stubborn' was terminated.");
    // Pass 1 (the popup), pass 2 (main), pass 3 (query and end of session),
    // then the popup once more, posted just before the termination: on a busy
    // machine the program may be gone before it reads it.
    const std::string expected = "WM_CLOSE 0x0 0x0 Stubborn (popup 1)\r\n"
                                 "WM_CLOSE 0x0 0x0 Stubborn\r\n"
                                 "WM_QUERYENDSESSION 0x0 0x80000000 Stubborn\r\n"
                                 "WM_ENDSESSION 0x0 0x80000000 Stubborn\r\n";
    const std::string got = Received(record);
    EXPECT_TRUE(got == expected || got == expected + "WM_CLOSE 0x0 0x0 Stubborn (popup 1)\r\n") << got;
}

// A program that ignores every request, with no force and no wait, stops the
// run: the companion hears of it, and the rest of the set is left.
TEST_F(KillRunWine, AHaltedRunIsPostedToThePublishedCompanionWindow) {
    const cTempPath record("companion");
    const cTargetProcess companion({"--window", "hidden:Corvath", "--record", record});
    const cTargetProcess stubborn({"--window", "main:Stubborn", "--on-close", "ignore", "--refuse-endsession"});
    const cTargetProcess later({"--window", "main:Later"});
    ASSERT_TRUE(companion.Ready() && stubborn.Ready() && later.Ready());
    const DWORD published = companion.Windows().at(0);
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kHandlesKey, L"CorvathHwnd", REG_DWORD, &published, 4), 0);
    Add(stubborn, "Stubborn", false, 0).SetStopOnError(true);
    Add(later, "Later", true, 5);
    run.KillCurrentSet();
    EXPECT_EQ(Received(record), "1434 0x0 0x0 Corvath\r\n");
    EXPECT_EQ(rec.ActionTexts(), (std::vector<std::string>{"'Stubborn' didn't close after waiting  0 seconds.",
                                                           "Stopped killing any other programs."}));
    EXPECT_TRUE(stubborn.Running() && later.Running());
}

} // namespace
} // namespace qx
