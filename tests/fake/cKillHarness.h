#pragma once
// Everything KillMe needs apart from the system: recorded captions and message
// boxes, and a real logger writing into a memory file system. cKillHarness
// adds the scripted OS; integration tests pair the recorder with the real one.
#include "core/engine/cApplicationProcs.h"
#include "core/ui/cBuiltinStringTable.h"
#include "core/util/cCodePage1252.h"
#include "fake/cFakeClock.h"
#include "fake/cFakeOS.h"
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

    // The texts of the action entries, in order (each entry: date line, text, empty line).
    std::vector<std::string> ActionTexts() const {
        std::vector<std::string> lines, out;
        const std::string* bytes = fs.Contents(kLogPath);
        if (bytes == nullptr) return out;
        std::size_t start = 0;
        for (std::size_t pos; (pos = bytes->find("\r\n", start)) != std::string::npos; start = pos + 2) {
            lines.push_back(bytes->substr(start, pos - start));
        }
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            if (lines[i].find(" - User: ") != std::string::npos && (i == 0 || lines[i - 1] != "*****Debug*****")) {
                out.push_back(lines[i + 1]);
            }
        }
        return out;
    }

    cFakeUserInterface ui;
    cMemoryFileSystem fs;
    cFakeClock clock;
    cCodePage1252 codec;
    cLogger log;
    cKillMessages texts;
};

class cKillHarness : public cKillRecorder {
public:
    bool Kill(const cApplicationProcs& entry) { return cKillRecorder::Kill(os, entry); }
    cFakeOS os;
};

} // namespace qx::fake
