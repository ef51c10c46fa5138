#pragma once
// Number formatting shared by log and caption texts.
#include <cstdint>
#include <string>

namespace qx {

// Decimal with a leading sign position: a blank for zero or more, "-" below zero
// (" 10", "-5"), as the program's messages have always shown numbers.
std::string FormatSignPosition(std::int64_t value);

} // namespace qx
