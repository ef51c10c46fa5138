#pragma once
// Behaviour the Win32 registry store must have, run under Wine; the native
// tests share only its helpers.
// A store type S provides `static std::unique_ptr<IRegistry> Make()`.
#include "core/platform/IRegistry.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
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
    for (const auto& child : children)
        DeleteTree(reg, root, path + "\\" + child);
    return reg.DeleteKey(root, path) == kErrorSuccess;
}

// Every value of a key, by name; empty when the key does not open.
inline std::map<std::string, RegistryValue> AllValues(IRegistry& reg, RegKey root, const std::string& path) {
    std::map<std::string, RegistryValue> out;
    RegKey key = 0;
    if (reg.OpenKey(root, path, key) != kErrorSuccess) return out;
    std::string name;
    for (std::uint32_t i = 0; reg.EnumValue(key, i, name) == kErrorSuccess; ++i)
        reg.QueryValue(key, name, out[name]);
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
    void SetUp() override {
        reg = S::Make();
        ASSERT_TRUE(DeleteTree(*reg, kHkeyCurrentUser, kBase));
    }
    void TearDown() override {
        for (RegKey k : open)
            reg->CloseKey(k);
        EXPECT_TRUE(DeleteTree(*reg, kHkeyCurrentUser, kBase));
    }
    RegKey Create(const std::string& sub) {
        RegKey k = 0;
        EXPECT_EQ(reg->CreateKey(kHkeyCurrentUser, kBase + "\\" + sub, k), kErrorSuccess) << sub;
        open.push_back(k);
        return k;
    }
    std::int32_t Open(const std::string& sub) {
        RegKey k = 0;
        const auto rc = reg->OpenKey(kHkeyCurrentUser, kBase + "\\" + sub, k);
        if (rc == kErrorSuccess) reg->CloseKey(k);
        return rc;
    }
    RegistryValue Query(RegKey k, const std::string& name) {
        RegistryValue v;
        EXPECT_EQ(reg->QueryValue(k, name, v), kErrorSuccess) << name;
        return v;
    }
    std::unique_ptr<IRegistry> reg;
    std::vector<RegKey> open;
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, OpenNeedsAnExistingKeyWhileCreateMakesEveryKeyOnTheWay) {
    EXPECT_EQ(this->Open("a\\b"), kErrorFileNotFound);
    const RegKey c = this->Create("a\\b\\c");
    EXPECT_EQ(this->Open("a"), kErrorSuccess);
    EXPECT_EQ(this->Open("a\\b"), kErrorSuccess);
    ASSERT_EQ(this->reg->SetStringValue(c, "v", "kept"), kErrorSuccess);
    // Creating an existing key opens it with its values.
    EXPECT_EQ(this->Query(this->Create("a\\b\\c"), "v").data, "kept");
}

TYPED_TEST_P(RegistryContract, KeyAndValueNamesIgnoreCase) {
    const RegKey k = this->Create("Case\\Key");
    EXPECT_EQ(this->Open("CASE\\kEY"), kErrorSuccess);
    ASSERT_EQ(this->reg->SetStringValue(k, "Name", "one"), kErrorSuccess);
    ASSERT_EQ(this->reg->SetStringValue(k, "NAME", "two"), kErrorSuccess);
    EXPECT_EQ(this->Query(k, "name").data, "two");
    std::string name;
    EXPECT_EQ(this->reg->EnumValue(k, 0, name), kErrorSuccess);
    EXPECT_EQ(name, "Name"); // the spelling it was created with
    EXPECT_EQ(this->reg->EnumValue(k, 1, name), kErrorNoMoreItems);
}

TYPED_TEST_P(RegistryContract, ValuesKeepTheirTypeAndContent) {
    const RegKey k = this->Create("Typed");
    ASSERT_EQ(this->reg->SetStringValue(k, "Text", "Caf\xC3\xA9 \xE2\x82\xAC"), kErrorSuccess);
    ASSERT_EQ(this->reg->SetDwordValue(k, "Number", 0xFFFFFFFF), kErrorSuccess);
    ASSERT_EQ(this->reg->SetStringValue(k, "Nul", std::string("ab\0cd", 5)), kErrorSuccess);
    ASSERT_EQ(this->reg->SetStringValue(k, "", ""), kErrorSuccess);
    RegistryValue v = this->Query(k, "Text");
    EXPECT_EQ(v.type, kRegSz);
    EXPECT_EQ(v.data, "Caf\xC3\xA9 \xE2\x82\xAC");
    v = this->Query(k, "Number");
    EXPECT_EQ(v.type, kRegDword);
    EXPECT_EQ(v.data, std::string(4, '\xFF'));
    EXPECT_EQ(this->Query(k, "Nul").data, std::string("ab\0cd", 5));
    v = this->Query(k, "");
    EXPECT_EQ(v.type, kRegSz);
    EXPECT_EQ(v.data, "");
    ASSERT_EQ(this->reg->SetDwordValue(k, "Text", 0x01020304), kErrorSuccess);
    v = this->Query(k, "Text");
    EXPECT_EQ(v.type, kRegDword);
    EXPECT_EQ(v.data, Dword(0x01020304));
    EXPECT_EQ(this->reg->QueryValue(k, "Missing", v), kErrorFileNotFound);
}

