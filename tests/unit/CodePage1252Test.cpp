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

TEST(CodePage1252, AC1ControlIsNotWrittenAsTheEuroSignsByte) {
    EXPECT_EQ(cCodePage1252().ToAnsi("\xC2\x80"), "?"); // U+0080 would read back as U+20AC
}

} // namespace
} // namespace qx
