#include "core/ui/modWaitField.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace qx {
namespace {

constexpr std::int32_t kDefaultWait = 10;
constexpr std::int32_t kMaxWait = 7200;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Only plain decimal numbers: strtod alone would also take "inf", "nan" and
// hexadecimal text, which nobody types as a number of seconds.
bool ReadNumber(const std::string& text, double& value) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && IsBlank(text[i])) ++i;
    const std::size_t start = i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < n && IsDigit(text[i])) ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < n && IsDigit(text[i])) ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    const std::size_t end = i;
    while (i < n && IsBlank(text[i])) ++i;
    if (i != n) return false;
    value = std::strtod(text.substr(start, end - start).c_str(), nullptr);
    return true;
}

} // namespace

WaitField NormaliseWaitText(const std::string& text) {
    double value = 0;
    if (!ReadNumber(text, value)) return {std::to_string(kDefaultWait), kDefaultWait};
    const double rounded = std::nearbyint(value); // default rounding: halves to even
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max())
        return {std::to_string(kDefaultWait), kDefaultWait};
    std::int32_t seconds = static_cast<std::int32_t>(rounded);
    if (seconds < 0) seconds = 0;
    if (seconds > kMaxWait) seconds = kMaxWait;
    return {std::to_string(seconds), seconds};
}

} // namespace qx
