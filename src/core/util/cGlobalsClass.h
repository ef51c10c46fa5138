#pragma once
// The program's named constants and the folder last used in a file dialog.
#include "core/platform/IFileSystem.h"

#include <cstdint>
#include <string>

namespace qx {

class cGlobalsClass {
public:
    explicit cGlobalsClass(IFileSystem& fs) : fs_(fs) {}

    static std::string sHelpFile() { return "Quellix.Hlp"; }
    static constexpr std::int16_t HID_Getting_Started() { return 101; }
    // Posted to the companion program when a kill run halts or a kill fails.
    static constexpr std::int16_t MM_KILL_HALTED() { return 0x59A; }
    static constexpr std::int16_t MM_KILL_FAILED() { return 0x59B; }

    const std::string& sBrowsePath() const { return browsePath_; }
    void SetsBrowsePath(const std::string& path) { browsePath_ = path; }

    // An ordinary file is there; hidden or system files and folders count as missing.
    bool FileExists(const std::string& path) { return fs_.NormalFileExists(path); }

private:
    IFileSystem& fs_;
    std::string browsePath_;
};

} // namespace qx
