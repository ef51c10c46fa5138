#include "core/settings/cAppRegAPI.h"
#include "core/settings/cMemoryRegistry.h"
#include "unit/RegistryContract.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using contract::Dword;
const std::string kKey = "Software\\Veltrane\\Quellix\\Options";
constexpr RegKey kMachine = cAppRegAPI::HKEY_LOCAL_MACHINE();
constexpr RegKey kUser = cAppRegAPI::HKEY_CURRENT_USER();

class AppRegAPI : public ::testing::Test {
protected:
    AppRegAPI() { app.SetSoftwareKey("Veltrane\\Quellix"); }
    void TearDown() override { EXPECT_EQ(reg.OpenKeyCount(), 0u); } // every key closed again
    RegistryValue Stored(RegKey root, const std::string& name, const std::string& key = kKey) {
        RegistryValue v;
        EXPECT_TRUE(reg.Peek(root, key, name, v)) << name;
        return v;
    }
    bool Has(RegKey root, const std::string& name, const std::string& key = kKey) {
        RegistryValue v;
        return reg.Peek(root, key, name, v);
    }
    cMemoryRegistry reg;
    cAppRegAPI app{reg};
};

TEST_F(AppRegAPI, SoftwareKeyStartsAsTheProductNameAndPlacesTheSection) {
    cAppRegAPI fresh(reg);
    EXPECT_EQ(fresh.SoftwareKey(), "Quellix");
    EXPECT_EQ(fresh.GetNumericSetting(kUser, "Sec", "n", 4, -1, -1), 4);
    EXPECT_EQ(Stored(kUser, "n", "Software\\Quellix\\Sec").data, Dword(4));
}

TEST_F(AppRegAPI, MissingValuesAreStoredWithTheDefaultOnTheFirstRead) {
    EXPECT_EQ(app.GetStringSetting(kUser, "Options", "LogPath", "C:\\q.log"), "C:\\q.log");
    EXPECT_EQ(app.GetNumericSetting(kUser, "Options", "Wait", 10, -1, -1), 10);
    EXPECT_EQ(Stored(kUser, "LogPath").type, kRegSz);
    EXPECT_EQ(Stored(kUser, "LogPath").data, "C:\\q.log");
    EXPECT_EQ(Stored(kUser, "Wait").type, kRegDword);
    // The second read finds what the first one stored.
    EXPECT_EQ(app.GetStringSetting(kUser, "Options", "LogPath", "other"), "C:\\q.log");
    EXPECT_EQ(app.GetNumericSetting(kUser, "Options", "Wait", 99, -1, -1), 10);
}

TEST_F(AppRegAPI, AWronglyTypedValueCountsAsMissing) {
    reg.PutRawValue(kUser, kKey, "Text", {kRegDword, Dword(5)});
    reg.PutRawValue(kUser, kKey, "Number", {kRegSz, "25"});
    reg.PutRawValue(kUser, kKey, "Short", {kRegDword, "\x07"});
    EXPECT_EQ(app.GetStringSetting(kUser, "Options", "Text", "def"), "def");
    EXPECT_EQ(app.GetNumericSetting(kUser, "Options", "Number", 10, -1, -1), 10);
    EXPECT_EQ(app.GetNumericSetting(kUser, "Options", "Short", 3, -1, -1), 3);
    EXPECT_EQ(Stored(kUser, "Text").type, kRegSz);
    EXPECT_EQ(Stored(kUser, "Text").data, "def");
    EXPECT_EQ(Stored(kUser, "Number").type, kRegDword);
    EXPECT_EQ(Stored(kUser, "Number").data, Dword(10));
    EXPECT_EQ(Stored(kUser, "Short").data, Dword(3));
}

TEST_F(AppRegAPI, RangeCheckReplacesAndStoresOutOfRangeNumbers) {
    struct Case {
        std::int32_t stored, minimum, maximum, expected;
    } cases[] = {
        {150, 0, 100, 7},       {-3, 0, 100, 7},
        {0, 0, 100, 0},         {100, 0, 100, 100},               // both bounds, inclusive
        {-3, 0, -1, 7},         {5000, 0, -1, 5000},              // minimum only
        {150, -1, 100, 7},      {-3, -1, 100, -3},                // maximum only
        {-5000, -1, -1, -5000}, {0x7FFFFFFF, -1, -1, 0x7FFFFFFF}, // no bounds
    };
    for (const auto& c : cases) {
        reg.PutRawValue(kUser, kKey, "v", {kRegDword, Dword(c.stored)});
        EXPECT_EQ(app.GetNumericSetting(kUser, "Options", "v", 7, c.minimum, c.maximum), c.expected)
            << c.stored << " in " << c.minimum << ".." << c.maximum;
        EXPECT_EQ(Stored(kUser, "v").data, Dword(c.expected)) << c.stored;
    }
}

