// The registry port against the real registry: the shared contract, values
// that another program stored in odd shapes, keys left open, and where the
// options keep what only the machine may decide.
#include "core/settings/cQuellixOptions.h"
#include "fake/cPostRecorder.h"
#include "unit/RegistryContract.h"
#include "win32/WinApi.h"
#include "win32/cWin32Registry.h"

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


TEST(Win32Registry, ValuesStoredInOddShapesAreReadAsTheyLie) {
    struct Case {
        const wchar_t* name;
        DWORD type;
        const void* data;
        DWORD size;
        std::uint32_t expectedType;
        std::string expected;
    };
    const Case cases[] = {
        {L"Short", REG_DWORD, "\x03\x00", 2, kRegDword, std::string("\x03\x00", 2)},
        {L"Long", REG_DWORD, "\0\0\0\0\1\0\0\0", 8, kRegDword, std::string("\0\0\0\0\1\0\0\0", 8)},
        {L"NoNul", REG_SZ, L"D:\\x.log", 6 * 2 + 1, kRegSz, "D:\\x.l"}, // an odd last byte is no character
        {L"Inside", REG_SZ, L"D:\\d\0junk", 20, kRegSz, std::string("D:\\d\0junk", 9)},
        {L"Expand", REG_EXPAND_SZ, L"%TEMP%\\\u00e9", 18, kRegExpandSz, "%TEMP%\\\xC3\xA9"},
    };
    const std::wstring key = std::wstring(kBase.begin(), kBase.end());
    for (const Case& c : cases)
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), c.name, c.type, c.data, c.size), ERROR_SUCCESS);
    win32::cWin32Registry reg;
    RegKey k = 0;
    ASSERT_EQ(reg.OpenKey(kHkeyCurrentUser, kBase, k), kErrorSuccess);
    for (const Case& c : cases) {
        RegistryValue v;
        const std::wstring wide(c.name);
        EXPECT_EQ(reg.QueryValue(k, std::string(wide.begin(), wide.end()), v), kErrorSuccess);
        EXPECT_EQ(v.type, c.expectedType);
        EXPECT_EQ(v.data, c.expected);
    }
    reg.CloseKey(k);
    EXPECT_TRUE(contract::DeleteTree(reg, kHkeyCurrentUser, kBase));
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
    EXPECT_TRUE(contract::DeleteTree(reg, kHkeyCurrentUser, kBase));
}

} // namespace
} // namespace qx
