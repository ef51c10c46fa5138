#include "core/ui/modWaitField.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(WaitField, AnyTextBecomesWholeSecondsFromZeroTo7200) {
    const NumberSeparators english, german{",", "."}, spaced{",", "\xC2\xA0"};
    const struct {
        const char* text;
        const NumberSeparators& separators;
        std::int32_t seconds;
    } cases[] = {
        // Not a number, or beyond 32 bits: ten.
        {"abc", english, 10}, {"", english, 10}, {"   ", english, 10}, {"-", english, 10}, {".", english, 10},
        {"1e", english, 10}, {"12abc", english, 10}, {"1 2", english, 10}, {"inf", english, 10},
        {"nan", english, 10}, {"0x10", english, 10}, {"--3", english, 10}, {",5", english, 10},
        {"1,", english, 10}, {"1,,000", english, 10}, {"1.5,0", english, 10}, {"2147483648", english, 10},
        {"-2147483649", english, 10}, {"1e300", english, 10}, {",", german, 10}, {"1\xC2" "000", spaced, 10},
        // Held to 0..7200, halves to the even neighbour.
        {"-5", english, 0}, {"9000", english, 7200}, {"7200", english, 7200}, {"7201", english, 7200},
        {"2147483647", english, 7200}, {"-2147483648", english, 0}, {"0", english, 0}, {"-0.5", english, 0},
        {"  42  ", english, 42}, {"+0042", english, 42}, {"1.5e2", english, 150}, {"5.", english, 5},
        {".6", english, 1}, {"2.5", english, 2}, {"3.5", english, 4}, {"2.51", english, 3},
        // Read the way the user's locale writes numbers.
        {"1,000", english, 1000}, {"1,5", english, 15}, {" -1,000 ", english, 0}, {"2,5", german, 2},
        {"3,5", german, 4}, {"1.000,6", german, 1001}, {"2.5", german, 25}, {"1,5e2", german, 150},
        {"1\xC2\xA0" "000", spaced, 1000},
    };
    for (const auto& c : cases) {
        const WaitField w = NormaliseWaitText(c.text, c.separators);
        EXPECT_EQ(w.seconds, c.seconds) << '[' << c.text << ']';
        EXPECT_EQ(w.text, std::to_string(c.seconds)) << '[' << c.text << ']';
    }
}

} // namespace
} // namespace qx
