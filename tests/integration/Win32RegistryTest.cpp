// The registry port against the real registry: the shared contract, values
// that another program stored in odd shapes, and keys left open.
#include "unit/RegistryContract.h"
#include "win32/WinApi.h"
#include "win32/cWin32Registry.h"

#include <gtest/gtest.h>

#include <cstring>

namespace qx {
namespace contract {

struct Win32Store {
    static std::unique_ptr<IRegistry> Make() { return std::make_unique<win32::cWin32Registry>(); }
};
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract, Win32Store);

} // namespace contract
namespace {

using contract::kBase;

TEST(Win32Registry, ValuesStoredInOddShapesAreReadAsTheyLie) {
    struct Case {
        const char* name;
        DWORD type;
        const void* data;
        DWORD size;
        std::string expected;
    } const cases[] = {
        {"Short", REG_DWORD, "\x03\x00", 2, std::string("\x03\x00", 2)},
        {"Long", REG_DWORD, "\0\0\0\0\1\0\0\0", 8, std::string("\0\0\0\0\1\0\0\0", 8)},
        {"NoNul", REG_SZ, L"D:\\x.log", 6 * 2 + 1, "D:\\x.l"}, // an odd last byte is no character
        {"Inside", REG_SZ, L"D:\\d\0junk", 20, std::string("D:\\d\0junk", 9)},
        {"Expand", REG_EXPAND_SZ, L"%TEMP%\\\u00e9", 18, "%TEMP%\\\xC3\xA9"},
    };
    const std::wstring key(kBase.begin(), kBase.end());
    win32::cWin32Registry reg;
    RegKey k = 0;
    for (const Case& c : cases) {
        const std::wstring name(c.name, c.name + std::strlen(c.name));
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), c.type, c.data, c.size), 0);
        RegistryValue v;
        ASSERT_EQ(reg.OpenKey(kHkeyCurrentUser, kBase, k), kErrorSuccess);
        EXPECT_EQ(reg.QueryValue(k, c.name, v), kErrorSuccess);
        EXPECT_EQ(v.type, c.type);
        EXPECT_EQ(v.data, c.expected);
        reg.CloseKey(k);
    }
    // A key belongs to the object that opened it, and is closed with it when left open.
    {
        win32::cWin32Registry owner;
        ASSERT_EQ(owner.OpenKey(kHkeyCurrentUser, kBase, k), kErrorSuccess);
        RegistryValue v;
        EXPECT_EQ(reg.QueryValue(k, "Short", v), kErrorInvalidHandle);
        EXPECT_EQ(RegQueryInfoKeyW(reinterpret_cast<HKEY>(k), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    }
    EXPECT_EQ(RegQueryInfoKeyW(reinterpret_cast<HKEY>(k), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(contract::DeleteTree(reg, kHkeyCurrentUser, kBase));
}

} // namespace
} // namespace qx
