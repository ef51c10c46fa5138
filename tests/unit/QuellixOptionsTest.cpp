#include "core/settings/cQuellixOptions.h"
#include "fake/cMemoryRegistry.h"
#include "fake/cPostRecorder.h"
#include "unit/RegistryHelpers.h"

#include <gtest/gtest.h>

#include <cstring>

namespace qx {
namespace {

const std::string kKey = "Software\\Veltrane\\Quellix\\Options";
const std::string kFolder = "C:\\Quellix";
constexpr RegKey kMachine = kHkeyLocalMachine, kUser = kHkeyCurrentUser;

RegistryValue Dword(std::int32_t n) { return {kRegDword, contract::Dword(n)}; }

std::string Summary(const cQuellixOptions& o) {
    return std::to_string(o.RequireAdminLogin()) + std::to_string(o.RememberWindowPos()) +
           std::to_string(o.ShowSplash()) + std::to_string(o.DefaultForceClose()) +
           std::to_string(o.DefaultStopOnError()) + std::to_string(o.DefaultIgnoreTitle()) +
           " pw=" + std::to_string(o.AdminPassword()) + " wait=" + std::to_string(o.DefaultWaitSeconds()) +
           " log=" + std::to_string(o.Logging()) + " " + o.LogPath() + " " + o.DefaultDataPath() + " [" +
           o.LastProgramSet() + "]";
}

// Every value of a key in name order: numbers as read, texts quoted, other types as '?'.
std::string Dump(cMemoryRegistry& reg, RegKey root, const std::string& path = kKey) {
    std::string out;
    for (const auto& [name, v] : contract::AllValues(reg, root, path)) {
        std::int32_t n = 0;
        if (v.data.size() == 4) std::memcpy(&n, v.data.data(), 4);
        out += name + "=" +
               (v.type == kRegSz ? "'" + v.data + "' " : v.type == kRegDword ? std::to_string(n) + " " : "? ");
    }
    return out;
}

class Options : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(reg.OpenKeyCount(), 0u); } // every key closed again
    void Put(const std::string& name, const RegistryValue& v, RegKey root = kMachine) {
        reg.PutRawValue(root, kKey, name, v);
    }
    cMemoryRegistry reg;
    fake::cPostRecorder os;
    cQuellixOptions options{reg, os, kFolder};
};

TEST_F(Options, StoredValuesAreReadAsTheyLieTheUnreadableAreHealedAndWhatIsSavedComesBack) {
    Put("RequirePassword", Dword(1)); // any non-zero number is true, and reading it changes nothing
    Put("DefaultStopOnError", Dword(2));
    Put("ShowSpash", Dword(0));
    Put("ShowSplash", Dword(-1)); // the correctly spelt name is not the one read
    Put("LogPath", {kRegSz, std::string("D:\\q.log\0junk", 13)});
    Put("Logging", {kRegDword, std::string("\x03\x00", 2)});
    Put("DefaultWaitSeconds", {kRegSz, "25"});
    Put("DefaultForceClose", {kRegBinary, std::string(4, '\0')});
    Put("LastLoadedSet", Dword(5));
    EXPECT_FALSE(options.GetAppOptions(false)); // no data directory: read all the same, nothing filled in
    EXPECT_EQ(Summary(options), "110111 pw=-1 wait=10 log=1 D:\\q.log  []");
    EXPECT_EQ(Dump(reg, kMachine), "AdminPassword=-1 DefaultDataDirectory='' DefaultForceClose=-1 "
                                   "DefaultIgnoreTitle=-1 DefaultStopOnError=2 DefaultWaitSeconds=10 LastLoadedSet='' "
                                   "LogPath='D:\\q.log" + std::string(1, '\0') + "junk' Logging=1 RememberPositions=-1 "
                                   "RequirePassword=1 ShowSpash=0 ShowSplash=-1 ");
    const std::pair<std::int32_t, int> logging[] = {{70000, 1}, {32768, 1}, {32767, 32767}, {-32768, -32768},
                                                    {-32769, 1}};
    for (const auto& [stored, read] : logging) {
        Put("Logging", Dword(stored));
        ASSERT_TRUE(options.GetAppOptions(true));
        EXPECT_EQ(options.Logging(), read) << stored;
    }
    options.SetAdminPassword(-77);
    options.SetRememberWindowPos(false);
    options.SetShowSplash(true);
    options.SetDefaultForceClose(false);
    options.SetDefaultIgnoreTitle(false);
    options.SetDefaultWaitSeconds(30);
    options.SetDefaultDataPath("D:\\sets");
    options.SetLastProgramSet("D:\\sets\\a.qxs");
    EXPECT_TRUE(options.SaveAppOptions());
    EXPECT_EQ(Dump(reg, kMachine), "AdminPassword=-77 DefaultDataDirectory='D:\\sets' DefaultForceClose=0 "
                                   "DefaultIgnoreTitle=0 DefaultStopOnError=-1 DefaultWaitSeconds=30 "
                                   "LastLoadedSet='D:\\sets\\a.qxs' LogPath='D:\\q.log' Logging=1 MajorVersion=1 "
                                   "MinorVersion=1 QuellixPath='C:\\Quellix' RememberPositions=0 RequirePassword=-1 "
                                   "ShowSpash=-1 ShowSplash=-1 ");
    cQuellixOptions next(reg, os, kFolder);
    ASSERT_TRUE(next.GetAppOptions(false));
    EXPECT_EQ(Summary(next), Summary(options));
}

