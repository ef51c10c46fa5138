#pragma once
// The main window's state without the window: the inventory, the current
// kill set, the message texts and the kill run over the fake OS, on a chosen
// Windows version.
#include "core/engine/cInventory.h"
#include "core/engine/cKillRun.h"
#include "fake/cFakeOS.h"
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

class cRunHarness : public cKillRecorder {
public:
    explicit cRunHarness(const OsVersionInfo& version = Win2000())
        : osInfo((facts.version = version, facts)), inventory(os, osInfo, log), kill{os, ui, log, texts},
          run(kill, osInfo, inventory, set, messages, [this](std::uint32_t m) { ferrow.push_back(m); }) {
        inventory.SetOwnProcessID(os.GetCurrentProcessId());
        cBuiltinStringTable table;
        messages.LoadMessages(table, "C:\\Quellix");
    }
    bool Kill(const cApplicationProcs& entry) { return cKillRecorder::Kill(os, entry); }
    struct Started {
        std::uint32_t pid;
        WindowHandle window;
    };
    // Starts a program with one visible window of that title (none when it is empty).
    Started Start(const std::string& exe, const std::string& title = {}, CloseReaction onClose = CloseReaction::ExitProcess,
                  std::uint32_t delayMs = 0) {
        FakeProcessSetup p;
        p.exePath = exe;
        FakeWindowSetup w;
        w.pid = os.AddProcess(p);
        w.title = title;
        w.onClose = w.onEndSession = onClose;
        w.delayMs = delayMs;
        return {w.pid, title.empty() ? 0 : os.AddWindow(w)};
    }
    // Appends a checked row for that program to the current set.
    cApplicationProcs& AddRow(const std::string& exe, const std::string& title, bool visible = true) {
        cApplicationProcs e;
        e.SetExePath(exe);
        e.SetTitle(title);
        e.SetWinVisible(visible);
        set.AddToProgramSet(e, false);
        return set.AppSet().back();
    }

    cFakeOS os;
    cFakeSystemFacts facts;
    cOSInfo osInfo;
    cInventory inventory;
    cKillSet set;
    cMessages messages;
    std::vector<std::uint32_t> ferrow; // messages posted to the companion program
    cKillContext kill;
    cKillRun run;
};

} // namespace qx::fake
