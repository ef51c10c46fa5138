// cOSInfo on the versions Wine can pretend to be, as the probe sees them.
#include "integration/cVersionedProbe.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <sstream>

namespace {

struct Case {
    const char* version;  // Wine's name; empty for its default
    const char* expected; // the probe's fields that must read so
};

class OSVersionProbe : public ::testing::TestWithParam<Case> {};

TEST_P(OSVersionProbe, DerivesTheFlagsOfTheVersion) {
    const std::string out = qx::test::cVersionedProbe("qx_osprobe", GetParam().version).Run();
    std::istringstream got(out), want(GetParam().expected);
    const std::set<std::string> fields{std::istream_iterator<std::string>(got), {}};
    for (std::string item; want >> item;) EXPECT_EQ(fields.count(item), 1u) << item << " in " << out;
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
