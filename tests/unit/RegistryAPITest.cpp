#include "core/settings/cMemoryRegistry.h"
#include "core/settings/cRegistryAPI.h"
#include "fake/cRegistryRecorder.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

class RegistryAPI : public ::testing::Test {
protected:
    struct Store {
        cMemoryRegistry memory;
        fake::cRegistryRecorder recorder{memory};
    } reg;
    cRegistryAPI api{reg.recorder};
    RegKey Key(const std::string& path) {
        RegKey k = 0;
        EXPECT_TRUE(api.RegCreateKey(kHkeyCurrentUser, path, "", k));
        return k;
    }
};

TEST_F(RegistryAPI, CreateJoinsPathAndSubkeyAndDropsOneLeadingBackslash) {
    RegKey k = 0;
    ASSERT_TRUE(api.RegCreateKey(kHkeyLocalMachine, "Software\\Veltrane", "\\Quellix", k));
    EXPECT_TRUE(api.RegCloseKey(k));
    EXPECT_TRUE(reg.memory.KeyExists(kHkeyLocalMachine, "Software\\Veltrane\\Quellix"));
    ASSERT_TRUE(api.RegCreateKey(kHkeyLocalMachine, "Software\\Veltrane", "Quellix", k)); // the same key
    EXPECT_TRUE(api.RegSetNumericValue(k, "n", 7));
    api.RegCloseKey(k);
    std::string name;
    ASSERT_TRUE(api.RegOpenKey(kHkeyLocalMachine, "Software\\Veltrane", k));
    EXPECT_TRUE(api.RegEnumKey(k, 0, name));
    EXPECT_EQ(name, "Quellix");
    EXPECT_FALSE(api.RegEnumKey(k, 1, name));
    api.RegCloseKey(k);
    ASSERT_TRUE(api.RegCreateKey(kHkeyLocalMachine, "Software\\Alone", "", k)); // empty subkey: the path itself
    api.RegCloseKey(k);
    EXPECT_TRUE(reg.memory.KeyExists(kHkeyLocalMachine, "Software\\Alone"));
    EXPECT_EQ(reg.memory.OpenKeyCount(), 0u);
}

TEST_F(RegistryAPI, AnEmptyPathOrHandleZeroFailsWithoutAskingTheStore) {
    RegKey k = 0;
    EXPECT_FALSE(api.RegCreateKey(kHkeyCurrentUser, "", "Sub", k));
    EXPECT_FALSE(api.RegCreateKey(kHkeyCurrentUser, "", "", k));
    EXPECT_FALSE(api.RegSetStringValue(0, "x", "y"));
    EXPECT_EQ(reg.recorder.calls, 0);
    EXPECT_FALSE(api.RegSetNumericValue(0, "x", 1)); // reaches the store, which refuses
    EXPECT_EQ(reg.recorder.calls, 1);
}

TEST_F(RegistryAPI, NumbersReadOnlyFromFourByteDwords) {
    const RegKey k = Key("Software\\N");
    ASSERT_TRUE(api.RegSetNumericValue(k, "minus", -1));
    ASSERT_TRUE(api.RegSetNumericValue(k, "big", 0x7FFFFFFF));
    ASSERT_TRUE(api.RegSetStringValue(k, "text", "12"));
    reg.memory.PutRawValue(kHkeyCurrentUser, "Software\\N", "short", {kRegDword, std::string("\x05\x00", 2)});
    reg.memory.PutRawValue(kHkeyCurrentUser, "Software\\N", "binary", {kRegBinary, std::string("\x05\x00\x00\x00", 4)});
    std::int32_t n = 0;
    EXPECT_TRUE(api.RegQueryNumericValue(k, "minus", n));
    EXPECT_EQ(n, -1);
    RegistryValue raw;
    ASSERT_TRUE(reg.memory.Peek(kHkeyCurrentUser, "Software\\N", "minus", raw));
    EXPECT_EQ(raw.data, std::string(4, '\xFF'));
    EXPECT_TRUE(api.RegQueryNumericValue(k, "big", n));
    EXPECT_EQ(n, 0x7FFFFFFF);
    for (const char* name : {"text", "short", "binary", "missing"}) {
        n = 42;
        EXPECT_FALSE(api.RegQueryNumericValue(k, name, n)) << name;
        EXPECT_EQ(n, 42) << name;
    }
    api.RegCloseKey(k);
}

TEST_F(RegistryAPI, TextReadOnlyFromStringValuesAndCutAtTheFirstNul) {
    const RegKey k = Key("Software\\S");
    ASSERT_TRUE(api.RegSetStringValue(k, "nul", std::string("C:\\a\0junk", 9)));
    ASSERT_TRUE(api.RegSetStringValue(k, "empty", ""));
    ASSERT_TRUE(api.RegSetNumericValue(k, "number", 5));
    reg.memory.PutRawValue(kHkeyCurrentUser, "Software\\S", "expand", {kRegExpandSz, "%TEMP%"});
    std::string t = "old";
    EXPECT_TRUE(api.RegQueryStringValue(k, "nul", t));
    EXPECT_EQ(t, "C:\\a");
    EXPECT_TRUE(api.RegQueryStringValue(k, "EMPTY", t));
    EXPECT_EQ(t, "");
    for (const char* name : {"number", "expand", "missing"}) {
        t = "old";
        EXPECT_FALSE(api.RegQueryStringValue(k, name, t)) << name;
        EXPECT_EQ(t, "old") << name;
    }
    api.RegCloseKey(k);
}

TEST_F(RegistryAPI, EnumerateDeleteAndClose) {
    const RegKey k = Key("Software\\E");
    ASSERT_TRUE(api.RegSetNumericValue(k, "b", 1));
    ASSERT_TRUE(api.RegSetStringValue(k, "a", "x"));
    std::string name;
    EXPECT_TRUE(api.RegEnumValue(k, 0, name));
    EXPECT_EQ(name, "a");
    EXPECT_TRUE(api.RegEnumValue(k, 1, name));
    EXPECT_EQ(name, "b");
    EXPECT_FALSE(api.RegEnumValue(k, 2, name));
    EXPECT_TRUE(api.RegDeleteValue(k, "A"));
    EXPECT_FALSE(api.RegDeleteValue(k, "a"));
    EXPECT_TRUE(api.RegCloseKey(k));
    EXPECT_FALSE(api.RegCloseKey(k));
    EXPECT_TRUE(api.RegDeleteKey(kHkeyCurrentUser, "Software\\E"));
    RegKey gone = 0;
    EXPECT_FALSE(api.RegOpenKey(kHkeyCurrentUser, "Software\\E", gone));
}

} // namespace
} // namespace qx
