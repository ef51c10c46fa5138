#include "core/settings/cMemoryRegistry.h"
#include "core/util/cSystemInfo.h"
#include "fake/cFakeSystemFacts.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr const char* kIdConfigDb = "System\\CurrentControlSet\\Control\\IDConfigDB";

RegistryValue Sz(const std::string& s) { return {kRegSz, s}; }
RegistryValue Dword(std::uint32_t n) {
    return {kRegDword, std::string{static_cast<char>(n & 0xFF), static_cast<char>((n >> 8) & 0xFF),
                                   static_cast<char>((n >> 16) & 0xFF), static_cast<char>(n >> 24)}};
}

class SystemInfoTest : public ::testing::Test {
protected:
    SystemInfoTest() {
        reg.PutRawValue(kHkeyCurrentUser, kShellFolders, "Programs", Sz("C:\\Start Menu\\Programs"));
        reg.PutRawValue(kHkeyCurrentUser, kShellFolders, "StartUp", Sz("C:\\Start Menu\\Programs\\StartUp"));
        reg.PutRawValue(kHkeyCurrentUser, kExplorer, "Shutdown setting", Dword(2));
    }
    fake::cFakeSystemFacts facts;
    cMemoryRegistry reg;
    cErrorInfo error;
};

TEST_F(SystemInfoTest, ReadsEveryFact) {
    cSystemInfo info(facts, reg);
    ASSERT_TRUE(info.Create(error));
    EXPECT_EQ(info.logonName(), "alice");
    EXPECT_EQ(info.WindowsDir(), "C:\\windows");
    EXPECT_EQ(info.SystemDir(), "C:\\windows\\system32");
    EXPECT_EQ(info.TempPath(), "C:\\temp\\");
    EXPECT_EQ(info.StartMenuDir(), "C:\\Start Menu\\Programs");
    EXPECT_EQ(info.StartupFolder(), "C:\\Start Menu\\Programs\\StartUp"); // names compare without case
    EXPECT_EQ(info.LastShutdownSetting(), 2);
    EXPECT_EQ(info.EnglishNameOfLang(), "English");
    EXPECT_EQ(info.LocalNameOfLang(), "English (United States)");
    EXPECT_EQ(info.CurrentLanguageID(), "0409");
    EXPECT_TRUE(info.MultiUsers());
    EXPECT_EQ(reg.OpenKeyCount(), 0u);
}

TEST_F(SystemInfoTest, MissingOrBlankShellFolderFailsWith999) {
    for (const char* which : {"Programs", "StartUp"}) {
        SCOPED_TRACE(which);
        cMemoryRegistry r;
        r.PutRawValue(kHkeyCurrentUser, kShellFolders, "Programs", Sz("C:\\P"));
        r.PutRawValue(kHkeyCurrentUser, kShellFolders, "StartUp", Sz("C:\\S"));
        r.PutRawValue(kHkeyCurrentUser, kShellFolders, which, Sz("   "));
        cSystemInfo info(facts, r);
        cErrorInfo e;
        EXPECT_FALSE(info.Create(e));
        EXPECT_EQ(e.number, 999);
        EXPECT_EQ(e.source, "cSystemInfo");
        EXPECT_EQ(e.description, "Unable to locate Startup directory");
        EXPECT_EQ(info.logonName(), "alice"); // what came before is kept
        EXPECT_EQ(r.OpenKeyCount(), 0u);
    }
    cMemoryRegistry empty;
    cSystemInfo info(facts, empty);
    EXPECT_FALSE(info.Create(error));
    EXPECT_EQ(error.number, 999);
}

TEST_F(SystemInfoTest, TheLogonNameIsCutAtItsTerminatorOrUnknown) {
    const struct {
        std::string name;
        bool ok;
        const char* logon;
    } cases[] = {{"", true, "[Unknown]"}, {"  ", true, "[Unknown]"}, {std::string("\0x", 2), true, "[Unknown]"},
                 {std::string("bob\0junk", 8), true, "bob"}, {"bob", false, "[Unknown]"}};
    for (const auto& c : cases) {
        facts.userName = c.name;
        facts.userNameOk = c.ok;
        cSystemInfo info(facts, reg);
        ASSERT_TRUE(info.Create(error));
        EXPECT_EQ(info.logonName(), c.logon) << c.name;
    }
}

