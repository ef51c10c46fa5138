#pragma once
// A clock that stands still unless a test moves it; formats as M/D/YYYY h:mm:ss AM.
#include "core/platform/IClock.h"

#include <cstdio>

namespace qx::fake {

class cFakeClock final : public IClock {
public:
    LocalDateTime now{2026, 12, 6, 14, 5, 9};
    LocalDateTime utc{2026, 12, 6, 13, 5, 9};
    LocalDateTime Now() override { return now; }
    LocalDateTime UtcNow() override { return utc; }
    std::string FormatGeneralDate(const LocalDateTime& t) override {
        char buf[64];
        const int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
        std::snprintf(buf, sizeof buf, "%d/%d/%d %d:%02d:%02d %s", t.month, t.day, t.year, h12, t.minute, t.second,
                      t.hour < 12 ? "AM" : "PM");
        return buf;
    }
};

} // namespace qx::fake