// A user without administrator rights keeps the options in a copy of their
// own, but neither that copy nor the user can change the password settings.
// An administrator's run reads that copy first and replaces it as it writes.
TEST_F(Options, AUsersOwnCopyServesThemUntilAnAdministratorWritesButNeverHoldsThePassword) {
    reg.RefuseWritesBelow(kMachine);
    Put("RequirePassword", Dword(-1));
    Put("AdminPassword", Dword(4242));
    Put("RequirePassword", Dword(0), kUser);
    Put("AdminPassword", Dword(0), kUser);
    ASSERT_TRUE(options.GetAppOptions(true));
    EXPECT_FALSE(options.SavePasswordSettings(false, 0));
    // The companion publishes its window machine-wide. The "never ran" (-1) a user's run keeps in a copy of
    // its own hides no handle published later, and no post goes to no window, -1 or HWND_BROADCAST.
    options.SendFerrowMsg(1435);
    EXPECT_EQ(Dump(reg, kUser, "Software\\Window Handles\\Window Handles"), "CorvathHwnd=-1 ");
    for (const std::int32_t handle : {-1, 0, 0xFFFF, 0x1A2B4}) {
        reg.PutRawValue(kMachine, "Software\\Window Handles\\Window Handles", "CorvathHwnd", Dword(handle));
        options.SendFerrowMsg(1434);
    }
    ASSERT_EQ(os.posts.size(), 1u);
    EXPECT_EQ(std::to_string(os.posts[0].window) + ":" + std::to_string(os.posts[0].message), "107188:1434");
    options.SetDefaultWaitSeconds(45);
    EXPECT_TRUE(options.SaveAppOptions());
    EXPECT_EQ(Summary(options), "111101 pw=4242 wait=45 log=1 C:\\Quellix\\Quellix.log C:\\Quellix\\data []");
    EXPECT_EQ(Dump(reg, kMachine), "AdminPassword=4242 RequirePassword=-1 ");
    reg.refused.clear();                     // now an administrator's run
    Put("Logging", {kRegSz, "junk"}, kUser); // a user's value that cannot be read gives way
    Put("Logging", Dword(2));
    cQuellixOptions admin(reg, os, kFolder);
    ASSERT_TRUE(admin.GetAppOptions(false));
    EXPECT_TRUE(admin.SavePasswordSettings(true, 77));
    EXPECT_TRUE(admin.SaveAppOptions());
    EXPECT_EQ(Dump(reg, kUser), "AdminPassword=0 RequirePassword=0 ");
    ASSERT_TRUE(admin.GetAppOptions(false)); // what the next start reads
    EXPECT_EQ(Summary(admin), "111101 pw=77 wait=45 log=2 C:\\Quellix\\Quellix.log C:\\Quellix\\data []");
}

} // namespace
} // namespace qx
