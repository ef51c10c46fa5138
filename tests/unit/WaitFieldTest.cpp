#include "core/ui/modWaitField.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

std::string Normalised(const std::string& text) { return NormaliseWaitText(text).text; }

TEST(WaitField, TextThatIsNoNumberGivesTen) {
    for (const char* t : {"abc", "", "   ", "-", ".", "1e", "12abc", "1 2", "inf", "nan", "0x10", "--3", ",5", "1,", "1,,000", "1.5,0"})
        EXPECT_EQ(Normalised(t), "10") << '[' << t << ']';
}

TEST(WaitField, NumbersAreHeldToZeroTo7200) {
    EXPECT_EQ(Normalised("-5"), "0");
    EXPECT_EQ(Normalised("9000"), "7200");
    EXPECT_EQ(Normalised("7200"), "7200");
    EXPECT_EQ(Normalised("7201"), "7200");
    EXPECT_EQ(Normalised("0"), "0");
    EXPECT_EQ(Normalised("-0.4"), "0");
    EXPECT_EQ(Normalised("  42  "), "42");
    EXPECT_EQ(Normalised("+0042"), "42");
    EXPECT_EQ(Normalised("1.5e2"), "150");
    EXPECT_EQ(Normalised("5."), "5");
    EXPECT_EQ(Normalised(".6"), "1");
    const WaitField w = NormaliseWaitText("9000");
    EXPECT_EQ(w.seconds, 7200);
}

TEST(WaitField, HalvesRoundToTheEvenNeighbour) {
    EXPECT_EQ(Normalised("2.5"), "2");
    EXPECT_EQ(Normalised("3.5"), "4");
    EXPECT_EQ(Normalised("2.51"), "3");
    EXPECT_EQ(Normalised("-0.5"), "0");
}

TEST(WaitField, NumbersBeyond32BitsGiveTenNotTheLimit) {
    EXPECT_EQ(Normalised("2147483647"), "7200");
    EXPECT_EQ(Normalised("2147483648"), "10");
    EXPECT_EQ(Normalised("-2147483648"), "0");
    EXPECT_EQ(Normalised("-2147483649"), "10");
    EXPECT_EQ(Normalised("1e300"), "10");
    EXPECT_EQ(NormaliseWaitText("99999999999").seconds, 10);
}

TEST(WaitField, NumbersAreReadTheWayTheUsersLocaleWritesThem) {
    // English grouping between digits is read as a thousand, not rejected.
    EXPECT_EQ(Normalised("1,000"), "1000");
    EXPECT_EQ(Normalised("1,5"), "15");
    EXPECT_EQ(Normalised(" -1,000 "), "0");
    const NumberSeparators german{",", "."};
    EXPECT_EQ(NormaliseWaitText("2,5", german).text, "2");
    EXPECT_EQ(NormaliseWaitText("3,5", german).text, "4");
    EXPECT_EQ(NormaliseWaitText("1.000", german).text, "1000");
    EXPECT_EQ(NormaliseWaitText("1.000,6", german).seconds, 1001);
    EXPECT_EQ(NormaliseWaitText("2.5", german).text, "25"); // "." only groups there
    EXPECT_EQ(NormaliseWaitText("1,5e2", german).text, "150");
    EXPECT_EQ(NormaliseWaitText("abc", german).text, "10");
    EXPECT_EQ(NormaliseWaitText(",", german).text, "10");
    // Separators of more than one character, as some locales have.
    const NumberSeparators spaced{",", "\xC2\xA0"};
    EXPECT_EQ(NormaliseWaitText("1\xC2\xA0" "000", spaced).text, "1000");
    EXPECT_EQ(NormaliseWaitText("1\xC2" "000", spaced).text, "10");
}

} // namespace
} // namespace qx
