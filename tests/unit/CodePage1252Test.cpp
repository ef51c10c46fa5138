#include "core/util/cCodePage1252.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(CodePage1252, AsciiAndLatin1PassThroughBothWays) {
    cCodePage1252 c;
    EXPECT_EQ(c.ToAnsi("C:\\Program Files\\app.exe"), "C:\\Program Files\\app.exe");
    EXPECT_EQ(c.ToAnsi("Caf\xC3\xA9"), "Caf\xE9");
    EXPECT_EQ(c.FromAnsi("Caf\xE9"), "Caf\xC3\xA9");
    EXPECT_EQ(c.FromAnsi(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(CodePage1252, WindowsSpecificRangeRoundTrips) {
    cCodePage1252 c;
    const std::string euroQuotes = "\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D \xC5\xB8"; // euro, curly quotes, Y diaeresis
    const std::string ansi = c.ToAnsi(euroQuotes);
    EXPECT_EQ(ansi, "\x80 \x93q\x94 \x9F");
    EXPECT_EQ(c.FromAnsi(ansi), euroQuotes);
}

TEST(CodePage1252, UnmappableAndMalformedBecomeQuestionMarks) {
    cCodePage1252 c;
    EXPECT_EQ(c.ToAnsi("\xE6\x97\xA5x"), "?x");           // CJK
    EXPECT_EQ(c.ToAnsi("\xF0\x9F\x98\x80"), "?");         // emoji
    EXPECT_EQ(c.ToAnsi("a\xC3"), "a?");                   // truncated sequence
    EXPECT_EQ(c.ToAnsi("\x80z"), "?z");                   // stray continuation byte
    EXPECT_EQ(c.FromAnsi("\x81"), "\xC2\x81");            // unassigned byte stays a C1 control
}

TEST(CodePage1252, ConsoleCodePageTakesAsciiAsItIsAndRefusesWhatItLacks) {
    cCodePage1252 c;
    std::string oem = "untouched";
    EXPECT_TRUE(c.ToOem("\x7f B\u00fcro \u00a0", oem));
    EXPECT_EQ(oem, "\x7f B\x81ro \xff");
    for (const char* lacking : {"\u0080", "\u20ac", "a\xC3"}) EXPECT_FALSE(c.ToOem(lacking, oem)) << lacking;
    EXPECT_EQ(oem, "\x7f B\x81ro \xff");
}

// The letters at the ends of each range of the case table, and the
// characters inside them that have no capital.
inline const std::pair<std::string, std::string> kCasePairs[] = {
    {"az{@`", "AZ{@`"},
    {"\u00e0\u00f6\u00f7\u00f8\u00fe\u00ff\u00df\u00b5", "\u00c0\u00d6\u00f7\u00d8\u00de\u0178\u00df\u00b5"},
    {"\u0101\u0100\u0137\u0138\u013a\u0142\u0148\u0149\u014b\u0177\u0178\u017a\u017c\u017e\u017f\u0131",
     "\u0100\u0100\u0136\u0138\u0139\u0141\u0147\u0149\u014a\u0176\u0178\u0179\u017b\u017d\u017f\u0131"},
    {"\u03ac\u03ad\u03af\u03b1\u03c1\u03c2\u03c3\u03cb\u03cc\u03cd\u03ce\u0390",
     "\u0386\u0388\u038a\u0391\u03a1\u03a3\u03a3\u03ab\u038c\u038e\u038f\u0390"},
    {"\u0430\u044f\u0450\u045f\u0460", "\u0410\u042f\u0400\u040f\u0460"},
};

TEST(CodePage1252, UpperCaseCoversLatinGreekAndCyrillicAndKeepsTheRest) {
    cCodePage1252 c;
    for (const auto& [lower, upper] : kCasePairs) {
        EXPECT_EQ(c.UpperCase(lower), upper) << lower;
        EXPECT_EQ(c.UpperCase(upper), upper) << upper;
    }
    EXPECT_EQ(c.UpperCase("a\xC3"), "A\xC3"); // a malformed byte stays as it is
}

} // namespace
} // namespace qx
