#pragma once
// The kill engine's own texts, loaded once from the string table.
#include "core/platform/IStringTable.h"

#include <array>
#include <string>

namespace qx {

class cKillMessages {
public:
    enum Index {
        kUnableToKill = 0,  // "Unable to kill '"
        kNotAuthorized = 1, // "'.  Reason: Not authorized or Non-existent process"
        kProblemKilling = 2,
        kKilledCleanly = 3,
        kReasonErr = 4,
        kTerminated = 5,
        kDidntClose = 6,
        kSeconds = 7,
        kAttempting = 8,
        kWasntRunning = 9, // "' couldn't be killed.  It wasn't running."
        kCount = 10
    };
    // Fills the table; false when an id is missing (its text stays empty).
    bool LoadKillMessages(IStringTable& table);
    const std::string& operator[](Index i) const { return texts_[static_cast<std::size_t>(i)]; }

private:
    std::array<std::string, kCount> texts_;
};

} // namespace qx
