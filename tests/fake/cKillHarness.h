#pragma once
// What closing programs needs apart from the system. cKillRecorder records
// captions and message boxes and logs into a memory file system; integration
// tests pair it with the real system. cRunHarness adds the fake OS, the
// inventory, the current set and the kill run on a chosen Windows version.
#include "core/engine/cInventory.h"
#include "core/engine/cKillRun.h"
#include "core/ui/cBuiltinStringTable.h"
#include "core/util/cCodePage1252.h"
#include "fake/cFakeClock.h"
#include "fake/cFakeOS.h"
#include "fake/cFakeSystemFacts.h"
#include "fake/cFakeUserInterface.h"
#include "fake/cMemoryFileSystem.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qx::fake {

class cKillRecorder {
public:
    static constexpr const char* kLogPath = "C:\\Quellix\\Quellix.log";

    cKillRecorder() : log(fs, ui, clock, codec, "C:\\Quellix") {
        fs.AddFolder("C:\\Quellix");
        log.SetLogFile(kLogPath);
        log.SetLogActions(true);
        log.SetLogErrors(true);
        log.SetCurrentUser("tester");
        cBuiltinStringTable table;
        texts.LoadKillMessages(table);
    }

    bool Kill(IProcessWindowServices& system, const cApplicationProcs& entry) {
        cKillContext k{system, ui, log, texts};
        return entry.KillMe(k);
    }
    // The text line of every log entry, in order; debug texts keep their "Debug: ".
    std::vector<std::string> EntryTexts() const {
        std::vector<std::string> out;
        const std::string* bytes = fs.Contents(kLogPath);
        std::string previous;
        for (std::size_t start = 0, end; bytes && (end = bytes->find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            if (previous.find(" - User: ") != std::string::npos) out.push_back(bytes->substr(start, end - start));
            previous = bytes->substr(start, end - start);
        }
        return out;
    }
    std::vector<std::string> ActionTexts() const { return Texts(false); }
    std::vector<std::string> DebugTexts() const { return Texts(true); }
    // The outcomes and the start of each program's closing, one line each.
    std::string RunLog() const {
        std::string out;
        for (const std::string& t : EntryTexts())
            if (t.rfind("Debug: ", 0) != 0 || t.rfind("Debug: KillMe", 0) == 0) out += t + "\n";
        return out;
    }

    cFakeUserInterface ui;
    cMemoryFileSystem fs;
    cFakeClock clock;
    cCodePage1252 codec;
    cLogger log;
    cKillMessages texts;

private:
    std::vector<std::string> Texts(bool debug) const {
        std::vector<std::string> out;
        for (const std::string& t : EntryTexts())
            if ((t.rfind("Debug: ", 0) == 0) == debug) out.push_back(debug ? t.substr(7) : t);
        return out;
    }
};

inline OsVersionInfo WinNT(std::uint32_t major, std::uint32_t minor, std::uint32_t build) {
    return {148, major, minor, build, kVerPlatformWin32Nt, ""};
}
inline OsVersionInfo Win9x(std::uint32_t minor, std::uint32_t build) {
    return {148, 4, minor, build, kVerPlatformWin32Windows, ""};
}
inline OsVersionInfo Win95() {
    return Win9x(0, 950);
}
inline OsVersionInfo Win2000() {
    return WinNT(5, 0, 2195);
}
inline OsVersionInfo WinXP() {
    return WinNT(5, 1, 2600);
}
inline OsVersionInfo Win10() {
    return WinNT(10, 0, 19045);
}

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
    Started Start(const std::string& exe, const std::string& title = {},
                  CloseReaction onClose = CloseReaction::ExitProcess, std::uint32_t delayMs = 0) {
        const std::uint32_t pid = os.AddProcess({.exePath = exe});
        if (title.empty()) return {pid, 0};
        return {pid,
                os.AddWindow(
                    {.pid = pid, .title = title, .onClose = onClose, .onEndSession = onClose, .delayMs = delayMs})};
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
