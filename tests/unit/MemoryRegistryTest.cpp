#include "core/settings/cMemoryRegistry.h"
#include "unit/RegistryContract.h"

#include <gtest/gtest.h>

namespace qx {
namespace contract {

struct MemoryStore {
    static std::unique_ptr<IRegistry> Make() { return std::make_unique<cMemoryRegistry>(); }
};
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, RegistryContract, MemoryStore);

} // namespace contract
namespace {

TEST(MemoryRegistry, RefusedRootStaysReadableButTakesNoWrite) {
    cMemoryRegistry reg;
    reg.PutRawValue(kHkeyLocalMachine, "Software\\Existing", "v", {kRegSz, "installed"});
    reg.RefuseWritesBelow(kHkeyLocalMachine);
    RegKey k = 0;
    EXPECT_EQ(reg.CreateKey(kHkeyLocalMachine, "Software\\New", k), kErrorAccessDenied);
    EXPECT_FALSE(reg.KeyExists(kHkeyLocalMachine, "Software\\New"));
    ASSERT_EQ(reg.CreateKey(kHkeyLocalMachine, "Software\\Existing", k), kErrorSuccess); // opening is no write
    RegistryValue v;
    EXPECT_EQ(reg.QueryValue(k, "v", v), kErrorSuccess);
    EXPECT_EQ(v.data, "installed");
    EXPECT_EQ(reg.SetStringValue(k, "v", "changed"), kErrorAccessDenied);
    EXPECT_EQ(reg.SetDwordValue(k, "n", 1), kErrorAccessDenied);
    EXPECT_EQ(reg.DeleteValue(k, "v"), kErrorAccessDenied);
    EXPECT_EQ(reg.DeleteKey(kHkeyLocalMachine, "Software\\Existing"), kErrorAccessDenied);
    EXPECT_EQ(reg.CloseKey(k), kErrorSuccess);
    ASSERT_TRUE(reg.Peek(kHkeyLocalMachine, "Software\\Existing", "v", v));
    EXPECT_EQ(v.data, "installed");
    // Other roots are untouched by the switch.
    ASSERT_EQ(reg.CreateKey(kHkeyCurrentUser, "Software\\New", k), kErrorSuccess);
    EXPECT_EQ(reg.SetDwordValue(k, "n", 1), kErrorSuccess);
    reg.CloseKey(k);
}

TEST(MemoryRegistry, UnopenableKeyBlocksOnlyItself) {
    cMemoryRegistry reg;
    RegKey k = 0;
    ASSERT_EQ(reg.CreateKey(kHkeyCurrentUser, "Software\\Locked\\Inner", k), kErrorSuccess);
    reg.CloseKey(k);
    reg.MakeUnopenable(kHkeyCurrentUser, "software\\LOCKED");
    EXPECT_EQ(reg.OpenKey(kHkeyCurrentUser, "Software\\Locked", k), kErrorAccessDenied);
    EXPECT_EQ(reg.CreateKey(kHkeyCurrentUser, "Software\\Locked", k), kErrorAccessDenied);
    EXPECT_EQ(reg.OpenKey(kHkeyCurrentUser, "Software\\Locked\\Inner", k), kErrorSuccess);
    reg.CloseKey(k);
    // A key that does not exist yet cannot be created either.
    reg.MakeUnopenable(kHkeyLocalMachine, "Software\\Later");
    EXPECT_EQ(reg.CreateKey(kHkeyLocalMachine, "Software\\Later", k), kErrorAccessDenied);
    EXPECT_EQ(reg.OpenKeyCount(), 0u);
}

TEST(MemoryRegistry, LatinLettersFoldLikeTheirCapitals) {
    cMemoryRegistry reg;
    reg.PutRawValue(kHkeyCurrentUser, "Software\\\xC3\xA4rger", "\xC3\xA9t\xC3\xA9", {kRegDword, "\1\0\0\0"});
    RegistryValue v;
    EXPECT_TRUE(reg.Peek(kHkeyCurrentUser, "SOFTWARE\\\xC3\x84RGER", "\xC3\x89T\xC3\x89", v));
    EXPECT_FALSE(reg.Peek(kHkeyCurrentUser, "Software\\\xC3\xA4rger", "\xC3\xB7", v)); // division sign is no letter
}

TEST(MemoryRegistry, HandlesToOtherKeysAreDistinctAndRootsNeedNoClosing) {
    cMemoryRegistry reg;
    RegKey a = 0, b = 0, root = 0;
    ASSERT_EQ(reg.CreateKey(kHkeyUsers, "A", a), kErrorSuccess);
    ASSERT_EQ(reg.OpenKey(kHkeyUsers, "a", b), kErrorSuccess);
    EXPECT_NE(a, b);
    EXPECT_EQ(reg.OpenKeyCount(), 2u);
    ASSERT_EQ(reg.OpenKey(kHkeyClassesRoot, "", root), kErrorSuccess);
    EXPECT_EQ(root, kHkeyClassesRoot);
    EXPECT_EQ(reg.CloseKey(a), kErrorSuccess);
    EXPECT_EQ(reg.CloseKey(b), kErrorSuccess);
    EXPECT_EQ(reg.OpenKeyCount(), 0u);
    EXPECT_EQ(reg.OpenKey(0x80000009, "A", a), kErrorInvalidHandle);
}

} // namespace
} // namespace qx
