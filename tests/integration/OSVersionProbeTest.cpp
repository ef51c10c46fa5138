// cOSInfo on the versions Wine can pretend to be, as the probe sees them.
#include "integration/cVersionedProbe.h"
#include "win32/WinApi.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

namespace {

using qx::test::cVersionedProbe;

std::map<std::string, std::string> Probe(const std::string& exeName, const std::string& version) {
    const cVersionedProbe probe("qx_osprobe", exeName, version);
    EXPECT_TRUE(probe.Ready());
    std::string out;
    EXPECT_TRUE(probe.Run(out));
    std::map<std::string, std::string> fields;
    std::istringstream in(out);
    std::string item;
    while (in >> item) {
        const auto eq = item.find('=');
        if (eq != std::string::npos) fields[item.substr(0, eq)] = item.substr(eq + 1);
    }
    EXPECT_FALSE(fields.empty()) << out;
    return fields;
}

using Fields = std::map<std::string, std::string>;

void ExpectFlags(const Fields& f, const char* unknown, const char* w2000, const char* w95, const char* w98,
                 const char* nt3, const char* nt4, const char* nt4OrLater) {
    const Fields want{{"unknown", unknown}, {"win2000", w2000},        {"win95", w95}, {"win98", w98}, {"nt3", nt3},
                      {"nt4", nt4},         {"nt4orlater", nt4OrLater}};
    for (const auto& [k, v] : want) {
        const auto it = f.find(k);
        ASSERT_NE(it, f.end()) << k;
        EXPECT_EQ(it->second, v) << k;
    }
}

TEST(OSVersionProbe, Windows98) {
    const Fields f = Probe("qx_osprobe_win98.exe", "win98");
    ExpectFlags(f, "0", "0", "0", "1", "0", "0", "0");
    EXPECT_EQ(f.at("platform"), "1");
    EXPECT_EQ(f.at("minor"), "10");
    EXPECT_EQ(f.at("dosmode"), "1");
    EXPECT_EQ(f.at("interface"), "2");
    EXPECT_EQ(f.at("version"), "5.0"); // 4 + 10 / 10
}

TEST(OSVersionProbe, Windows2000) {
    const Fields f = Probe("qx_osprobe_win2k.exe", "win2k");
    ExpectFlags(f, "0", "1", "0", "0", "0", "1", "1");
    EXPECT_EQ(f.at("platform"), "2");
    EXPECT_EQ(f.at("dosmode"), "0");
    EXPECT_EQ(f.at("interface"), "2");
    EXPECT_EQ(f.at("version"), "5.0");
}

TEST(OSVersionProbe, WindowsXP) {
    const Fields f = Probe("qx_osprobe_winxp.exe", "winxp");
    ExpectFlags(f, "0", "1", "0", "0", "0", "1", "1");
    EXPECT_EQ(f.at("interface"), "2");
    EXPECT_EQ(f.at("version"), "5.1");
}

TEST(OSVersionProbe, Windows10ReportsItsTrueVersion) {
    const Fields f = Probe("qx_osprobe_win10.exe", "win10");
    ExpectFlags(f, "1", "0", "0", "0", "0", "0", "1");
    EXPECT_EQ(f.at("major"), "10"); // not the 6.2 that GetVersionEx gives manifest-less programs
    EXPECT_EQ(f.at("interface"), "1");
}

TEST(OSVersionProbe, WineDefaultIsUnknownButModernNT) {
    const Fields f = Probe("qx_osprobe_default.exe", "");
    ExpectFlags(f, "1", "0", "0", "0", "0", "0", "1");
    EXPECT_EQ(f.at("platform"), "2");
    EXPECT_GE(std::stoi(f.at("major")), 6);
    EXPECT_EQ(f.at("dosmode"), "0");
    EXPECT_EQ(f.at("interface"), "1");
}

TEST(OSVersionProbe, AppDefaultsKeysAreRemoved) {
    { const cVersionedProbe probe("qx_osprobe", "qx_osprobe_cleanup.exe", "winxp"); }
    HKEY k = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\qx_osprobe_cleanup.exe", 0, KEY_READ, &k),
              ERROR_SUCCESS);
    EXPECT_EQ(GetFileAttributesA((cVersionedProbe::BinFolder() + "qx_osprobe_cleanup.exe").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

} // namespace
