#pragma once
// What a registry store must do for the program, run against the Win32 store
// under Wine, with helpers for tests that use the real registry.
// A store type S provides `static std::unique_ptr<IRegistry> Make()`.
#include "core/platform/IRegistry.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace qx::contract {

inline const std::string kBase = "Software\\Veltrane\\QuellixTest";

// Deletes a key with everything below it; true when it is gone.
inline bool DeleteTree(IRegistry& reg, RegKey root, const std::string& path) {
    RegKey key = 0;
    if (reg.OpenKey(root, path, key) != kErrorSuccess) return true;
    std::vector<std::string> children;
    for (std::string name; reg.EnumKey(key, static_cast<std::uint32_t>(children.size()), name) == kErrorSuccess;)
        children.push_back(name);
    reg.CloseKey(key);
    for (const auto& child : children) DeleteTree(reg, root, path + "\\" + child);
    return reg.DeleteKey(root, path) == kErrorSuccess;
}

// Every value of a key, by name; empty when the key does not open.
inline std::map<std::string, RegistryValue> AllValues(IRegistry& reg, RegKey root, const std::string& path) {
    std::map<std::string, RegistryValue> out;
    RegKey key = 0;
    if (reg.OpenKey(root, path, key) != kErrorSuccess) return out;
    std::string name;
    for (std::uint32_t i = 0; reg.EnumValue(key, i, name) == kErrorSuccess; ++i) reg.QueryValue(key, name, out[name]);
    reg.CloseKey(key);
    return out;
}

// The four bytes a REG_DWORD holds.
inline std::string Dword(std::int32_t n) {
    const auto u = static_cast<std::uint32_t>(n);
    return {static_cast<char>(u), static_cast<char>(u >> 8), static_cast<char>(u >> 16), static_cast<char>(u >> 24)};
}

template <class S> class RegistryContract : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(DeleteTree(*reg, kHkeyCurrentUser, kBase)); }
    void TearDown() override { EXPECT_TRUE(DeleteTree(*reg, kHkeyCurrentUser, kBase)); }
    std::unique_ptr<IRegistry> reg = S::Make();
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, KeysAndTypedValuesAsTheProgramUsesThem) {
    IRegistry& store = *this->reg;
    RegKey k = 0;
    ASSERT_EQ(store.CreateKey(kHkeyCurrentUser, kBase + "\\A\\B", k), kErrorSuccess); // every key on the way
    const std::string text = "Caf\xC3\xA9 \xE2\x82\xAC", nul("ab\0cd", 5);
    EXPECT_EQ(store.SetStringValue(k, "Text", text), kErrorSuccess);
    EXPECT_EQ(store.SetStringValue(k, "Nul", nul), kErrorSuccess);
    EXPECT_EQ(store.SetDwordValue(k, "Number", 0xFFFFFFFF), kErrorSuccess);
    EXPECT_EQ(store.SetDwordValue(k, "Gone", 1), kErrorSuccess);
    EXPECT_EQ(store.DeleteValue(k, "GONE"), kErrorSuccess); // names ignore case
    EXPECT_EQ(store.CloseKey(k), kErrorSuccess);
    std::string seen;
    for (const auto& [name, value] : AllValues(store, kHkeyCurrentUser, kBase + "\\a\\b"))
        seen += name + "=" + std::to_string(value.type) + ":" + value.data + "|";
    EXPECT_EQ(seen, "Nul=1:" + nul + "|Number=4:" + Dword(-1) + "|Text=1:" + text + "|");
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, KeysAndTypedValuesAsTheProgramUsesThem);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(RegistryContract);

} // namespace qx::contract
