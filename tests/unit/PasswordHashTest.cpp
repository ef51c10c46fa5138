#include "core/settings/modPasswordHash.h"

#include <gtest/gtest.h>

#include <set>

namespace qx {
namespace {

TEST(PasswordHash, IsStableAndTellsPasswordsApart) {
    EXPECT_EQ(PasswordHash("secret"), PasswordHash("secret"));
    EXPECT_NE(PasswordHash("secret"), PasswordHash("Secret"));
    EXPECT_NE(PasswordHash("secret"), PasswordHash("secret "));
    EXPECT_EQ(PasswordHash(""), static_cast<std::int32_t>(2166136261u)); // FNV-1a offset basis
    std::set<std::int32_t> seen;
    for (int i = 0; i < 1000; ++i) seen.insert(PasswordHash("pw" + std::to_string(i)));
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(PasswordHash, NeverYieldsTheNoPasswordMarkers) {
    // Texts found by a meet-in-the-middle search whose plain FNV-1a is exactly
    // 0 and 0xFFFFFFFF: the two numbers that mean "no password was ever set".
    const std::string toZero("\xCC\x24\x31\xC4\x00\x00", 6);
    const std::string toMinusOne("\x3E\x35\x35\x76\x00\x00", 6);
    for (const std::string& text : {toZero, toMinusOne}) {
        const std::int32_t h = PasswordHash(text);
        EXPECT_NE(h, 0);
        EXPECT_NE(h, -1);
        EXPECT_EQ(h, PasswordHash(text));
    }
}

} // namespace
} // namespace qx