TEST_F(AppRegAPI, SettersCreateTheKeyAndConvertToText) {
    EXPECT_TRUE(app.SetStringSetting(kUser, "Options", "Path", "C:\\data"));
    EXPECT_TRUE(app.SetStringSetting(kUser, "Options", "Yes", true));
    EXPECT_TRUE(app.SetStringSetting(kUser, "Options", "No", false));
    EXPECT_TRUE(app.SetStringSetting(kUser, "Options", "Count", -42));
    EXPECT_TRUE(app.SetStringSetting(kUser, "Options", "Short", std::int16_t{7}));
    EXPECT_TRUE(app.SetNumericSetting(kUser, "Options", "Number", -1));
    EXPECT_EQ(Stored(kUser, "Path").data, "C:\\data");
    EXPECT_EQ(Stored(kUser, "Yes").data, "True");
    EXPECT_EQ(Stored(kUser, "No").data, "False");
    EXPECT_EQ(Stored(kUser, "Count").data, "-42");
    EXPECT_EQ(Stored(kUser, "Short").data, "7");
    EXPECT_EQ(Stored(kUser, "Number").type, kRegDword);
    EXPECT_EQ(Stored(kUser, "Number").data, Dword(-1));
    EXPECT_EQ(app.GetNumericSetting(kUser, "Options", "Number", 0, -1, -1), -1);
}

TEST_F(AppRegAPI, ASectionThatCanBeNeitherOpenedNorCreated) {
    for (RegKey root : {kMachine, kUser})
        reg.MakeUnopenable(root, kKey);
    EXPECT_EQ(app.GetStringSetting(kMachine, "Options", "LogPath", "C:\\q.log"), ""); // empty, not the default
    EXPECT_EQ(app.GetNumericSetting(kMachine, "Options", "Wait", 10, -1, -1), 10);
    EXPECT_EQ(app.GetNumericSetting(kMachine, "Options", "Wait", 10, 20, 30), 10);
    EXPECT_FALSE(app.SetStringSetting(kMachine, "Options", "LogPath", "x"));
    EXPECT_FALSE(app.SetNumericSetting(kMachine, "Options", "Wait", 1));
    EXPECT_FALSE(reg.KeyExists(kMachine, kKey));
    EXPECT_FALSE(reg.KeyExists(kUser, kKey));
}

TEST_F(AppRegAPI, OtherRootsHaveNoPerUserFallback) {
    reg.RefuseWritesBelow(kUser);
    reg.RefuseWritesBelow(kHkeyUsers);
    EXPECT_EQ(app.GetStringSetting(kUser, "Options", "t", "d"), "");
    EXPECT_FALSE(app.SetNumericSetting(kHkeyUsers, "Options", "n", 1));
    EXPECT_FALSE(reg.KeyExists(kMachine, kKey));
    // An existing key that refuses the write still yields the default.
    reg.PutRawValue(kHkeyUsers, kKey, "other", {kRegSz, "x"});
    EXPECT_EQ(app.GetStringSetting(kHkeyUsers, "Options", "t", "d"), "d");
    EXPECT_FALSE(Has(kHkeyUsers, "t"));
}

// A user without administrator rights: HKEY_LOCAL_MACHINE is read-only.
class AppRegAPINonAdmin : public AppRegAPI {
protected:
    AppRegAPINonAdmin() { reg.RefuseWritesBelow(kMachine); }
};

TEST_F(AppRegAPINonAdmin, FirstRunStoresDefaultsForTheUserAndSecondRunReadsThem) {
    EXPECT_EQ(app.GetStringSetting(kMachine, "Options", "LogPath", "C:\\q.log"), "C:\\q.log");
    EXPECT_EQ(app.GetNumericSetting(kMachine, "Options", "Wait", 10, -1, -1), 10);
    EXPECT_TRUE(app.SetNumericSetting(kMachine, "Options", "Wait", 30));
    EXPECT_TRUE(app.SetStringSetting(kMachine, "Options", "Last", "C:\\sets\\a.qxs"));
    EXPECT_FALSE(reg.KeyExists(kMachine, kKey));
    EXPECT_EQ(Stored(kUser, "LogPath").data, "C:\\q.log");
    EXPECT_EQ(Stored(kUser, "Wait").data, Dword(30));

    cAppRegAPI second(reg);
    second.SetSoftwareKey("Veltrane\\Quellix");
    EXPECT_EQ(second.GetNumericSetting(kMachine, "Options", "Wait", 10, -1, -1), 30);
    EXPECT_EQ(second.GetStringSetting(kMachine, "Options", "Last", ""), "C:\\sets\\a.qxs");
    EXPECT_EQ(second.GetStringSetting(kMachine, "Options", "LogPath", "other"), "C:\\q.log");
}

