#include "core/util/cOSInfo.h"

namespace qx {

cOSInfo::cOSInfo(ISystemFacts& facts) {
    // A failed read leaves platform 0, which is reported as unknown.
    if (!facts.GetVersionEx(version_)) version_ = OsVersionInfo{};
    if (version_.platformId == kVerPlatformWin32Windows) {
        win95_ = version_.minorVersion == 0;
        win98_ = version_.minorVersion == 10;
    } else if (version_.platformId == kVerPlatformWin32Nt) {
        winNT3_ = version_.majorVersion == 3;
        winNT4_ = version_.majorVersion == 4 || version_.majorVersion == 5;
        win2000_ = version_.majorVersion == 5;
        winNT4OrLater_ = version_.majorVersion >= 4;
    }
    unknown_ = !(win95_ || win98_ || winNT3_ || winNT4_);
}

double cOSInfo::OSVersion() const {
    return static_cast<double>(version_.majorVersion) + static_cast<double>(version_.minorVersion) / 10.0;
}

} // namespace qx
