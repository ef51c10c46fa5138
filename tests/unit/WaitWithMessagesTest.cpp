// Pausing while this program's own messages are dispatched.
#include "core/engine/mQXEndPrograms.h"
#include "fake/cFakeOS.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(WaitWithMessages, DispatchesEachInputAndEndsWithTheTimeOrTheWatchedProcess) {
    const struct {
        const char* what;
        std::uint32_t startTick, ms;
        std::vector<std::uint32_t> inputs; // ms after the start
        std::uint32_t endsAfter;           // ms after the start at which the watched process ends; 0: never
        bool ended;
        std::uint32_t elapsed;
        int dispatches;
    } cases[] = {
        {"inputs", 100000, 1000, {100, 300}, 0, false, 1000, 3},
        {"the counter wraps", 0xFFFFFF00u, 1000, {0x110}, 0, false, 1000, 2},
        {"no time", 100000, 0, {}, 0, false, 0, 1},
        {"the process ends", 100000, 1000, {}, 250, true, 250, 0},
        {"it ends at the deadline", 100000, 1000, {}, 1000, true, 1000, 0},
    };
    for (const auto& c : cases) {
        fake::cFakeOS os;
        os.SetTick(c.startTick);
        for (const std::uint32_t t : c.inputs) os.InputAt(c.startTick + t);
        fake::FakeProcessSetup p;
        const auto pid = os.AddProcess(p), other = os.AddProcess(p);
        os.At(c.startTick + 100, [&] { os.EndProcess(other); }); // somebody else ending changes nothing
        if (c.endsAfter != 0) os.At(c.startTick + c.endsAfter, [&] { os.EndProcess(pid); });
        const ProcessHandle h = c.endsAfter != 0 ? os.OpenProcess(kKillAccess, pid) : 0;
        EXPECT_EQ(WaitWithMessages(os, c.ms, h), c.ended) << c.what;
        EXPECT_EQ(os.Tick() - c.startTick, c.elapsed) << c.what;
        EXPECT_EQ(os.dispatchCalls, c.dispatches) << c.what;
    }
}

} // namespace
} // namespace qx
