#pragma once
// Local time and the user's locale formats.
#include "core/platform/IClock.h"

namespace qx::win32 {

class cWin32Clock final : public IClock {
public:
    LocalDateTime Now() override;
    LocalDateTime UtcNow() override;
    // Short date, a blank, the time in the locale's format.
    std::string FormatGeneralDate(const LocalDateTime& t) override;
};

} // namespace qx::win32
