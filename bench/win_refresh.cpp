// Time of one RefreshLists over the real ports with many target programs
// running, next to Wine's own process listers in the same run: tasklist
// (a stub in Wine 8 that lists nothing, so its time is that of starting a
// console program) and "wmic process get", which does list every process.
// Every fourth target shows a window, the others have none. Run under Wine:
//   xvfb-run -a bash -c 'source scripts/wine-env.sh; wine build/mingw/bench_win_refresh.exe [targets]'
#include "core/engine/cInventory.h"
#include "fake/cKillHarness.h"
#include "integration/cTargetProcess.h"
#include "win32/WinApi.h"
#include "BenchTiming.h"
#include "integration/modRunCaptured.h"
#include "win32/cWin32ProcessWindowServices.h"
#include "win32/cWin32SystemFacts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using qx::bench::Median;
using qx::bench::NowMs;
using qx::bench::Print;



// The lines a console program wrote (ANSI or UTF-16 alike), or -1 when it
// could not be started.
int RunLister(const wchar_t* commandLine) {
    std::string output;
    if (!qx::test::RunCaptured(commandLine, output, CREATE_NO_WINDOW)) return -1;
    return static_cast<int>(std::count(output.begin(), output.end(), '\n'));
}

} // namespace

int main(int argc, char** argv) {
    using qx::test::cTargetProcess;
    const int count = argc > 1 ? std::atoi(argv[1]) : 200;
    constexpr int kRounds = 9;

    std::vector<std::unique_ptr<cTargetProcess>> targets;
    const double startAll = NowMs();
    for (int i = 0; i < count; ++i) {
        std::vector<std::string> args = {"--window", "none"};
        if (i % 4 == 0) args = {"--window", "main:Bench " + std::to_string(i)};
        targets.push_back(std::make_unique<cTargetProcess>(args, 30000));
        if (!targets.back()->Ready()) {
            std::printf("target %d did not start\n", i);
            return 2;
        }
    }
    std::printf("%d targets started in %.1f s (%d with a window)\n", count, (NowMs() - startAll) / 1000.0,
                (count + 3) / 4);

    qx::win32::cWin32ProcessWindowServices os;
    qx::win32::cWin32SystemFacts facts;
    const qx::cOSInfo osInfo(facts);
    qx::fake::cKillRecorder rec; // its logger: the inventory writes debug entries only
    qx::cInventory inventory(os, osInfo, rec.log);
    inventory.SetOwnProcessID(os.GetCurrentProcessId());
    inventory.RefreshLists(); // warm-up

    // What the process-status path costs per process, and what reading the
    // path with the image-name query instead of the module list would cost.
    std::vector<std::uint32_t> ids;
    std::uint32_t bytes = 0;
    os.EnumProcesses(ids, 1u << 16, bytes);
    ids.resize(bytes / 4);
    const auto pathOfEach = [&](bool imageName) {
        int read = 0;
        for (const std::uint32_t id : ids) {
            const qx::ProcessHandle h = os.OpenProcess(qx::kInspectAccess, id);
            if (h == 0) continue;
            std::string path;
            read += (imageName ? os.QueryProcessImagePath(h, path) : os.GetMainModulePath(h, path)) ? 1 : 0;
            os.CloseHandle(h);
        }
        return read;
    };

    std::vector<double> refresh, processStatus, toolHelp, tasklist, wmic, moduleList, imageName;
    int tasklistLines = 0, wmicLines = 0;
    for (int r = 0; r < kRounds; ++r) {
        double t = NowMs();
        inventory.RefreshLists();
        refresh.push_back(NowMs() - t);
        t = NowMs();
        tasklistLines = RunLister(L"tasklist.exe");
        tasklist.push_back(NowMs() - t);
        t = NowMs();
        wmicLines = RunLister(L"wmic.exe process get name,processid");
        wmic.push_back(NowMs() - t);
        if (tasklistLines < 0 || wmicLines < count) {
            std::printf("a lister failed or listed too little (tasklist %d, wmic %d lines)\n", tasklistLines,
                        wmicLines);
            return 3;
        }
        t = NowMs();
        inventory.FillProcessListNT();
        processStatus.push_back(NowMs() - t);
        t = NowMs();
        inventory.FillProcessList95();
        toolHelp.push_back(NowMs() - t);
        t = NowMs();
        pathOfEach(false);
        moduleList.push_back(NowMs() - t);
        t = NowMs();
        pathOfEach(true);
        imageName.push_back(NowMs() - t);
    }
    inventory.RefreshLists();

    // Every target must be in the inventory, or the figure means nothing.
    int listed = 0;
    for (const auto& t : targets) {
        const auto& apps = inventory.mcApplications();
        listed += std::any_of(apps.begin(), apps.end(), [&](const auto& a) { return a.ProcessID() == t->Pid(); });
    }
    std::printf("inventory: %zu processes, %zu windows, %d Applications rows, %d Processes rows; %d of %d targets "
                "listed\n",
                inventory.mcProcesses().size(), inventory.mcWindows().size(), inventory.lvApplications().Count(),
                inventory.lvProcesses().Count(), listed, count);
    Print("RefreshLists (whole inventory)", refresh);
    Print("  FillProcessListNT alone (process status)", processStatus);
    Print("  FillProcessList95 alone (tool help)", toolHelp);
    Print("  open + module list path, every process", moduleList);
    Print("  open + image-name query, every process", imageName);
    Print("tasklist.exe, start to end", tasklist);
    Print("wmic process get name,processid", wmic);
    std::printf("tasklist wrote %d lines, wmic %d\n", tasklistLines, wmicLines);
    return listed == count ? 0 : 4;
}
