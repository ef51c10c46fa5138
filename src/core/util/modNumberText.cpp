#include "core/util/modNumberText.h"

namespace qx {

std::string FormatSignPosition(std::int64_t value) {
    // Built by appending: GCC 12 at -O3 misreads `" " + std::to_string(v)` as an overlapping copy.
    std::string text(value < 0 ? 0 : 1, ' ');
    text += std::to_string(value);
    return text;
}

} // namespace qx
