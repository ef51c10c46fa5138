// The registry port against the real registry, and the options stored through it.
#include "core/settings/cQuellixOptions.h"
#include "fake/cPostRecorder.h"
#include "unit/RegistryContract.h"
#include "win32/cWin32Registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>

namespace qx {
namespace contract {

struct Win32Store {
    static std::unique_ptr<IRegistry> Make() { return std::make_unique<win32::cWin32Registry>(); }
};
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract, Win32Store);

} // namespace contract
namespace {

using contract::DeleteTree;
using contract::Dword;
using contract::kBase;

// Moves everything the program keeps below Software\ into the test key, so
// that the options' fixed key paths never touch a real installation.
class cRedirected final : public IRegistry {
public:
    explicit cRedirected(IRegistry& real) : real_(real) {}
    std::int32_t OpenKey(RegKey p, const std::string& s, RegKey& k) override { return real_.OpenKey(p, Move(p, s), k); }
    std::int32_t CreateKey(RegKey p, const std::string& s, RegKey& k) override {
        return real_.CreateKey(p, Move(p, s), k);
    }
    std::int32_t CloseKey(RegKey k) override { return real_.CloseKey(k); }
    std::int32_t DeleteKey(RegKey k, const std::string& s) override { return real_.DeleteKey(k, Move(k, s)); }
    std::int32_t DeleteValue(RegKey k, const std::string& n) override { return real_.DeleteValue(k, n); }
    std::int32_t EnumKey(RegKey k, std::uint32_t i, std::string& n) override { return real_.EnumKey(k, i, n); }
    std::int32_t EnumValue(RegKey k, std::uint32_t i, std::string& n) override { return real_.EnumValue(k, i, n); }
    std::int32_t QueryValue(RegKey k, const std::string& n, RegistryValue& v) override {
        return real_.QueryValue(k, n, v);
    }
    std::int32_t SetStringValue(RegKey k, const std::string& n, const std::string& t) override {
        return real_.SetStringValue(k, n, t);
    }
    std::int32_t SetDwordValue(RegKey k, const std::string& n, std::uint32_t v) override {
        return real_.SetDwordValue(k, n, v);
    }

private:
    static std::string Move(RegKey parent, const std::string& path) {
        const bool fromRoot = parent == kHkeyLocalMachine || parent == kHkeyCurrentUser;
        return fromRoot && path.rfind("Software\\", 0) == 0 ? kBase + "\\" + path.substr(9) : path;
    }
    IRegistry& real_;
};

const std::string kOptionsKey = kBase + "\\Veltrane\\Quellix\\Options";
const std::string kFolder = "C:\\Program Files\\Quellix";

class RealOptions : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    void Clean() {
        for (RegKey root : {kHkeyLocalMachine, kHkeyCurrentUser})
            ASSERT_TRUE(DeleteTree(real, root, kBase));
    }
    std::map<std::string, RegistryValue> Values(RegKey root, const std::string& key = kOptionsKey) {
        return contract::AllValues(real, root, key);
    }
    // Stores raw bytes with the plain Win32 call, as another program could.
    void PutRaw(const std::string& name, DWORD type, const void* data, DWORD size) {
        HKEY k = nullptr;
        const std::wstring path = std::wstring(kOptionsKey.begin(), kOptionsKey.end());
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr), 0);
        const std::wstring wname(name.begin(), name.end());
        EXPECT_EQ(RegSetValueExW(k, wname.c_str(), 0, type, static_cast<const BYTE*>(data), size), 0);
        RegCloseKey(k);
    }
    win32::cWin32Registry real;
    cRedirected reg{real};
    fake::cPostRecorder os;
};

TEST_F(RealOptions, FirstRunSaveAndSecondRunRoundTrip) {
    cQuellixOptions first(reg, os, kFolder);
    ASSERT_TRUE(first.GetAppOptions(true));
    auto stored = Values(kHkeyLocalMachine);
    EXPECT_EQ(stored.size(), 12u);
    EXPECT_EQ(stored["DefaultDataDirectory"].type, kRegSz);
    EXPECT_EQ(stored["DefaultDataDirectory"].data, kFolder + "\\data");
    EXPECT_EQ(stored["ShowSpash"].data, Dword(-1));
    EXPECT_EQ(stored["DefaultWaitSeconds"].data, Dword(10));

    first.SetLastProgramSet("C:\\Sets\\Caf\xC3\xA9 \xE2\x82\xAC.qxs");
    first.SetDefaultWaitSeconds(-5);
    first.SetDefaultIgnoreTitle(false);
    first.SetLogging(3);
    first.SetAdminPassword(0x7FFFFFFF);
    EXPECT_TRUE(first.SaveAppOptions());
    stored = Values(kHkeyLocalMachine);
    EXPECT_EQ(stored.size(), 15u);
    EXPECT_EQ(stored["QuellixPath"].data, kFolder);

    cQuellixOptions second(reg, os, kFolder);
    ASSERT_TRUE(second.GetAppOptions(false));
    EXPECT_EQ(second.LastProgramSet(), "C:\\Sets\\Caf\xC3\xA9 \xE2\x82\xAC.qxs");
    EXPECT_EQ(second.DefaultWaitSeconds(), -5);
    EXPECT_FALSE(second.DefaultIgnoreTitle());
    EXPECT_EQ(second.Logging(), 3);
    EXPECT_EQ(second.AdminPassword(), 0x7FFFFFFF);
    EXPECT_TRUE(Values(kHkeyCurrentUser).empty()); // machine-wide writes worked: no per-user copy
}

