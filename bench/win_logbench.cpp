// Time for 10,000 action entries, each opening, appending to and closing the
// log file, through the real file system under Wine. Run:
//   xvfb-run -a bash -c 'source scripts/wine-env.sh; wine build/mingw/bench_win_logbench.exe'
#include "core/log/cLogger.h"
#include "fake/cFakeUserInterface.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/cWin32Clock.h"
#include "win32/cWin32FileSystem.h"
#include "win32/cWin32TextCodec.h"

#include <algorithm>
#include <cstdio>
#include <vector>

int main() {
    constexpr int kEntries = 10000;
    constexpr int kRounds = 3;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::string folder = qx::win32::Narrow(std::wstring(temp)) + "qxlogbench";
    CreateDirectoryW(qx::win32::Widen(folder).c_str(), nullptr);
    const std::string path = folder + "\\Quellix.log";

    qx::win32::cWin32FileSystem fs;
    qx::win32::cWin32Clock clock;
    qx::win32::cWin32TextCodec codec;
    qx::fake::cFakeUserInterface ui; // a fallback message would be a failure here
    std::vector<double> perRound;
    for (int round = 0; round < kRounds; ++round) {
        fs.DeleteFile(path);
        qx::cLogger log(fs, ui, clock, codec, folder);
        log.SetLogFile(path);
        log.SetLogActions(true);
        log.SetCurrentUser("bench");
        LARGE_INTEGER f, a, b;
        QueryPerformanceFrequency(&f);
        QueryPerformanceCounter(&a);
        for (int i = 0; i < kEntries; ++i) log.LogAction("'Untitled - Notepad' was killed cleanly.");
        QueryPerformanceCounter(&b);
        perRound.push_back(static_cast<double>(b.QuadPart - a.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart));
    }
    std::uint64_t length = 0;
    fs.GetFileLength(path, length);
    std::sort(perRound.begin(), perRound.end());
    std::printf("10,000 action entries: median %.0f ms (%.1f us per entry), best %.0f ms; file %llu bytes; boxes %zu\n",
                perRound[perRound.size() / 2], perRound[perRound.size() / 2] * 1000.0 / kEntries, perRound.front(),
                static_cast<unsigned long long>(length), ui.boxes.size());
    fs.DeleteFile(path);
    RemoveDirectoryW(qx::win32::Widen(folder).c_str());
    return ui.boxes.empty() ? 0 : 1;
}
