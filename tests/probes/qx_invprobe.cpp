// Takes one inventory with the real ports and prints its rows, so that tests
// can see what the Applications and Processes lists hold under every Windows
// version Wine can pretend to be (and so on every process-service path).
// Output: what cOSInfo derives from the version ("os" and name=value pairs),
// "own=<pid>", then one line per row, fields split by tabs:
//   <list> <row> <tag> <pid> <window> <visible> <title> <exe path>
// where list is "A" (lvApplications) or "P" (lvProcesses).
#include "core/engine/cInventory.h"
#include "core/log/cLogger.h"
#include "core/util/cOSInfo.h"
#include "win32/cWin32Platform.h"

#include <cstdio>

namespace {

void PrintList(const char* name, const qx::cListViewModel& list, const qx::cInventory& inventory) {
    for (std::int16_t row = 1; row <= list.Count(); ++row) {
        const qx::cListItem& item = *list.Item(row);
        std::int16_t index = -1;
        const qx::cApplicationProcs* app =
            list.TagIndex(row, index) ? &inventory.mcApplications().at(static_cast<std::size_t>(index)) : nullptr;
        std::printf("%s\t%d\t%s\t%lu\t%lu\t%d\t%s\t%s\n", name, row, item.tag.c_str(),
                    app ? static_cast<unsigned long>(app->ProcessID()) : 0ul,
                    app ? static_cast<unsigned long>(app->Handle()) : 0ul, app ? app->WinVisible() : -1,
                    item.text.c_str(), item.subItem.c_str());
    }
}

} // namespace

int main() {
    qx::win32::cWin32Platform p;
    qx::cLogger log(p.fs, p.ui, p.clock, p.codec, p.facts.ProgramFolder()); // every switch off: writes nothing
    const qx::cOSInfo osInfo(p.facts);
    const qx::OsVersionInfo& v = osInfo.VersionRecord();
    std::printf("os platform=%u major=%u minor=%u unknown=%d win2000=%d win95=%d win98=%d nt3=%d nt4=%d "
                "nt4orlater=%d dosmode=%d interface=%d version=%.1f\n",
                v.platformId, v.majorVersion, v.minorVersion, osInfo.isOsUnknown(), osInfo.isWin2000(),
                osInfo.isWin95(), osInfo.isWin98(), osInfo.isWinNT3(), osInfo.isWinNT4(), osInfo.isWinNT4OrLater(),
                osInfo.canRestartInDosMode(), osInfo.interfaceUsed(), osInfo.OSVersion());
    qx::cInventory inventory(p.os, osInfo, log);
    inventory.SetOwnProcessID(p.os.GetCurrentProcessId());
    inventory.RefreshLists();
    std::printf("own=%lu\n", static_cast<unsigned long>(p.os.GetCurrentProcessId()));
    PrintList("A", inventory.lvApplications(), inventory);
    PrintList("P", inventory.lvProcesses(), inventory);
    return 0;
}
