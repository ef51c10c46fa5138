// Times saving and loading a kill set of the largest size a set file holds
// (32,767 entries), through the set commands and for the file format alone.
// Files live in memory (cMemoryFileSystem), so the figures measure our code,
// not the disk.
#include "core/sets/cSetFile.h"
#include "core/sets/cSetFileCommands.h"
#include "core/ui/cBuiltinStringTable.h"
#include "core/util/cCodePage1252.h"
#include "fake/cFakeClock.h"
#include "fake/cFakeUserInterface.h"
#include "fake/cMemoryFileSystem.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Best and median of several runs, in milliseconds.
void Time(const char* what, int runs, const std::function<bool()>& body) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        if (!body()) {
            std::printf("%-44s FAILED\n", what);
            return;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s best %8.2f ms   median %8.2f ms   (%d runs)\n", what, ms.front(), ms[ms.size() / 2], runs);
}

} // namespace

int main() {
    using namespace qx;
    constexpr int kRuns = 15;
    const std::string path = "C:\\Sets\\big.qxs";

    fake::cMemoryFileSystem fs;
    fake::cFakeUserInterface ui;
    fake::cFakeClock clock;
    cCodePage1252 codec;
    cBuiltinStringTable table;
    cMessages messages;
    messages.LoadMessages(table, "C:\\Apps\\Quellix");
    cLogger log(fs, ui, clock, codec, "C:\\Apps\\Quellix");
    cGlobalsClass globals(fs);
    fs.AddFolder("C:\\Sets");
    fs.AddFolder("C:\\Apps\\Quellix");

    cKillSet set;
    cSetFileCommands cmds(set, {fs, ui, clock, codec, log, globals, messages});
    for (int i = 0; i < cKillSet::kMaxEntries; ++i) {
        cApplicationProcs e;
        e.SetTitle("Document " + std::to_string(i) + " - R\u00E9sum\u00E9 Editor");
        e.SetExePath("C:\\Program Files\\Vendor " + std::to_string(i % 97) + "\\editor.exe");
        e.SetSelected(i % 3 != 0);
        set.AddToProgramSet(e, false);
    }

    Time("ActualSetSave, 32767 entries", kRuns, [&] { return cmds.ActualSetSave(path); });
    std::uint64_t size = 0;
    fs.GetFileLength(path, size);
    std::printf("%-44s %llu bytes\n", "file size", static_cast<unsigned long long>(size));
    Time("OpenProgramSet (replace), 32767 entries", kRuns, [&] { return cmds.OpenProgramSet(path, true, true); });
    Time("OpenProgramSet (merge, all duplicates), 1 run", 1, [&] {
        // Every entry is compared with every entry already in the set: the
        // duplicate test is a linear search, so this is quadratic.
        return cmds.OpenProgramSet(path, true, false) && set.lvProgramSet().Count() == cKillSet::kMaxEntries;
    });

    std::string bytes = *fs.Contents(path);
    std::vector<SetFileEntry> entries;
    SetFileHeader header;
    Time("cSetFile::Read alone", kRuns,
         [&] { return cSetFile::Read(bytes, codec, header, entries) == cSetFile::ReadResult::Ok; });
    std::string out;
    Time("cSetFile::Write alone", kRuns,
         [&] { return cSetFile::Write(46362, entries, codec, out) == cSetFile::WriteResult::Ok; });
    return out == bytes ? 0 : 1;
}
