#pragma once
// The main window's message texts, loaded once from the string table when
// the window loads and never changed afterwards.
#include "core/platform/IStringTable.h"

#include <array>
#include <cstdint>
#include <string>

namespace qx {

class cMessages {
public:
    static constexpr std::int16_t kCount = 22;
    enum Index : std::int16_t {
        kMultiplePrograms = 3,
        kDataDirSaveQuestion = 4,  // + folder, "\data or do you want to cancel saving?"
        kDataDirTryQuestion = 5,   // + folder, "\data as the data directory?"
        kUsingDataDir = 6,         // "Using " + folder + "\data as the data directory."
        kSaveChanges = 7,
        kNewSet = 8,
        kSaveAs = 9,
        kOpenProgramSet = 10,
        kDeleteProgramSet = 11,
        kInvalidProgramsFile = 12,
        kNothingToSave = 13,
        kLogNotFound = 14,
        kUnableToCreateLog = 15,
        kUnableToParse = 16,
        kStoppedKilling = 19,
        kWasntRunning = 20,
    };

    // Fills the table from the string table; programFolder is the folder of
    // the executable. False when a text is missing (its entry stays empty).
    bool LoadMessages(IStringTable& table, const std::string& programFolder);
    // Empty for an index outside the table and for the entries without text.
    const std::string& operator[](int index) const;

private:
    std::array<std::string, kCount> texts_;
};

} // namespace qx
