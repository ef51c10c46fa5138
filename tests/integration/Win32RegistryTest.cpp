// The registry port against the real registry: the shared contract, values
// that another program stored in odd shapes, and keys left open.
#include "unit/RegistryContract.h"
#include "win32/WinApi.h"
#include "win32/cWin32Registry.h"

#include <gtest/gtest.h>

#include <optional>

namespace qx {
namespace contract {

struct Win32Store {
    static std::unique_ptr<IRegistry> Make() { return std::make_unique<win32::cWin32Registry>(); }
};
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract, Win32Store);

} // namespace contract
namespace {

TEST(Win32Registry, ValuesInOddShapesAreReadAsTheyLieAndKeysLeftOpenCloseWithTheirObject) {
    struct Case {
        const wchar_t* name;
        DWORD type;
        const void* data;
        DWORD size;
        std::string expected;
    } const cases[] = {
        {L"Short", REG_DWORD, "\x03\x00", 2, std::string("\x03\x00", 2)},
        {L"Long", REG_DWORD, "\0\0\0\0\1\0\0\0", 8, std::string("\0\0\0\0\1\0\0\0", 8)},
        {L"NoNul", REG_SZ, L"D:\\x.log", 6 * 2 + 1, "D:\\x.l"}, // an odd last byte is no character
        {L"Inside", REG_SZ, L"D:\\d\0junk", 20, std::string("D:\\d\0junk", 9)},
        {L"Expand", REG_EXPAND_SZ, L"%TEMP%\\\u00e9", 18, "%TEMP%\\\xC3\xA9"},
    };
    const std::wstring key(contract::kBase.begin(), contract::kBase.end());
    std::optional<win32::cWin32Registry> reg{std::in_place};
    RegKey k = 0;
    for (const Case& c : cases) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), c.name, c.type, c.data, c.size), 0);
        RegistryValue v;
        const std::string name(c.name, c.name + wcslen(c.name));
        EXPECT_EQ(reg->OpenKey(kHkeyCurrentUser, contract::kBase, k) + reg->QueryValue(k, name, v), kErrorSuccess);
        EXPECT_EQ(std::to_string(v.type) + " " + v.data, std::to_string(c.type) + " " + c.expected) << name;
    }
    // The key is left open; it belongs to the object that opened it, and goes with it.
    const auto stillOpen = [&] {
        return RegQueryInfoKeyW(reinterpret_cast<HKEY>(k), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                nullptr, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    };
    EXPECT_TRUE(stillOpen());
    RegistryValue v;
    EXPECT_EQ(win32::cWin32Registry().QueryValue(k, "Short", v), kErrorInvalidHandle);
    reg.reset();
    EXPECT_FALSE(stillOpen());
    EXPECT_TRUE(contract::DeleteTree(reg.emplace(), kHkeyCurrentUser, contract::kBase));
}

} // namespace
} // namespace qx
