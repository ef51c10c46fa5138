#pragma once
// Everything closing a program needs apart from the system: recorded captions
// and message boxes, and a real logger writing into a memory file system.
// Integration tests pair it with the real system, cRunHarness with the fake one.
#include "core/engine/cApplicationProcs.h"
#include "core/ui/cBuiltinStringTable.h"
#include "core/util/cCodePage1252.h"
#include "fake/cFakeClock.h"
#include "fake/cFakeUserInterface.h"
#include "fake/cMemoryFileSystem.h"

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
        for (std::size_t start = 0, end; bytes != nullptr && (end = bytes->find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            if (previous.find(" - User: ") != std::string::npos) out.push_back(bytes->substr(start, end - start));
            previous = bytes->substr(start, end - start);
        }
        return out;
    }
    std::vector<std::string> ActionTexts() const { return Texts(false); }
    std::vector<std::string> DebugTexts() const { return Texts(true); }

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

} // namespace qx::fake
