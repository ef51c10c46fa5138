#pragma once
// The "seconds to wait" field shared by Kill Properties and Advanced Settings:
// whatever the user typed becomes a whole number of seconds from 0 to 7200.
#include <cstdint>
#include <string>

namespace qx {

struct WaitField {
    std::string text;     // what the field shows afterwards
    std::int32_t seconds; // the same value as a number
};

// How the user's locale writes numbers. The window layer fills it from the
// system; the defaults are those of an English locale.
struct NumberSeparators {
    std::string decimal = ".";
    std::string thousands = ",";
};

// Text that does not read as a number gives 10; a number is rounded (halves
// to the even neighbour) and held to 0..7200; a number beyond 32 bits gives
// 10. Blanks around the number, a sign, a decimal part and an exponent are
// accepted, written the locale's way: its decimal separator, and its
// thousands separator between digits before the decimal part ("1,000").
WaitField NormaliseWaitText(const std::string& text, const NumberSeparators& separators = {});

} // namespace qx
