#include "core/engine/mQXEndPrograms.h"
#include "fake/cFakeOS.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

class WaitWithMessagesTest : public ::testing::Test {
protected:
    fake::cFakeOS os;
};

TEST_F(WaitWithMessagesTest, DispatchesEveryInputAndStillWaitsTheFullTime) {
    const std::uint32_t start = os.Tick();
    os.InputAt(start + 100);
    os.InputAt(start + 300);
    EXPECT_FALSE(WaitWithMessages(os, 1000));
    EXPECT_EQ(os.Tick() - start, 1000u);
    EXPECT_EQ(os.DispatchCalls(), 3); // two inputs, then once more when the time is up
}

TEST_F(WaitWithMessagesTest, SurvivesTheWrapOfTheMillisecondCounter) {
    os.SetTick(0xFFFFFF00u);
    os.InputAt(0x00000010u); // after the wrap
    EXPECT_FALSE(WaitWithMessages(os, 1000));
    EXPECT_EQ(os.Tick(), 0xFFFFFF00u + 1000u);
    EXPECT_EQ(os.DispatchCalls(), 2);
}

TEST_F(WaitWithMessagesTest, EndsAsSoonAsTheWatchedProcessHasEnded) {
    fake::FakeProcessSetup setup;
    setup.exePath = "C:\\a.exe";
    const auto pid = os.AddProcess(setup);
    const auto other = os.AddProcess(setup);
    const ProcessHandle h = os.OpenProcess(kKillAccess, pid);
    const std::uint32_t start = os.Tick();
    os.At(start + 100, [&] { os.EndProcess(other); }); // somebody else ending changes nothing
    os.At(start + 250, [&] { os.EndProcess(pid); });
    EXPECT_TRUE(WaitWithMessages(os, 1000, h));
    EXPECT_EQ(os.Tick() - start, 250u);
    os.CloseHandle(h);
}

TEST_F(WaitWithMessagesTest, ZeroTimeStillDispatchesOnce) {
    const std::uint32_t start = os.Tick();
    EXPECT_FALSE(WaitWithMessages(os, 0));
    EXPECT_EQ(os.Tick(), start);
    EXPECT_EQ(os.DispatchCalls(), 1);
}

} // namespace
} // namespace qx
