#include "core/util/modOleDate.h"

#include <cstdint>

namespace qx {

namespace {

// Days since 1 January 1970 in the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, std::int64_t m, std::int64_t d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

} // namespace

double OleDate(const LocalDateTime& t) {
    static const std::int64_t kOleEpoch = DaysFromCivil(1899, 12, 30);
    return static_cast<double>(DaysFromCivil(t.year, t.month, t.day) - kOleEpoch);
}

} // namespace qx