TEST_F(RealOptions, WronglyTypedAndCorruptValuesAreReplacedByDefaults) {
    PutRaw("DefaultWaitSeconds", REG_SZ, L"25", 6);                // text where a number belongs
    PutRaw("Logging", REG_DWORD, "\x03\x00", 2);                   // a DWORD cut short
    PutRaw("RememberPositions", REG_DWORD, "\0\0\0\0\1\0\0\0", 8); // a DWORD too long
    PutRaw("LogPath", REG_SZ, L"D:\\x.log", 6 * 2 + 1);            // no NUL, odd length
    PutRaw("LastLoadedSet", REG_EXPAND_SZ, L"%TEMP%\\a.qxs", 26);  // another string type
    PutRaw("DefaultDataDirectory", REG_SZ, L"D:\\d\0junk", 20);    // a NUL inside
    cQuellixOptions options(reg, os, kFolder);
    ASSERT_TRUE(options.GetAppOptions(true));
    EXPECT_EQ(options.DefaultWaitSeconds(), 10);
    EXPECT_EQ(options.Logging(), 1);
    EXPECT_TRUE(options.RememberWindowPos());
    EXPECT_EQ(options.LogPath(), "D:\\x.l"); // the whole characters stored
    EXPECT_EQ(options.LastProgramSet(), "");
    EXPECT_EQ(options.DefaultDataPath(), "D:\\d");
    auto stored = Values(kHkeyLocalMachine);
    EXPECT_EQ(stored["DefaultWaitSeconds"].type, kRegDword);
    EXPECT_EQ(stored["DefaultWaitSeconds"].data, Dword(10));
    EXPECT_EQ(stored["Logging"].data, Dword(1));
    EXPECT_EQ(stored["RememberPositions"].data, Dword(-1));
    EXPECT_EQ(stored["LastLoadedSet"].type, kRegSz);
    EXPECT_EQ(stored["LastLoadedSet"].data, "");
}

TEST_F(RealOptions, PasswordSettingsComeFromTheMachineWideKeyAloneWhateverTheUsersKeyHolds) {
    RegKey user = 0; // a user's own key that would switch the login off
    ASSERT_EQ(real.CreateKey(kHkeyCurrentUser, kOptionsKey, user), 0);
    real.SetDwordValue(user, "RequirePassword", 0);
    real.SetDwordValue(user, "AdminPassword", 0);
    real.CloseKey(user);
    const DWORD require = 0xFFFFFFFF, hash = 4242;
    PutRaw("RequirePassword", REG_DWORD, &require, 4);
    PutRaw("AdminPassword", REG_DWORD, &hash, 4);
    cQuellixOptions options(reg, os, kFolder);
    ASSERT_TRUE(options.GetAppOptions(true));
    EXPECT_TRUE(options.RequireAdminLogin());
    EXPECT_EQ(options.AdminPassword(), 4242);
    EXPECT_TRUE(options.SavePasswordSettings(true, 99));
    EXPECT_EQ(Values(kHkeyLocalMachine)["AdminPassword"].data, Dword(99));
    EXPECT_EQ(Values(kHkeyCurrentUser)["AdminPassword"].data, Dword(0)); // never copied, never read
}

TEST_F(RealOptions, CompanionValueIsCreatedAndNothingPosted) {
    cQuellixOptions options(reg, os, kFolder);
    options.SendFerrowMsg(1435);
    EXPECT_TRUE(os.posts.empty());
    auto stored = Values(kHkeyLocalMachine, kBase + "\\Window Handles\\Window Handles");
    EXPECT_EQ(stored["CorvathHwnd"].type, kRegDword);
    EXPECT_EQ(stored["CorvathHwnd"].data, Dword(-1));
}

TEST(Win32Registry, KeysLeftOpenAreClosedWithTheObject) {
    RegKey k = 0;
    {
        win32::cWin32Registry reg;
        ASSERT_EQ(reg.CreateKey(kHkeyCurrentUser, kBase, k), kErrorSuccess);
    }
    // The handle is gone: a fresh object does not know it, and the key can be deleted.
    win32::cWin32Registry reg;
    RegistryValue v;
    EXPECT_EQ(reg.QueryValue(k, "x", v), kErrorInvalidHandle);
    EXPECT_TRUE(DeleteTree(reg, kHkeyCurrentUser, kBase));
}

} // namespace
} // namespace qx