TEST_F(SystemInfoTest, SeveralUsersOnWindows9xNeedProfilesOrANameAndOnNTAlwaysExist) {
    const struct {
        std::uint32_t platform, major;
        const char* profiles; // nullptr: not recorded
        bool named, multi;
    } cases[] = {
        {kVerPlatformWin32Windows, 4, nullptr, false, false}, {kVerPlatformWin32Windows, 4, " ", false, false},
        {kVerPlatformWin32Windows, 4, "1", false, true},      {kVerPlatformWin32Windows, 4, nullptr, true, true},
        {kVerPlatformWin32Nt, 4, nullptr, false, true},       {kVerPlatformWin32Nt, 10, nullptr, false, true},
    };
    for (const auto& c : cases) {
        cMemoryRegistry r;
        r.PutRawValue(kHkeyCurrentUser, kShellFolders, "Programs", Sz("C:\\P"));
        r.PutRawValue(kHkeyCurrentUser, kShellFolders, "StartUp", Sz("C:\\S"));
        if (c.profiles) r.PutRawValue(kHkeyLocalMachine, "Network\\Logon", "UserProfiles", Sz(c.profiles));
        facts.version = OsVersionInfo{148, c.major, 10, 1998, c.platform, ""};
        facts.userNameOk = c.named;
        cSystemInfo info(facts, r);
        ASSERT_TRUE(info.Create(error));
        EXPECT_EQ(info.MultiUsers(), c.multi) << c.platform << ' ' << (c.profiles ? c.profiles : "-") << c.named;
    }
}

TEST_F(SystemInfoTest, LastShutdownSettingIsWrittenThrough) {
    cSystemInfo info(facts, reg);
    ASSERT_TRUE(info.Create(error));
    EXPECT_TRUE(info.SetLastShutdownSetting(7));
    EXPECT_EQ(info.LastShutdownSetting(), 7);
    RegistryValue v;
    ASSERT_TRUE(reg.Peek(kHkeyCurrentUser, kExplorer, "Shutdown setting", v));
    EXPECT_EQ(v.type, kRegDword);
    EXPECT_EQ(v.data, Dword(7).data);
    reg.RefuseWritesBelow(kHkeyCurrentUser);
    EXPECT_FALSE(info.SetLastShutdownSetting(9));
    EXPECT_EQ(info.LastShutdownSetting(), 7);
    EXPECT_EQ(reg.OpenKeyCount(), 0u);
}

TEST_F(SystemInfoTest, DriveLists) {
    facts.driveTypes = {{'A', 2}, {'C', 3}, {'D', 5}, {'E', 3}, {'Z', 4}};
    cSystemInfo info(facts, reg);
    std::vector<std::string> list{"stale"};
    EXPECT_TRUE(info.GetDriveList(cSystemInfo::DRIVE_FIXED(), list));
    EXPECT_EQ(list, (std::vector<std::string>{"C:", "E:"}));
    EXPECT_TRUE(info.GetDriveList(cSystemInfo::DRIVE_REMOTE(), list));
    EXPECT_EQ(list, (std::vector<std::string>{"Z:"}));
    EXPECT_FALSE(info.GetDriveList(cSystemInfo::DRIVE_RAMDISK(), list));
    EXPECT_TRUE(list.empty());
    list = {"stale"};
    EXPECT_FALSE(info.GetDriveList(1, list)); // no root directory: not a listable type
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(info.GetDriveList(7, list));
    EXPECT_EQ(cSystemInfo::DRIVE_CDROM(), 5);
}

TEST_F(SystemInfoTest, HardwareProfiles) {
    cSystemInfo info(facts, reg);
    std::vector<std::string> list{"stale"};
    EXPECT_EQ(info.CurrentHardwareConfig(), "");
    EXPECT_FALSE(info.GetHardwareConfigList(list));
    EXPECT_TRUE(list.empty());

    reg.PutRawValue(kHkeyLocalMachine, std::string(kIdConfigDb) + "\\Hardware Profiles\\0001", "FriendlyName",
                    Sz("Docked"));
    reg.PutRawValue(kHkeyLocalMachine, std::string(kIdConfigDb) + "\\Hardware Profiles\\0002", "FriendlyName",
                    Sz("Undocked"));
    reg.PutRawValue(kHkeyLocalMachine, kIdConfigDb, "CurrentConfig", Dword(2));
    EXPECT_EQ(info.CurrentHardwareConfig(), "Undocked");
    EXPECT_TRUE(info.GetHardwareConfigList(list));
    EXPECT_EQ(list, (std::vector<std::string>{"Docked", "Undocked"}));
    reg.PutRawValue(kHkeyLocalMachine, kIdConfigDb, "CurrentConfig", Sz("0001")); // as Windows 9x keeps it
    EXPECT_EQ(info.CurrentHardwareConfig(), "Docked");
    EXPECT_EQ(reg.OpenKeyCount(), 0u);
}

} // namespace
} // namespace qx
