// The matches of one row close together: their outcomes are those of closing
// them one after another, in the same order, but their pauses and waits overlap.
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qx {
namespace {

using fake::CloseReaction;
using fake::cRunHarness;
constexpr const char* kExe = "C:\\Apps\\a.exe";

// Starts one instance of the program, titled "A" like all its siblings: c cooperative, w slow, s stubborn, l quits
// at logoff only, u stubborn and unkillable, e ended after the listing, d denied to us.
std::uint32_t Start(cRunHarness& h, char kind) {
    const auto pid = h.os.AddProcess({.exePath = kExe, .canOpen = kind != 'd', .canTerminate = kind != 'u'});
    const bool stays = kind == 's' || kind == 'u';
    h.os.AddWindow({.pid = pid,
                    .title = "A",
                    .onClose = stays || kind == 'l' ? CloseReaction::Ignore : CloseReaction::ExitProcess,
                    .onEndSession = stays ? CloseReaction::Ignore : CloseReaction::ExitProcess,
                    .delayMs = kind == 'w' ? 700u : (kind == 'c' ? 150u : 0u)});
    return pid;
}

struct Scenario {
    const char* name;
    std::string programs;
    bool force;
    std::int32_t wait;
};

class KillTogether : public ::testing::TestWithParam<Scenario> {
protected:
    // Every instance running and listed, those of kind Ended end after the listing; one row for all.
    static std::vector<std::uint32_t> Prepare(cRunHarness& h) {
        std::vector<std::uint32_t> pids;
        for (const char k : GetParam().programs)
            pids.push_back(Start(h, k));
        h.inventory.RefreshLists();
        for (std::size_t i = 0; i < pids.size(); ++i)
            if (GetParam().programs[i] == 'e') h.os.EndProcess(pids[i]);
        h.log.SetDebugMode(true);
        cApplicationProcs& row = h.AddRow(kExe, "A"); // one row for every instance
        row.SetForceClose(GetParam().force);
        row.SetCloseWait(GetParam().wait);
        return pids;
    }
};

TEST_P(KillTogether, GivesTheTextsOfOneAfterAnotherInMatchOrderWithinTheLongestAlone) {
    cRunHarness alone;
    const auto alonePids = Prepare(alone);
    int aloneFailures = 0;
    std::uint32_t longest = 0;
    for (const cApplicationProcs& app : alone.inventory.mcApplications()) {
        cApplicationProcs target = alone.set.AppSet()[0];
        target.SetProcessID(app.ProcessID());
        target.SetCreationTime(app.CreationTime());
        const std::uint32_t begin = alone.os.Tick();
        aloneFailures += target.KillMe(alone.kill) ? 0 : 1;
        longest = std::max(longest, alone.os.Tick() - begin);
    }

    cRunHarness h;
    const auto pids = Prepare(h);
    const std::uint32_t begin = h.os.Tick();
    h.run.KillCurrentSet();

    EXPECT_EQ(h.RunLog(), alone.RunLog());
    EXPECT_EQ(h.run.FailedKills(), aloneFailures);
    EXPECT_EQ(h.ferrow, std::vector<std::uint32_t>(static_cast<std::size_t>(aloneFailures), 1435));
    EXPECT_EQ(h.os.Tick() - begin, longest);
    for (std::size_t i = 0; i < pids.size(); ++i)
        EXPECT_EQ(h.os.IsRunning(pids[i]), alone.os.IsRunning(alonePids[i])) << i;
    EXPECT_EQ(h.ui.GetCaption(), "Quellix");
}

const Scenario kScenarios[] = {
    {"Cooperative", "wccw", true, 10}, {"MixedForced", "csedlu", true, 2}, {"MixedUnforced", "sces", false, 1}};
INSTANTIATE_TEST_SUITE_P(Rows, KillTogether, ::testing::ValuesIn(kScenarios),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(KillTogetherWalks, TheSystemsWindowsAreWalkedAsOftenForManyMatchesAsForOne) {
    std::vector<int> walks;
    for (const int n : {1, 40}) {
        cRunHarness h;
        for (int i = 0; i < n; ++i)
            Start(h, 'c');
        h.inventory.RefreshLists();
        h.AddRow(kExe, "A");
        const int before = h.os.enumWindowsCalls;
        h.run.KillCurrentSet();
        EXPECT_EQ(h.ActionTexts(), std::vector<std::string>(static_cast<std::size_t>(n), "'A' was killed cleanly."));
        walks.push_back(h.os.enumWindowsCalls - before);
    }
    EXPECT_EQ(walks, (std::vector<int>{1, 1})); // one for the closing passes; no inventory is taken after the run
}

// Several windows of one process are several matches of its row: a process
// comes up once per batch, and a batch is cut only where one comes up again.
TEST(KillTogetherBatches, AreCutOnlyWhereAProcessComesUpAgain) {
    cRunHarness h;
    const auto ignore = CloseReaction::Ignore;
    for (const auto& started : {h.Start(kExe, "A", ignore), h.Start(kExe, "A", ignore)})
        h.os.AddWindow({.pid = started.pid, .title = "A", .onClose = ignore, .onEndSession = ignore});
    h.inventory.RefreshLists();
    h.AddRow(kExe, "A").SetCloseWait(0);
    h.set.AppSet()[0].SetForceClose(false);
    const std::uint32_t begin = h.os.Tick();
    h.run.KillCurrentSet();
    EXPECT_EQ(h.os.Tick() - begin, 2 * 3000u); // both programs twice: one pass, the end of the session, no wait
    EXPECT_EQ(h.run.FailedKills(), 4);
}

} // namespace
} // namespace qx
