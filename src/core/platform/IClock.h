#pragma once
// Wall-clock time for log entries and set files.
#include <string>

namespace qx {

struct LocalDateTime {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
};

class IClock {
public:
    virtual ~IClock() = default;
    virtual LocalDateTime Now() = 0;
    // The same moment in UTC, for records read on other machines.
    virtual LocalDateTime UtcNow() = 0;
    // The locale's "general date": short date, a blank, long time.
    virtual std::string FormatGeneralDate(const LocalDateTime& t) = 0;
};

} // namespace qx
