#pragma once
// The main window's state without the window: the inventory, the current
// kill set, the message texts and the kill run, wired to the fake OS of
// cKillHarness on a chosen Windows version.
#include "core/engine/cInventory.h"
#include "core/engine/cKillRun.h"
#include "fake/cFakeSystemFacts.h"
#include "fake/cKillHarness.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qx::fake {

inline OsVersionInfo Win95() { return {148, 4, 0, 950, kVerPlatformWin32Windows, ""}; }
inline OsVersionInfo Win98() { return {148, 4, 10, 1998, kVerPlatformWin32Windows, ""}; }
inline OsVersionInfo WinNT351() { return {148, 3, 51, 1057, kVerPlatformWin32Nt, ""}; }
inline OsVersionInfo WinNT4() { return {148, 4, 0, 1381, kVerPlatformWin32Nt, ""}; }
inline OsVersionInfo Win2000() { return {148, 5, 0, 2195, kVerPlatformWin32Nt, ""}; }
inline OsVersionInfo WinXP() { return {148, 5, 1, 2600, kVerPlatformWin32Nt, ""}; }
inline OsVersionInfo Win7() { return {148, 6, 1, 7601, kVerPlatformWin32Nt, ""}; }
inline OsVersionInfo Win10() { return {148, 10, 0, 19045, kVerPlatformWin32Nt, ""}; }

inline OsVersionInfo WithFacts(cFakeSystemFacts& facts, const OsVersionInfo& v) {
    facts.version = v;
    return v;
}

class cRunHarness : public cKillHarness {
public:
    explicit cRunHarness(const OsVersionInfo& version = Win2000())
        : versionSet(WithFacts(facts, version)), osInfo(facts), inventory(os, osInfo, log),
          kill{os, ui, log, texts},
          run(kill, osInfo, inventory, set, messages, [this](std::uint32_t m) { ferrow.push_back(m); }) {
        inventory.SetOwnProcessID(os.GetCurrentProcessId());
        cBuiltinStringTable table;
        messages.LoadMessages(table, "C:\\Quellix");
    }

    // The texts of the debug entries, in order.
    std::vector<std::string> DebugTexts() const {
        std::vector<std::string> out;
        const std::string* bytes = fs.Contents(kLogPath);
        if (bytes == nullptr) return out;
        const std::string marker = "\r\nDebug: ";
        for (std::size_t pos = bytes->find(marker); pos != std::string::npos; pos = bytes->find(marker, pos + 1)) {
            const std::size_t start = pos + marker.size();
            out.push_back(bytes->substr(start, bytes->find("\r\n", start) - start));
        }
        return out;
    }

    cFakeSystemFacts facts;
    OsVersionInfo versionSet;
    cOSInfo osInfo;
    cInventory inventory;
    cKillSet set;
    cMessages messages;
    std::vector<std::uint32_t> ferrow; // messages posted to the companion program
    cKillContext kill;
    cKillRun run;
};

} // namespace qx::fake
