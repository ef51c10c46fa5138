// The kill run over the real inventory: real target programs, the real
// registry for the companion's window handle, and a real companion window
// that records the messages it is posted.
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

#include <algorithm>
#include <memory>

namespace qx {
namespace {

using test::cTargetProcess;
using test::cTempPath;

constexpr const char* kHandlesKey = "Software\\Window Handles\\Window Handles";
constexpr const char* kHandleValue = "CorvathHwnd";

// Publishes a window under CorvathHwnd, as the companion program does, for
// as long as it lives.
class PublishedCompanion {
public:
    explicit PublishedCompanion(WindowHandle window) {
        ok_ = reg_.CreateKey(kHkeyLocalMachine, kHandlesKey, key_) == kErrorSuccess &&
              reg_.SetDwordValue(key_, kHandleValue, window) == kErrorSuccess;
    }
    ~PublishedCompanion() {
        reg_.DeleteValue(key_, kHandleValue);
        reg_.CloseKey(key_);
    }
    PublishedCompanion(const PublishedCompanion&) = delete;
    PublishedCompanion& operator=(const PublishedCompanion&) = delete;
    bool ok() const { return ok_; }

private:
    win32::cWin32Registry reg_;
    RegKey key_ = 0;
    bool ok_ = false;
};

class KillRunWine : public ::testing::Test {
protected:
    KillRunWine() {
        inventory.SetOwnProcessID(GetCurrentProcessId());
        cBuiltinStringTable table;
        messages.LoadMessages(table, "C:\\Quellix");
        rec.ui.SetCaption("Quellix");
    }

    // Puts the program behind the inventory row of that process and title into the set.
    cApplicationProcs& Add(const cListViewModel& list, const cTargetProcess& t, const std::string& title) {
        for (std::int16_t row = 1; row <= list.Count(); ++row) {
            cApplicationProcs* app = cKillSet::GetListApp(list, row, inventory.mcApplications());
            if (app == nullptr || app->ProcessID() != t.Pid() || app->Title() != title) continue;
            EXPECT_TRUE(set.AddToProgramSet(*app, true));
            return set.AppSet().back();
        }
        ADD_FAILURE() << "no row " << title;
        return set.AppSet().empty() ? set.AppSet().emplace_back() : set.AppSet().back();
    }
    bool Listed(const cTargetProcess& t) const {
        const auto& apps = inventory.mcApplications();
        return std::any_of(apps.begin(), apps.end(),
                           [&](const cApplicationProcs& a) { return a.ProcessID() == t.Pid(); });
    }
    // Posted messages arrive a moment later.
    static std::string WaitForRecord(const cTempPath& record) {
        for (int i = 0; i < 200 && record.Contents().empty(); ++i)
            Sleep(10);
        Sleep(50); // and nothing more is coming
        return record.Contents();
    }

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
    std::vector<std::uint32_t> told; // every message the run had for the companion
    cKillRun run{kill, osInfo, inventory, set, messages, [this](std::uint32_t m) {
                     told.push_back(m);
                     options.SendFerrowMsg(m);
                 }};
};

// A program that ignores every request to close, with no force and no wait,
// stops the run: the companion hears of it, and the rest of the set is left.
TEST_F(KillRunWine, AHaltedRunIsPostedToThePublishedCompanionWindow) {
    cTempPath record("companion");
    cTargetProcess companion({"--window", "hidden:Corvath", "--record", record});
    cTargetProcess stubborn({"--window", "main:Stubborn", "--on-close", "ignore", "--refuse-endsession"});
    cTargetProcess later({"--window", "main:Later"});
    ASSERT_TRUE(companion.Ready() && stubborn.Ready() && later.Ready());
    {
        PublishedCompanion published(companion.Windows().at(0));
        ASSERT_TRUE(published.ok());
        inventory.RefreshLists();
        cApplicationProcs& s = Add(inventory.lvApplications(), stubborn, "Stubborn");
        s.SetForceClose(false);
        s.SetCloseWait(0);
        s.SetStopOnError(true);
        s.SetIgnoreTitle(false);
        cApplicationProcs& l = Add(inventory.lvApplications(), later, "Later");
        l.SetForceClose(true);
        l.SetCloseWait(5);
        l.SetIgnoreTitle(false);

        run.KillCurrentSet();
    }
    EXPECT_EQ(WaitForRecord(record), "1434 0x0 0x0 Corvath\r\n");
    EXPECT_EQ(told, std::vector<std::uint32_t>{1434u});

    EXPECT_EQ(rec.ActionTexts(),
              (std::vector<std::string>{"'Stubborn' didn't close after waiting  0 seconds.",
                                        "Stopped killing any other programs."}));
    EXPECT_TRUE(stubborn.Running());
    EXPECT_TRUE(later.Running());
    EXPECT_TRUE(companion.Running());
    // The lists were refreshed at the end and show what is left.
    EXPECT_TRUE(Listed(stubborn));
    EXPECT_TRUE(Listed(later));
    EXPECT_EQ(rec.ui.GetCaption(), "Quellix");
}

// Programs that each take a second to close, all matching one row: asked
// together, they end together, and the log reads as one after another.
TEST_F(KillRunWine, TheMatchesOfOneRowEndTogether) {
    constexpr int kTargets = 4;
    std::vector<std::unique_ptr<cTargetProcess>> targets;
    for (int i = 0; i < kTargets; ++i)
        targets.push_back(std::make_unique<cTargetProcess>(
            std::vector<std::string>{"--title", "Together", "--on-close", "delay:1000"}));
    for (const auto& t : targets)
        ASSERT_TRUE(t->Ready());
    inventory.RefreshLists();
    Add(inventory.lvApplications(), *targets.front(), "Together").SetIgnoreTitle(false);

    const DWORD start = GetTickCount();
    run.KillCurrentSet();
    EXPECT_LT(GetTickCount() - start, 2500u); // one after another takes more than 4 s
    for (const auto& t : targets)
        EXPECT_FALSE(t->Running());
    EXPECT_EQ(rec.ActionTexts(), std::vector<std::string>(kTargets, "'Together' was killed cleanly."));
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(run.FailedKills(), 0);
}

} // namespace
} // namespace qx
