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

bool StartsWith(const std::string& text, std::size_t at, const std::string& part) {
    return !part.empty() && text.compare(at, part.size(), part) == 0;
}

// Only decimal numbers as the locale writes them: strtod alone would also
// take "inf", "nan" and hexadecimal text, which nobody types as a number of
// seconds, and would know nothing of the user's separators. The number is
// rebuilt in the form strtod reads ("." as the decimal point, no grouping).
bool ReadNumber(const std::string& text, const NumberSeparators& separators, double& value) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    std::string plain;
    while (i < n && IsBlank(text[i])) ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    std::size_t digits = 0;
    for (;;) {
        if (i < n && IsDigit(text[i])) {
            plain += text[i++];
            ++digits;
        } else if (digits > 0 && StartsWith(text, i, separators.thousands) &&
                   i + separators.thousands.size() < n && IsDigit(text[i + separators.thousands.size()])) {
            i += separators.thousands.size(); // grouping between digits only
        } else {
            break;
        }
    }
    if (StartsWith(text, i, separators.decimal)) {
        i += separators.decimal.size();
        plain += '.';
        while (i < n && IsDigit(text[i])) plain += text[i++], ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        plain += text[i++];
        if (i < n && (text[i] == '+' || text[i] == '-')) plain += text[i++];
        std::size_t expDigits = 0;
        while (i < n && IsDigit(text[i])) plain += text[i++], ++expDigits;
        if (expDigits == 0) return false;
    }
    while (i < n && IsBlank(text[i])) ++i;
    if (i != n) return false;
    value = std::strtod(plain.c_str(), nullptr);
    return true;
}

} // namespace

WaitField NormaliseWaitText(const std::string& text, const NumberSeparators& separators) {
    double value = 0;
    if (!ReadNumber(text, separators, value)) return {std::to_string(kDefaultWait), kDefaultWait};
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
