// The kill run and kill-all over the real inventory: real target programs,
// the real registry for the companion's window handle, and a real companion
// window that records the messages it is posted.
//
// Kill-all is never run on the system as it is: the set it builds is checked,
// then cut down to this test's own targets before anything is closed.
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
#include <cctype>
#include <memory>
#include <set>

namespace qx {
namespace {

using test::cTargetProcess;
using test::cTempPath;

constexpr const char* kHandlesParent = "Software\\Window Handles";
constexpr const char* kHandlesKey = "Software\\Window Handles\\Window Handles";
constexpr const char* kHandleValue = "CorvathHwnd";

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string FileName(const std::string& path) {
    return Lower(path.substr(path.find_last_of('\\') + 1));
}

bool KeyExists(win32::cWin32Registry& reg, const char* path) {
    RegKey k = 0;
    if (reg.OpenKey(kHkeyLocalMachine, path, k) != kErrorSuccess) return false;
    reg.CloseKey(k);
    return true;
}

// Publishes a window under CorvathHwnd, as the companion program does, and
// puts the registry back as it found it.
class PublishedCompanion {
public:
    explicit PublishedCompanion(WindowHandle window)
        : parentExisted_(KeyExists(reg_, kHandlesParent)), keyExisted_(KeyExists(reg_, kHandlesKey)) {
        if (reg_.CreateKey(kHkeyLocalMachine, kHandlesKey, key_) != kErrorSuccess) return;
        hadValue_ = reg_.QueryValue(key_, kHandleValue, old_) == kErrorSuccess;
        ok_ = reg_.SetDwordValue(key_, kHandleValue, window) == kErrorSuccess;
    }
    ~PublishedCompanion() {
        if (key_ == 0) return;
        if (hadValue_ && old_.type == kRegDword && old_.data.size() == 4) {
            std::uint32_t n = 0;
            for (int i = 3; i >= 0; --i)
                n = (n << 8) | static_cast<unsigned char>(old_.data[static_cast<std::size_t>(i)]);
            reg_.SetDwordValue(key_, kHandleValue, n);
        } else if (hadValue_ && old_.type == kRegSz) {
            reg_.SetStringValue(key_, kHandleValue, old_.data);
        } else {
            reg_.DeleteValue(key_, kHandleValue);
        }
        reg_.CloseKey(key_);
        if (!keyExisted_) reg_.DeleteKey(kHkeyLocalMachine, kHandlesKey);
        if (!parentExisted_) reg_.DeleteKey(kHkeyLocalMachine, kHandlesParent);
    }
    PublishedCompanion(const PublishedCompanion&) = delete;
    PublishedCompanion& operator=(const PublishedCompanion&) = delete;
    bool ok() const { return ok_; }

private:
    win32::cWin32Registry reg_;
    bool parentExisted_, keyExisted_;
    RegKey key_ = 0;
    bool hadValue_ = false, ok_ = false;
    RegistryValue old_;
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
// followed by one that closes: the companion hears of the failure, and the
// rest of the set runs unless the failed entry stops it.
class KillRunWineCompanion : public KillRunWine, public ::testing::WithParamInterface<bool> {};

TEST_P(KillRunWineCompanion, FailedKillIsPostedToThePublishedWindow) {
    const bool stopOnError = GetParam();
    cTempPath record("companion");
    cTargetProcess companion({"--window", "hidden:Corvath", "--record", record});
    cTargetProcess stubborn({"--window", "main:Stubborn", "--on-close", "ignore", "--refuse-endsession"});
    cTargetProcess later({"--window", "main:Later"});
    ASSERT_TRUE(companion.Ready() && stubborn.Ready() && later.Ready());
    const bool keyExisted = [] {
        win32::cWin32Registry r;
        return KeyExists(r, kHandlesKey);
    }();
    {
        PublishedCompanion published(companion.Windows().at(0));
        ASSERT_TRUE(published.ok());
        inventory.RefreshLists();
        cApplicationProcs& s = Add(inventory.lvApplications(), stubborn, "Stubborn");
        s.SetForceClose(false);
        s.SetCloseWait(0);
        s.SetStopOnError(stopOnError);
        s.SetIgnoreTitle(false);
        cApplicationProcs& l = Add(inventory.lvApplications(), later, "Later");
        l.SetForceClose(true);
        l.SetCloseWait(5);
        l.SetIgnoreTitle(false);

        run.KillCurrentSet();
    }
    const std::string message = stopOnError ? "1434" : "1435";
    EXPECT_EQ(WaitForRecord(record), message + " 0x0 0x0 Corvath\r\n");
    EXPECT_EQ(told, std::vector<std::uint32_t>{stopOnError ? 1434u : 1435u});

    const std::string second = stopOnError ? "Stopped killing any other programs." : "'Later' was killed cleanly.";
    EXPECT_EQ(rec.ActionTexts(),
              (std::vector<std::string>{"'Stubborn' didn't close after waiting  0 seconds.", second}));
    EXPECT_TRUE(stubborn.Running());
    EXPECT_EQ(later.Running(), stopOnError);
    EXPECT_TRUE(companion.Running());
    // The lists were refreshed at the end and show what survived.
    EXPECT_TRUE(Listed(stubborn));
    EXPECT_EQ(Listed(later), stopOnError);
    EXPECT_EQ(rec.ui.GetCaption(), "Quellix");
    // The registry is as it was.
    win32::cWin32Registry r;
    EXPECT_EQ(KeyExists(r, kHandlesKey), keyExisted);
}

INSTANTIATE_TEST_SUITE_P(StopOnError, KillRunWineCompanion, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& p) { return p.param ? "Halts" : "GoesOn"; });

TEST_F(KillRunWine, ClosesTheCheckedProgramsInTheOrderOfTheSet) {
    cTempPath record("order");
    cTargetProcess a({"--window", "main:Order A", "--record", record});
    cTargetProcess b({"--window", "main:Order B", "--record", record});
    cTargetProcess c({"--window", "main:Order C", "--record", record});
    cTargetProcess background({"--window", "none"});
    ASSERT_TRUE(a.Ready() && b.Ready() && c.Ready() && background.Ready());
    inventory.RefreshLists();
    Add(inventory.lvApplications(), c, "Order C");
    Add(inventory.lvProcesses(), background, "qxtarget.exe");
    Add(inventory.lvApplications(), b, "Order B");
    Add(inventory.lvApplications(), a, "Order A");
    for (cApplicationProcs& e : set.AppSet())
        e.SetIgnoreTitle(false);
    set.lvProgramSet().Item(3)->checked = false; // B stays

    run.KillCurrentSet();
    // The targets share one record file: the order of its lines is the order of the closes.
    EXPECT_EQ(record.Contents(), "WM_CLOSE 0x0 0x0 Order C\r\nWM_CLOSE 0x0 0x0 Order A\r\n");
    EXPECT_EQ(rec.ActionTexts(),
              (std::vector<std::string>{"'Order C' was killed cleanly.", "'qxtarget.exe' was killed cleanly.",
                                        "'Order A' was killed cleanly."}));
    EXPECT_FALSE(a.Running());
    EXPECT_TRUE(b.Running());
    EXPECT_FALSE(c.Running());
    EXPECT_FALSE(background.Running());
    EXPECT_TRUE(told.empty());
    EXPECT_TRUE(Listed(b));
    EXPECT_FALSE(Listed(c));
}

TEST_F(KillRunWine, KillAllSparesTheShellTheSystemAndThisProgram) {
    cTargetProcess windowed({"--window", "main:All Window", "--window", "hidden:All Hidden"});
    cTargetProcess background({"--window", "none"});
    ASSERT_TRUE(windowed.Ready() && background.Ready());
    inventory.RefreshLists();
    run.KillAll(inventory.lvApplications());
    run.KillAll(inventory.lvProcesses());

    const std::uint32_t own = GetCurrentProcessId();
    std::string ownPath;
    {
        const ProcessHandle h = os.OpenProcess(kInspectAccess, own);
        ASSERT_TRUE(os.GetMainModulePath(h, ownPath));
        os.CloseHandle(h);
    }
    std::set<std::string> others;
    int windowedEntries = 0, backgroundEntries = 0;
    for (const cListItem& row : set.lvProgramSet().Items()) {
        const cApplicationProcs& e = set.AppSet().at(static_cast<std::size_t>(std::stoi(row.tag)));
        EXPECT_NE(e.ProcessID(), own);
        EXPECT_NE(Lower(e.ExePath()), Lower(ownPath));
        if (e.ProcessID() == windowed.Pid()) {
            ++windowedEntries;
            EXPECT_TRUE(e.WinVisible());
            EXPECT_EQ(e.Title(), "All Window");
        } else if (e.ProcessID() == background.Pid()) {
            ++backgroundEntries;
            EXPECT_FALSE(e.WinVisible());
        } else {
            others.insert(FileName(e.ExePath()));
        }
    }
    EXPECT_EQ(windowedEntries, 1); // its hidden window adds nothing
    EXPECT_EQ(backgroundEntries, 1);

    // Wine's shell and services are spared (the inventory test reports what
    // the lists spare on each Windows version).
    std::set<std::string> running;
    for (const cProcesses& p : inventory.mcProcesses())
        running.insert(FileName(p.ExePath()));
    EXPECT_EQ(running.count("services.exe"), 1u);
    for (const char* name : {"explorer.exe", "services.exe", "svchost.exe"})
        EXPECT_EQ(others.count(name), 0u) << name;

    // Only now is anything closed: the set cut down to this test's targets.
    std::vector<std::uint32_t> survivors;
    for (std::int16_t row = set.lvProgramSet().Count(); row >= 1; --row) {
        const cApplicationProcs* e = set.EntryOfRow(row);
        ASSERT_NE(e, nullptr);
        if (e->ProcessID() != windowed.Pid() && e->ProcessID() != background.Pid()) {
            survivors.push_back(e->ProcessID());
            ASSERT_TRUE(set.lvProgramSet().Remove(row));
        }
    }
    ASSERT_EQ(set.lvProgramSet().Count(), 2);
    // "/KA" order: the Applications rows first.
    EXPECT_EQ(set.EntryOfRow(1)->ProcessID(), windowed.Pid());
    for (cApplicationProcs& e : set.AppSet())
        e.SetCloseWait(5);
    run.KillCurrentSet();
    EXPECT_TRUE(windowed.WaitForExit(2000));
    EXPECT_TRUE(background.WaitForExit(2000));
    EXPECT_EQ(rec.ActionTexts(),
              (std::vector<std::string>{"'All Window' was killed cleanly.", "'qxtarget.exe' was killed cleanly."}));
    for (const std::uint32_t pid : survivors) {
        const HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pid);
        EXPECT_NE(h, nullptr) << pid;
        if (h != nullptr) {
            EXPECT_EQ(WaitForSingleObject(h, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << pid;
            CloseHandle(h);
        }
    }
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
