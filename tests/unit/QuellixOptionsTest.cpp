#include "core/settings/cMemoryRegistry.h"
#include "core/settings/cQuellixOptions.h"
#include "fake/cPostRecorder.h"
#include "fake/cRegistryRecorder.h"
#include "unit/RegistryContract.h"

#include <gtest/gtest.h>

#include <map>

namespace qx {
namespace {

const std::string kKey = "Software\\Veltrane\\Quellix\\Options";
const std::string kHandlesKey = "Software\\Window Handles\\Window Handles";
const std::string kFolder = "C:\\Program Files\\Quellix";

using contract::Dword;

class QuellixOptions : public ::testing::Test {
protected:
    std::map<std::string, RegistryValue> Values(RegKey root, const std::string& key = kKey) {
        return contract::AllValues(reg, root, key);
    }
    void Put(const std::string& name, std::int32_t n, RegKey root = kHkeyLocalMachine) {
        reg.PutRawValue(root, kKey, name, {kRegDword, Dword(n)});
    }
    void Put(const std::string& name, const std::string& text, RegKey root = kHkeyLocalMachine) {
        reg.PutRawValue(root, kKey, name, {kRegSz, text});
    }
    cMemoryRegistry reg;
    fake::cPostRecorder os;
    cQuellixOptions options{reg, os, kFolder};
};

TEST_F(QuellixOptions, FirstRunStoresEveryOptionWithItsDefault) {
    EXPECT_EQ(options.RegSoftwareKey(), "Veltrane\\Quellix");
    ASSERT_TRUE(options.GetAppOptions(true));
    const std::map<std::string, RegistryValue> expected = {
        {"RequirePassword", {kRegDword, Dword(0)}},
        {"AdminPassword", {kRegDword, Dword(-1)}},
        {"DefaultDataDirectory", {kRegSz, kFolder + "\\data"}},
        {"LastLoadedSet", {kRegSz, ""}},
        {"RememberPositions", {kRegDword, Dword(-1)}},
        {"ShowSpash", {kRegDword, Dword(-1)}},
        {"DefaultForceClose", {kRegDword, Dword(-1)}},
        {"DefaultStopOnError", {kRegDword, Dword(0)}},
        {"DefaultIgnoreTitle", {kRegDword, Dword(-1)}},
        {"DefaultWaitSeconds", {kRegDword, Dword(10)}},
        {"Logging", {kRegDword, Dword(1)}},
        {"LogPath", {kRegSz, kFolder + "\\Quellix.log"}},
    };
    const auto stored = Values(kHkeyLocalMachine);
    ASSERT_EQ(stored.size(), expected.size());
    for (const auto& [name, value] : expected) {
        ASSERT_TRUE(stored.count(name)) << name;
        EXPECT_EQ(stored.at(name).type, value.type) << name;
        EXPECT_EQ(stored.at(name).data, value.data) << name;
    }
    EXPECT_FALSE(options.RequireAdminLogin());
    EXPECT_EQ(options.AdminPassword(), -1);
    EXPECT_EQ(options.DefaultDataPath(), kFolder + "\\data");
    EXPECT_EQ(options.LastProgramSet(), "");
    EXPECT_TRUE(options.RememberWindowPos());
    EXPECT_TRUE(options.ShowSplash());
    EXPECT_TRUE(options.DefaultForceClose());
    EXPECT_FALSE(options.DefaultStopOnError());
    EXPECT_TRUE(options.DefaultIgnoreTitle());
    EXPECT_EQ(options.DefaultWaitSeconds(), 10);
    EXPECT_EQ(options.Logging(), 1);
    EXPECT_EQ(options.LogPath(), kFolder + "\\Quellix.log");
    EXPECT_TRUE(os.posts.empty());
    EXPECT_EQ(reg.OpenKeyCount(), 0u);
}

TEST_F(QuellixOptions, StoredValuesAreReadAndAnyNonZeroIsTrue) {
    Put("RequirePassword", 1);
    Put("AdminPassword", 123456789);
    Put("DefaultDataDirectory", "D:\\sets");
    Put("LastLoadedSet", "D:\\sets\\work.qxs");
    Put("RememberPositions", 0);
    Put("ShowSpash", 0);
    Put("ShowSplash", -1); // the correctly spelt name is not the one read
    Put("DefaultForceClose", 0);
    Put("DefaultStopOnError", 2);
    Put("DefaultIgnoreTitle", 0);
    Put("DefaultWaitSeconds", 0);
    Put("Logging", 3);
    Put("LogPath", "D:\\log.txt");
    ASSERT_TRUE(options.GetAppOptions(true));
    EXPECT_TRUE(options.RequireAdminLogin());
    EXPECT_EQ(options.AdminPassword(), 123456789);
    EXPECT_EQ(options.DefaultDataPath(), "D:\\sets");
    EXPECT_EQ(options.LastProgramSet(), "D:\\sets\\work.qxs");
    EXPECT_FALSE(options.RememberWindowPos());
    EXPECT_FALSE(options.ShowSplash());
    EXPECT_FALSE(options.DefaultForceClose());
    EXPECT_TRUE(options.DefaultStopOnError());
    EXPECT_FALSE(options.DefaultIgnoreTitle());
    EXPECT_EQ(options.DefaultWaitSeconds(), 0);
    EXPECT_EQ(options.Logging(), 3);
    EXPECT_EQ(options.LogPath(), "D:\\log.txt");
}

TEST_F(QuellixOptions, ABooleanStoredAsOneIsSavedAsMinusOne) {
    Put("RememberPositions", 1);
    ASSERT_TRUE(options.GetAppOptions(true));
    EXPECT_TRUE(options.RememberWindowPos());
    EXPECT_EQ(Values(kHkeyLocalMachine).at("RememberPositions").data, Dword(1)); // reading changes nothing
    EXPECT_TRUE(options.SaveAppOptions());
    EXPECT_EQ(Values(kHkeyLocalMachine).at("RememberPositions").data, Dword(-1));
}

TEST_F(QuellixOptions, WithoutFillDefaultsAMissingDataDirectoryFailsAfterReadingTheRest) {
    Put("DefaultWaitSeconds", 25);
    Put("LogPath", "D:\\log.txt");
    EXPECT_FALSE(options.GetAppOptions(false));
    EXPECT_EQ(options.DefaultDataPath(), "");
    EXPECT_EQ(options.DefaultWaitSeconds(), 25);
    EXPECT_EQ(options.LogPath(), "D:\\log.txt");
    const auto stored = Values(kHkeyLocalMachine);
    EXPECT_EQ(stored.at("DefaultDataDirectory").data, "");
    EXPECT_EQ(stored.count("ShowSpash"), 1u);
    // A stored directory needs no filling.
    Put("DefaultDataDirectory", "D:\\sets");
    EXPECT_TRUE(options.GetAppOptions(false));
    EXPECT_EQ(options.DefaultDataPath(), "D:\\sets");
}

TEST_F(QuellixOptions, SaveWritesEveryValueInItsOrder) {
    fake::cRegistryRecorder recorder(reg);
    cQuellixOptions recorded(recorder, os, kFolder);
    recorded.SetRequireAdminLogin(true);
    recorded.SetAdminPassword(-77);
    recorded.SetDefaultDataPath("D:\\sets");
    recorded.SetLastProgramSet("D:\\sets\\a.qxs");
    recorded.SetRememberWindowPos(false);
    recorded.SetShowSplash(false);
    recorded.SetDefaultForceClose(false);
    recorded.SetDefaultStopOnError(true);
    recorded.SetDefaultIgnoreTitle(false);
    recorded.SetDefaultWaitSeconds(30);
    recorded.SetLogging(2);
    recorded.SetLogPath("D:\\q.log");
    EXPECT_TRUE(recorder.written.empty()); // setters change memory only
    EXPECT_TRUE(recorded.SaveAppOptions());
    EXPECT_EQ(recorder.written,
              (std::vector<std::string>{"RequirePassword", "MajorVersion", "MinorVersion", "AdminPassword",
                                        "DefaultDataDirectory", "LastLoadedSet", "RememberPositions", "ShowSpash",
                                        "DefaultForceClose", "DefaultStopOnError", "DefaultIgnoreTitle",
                                        "DefaultWaitSeconds", "Logging", "LogPath", "QuellixPath"}));
    const auto stored = Values(kHkeyLocalMachine);
    EXPECT_EQ(stored.at("RequirePassword").data, Dword(-1));
    EXPECT_EQ(stored.at("MajorVersion").data, Dword(1));
    EXPECT_EQ(stored.at("MinorVersion").data, Dword(1));
    EXPECT_EQ(stored.at("AdminPassword").data, Dword(-77));
    EXPECT_EQ(stored.at("DefaultStopOnError").data, Dword(-1));
    EXPECT_EQ(stored.at("DefaultIgnoreTitle").data, Dword(0));
    EXPECT_EQ(stored.at("Logging").data, Dword(2));
    EXPECT_EQ(stored.at("QuellixPath").type, kRegSz);
    EXPECT_EQ(stored.at("QuellixPath").data, kFolder);

    cQuellixOptions next(reg, os, kFolder);
    ASSERT_TRUE(next.GetAppOptions(true));
    EXPECT_TRUE(next.RequireAdminLogin());
    EXPECT_EQ(next.AdminPassword(), -77);
    EXPECT_EQ(next.LastProgramSet(), "D:\\sets\\a.qxs");
    EXPECT_FALSE(next.ShowSplash());
    EXPECT_EQ(next.DefaultWaitSeconds(), 30);
    EXPECT_EQ(next.LogPath(), "D:\\q.log");
}

TEST_F(QuellixOptions, LoggingOutsideSixteenBitsFallsBackToOne) {
    for (const auto& [stored, expected] : std::map<std::int32_t, std::int16_t>{
             {70000, 1}, {-40000, 1}, {32768, 1}, {32767, 32767}, {-32768, -32768}, {3, 3}}) {
        Put("Logging", stored);
        options.GetAppOptions(true);
        EXPECT_EQ(options.Logging(), expected) << stored;
    }
}

TEST_F(QuellixOptions, WronglyTypedAndCorruptValuesGetTheirDefaultsBack) {
    Put("DefaultWaitSeconds", std::string("25"));
    Put("LogPath", 5);
    reg.PutRawValue(kHkeyLocalMachine, kKey, "Logging", {kRegDword, std::string("\x03\x00", 2)});
    reg.PutRawValue(kHkeyLocalMachine, kKey, "ShowSpash", {kRegBinary, std::string(4, '\0')});
    ASSERT_TRUE(options.GetAppOptions(true));
    EXPECT_EQ(options.DefaultWaitSeconds(), 10);
    EXPECT_EQ(options.LogPath(), kFolder + "\\Quellix.log");
    EXPECT_EQ(options.Logging(), 1);
    EXPECT_TRUE(options.ShowSplash());
    const auto stored = Values(kHkeyLocalMachine);
    EXPECT_EQ(stored.at("DefaultWaitSeconds").type, kRegDword);
    EXPECT_EQ(stored.at("DefaultWaitSeconds").data, Dword(10));
    EXPECT_EQ(stored.at("LogPath").type, kRegSz);
    EXPECT_EQ(stored.at("Logging").data, Dword(1));
    EXPECT_EQ(stored.at("ShowSpash").type, kRegDword);
}

TEST_F(QuellixOptions, SingleBooleanValues) {
    options.SetBooleanValue("Flag", true);
    EXPECT_EQ(Values(kHkeyLocalMachine).at("Flag").data, Dword(-1));
    options.SetBooleanValue("Flag", false);
    EXPECT_FALSE(options.GetBooleanValue("Flag", true));
    EXPECT_TRUE(options.GetBooleanValue("Missing", true));
    EXPECT_EQ(Values(kHkeyLocalMachine).at("Missing").data, Dword(-1));
    EXPECT_FALSE(options.GetBooleanValue("Missing2", false));
    EXPECT_EQ(Values(kHkeyLocalMachine).at("Missing2").data, Dword(0));
    Put("Two", 2);
    EXPECT_TRUE(options.GetBooleanValue("Two", false));
}

TEST_F(QuellixOptions, CompanionThatNeverRanGetsItsValueCreatedAndNoPost) {
    options.SendFerrowMsg(1435);
    EXPECT_TRUE(os.posts.empty());
    const auto stored = Values(kHkeyLocalMachine, kHandlesKey);
    ASSERT_EQ(stored.count("CorvathHwnd"), 1u);
    EXPECT_EQ(stored.at("CorvathHwnd").data, Dword(-1));
    // The options key is used again afterwards.
    EXPECT_EQ(options.RegSoftwareKey(), "Veltrane\\Quellix");
    options.SetBooleanValue("After", true);
    EXPECT_EQ(Values(kHkeyLocalMachine).count("After"), 1u);
    EXPECT_TRUE(Values(kHkeyLocalMachine, kHandlesKey + "\\Options").empty());
}

TEST_F(QuellixOptions, CompanionWindowIsPostedTheMessage) {
    reg.PutRawValue(kHkeyLocalMachine, kHandlesKey, "CorvathHwnd", {kRegDword, Dword(0x0001A2B4)});
    options.SendFerrowMsg(1434);
    options.SendFerrowMsg(1435);
    ASSERT_EQ(os.posts.size(), 2u);
    EXPECT_EQ(os.posts[0].window, 0x0001A2B4u);
    EXPECT_EQ(os.posts[0].message, 1434u);
    EXPECT_EQ(os.posts[0].wParam, 0u);
    EXPECT_EQ(os.posts[0].lParam, 0);
    EXPECT_EQ(os.posts[1].message, 1435u);
}

TEST_F(QuellixOptions, NoPostToNoWindowOrToEveryWindow) {
    for (std::int32_t handle : {0, -1, 0xFFFF}) {
        reg.PutRawValue(kHkeyLocalMachine, kHandlesKey, "CorvathHwnd", {kRegDword, Dword(handle)});
        options.SendFerrowMsg(1435);
    }
    EXPECT_TRUE(os.posts.empty());
}

TEST_F(QuellixOptions, WithoutAdministratorRightsOptionsLiveWithTheUser) {
    reg.RefuseWritesBelow(kHkeyLocalMachine);
    ASSERT_TRUE(options.GetAppOptions(true));
    EXPECT_FALSE(reg.KeyExists(kHkeyLocalMachine, kKey));
    EXPECT_EQ(Values(kHkeyCurrentUser).size(), 10u); // the two password settings stay machine-wide
    EXPECT_EQ(Values(kHkeyCurrentUser).at("DefaultDataDirectory").data, kFolder + "\\data");
    options.SetDefaultWaitSeconds(45);
    options.SetShowSplash(false);
    options.SetLastProgramSet("C:\\Users\\me\\a.qxs");
    EXPECT_TRUE(options.SaveAppOptions());

    cQuellixOptions second(reg, os, kFolder);
    ASSERT_TRUE(second.GetAppOptions(false));
    EXPECT_EQ(second.DefaultWaitSeconds(), 45);
    EXPECT_FALSE(second.ShowSplash());
    EXPECT_EQ(second.LastProgramSet(), "C:\\Users\\me\\a.qxs");
    EXPECT_EQ(second.DefaultDataPath(), kFolder + "\\data");
    EXPECT_EQ(Values(kHkeyCurrentUser).size(), 13u);
}

// A user's own key can neither hide an administrator's password nor switch
// the login off, and a user without administrator rights cannot change it.
TEST_F(QuellixOptions, PasswordSettingsAreReadAndWrittenMachineWideOnly) {
    for (const bool planted : {false, true}) {
        SCOPED_TRACE(planted);
        cMemoryRegistry r;
        r.RefuseWritesBelow(kHkeyLocalMachine);
        cQuellixOptions first(r, os, kFolder);
        ASSERT_TRUE(first.GetAppOptions(true)); // the user's first run and exit: a copy of their own
        first.SaveAppOptions();
        if (planted) {
            r.PutRawValue(kHkeyCurrentUser, kKey, "RequirePassword", {kRegDword, Dword(0)});
            r.PutRawValue(kHkeyCurrentUser, kKey, "AdminPassword", {kRegDword, Dword(0)});
        }
        r.PutRawValue(kHkeyLocalMachine, kKey, "RequirePassword", {kRegDword, Dword(-1)}); // the administrator
        r.PutRawValue(kHkeyLocalMachine, kKey, "AdminPassword", {kRegDword, Dword(4242)});
        const auto userCopy = contract::AllValues(r, kHkeyCurrentUser, kKey);

        cQuellixOptions next(r, os, kFolder);
        ASSERT_TRUE(next.GetAppOptions(true));
        EXPECT_TRUE(next.RequireAdminLogin());
        EXPECT_EQ(next.AdminPassword(), 4242);
        EXPECT_FALSE(next.SavePasswordSettings(false, 0));
        EXPECT_TRUE(next.RequireAdminLogin());
        EXPECT_EQ(next.AdminPassword(), 4242);
        next.SaveAppOptions();
        const auto after = contract::AllValues(r, kHkeyCurrentUser, kKey);
        EXPECT_EQ(after.count("RequirePassword"), userCopy.count("RequirePassword")); // no copy of its own
        EXPECT_EQ(after.size(), userCopy.size());
    }
    // An administrator's change is stored at once, machine-wide, and nowhere else.
    EXPECT_TRUE(options.SavePasswordSettings(true, 77));
    EXPECT_TRUE(options.RequireAdminLogin());
    EXPECT_EQ(options.AdminPassword(), 77);
    EXPECT_EQ(Values(kHkeyLocalMachine).at("RequirePassword").data, Dword(-1));
    EXPECT_EQ(Values(kHkeyLocalMachine).at("AdminPassword").data, Dword(77));
    EXPECT_FALSE(reg.KeyExists(kHkeyCurrentUser, kKey));
}

TEST_F(QuellixOptions, CompanionPublishedAfterAUserRanWithoutAdministratorRightsStillGetsTheMessage) {
    reg.RefuseWritesBelow(kHkeyLocalMachine);
    options.SendFerrowMsg(1435); // the companion never ran: "-1" lands in the user's copy
    ASSERT_EQ(Values(kHkeyCurrentUser, kHandlesKey).at("CorvathHwnd").data, Dword(-1));
    reg.PutRawValue(kHkeyLocalMachine, kHandlesKey, "CorvathHwnd", {kRegDword, Dword(0x0002C0DE)}); // now it runs
    options.SendFerrowMsg(1434);
    ASSERT_EQ(os.posts.size(), 1u);
    EXPECT_EQ(os.posts[0].window, 0x0002C0DEu);
    EXPECT_EQ(os.posts[0].message, 1434u);
}

TEST_F(QuellixOptions, WithoutAnyWriteAccessLogPathIsEmptyAndDataPathIsTheProgramFolders) {
    reg.RefuseWritesBelow(kHkeyLocalMachine);
    reg.RefuseWritesBelow(kHkeyCurrentUser);
    ASSERT_TRUE(options.GetAppOptions(true));
    EXPECT_EQ(options.LogPath(), "");
    EXPECT_EQ(options.DefaultDataPath(), kFolder + "\\data");
    EXPECT_EQ(options.DefaultWaitSeconds(), 10);
    EXPECT_TRUE(options.DefaultForceClose());
    EXPECT_TRUE(options.SaveAppOptions());
    options.SendFerrowMsg(1435);
    EXPECT_TRUE(os.posts.empty());
}

} // namespace
} // namespace qx
