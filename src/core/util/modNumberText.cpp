#include "core/util/modNumberText.h"

namespace qx {

std::string FormatSignPosition(std::int64_t value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

} // namespace qx
