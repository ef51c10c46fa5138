// The inventory over the real ports, on both process-service paths: the
// inventory probe runs as Windows 98 (tool-help), Windows 2000 (process
// status) and Wine's default (NT 6 and later) while target programs of every
// kind run, and its rows are checked against what the targets created.
#include "integration/cTargetProcess.h"
#include "integration/cVersionedProbe.h"
#include "win32/WinApi.h"
#include "win32/WindowHandle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace qx {
namespace {

using test::cTargetProcess;
using test::cVersionedProbe;

struct Row {
    char list = '?'; // 'A' lvApplications, 'P' lvProcesses
    int row = 0;
    std::string tag;
    std::uint32_t pid = 0;
    std::uint32_t window = 0;
    int visible = -1;
    std::string title, exe;
};

struct Inventory {
    std::uint32_t own = 0;
    std::vector<Row> rows;
    std::vector<std::pair<std::uint32_t, std::string>> killAll; // process id, exe path

    std::vector<Row> Of(std::uint32_t pid) const {
        std::vector<Row> out;
        std::copy_if(rows.begin(), rows.end(), std::back_inserter(out), [&](const Row& r) { return r.pid == pid; });
        return out;
    }
};

Inventory Parse(const std::string& text) {
    Inventory inv;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("own=", 0) == 0) {
            inv.own = static_cast<std::uint32_t>(std::stoul(line.substr(4)));
            continue;
        }
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string item; std::getline(fields, item, '\t');)
            f.push_back(item);
        if (f.size() == 3 && f[0] == "K") {
            inv.killAll.emplace_back(static_cast<std::uint32_t>(std::stoul(f[1])), f[2]);
            continue;
        }
        if (f.size() == 7) f.emplace_back(); // an empty exe path
        if (f.size() != 8 || f[0].size() != 1) {
            ADD_FAILURE() << "unreadable probe line: " << line;
            continue;
        }
        inv.rows.push_back({f[0][0], std::stoi(f[1]), f[2], static_cast<std::uint32_t>(std::stoul(f[3])),
                            static_cast<std::uint32_t>(std::stoul(f[4])), std::stoi(f[5]), f[6], f[7]});
    }
    return inv;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string FileName(const std::string& path) {
    return Lower(path.substr(path.find_last_of('\\') + 1));
}

// The last titled, unowned, parentless hidden window of a process in the
// system's enumeration order: the one its Processes row names. Under Wine
// every thread with windows has one more such window, its "Default IME"
// (class "IME"), enumerated after the program's own.
std::uint32_t LastHiddenWindow(std::uint32_t pid) {
    struct Ctx {
        std::uint32_t pid, last = 0;
    } ctx{pid};
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            auto& c = *reinterpret_cast<Ctx*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == c.pid && !IsWindowVisible(w) && GetWindowTextLengthW(w) > 0 &&
                GetWindow(w, GW_OWNER) == nullptr && GetParent(w) == nullptr) {
                c.last = win32::ToWindowHandle(w);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&ctx));
    return ctx.last;
}

