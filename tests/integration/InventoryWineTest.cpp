// The version flags and the inventory over the real ports, on each
// process-service path: the inventory probe runs as Windows 98 (tool-help),
// Windows 2000 and XP (process status), Windows 10 and Wine's default (NT 6
// and later) while targets of every kind run, and what it derives and lists is
// checked against them.
#include "integration/cTargetProcess.h"
#include "integration/modRunCaptured.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

namespace qx {
namespace {

using test::cTargetProcess;
using win32::Widen;

// What the inventory probe prints when Wine tells it this version ("" for its
// default). A process cannot change the version Wine tells it, so the probe
// runs as a copy of its own name, for which Wine's per-program Version
// (HKCU\Software\Wine\AppDefaults\<name>) is set.
std::string ProbeAs(const std::string& version) {
    const std::string copy = "qx_invprobe_" + (version.empty() ? "default" : version) + ".exe";
    const std::wstring exe = Widen(test::BinPath(copy)), key = Widen("Software\\Wine\\AppDefaults\\" + copy),
                       v = Widen(version);
    RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str()); // as a run that crashed may have left it
    std::string output;
    if ((version.empty() || RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Version", REG_SZ, v.c_str(),
                                            static_cast<DWORD>((v.size() + 1) * sizeof(wchar_t))) == 0) &&
        CopyFileW(Widen(test::BinPath("qx_invprobe.exe")).c_str(), exe.c_str(), FALSE))
        test::RunCaptured(L"\"" + exe + L"\"", output);
    RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
    DeleteFileW(exe.c_str());
    return output;
}

struct Case {
    const char* version; // Wine's name; empty for its default
    const char* flags;   // of the probe's "os" line, that must read so
    bool fullPaths;      // tool-help names only the file
};

class InventoryVersions : public ::testing::TestWithParam<Case> {};

TEST_P(InventoryVersions, DerivesTheVersionFlagsAndListsEveryKindOfTarget) {
    // Main, popup and tool windows are listed; the owned, hidden and untitled ones are not.
    const cTargetProcess rich({"--window", "main:Inv Main", "--window", "popup:Inv Popup", "--window",
                               "owned:Inv Owned", "--window", "tool:Inv Tool", "--window", "hidden:Inv Hidden",
                               "--window", "main:"});
    const cTargetProcess hidden({"--window", "hidden:Inv H1", "--window", "hidden:Inv H2"});
    const cTargetProcess windowless({"--window", "none"});
    ASSERT_TRUE(rich.Ready() && hidden.Ready() && windowless.Ready());
    const Case& c = GetParam();
    const std::string output = ProbeAs(c.version);

    // "<list> <window> <visible> <title> <exe>" by process id; a Processes
    // row names some hidden window of its process, or none ("-").
    std::map<std::uint32_t, std::multiset<std::string>> rows;
    std::uint32_t own = 0;
    std::string flags;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        line.erase(std::min(line.find('\r'), line.size()));
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string item; std::getline(fields, item, '\t');) f.push_back(item);
        if (line.rfind("own=", 0) == 0) own = static_cast<std::uint32_t>(std::stoul(line.substr(4)));
        if (line.rfind("os ", 0) == 0) flags = line + " ";
        if (f.size() < 7) continue;
        f.resize(8); // an empty exe path ends the line early
        const std::string window = f[0] == "P" ? (f[4] == "0" ? "-" : "hidden") : f[4];
        rows[static_cast<std::uint32_t>(std::stoul(f[3]))].insert(f[0] + " " + window + " " + f[5] + " " + f[6] +
                                                                  " " + f[7]);
    }
    ASSERT_NE(own, 0u) << output;
    std::istringstream want(c.flags);
    for (std::string item; want >> item;) EXPECT_NE(flags.find(" " + item + " "), std::string::npos) << flags;
    EXPECT_EQ(rows.count(own), 0u) << "the probe lists itself";
    EXPECT_EQ(rows.count(GetCurrentProcessId()), 1u) << "the test program, the probe's parent, is listed";
    const std::string exe = c.fullPaths ? cTargetProcess::ExePath() : "qxtarget.exe";
    const auto window = [&](int i) { return std::to_string(rich.Windows().at(i)); };
    EXPECT_EQ(rows[rich.Pid()], (std::multiset<std::string>{"A " + window(0) + " 1 Inv Main " + exe,
                                                            "A " + window(1) + " 1 Inv Popup " + exe,
                                                            "A " + window(3) + " 1 Inv Tool " + exe}));
    EXPECT_EQ(rows[hidden.Pid()], std::multiset<std::string>{"P hidden 0 qxtarget.exe " + exe});
    EXPECT_EQ(rows[windowless.Pid()], std::multiset<std::string>{"P - 0 qxtarget.exe " + exe});

}

// The default has no fixed major version (6 or later); Windows 10 reports its
// true one, not the 6.2 that GetVersionEx gives programs without a manifest.
INSTANTIATE_TEST_SUITE_P(
    Versions, InventoryVersions,
    ::testing::Values(Case{"win98", "platform=1 minor=10 dosmode=1 interface=2 version=5.0 unknown=0 win2000=0 "
                                    "win95=0 win98=1 nt3=0 nt4=0 nt4orlater=0", false},
                      Case{"win2k", "platform=2 dosmode=0 interface=2 version=5.0 unknown=0 win2000=1 win95=0 "
                                    "win98=0 nt3=0 nt4=1 nt4orlater=1", true},
                      Case{"winxp", "interface=2 version=5.1 unknown=0 win2000=1 win98=0 nt4orlater=1", true},
                      Case{"win10", "major=10 interface=1 unknown=1 win2000=0 nt4=0 nt4orlater=1", true},
                      Case{"", "platform=2 dosmode=0 interface=1 unknown=1 win2000=0 win95=0 win98=0 nt3=0 nt4=0 "
                               "nt4orlater=1", true}),
    [](const ::testing::TestParamInfo<Case>& p) {
        return std::string(*p.param.version ? p.param.version : "wine_default");
    });

} // namespace
} // namespace qx
