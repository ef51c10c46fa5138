#include "core/util/cOSInfo.h"
#include "fake/cFakeSystemFacts.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

struct Flags {
    bool unknown, w2000, w95, w98, nt3, nt4, nt4OrLater;
};

struct Case {
    const char* name;
    std::uint32_t platform, major, minor;
    Flags flags;
    std::int16_t interfaceUsed;
    double version;
};

class OSInfoTable : public ::testing::TestWithParam<Case> {};

TEST_P(OSInfoTable, FlagsFollowPlatformAndVersion) {
    const Case& c = GetParam();
    fake::cFakeSystemFacts facts;
    facts.version = OsVersionInfo{148, c.major, c.minor, 1, c.platform, ""};
    const cOSInfo os(facts);
    EXPECT_EQ(os.isOsUnknown(), c.flags.unknown);
    EXPECT_EQ(os.isWin2000(), c.flags.w2000);
    EXPECT_EQ(os.isWin95(), c.flags.w95);
    EXPECT_EQ(os.isWin98(), c.flags.w98);
    EXPECT_EQ(os.isWinNT3(), c.flags.nt3);
    EXPECT_EQ(os.isWinNT4(), c.flags.nt4);
    EXPECT_EQ(os.isWinNT4OrLater(), c.flags.nt4OrLater);
    EXPECT_EQ(os.canRestartInDosMode(), c.flags.w95 || c.flags.w98);
    EXPECT_EQ(os.interfaceUsed(), c.interfaceUsed);
    EXPECT_DOUBLE_EQ(os.OSVersion(), c.version);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Versions, OSInfoTable, ::testing::Values(
    //   name       plat maj min   unknown 2000   95     98     nt3    nt4    nt4+    if  version
    Case{"Win95",    1,  4,  0,  {false, false, true,  false, false, false, false}, 1, 4.0},
    Case{"Win98",    1,  4, 10,  {false, false, false, true,  false, false, false}, 2, 5.0},
    Case{"WinMe",    1,  4, 90,  {true,  false, false, false, false, false, false}, 1, 13.0},
    Case{"NT351",    2,  3, 51,  {false, false, false, false, true,  false, false}, 1, 8.1},
    Case{"NT4",      2,  4,  0,  {false, false, false, false, false, true,  true},  2, 4.0},
    Case{"Win2000",  2,  5,  0,  {false, true,  false, false, false, true,  true},  2, 5.0},
    Case{"WinXP",    2,  5,  1,  {false, true,  false, false, false, true,  true},  2, 5.1},
    Case{"Vista",    2,  6,  0,  {true,  false, false, false, false, false, true},  1, 6.0},
    Case{"Win7",     2,  6,  1,  {true,  false, false, false, false, false, true},  1, 6.1},
    Case{"Win10",    2, 10,  0,  {true,  false, false, false, false, false, true},  1, 10.0},
    Case{"Win32s",   0,  3, 10,  {true,  false, false, false, false, false, false}, 1, 4.0},
    Case{"CE",       3,  5,  0,  {true,  false, false, false, false, false, false}, 1, 5.0}),
    [](const ::testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });
// clang-format on

TEST(OSInfo, FailedVersionReadIsUnknown) {
    fake::cFakeSystemFacts facts;
    facts.versionOk = false;
    const cOSInfo os(facts);
    EXPECT_TRUE(os.isOsUnknown());
    EXPECT_FALSE(os.isWinNT4OrLater());
    EXPECT_EQ(os.interfaceUsed(), 1);
    EXPECT_EQ(os.VersionRecord().platformId, 0u);
}

} // namespace
} // namespace qx