class InventoryWine : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Main, popup and tool windows are listed; the owned window, the
        // hidden one and the untitled one are not.
        rich_ = std::make_unique<cTargetProcess>(std::vector<std::string>{
            "--window", "main:Inv Main", "--window", "popup:Inv Popup", "--window", "owned:Inv Owned", "--window",
            "tool:Inv Tool", "--window", "hidden:Inv Hidden", "--window", "main:"});
        hiddenOnly_ = std::make_unique<cTargetProcess>(
            std::vector<std::string>{"--window", "hidden:Inv H1", "--window", "hidden:Inv H2"});
        windowless_ = std::make_unique<cTargetProcess>(std::vector<std::string>{"--window", "none"});
        untitled_ = std::make_unique<cTargetProcess>(std::vector<std::string>{"--window", "main:"});
        masked_ = std::make_unique<cTargetProcess>(
            std::vector<std::string>{"--class", "QxMasked0x####Wnd", "--window", "main:Inv Masked"});
    }
    static void TearDownTestSuite() {
        rich_.reset(), hiddenOnly_.reset(), windowless_.reset(), untitled_.reset(), masked_.reset();
    }

    void SetUp() override {
        for (const cTargetProcess* t :
             {rich_.get(), hiddenOnly_.get(), windowless_.get(), untitled_.get(), masked_.get()})
            ASSERT_TRUE(t && t->Ready());
    }

    static Inventory Take(const std::string& copyName, const std::string& version) {
        const cVersionedProbe probe("qx_invprobe", copyName, version);
        EXPECT_TRUE(probe.Ready());
        std::string out;
        EXPECT_TRUE(probe.Run(out));
        Inventory inv = Parse(out);
        EXPECT_NE(inv.own, 0u) << out;
        // The probe itself never appears, neither by id nor by its exe.
        for (const Row& r : inv.rows) {
            EXPECT_NE(r.pid, inv.own) << r.title;
            EXPECT_EQ(Lower(r.exe).find(Lower(copyName)), std::string::npos) << r.exe;
        }
        return inv;
    }

    // Every rule of the join, for targets whose exe the lists name `exe`.
    static void ExpectTargetRows(const Inventory& inv, const std::string& exe) {
        const std::vector<std::uint32_t>& w = rich_->Windows();
        ASSERT_EQ(w.size(), 6u);
        const std::vector<Row> rich = inv.Of(rich_->Pid());
        std::multiset<std::string> titles;
        for (const Row& r : rich) {
            EXPECT_EQ(r.list, 'A') << r.title;
            EXPECT_EQ(r.visible, 1);
            EXPECT_EQ(r.exe, exe);
            titles.insert(r.title);
            const std::uint32_t expected = r.title == "Inv Main" ? w[0] : r.title == "Inv Popup" ? w[1] : w[3];
            EXPECT_EQ(r.window, expected) << r.title;
        }
        EXPECT_EQ(titles, (std::multiset<std::string>{"Inv Main", "Inv Popup", "Inv Tool"}));

        const auto expectProcessRow = [&](const cTargetProcess& t, std::uint32_t window, const char* what) {
            const std::vector<Row> rows = inv.Of(t.Pid());
            ASSERT_EQ(rows.size(), 1u) << what;
            EXPECT_EQ(rows[0].list, 'P') << what;
            EXPECT_EQ(rows[0].visible, 0) << what;
            EXPECT_EQ(rows[0].title, "qxtarget.exe") << what;
            EXPECT_EQ(rows[0].exe, exe) << what;
            EXPECT_EQ(rows[0].window, window) << what;
        };
        const std::uint32_t lastHidden = LastHiddenWindow(hiddenOnly_->Pid());
        EXPECT_NE(lastHidden, 0u);
        expectProcessRow(*hiddenOnly_, lastHidden, "hidden only");
        expectProcessRow(*windowless_, 0, "windowless");
        // A skipped visible window never names the process: only hidden ones do.
        for (const cTargetProcess* t : {untitled_.get(), masked_.get()}) {
            const std::uint32_t hidden = LastHiddenWindow(t->Pid());
            EXPECT_NE(hidden, t->Windows().at(0));
            expectProcessRow(*t, hidden, "untitled or 0x#### window only");
        }
    }

    // The kill-all set ("/KA") the probe built: never the probe, always this
    // test's targets, never the names that must be spared. What else of
    // Wine's it would close is reported.
    static void ExpectKillAll(const Inventory& inv, const char* version, const std::vector<std::string>& spared) {
        std::set<std::string> running, added;
        for (const Row& r : inv.rows)
            running.insert(FileName(r.exe));
        int richEntries = 0, backgroundEntries = 0;
        for (const auto& [pid, exe] : inv.killAll) {
            EXPECT_NE(pid, inv.own);
            added.insert(FileName(exe));
            richEntries += pid == rich_->Pid();
            for (const cTargetProcess* t : {hiddenOnly_.get(), windowless_.get(), untitled_.get(), masked_.get()})
                backgroundEntries += pid == t->Pid();
        }
        EXPECT_EQ(richEntries, 3); // one per listed window
        // The Processes rows of one exe are equal entries: the first taken
        // (from the bottom up) stands for all, the others are refused.
        EXPECT_EQ(backgroundEntries, 1);
        for (const std::string& name : spared) {
            EXPECT_EQ(running.count(name), 1u) << name; // so that the next check means something
            EXPECT_EQ(added.count(name), 0u) << name;
        }
        std::string others;
        for (const std::string& name : added)
            if (name != "qxtarget.exe" && name != "qx_wine_tests.exe") others += " " + name;
        std::printf("[ fact     ] %s: kill-all would close Wine's%s\n", version, others.c_str());
    }

    static inline std::unique_ptr<cTargetProcess> rich_, hiddenOnly_, windowless_, untitled_, masked_;
};

struct Case {
    const char* version;  // Wine's name; empty for its default
    bool fullPaths;       // tool-help names only the file
    std::vector<std::string> spared;
};

class InventoryVersions : public InventoryWine, public ::testing::WithParamInterface<Case> {};

TEST_P(InventoryVersions, ListsEveryKindOfTargetAndKillAllSparesTheSystem) {
    const Case& c = GetParam();
    const std::string name = *c.version ? c.version : "default";
    const Inventory inv = Take("qx_invprobe_" + name + ".exe", c.version);
    ExpectTargetRows(inv, c.fullPaths ? cTargetProcess::ExePath() : "qxtarget.exe");
    ExpectKillAll(inv, name.c_str(), c.spared);
    // The test program, the probe's parent, is listed like any other.
    EXPECT_FALSE(inv.Of(GetCurrentProcessId()).empty());
}

// Windows 98 takes tool-help, Windows 2000 the process status calls, and
// Wine's default (NT 6 and later) its own path.
INSTANTIATE_TEST_SUITE_P(Versions, InventoryVersions,
                         ::testing::Values(Case{"win98", false, {"explorer.exe"}},
                                           Case{"win2k", true, {"explorer.exe", "services.exe", "svchost.exe"}},
                                           Case{"", true, {"explorer.exe", "services.exe", "svchost.exe"}}),
                         [](const ::testing::TestParamInfo<Case>& p) {
                             return std::string(*p.param.version ? p.param.version : "wine_default");
                         });

} // namespace
} // namespace qx
