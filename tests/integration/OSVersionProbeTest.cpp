// cOSInfo on the versions Wine can pretend to be, as the probe sees them.
#include "integration/cVersionedProbe.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

namespace {

struct Case {
    const char* version; // Wine's name; empty for its default
    const char* expected; // the probe's fields that must read so
};

class OSVersionProbe : public ::testing::TestWithParam<Case> {};

TEST_P(OSVersionProbe, DerivesTheFlagsOfTheVersion) {
    const Case& c = GetParam();
    const qx::test::cVersionedProbe probe("qx_osprobe", std::string("qx_osprobe_") + (*c.version ? c.version : "default") + ".exe",
                                          c.version);
    ASSERT_TRUE(probe.Ready());
    std::string out;
    ASSERT_TRUE(probe.Run(out));
    std::map<std::string, std::string> fields;
    std::istringstream in(out);
    for (std::string item; in >> item;)
        if (const auto eq = item.find('='); eq != std::string::npos) fields[item.substr(0, eq)] = item.substr(eq + 1);
    std::istringstream want(c.expected);
    for (std::string item; want >> item;) {
        const auto eq = item.find('=');
        EXPECT_EQ(fields[item.substr(0, eq)], item.substr(eq + 1)) << item << " in " << out;
    }
}

// The default has no fixed major version (6 or later); Windows 10 reports its
// true one, not the 6.2 that GetVersionEx gives programs without a manifest.
INSTANTIATE_TEST_SUITE_P(
    Versions, OSVersionProbe,
    ::testing::Values(
        Case{"win98", "platform=1 minor=10 dosmode=1 interface=2 version=5.0 unknown=0 win2000=0 win95=0 win98=1 "
                      "nt3=0 nt4=0 nt4orlater=0"},
        Case{"win2k", "platform=2 dosmode=0 interface=2 version=5.0 unknown=0 win2000=1 win95=0 win98=0 nt3=0 "
                      "nt4=1 nt4orlater=1"},
        Case{"winxp", "interface=2 version=5.1 unknown=0 win2000=1 win95=0 win98=0 nt3=0 nt4=1 nt4orlater=1"},
        Case{"win10", "major=10 interface=1 unknown=1 win2000=0 win95=0 win98=0 nt3=0 nt4=0 nt4orlater=1"},
        Case{"", "platform=2 dosmode=0 interface=1 unknown=1 win2000=0 win95=0 win98=0 nt3=0 nt4=0 nt4orlater=1"}),
    [](const ::testing::TestParamInfo<Case>& p) { return std::string(*p.param.version ? p.param.version : "wine_default"); });

} // namespace
