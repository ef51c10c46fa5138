#include "core/settings/modPasswordHash.h"
#include "core/util/cCodePage1252.h"
#include "core/util/cQXUtility.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// Stored administrator passwords must keep matching: FNV-1a over the UTF-8
// bytes, never the two numbers that mean "no password was ever set".
TEST(PasswordHash, StoredHashesKeepMatching) {
    const std::pair<std::string, std::int32_t> cases[] = {
        {"secret", 1719429393},
        {"P\xC3\xA4sswort", 1898399322},
        {std::string("\xCC\x24\x31\xC4\x00\x00", 6), 1}, // plain FNV-1a: 0
        {std::string("\x3E\x35\x35\x76\x00\x00", 6), 1}, // plain FNV-1a: -1
    };
    for (const auto& [text, hash] : cases) EXPECT_EQ(PasswordHash(text), hash) << text;
}

// The name the wizard puts after "/P=": a shortcut or PIF names its program without its own extension.
TEST(Utility, AProgramsFileNameWithoutFolderDriveOrShortcutExtension) {
    std::string names;
    for (const auto& [path, extension] : {std::pair{"C:\\Apps\\Edit.exe.LNK", true}, {"D:a.pif", true},
                                          {"a.b.c", false}, {"C:\\x\\y.exe", true}})
        names += cQXUtility::ExtractFileName(path, extension) + "|";
    EXPECT_EQ(names, "Edit.exe|a|a.b|y.exe|");
}

TEST(CodePage1252, ConversionsAtTheEdgesOfTheCodePages) {
    cCodePage1252 c;
    const std::pair<std::string, std::string> toAnsi[] = {
        {"C:\\Caf\xC3\xA9 \xC2\xA0\xC3\xBF", "C:\\Caf\xE9 \xA0\xFF"},
        {"\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D \xC5\xB8", "\x80 \x93q\x94 \x9F"}, // euro, quotes, Y diaeresis
        {"\xE6\x97\xA5x\xF0\x9F\x98\x80" "a\xC3", "?x?a?"},                           // CJK, emoji, a cut sequence
        {"\x80z\xC2\x80\xC2\x9F", "?z??"}, // a stray byte; C1 controls would read back as other letters
    };
    for (const auto& [utf8, ansi] : toAnsi) EXPECT_EQ(c.ToAnsi(utf8), ansi);
    EXPECT_EQ(c.FromAnsi(toAnsi[0].second + toAnsi[1].second), toAnsi[0].first + toAnsi[1].first);
    EXPECT_EQ(c.FromAnsi(std::string("a\0\x81\x7F", 4)), std::string("a\0\xC2\x81\x7F", 5)); // unassigned: C1
    std::string oem = "untouched";
    EXPECT_TRUE(c.ToOem("\x7F B\xC3\xBCro \xC2\xA0", oem));
    for (const char* lacking : {"\xC2\x80", "\xE2\x82\xAC", "a\xC3"}) EXPECT_FALSE(c.ToOem(lacking, oem)) << lacking;
    EXPECT_EQ(oem, "\x7F B\x81ro \xFF");
    // The ends of each range of the case table, and the letters inside them without a capital.
    const std::pair<std::string, std::string> upper[] = {
        {"az{@`a\xC3\u00e0\u00f6\u00f7\u00f8\u00fe\u00ff\u00df\u00b5\u0101\u0100\u0137\u0138\u013a\u0142\u0148\u0149"
         "\u014b\u0177\u0178\u017a\u017c\u017e\u017f\u0131\xC2\x80",
         "AZ{@`A\xC3\u00c0\u00d6\u00f7\u00d8\u00de\u0178\u00df\u00b5\u0100\u0100\u0136\u0138\u0139\u0141\u0147\u0149"
         "\u014a\u0176\u0178\u0179\u017b\u017d\u017f\u0131\xC2\x80"},
        {"\u03ac\u03ad\u03af\u03b1\u03c1\u03c2\u03c3\u03cb\u03cc\u03cd\u03ce\u0390\u0430\u044f\u0450\u045f\u0460",
         "\u0386\u0388\u038a\u0391\u03a1\u03a3\u03a3\u03ab\u038c\u038e\u038f\u0390\u0410\u042f\u0400\u040f\u0460"},
    };
    for (const auto& [lower, capitals] : upper)
        EXPECT_EQ(c.UpperCase(lower) + c.UpperCase(capitals), capitals + capitals);
}

} // namespace
} // namespace qx
