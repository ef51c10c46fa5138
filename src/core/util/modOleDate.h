#pragma once
// Dates as OLE Automation stores them: days since 30 December 1899.
#include "core/platform/IClock.h"

namespace qx {

// The day of t as an OLE date with a time part of zero (the clock's time of
// day is dropped). Days before 30 December 1899 are negative.
double OleDate(const LocalDateTime& t);

} // namespace qx
