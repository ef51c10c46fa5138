#include "core/util/modNumberText.h"

namespace qx {

std::string FormatSignPosition(std::int64_t value) {
    if (value < 0) return std::to_string(value);
    // Appending rather than `" " + text`: GCC 12 at -O3 flags the latter with a
    // false -Wrestrict, which breaks the optimised (bench) build.
    std::string text(1, ' ');
    text += std::to_string(value);
    return text;
}

} // namespace qx
