// The registry port against the real registry: the shared contract, values
// that another program stored in odd shapes, and keys left open.
#include "unit/RegistryContract.h"
#include "win32/WinApi.h"
#include "win32/cWin32Registry.h"

#include <gtest/gtest.h>

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