TEST_F(AppRegAPINonAdmin, MachineWideValuesAreReadUntilTheUserHasOwnOnes) {
    reg.PutRawValue(kMachine, kKey, "Wait", {kRegDword, Dword(20)});
    reg.PutRawValue(kMachine, kKey, "Path", {kRegSz, "D:\\shared"});
    reg.PutRawValue(kMachine, kKey, "Typed", {kRegSz, "not a number"});
    EXPECT_EQ(app.GetNumericSetting(kMachine, "Options", "Wait", 10, -1, -1), 20);
    EXPECT_EQ(app.GetStringSetting(kMachine, "Options", "Path", ""), "D:\\shared");
    EXPECT_FALSE(reg.KeyExists(kUser, kKey)); // nothing to heal, nothing written
    // A wrongly typed machine-wide value is healed in the user's copy.
    EXPECT_EQ(app.GetNumericSetting(kMachine, "Options", "Typed", 3, -1, -1), 3);
    EXPECT_EQ(Stored(kUser, "Typed").data, Dword(3));
    EXPECT_EQ(Stored(kMachine, "Typed").data, "not a number");
    // Out of range machine-wide: the default goes to the user's copy.
    EXPECT_EQ(app.GetNumericSetting(kMachine, "Options", "Wait", 10, 0, 15), 10);
    EXPECT_EQ(Stored(kUser, "Wait").data, Dword(10));
    EXPECT_TRUE(app.SetStringSetting(kMachine, "Options", "Path", "E:\\mine"));
    EXPECT_EQ(app.GetStringSetting(kMachine, "Options", "Path", ""), "E:\\mine");
    EXPECT_EQ(app.GetNumericSetting(kMachine, "Options", "Wait", 99, -1, -1), 10);
    EXPECT_EQ(Stored(kMachine, "Path").data, "D:\\shared");
}

TEST_F(AppRegAPINonAdmin, AWronglyTypedUserCopyGivesWayToTheMachineWideValue) {
    reg.PutRawValue(kMachine, kKey, "Wait", {kRegDword, Dword(20)});
    reg.PutRawValue(kUser, kKey, "Wait", {kRegSz, "junk"});
    EXPECT_EQ(app.GetNumericSetting(kMachine, "Options", "Wait", 10, -1, -1), 20);
}

TEST_F(AppRegAPI, AWriteTheMachineTakesRemovesTheUsersCopy) {
    // Values left by an earlier run without administrator rights.
    reg.PutRawValue(kUser, kKey, "Wait", {kRegDword, Dword(30)});
    reg.PutRawValue(kUser, kKey, "Keep", {kRegDword, Dword(1)});
    EXPECT_EQ(app.GetNumericSetting(kMachine, "Options", "Wait", 10, -1, -1), 30);
    EXPECT_TRUE(app.SetNumericSetting(kMachine, "Options", "Wait", 45));
    EXPECT_FALSE(Has(kUser, "Wait"));
    EXPECT_TRUE(Has(kUser, "Keep"));
    EXPECT_EQ(Stored(kMachine, "Wait").data, Dword(45));
    EXPECT_EQ(app.GetNumericSetting(kMachine, "Options", "Wait", 10, -1, -1), 45);
    // The same holds for a default healed into the machine-wide key.
    reg.PutRawValue(kUser, kKey, "Bad", {kRegSz, "junk"});
    EXPECT_EQ(app.GetNumericSetting(kMachine, "Options", "Bad", 2, -1, -1), 2);
    EXPECT_FALSE(Has(kUser, "Bad"));
    EXPECT_EQ(Stored(kMachine, "Bad").data, Dword(2));
}

TEST_F(AppRegAPINonAdmin, NeitherRootWritableLeavesEmptyTextAndDefaultNumbers) {
    reg.RefuseWritesBelow(kUser);
    EXPECT_EQ(app.GetStringSetting(kMachine, "Options", "LogPath", "C:\\q.log"), "");
    EXPECT_EQ(app.GetNumericSetting(kMachine, "Options", "Wait", 10, -1, -1), 10);
    EXPECT_FALSE(app.SetNumericSetting(kMachine, "Options", "Wait", 1));
    // With the machine-wide key present the string default comes back.
    reg.PutRawValue(kMachine, kKey, "Other", {kRegSz, ""});
    EXPECT_EQ(app.GetStringSetting(kMachine, "Options", "LogPath", "C:\\q.log"), "C:\\q.log");
}

} // namespace
} // namespace qx