TYPED_TEST_P(RegistryContract, PathsRefuseALeadingBackslashAndSkipEmptyParts) {
    RegKey k = 0;
    EXPECT_EQ(this->reg->CreateKey(kHkeyCurrentUser, "\\" + kBase + "\\x", k), kErrorBadPathname);
    EXPECT_EQ(this->reg->OpenKey(kHkeyCurrentUser, "\\" + kBase, k), kErrorBadPathname);
    this->Create("p\\\\q\\");
    EXPECT_EQ(this->Open("p\\q"), kErrorSuccess);
    EXPECT_EQ(this->Open("p\\q\\"), kErrorSuccess);
    EXPECT_EQ(this->reg->OpenKey(kHkeyCurrentUser, "", k), kErrorSuccess);
    EXPECT_EQ(this->reg->CloseKey(k), kErrorSuccess);
}

TYPED_TEST_P(RegistryContract, EnumerationListsEveryKeySortedAndEveryValue) {
    const RegKey k = this->Create("Enum");
    for (const char* sub : {"zz", "Bb", "aA"})
        this->Create(std::string("Enum\\") + sub);
    for (const char* name : {"Zed", "alpha", "Mid"})
        ASSERT_EQ(this->reg->SetDwordValue(k, name, 1), kErrorSuccess);
    std::vector<std::string> keys;
    std::string name;
    while (this->reg->EnumKey(k, static_cast<std::uint32_t>(keys.size()), name) == kErrorSuccess)
        keys.push_back(name);
    EXPECT_EQ(keys, (std::vector<std::string>{"aA", "Bb", "zz"}));
    EXPECT_EQ(this->reg->EnumKey(k, 3, name), kErrorNoMoreItems);
    std::set<std::string> values;
    for (std::uint32_t i = 0; this->reg->EnumValue(k, i, name) == kErrorSuccess; ++i)
        values.insert(name);
    EXPECT_EQ(values, (std::set<std::string>{"Mid", "Zed", "alpha"}));
}

TYPED_TEST_P(RegistryContract, DeletingKeysAndValues) {
    const RegKey parent = this->Create("Del");
    const RegKey leaf = this->Create("Del\\Leaf");
    ASSERT_EQ(this->reg->SetStringValue(parent, "v", "x"), kErrorSuccess);
    EXPECT_EQ(this->reg->DeleteKey(kHkeyCurrentUser, kBase + "\\Del"), kErrorAccessDenied); // has a subkey
    EXPECT_EQ(this->reg->DeleteKey(parent, "Missing"), kErrorFileNotFound);
    EXPECT_EQ(this->reg->DeleteKey(parent, "leaf"), kErrorSuccess);
    EXPECT_EQ(this->Open("Del\\Leaf"), kErrorFileNotFound);
    // A handle to a deleted key stays valid for closing but reaches nothing.
    RegistryValue v;
    EXPECT_EQ(this->reg->QueryValue(leaf, "v", v), kErrorKeyDeleted);
    EXPECT_EQ(this->reg->SetDwordValue(leaf, "v", 1), kErrorKeyDeleted);
    RegKey sub = 0;
    EXPECT_EQ(this->reg->CreateKey(leaf, "Sub", sub), kErrorKeyDeleted);
    EXPECT_EQ(this->reg->DeleteValue(parent, "V"), kErrorSuccess);
    EXPECT_EQ(this->reg->DeleteValue(parent, "v"), kErrorFileNotFound);
    EXPECT_EQ(this->reg->DeleteKey(kHkeyCurrentUser, kBase + "\\Del"), kErrorSuccess);
}

TYPED_TEST_P(RegistryContract, HandlesAreClosedOnceAndZeroIsNoKey) {
    RegKey k = 0;
    ASSERT_EQ(this->reg->CreateKey(kHkeyCurrentUser, kBase + "\\H", k), kErrorSuccess);
    EXPECT_NE(k, 0u);
    EXPECT_EQ(this->reg->CloseKey(k), kErrorSuccess);
    EXPECT_EQ(this->reg->CloseKey(k), kErrorInvalidHandle);
    RegistryValue v;
    EXPECT_EQ(this->reg->QueryValue(0, "x", v), kErrorInvalidHandle);
    EXPECT_EQ(this->reg->SetStringValue(0, "x", "y"), kErrorInvalidHandle);
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, OpenNeedsAnExistingKeyWhileCreateMakesEveryKeyOnTheWay,
                            KeyAndValueNamesIgnoreCase, ValuesKeepTheirTypeAndContent,
                            PathsRefuseALeadingBackslashAndSkipEmptyParts, EnumerationListsEveryKeySortedAndEveryValue,
                            DeletingKeysAndValues, HandlesAreClosedOnceAndZeroIsNoKey);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(RegistryContract);

} // namespace qx::contract
