#pragma once
// Which Windows family and version the program runs on. The flags keep their
// historic meaning (isWinNT4 covers NT 4 and 5 only); isWinNT4OrLater is the
// test for the NT services on every NT version from 4 on.
#include "core/platform/ISystemFacts.h"

#include <cstdint>

namespace qx {

class cOSInfo {
public:
    explicit cOSInfo(ISystemFacts& facts);

    bool isOsUnknown() const { return unknown_; }
    bool isWin2000() const { return win2000_; }
    bool isWin95() const { return win95_; }
    bool isWin98() const { return win98_; }
    bool isWinNT3() const { return winNT3_; }
    bool isWinNT4() const { return winNT4_; }
    bool isWinNT4OrLater() const { return winNT4OrLater_; }
    bool canRestartInDosMode() const { return win95_ || win98_; }
    std::int16_t interfaceUsed() const { return (win98_ || winNT4_ || win2000_) ? 2 : 1; }
    // Major + minor / 10, so Windows 98 (4.10) reads 5.0.
    double OSVersion() const;
    const OsVersionInfo& VersionRecord() const { return version_; }

private:
    OsVersionInfo version_;
    bool unknown_ = false, win2000_ = false, win95_ = false, win98_ = false, winNT3_ = false, winNT4_ = false,
         winNT4OrLater_ = false;
};

} // namespace qx
