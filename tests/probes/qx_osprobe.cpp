// Prints what cOSInfo derives from the version this process is given, so
// that tests can run it under every Windows version Wine can pretend to be.
#include "core/util/cOSInfo.h"
#include "win32/cWin32SystemFacts.h"

#include <cstdio>

int main() {
    qx::win32::cWin32SystemFacts facts;
    const qx::cOSInfo os(facts);
    const qx::OsVersionInfo& v = os.VersionRecord();
    std::printf("platform=%u major=%u minor=%u build=%u unknown=%d win2000=%d win95=%d win98=%d nt3=%d nt4=%d "
                "nt4orlater=%d dosmode=%d interface=%d version=%.1f\n",
                v.platformId, v.majorVersion, v.minorVersion, v.buildNumber, os.isOsUnknown(), os.isWin2000(),
                os.isWin95(), os.isWin98(), os.isWinNT3(), os.isWinNT4(), os.isWinNT4OrLater(),
                os.canRestartInDosMode(), os.interfaceUsed(), os.OSVersion());
    return 0;
}
