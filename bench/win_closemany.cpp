// Whole-run wall time of quellix.exe closing many programs, side by side in
// one run with the floor program (bench_win_floor.exe, which posts WM_CLOSE to
// every window of the targets at once and waits on their handles):
//   1. "/P=qxtarget.exe" over 1, 5, 20, 50 and 100 cooperative targets, against the floor;
//   2. 10 targets that ignore WM_CLOSE and end-of-session, "/F /W:1", against one such target;
//   3. "/KA" over 100 targets, cut to them with "/X=", against the floor.
// With any argument ("idle") it shows instead where the rest of the time goes:
// runs that close nothing while 0, 20 or 100 targets run, then 20 and 100 closed.
// Run under Wine:
//   xvfb-run -a -s "-screen 0 1280x1024x24" bash -c 'source scripts/wine-env.sh; qx_wine_prefix; wine build/mingw/bench_win_closemany.exe'
#include "integration/cTargetProcess.h"
#include "integration/modRunCaptured.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "BenchTiming.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using qx::bench::Median;
using qx::bench::NowMs;
using qx::test::cTargetProcess;
using Targets = std::vector<std::unique_ptr<cTargetProcess>>;

int g_failures = 0;

std::wstring Beside(const char* exe, const std::wstring& arguments) {
    std::string path = cTargetProcess::ExePath();
    path.replace(path.rfind('\\') + 1, std::string::npos, exe);
    return L"\"" + qx::win32::Widen(path) + L"\" " + arguments;
}

Targets Start(int n, const std::vector<std::string>& args) {
    Targets targets;
    for (int i = 0; i < n; ++i) {
        targets.push_back(std::make_unique<cTargetProcess>(args));
        if (!targets.back()->Ready()) ++g_failures;
    }
    return targets;
}

// Milliseconds from the start of the command to its end, with every target gone.
double Time(int n, const std::vector<std::string>& args, const std::wstring& cmd) {
    Targets targets = Start(n, args);
    const double start = NowMs();
    const long code = qx::test::RunAndWait(cmd);
    const double ms = NowMs() - start;
    int left = 0;
    for (const auto& t : targets)
        if (!t->WaitForExit(0)) ++left;
    if (code != 0 || left != 0) {
        ++g_failures;
        std::printf("failed: %ls with %d targets: exit code %ld, %d still running\n", cmd.c_str(), n, code, left);
    }
    return ms;
}

// Milliseconds of a run that closes nothing while n targets run: what the
// program costs before and after closing anything.
double TimeIdle(int n, const std::vector<std::string>& args, const std::wstring& cmd) {
    Targets targets = Start(n, args);
    const double start = NowMs();
    qx::test::RunAndWait(cmd);
    return NowMs() - start;
}

struct Row {
    std::string what;
    double quellix, floor;
};

void PrintRows(const char* title, const char* floorName, const std::vector<Row>& rows) {
    std::printf("\n%s\n| %-28s | %10s | %10s | %6s |\n|---|---:|---:|---:|\n", title, "targets", "quellix ms", floorName,
                "ratio");
    for (const Row& r : rows)
        std::printf("| %-28s | %10.0f | %10.0f | %6.2f |\n", r.what.c_str(), r.quellix, r.floor, r.quellix / r.floor);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char**) {
    const std::vector<std::string> cooperative = {"--title", "Bench"};
    const std::vector<std::string> stubborn = {"--title", "Stubborn", "--on-close", "ignore", "--refuse-endsession"};
    const std::wstring floor = Beside("bench_win_floor.exe", L"qxtarget.exe");

    std::vector<Row> rows;
    // With an argument: only where the time goes besides the closing itself.
    for (const int n : {0, 20, 100}) {
        if (argc < 2) break;
        std::vector<double> q, f;
        for (int r = 0; r < 5; ++r) {
            q.push_back(TimeIdle(n, cooperative, Beside("quellix.exe", L"/P=nothing.exe")));
            f.push_back(TimeIdle(n, cooperative, Beside("bench_win_floor.exe", L"nothing.exe")));
        }
        rows.push_back({std::to_string(n) + " running, none closed", Median(q), Median(f)});
    }
    for (const int n : {1, 5, 20, 50, 100}) {
        if (argc >= 2 && n != 20 && n != 100) continue;
        const int rounds = n <= 20 ? 5 : 3;
        std::vector<double> q, f;
        for (int r = 0; r < rounds; ++r) {
            q.push_back(Time(n, cooperative, Beside("quellix.exe", L"/P=qxtarget.exe")));
            f.push_back(Time(n, cooperative, floor));
        }
        rows.push_back({std::to_string(n) + " cooperative", Median(q), Median(f)});
    }
    PrintRows("quellix /P=qxtarget.exe against the floor (medians)", "floor ms", rows);
    if (argc >= 2) return 0;

    std::vector<double> ten, one;
    for (int r = 0; r < 3; ++r) {
        ten.push_back(Time(10, stubborn, Beside("quellix.exe", L"/P=qxtarget.exe /F /W:1")));
        one.push_back(Time(1, stubborn, Beside("quellix.exe", L"/P=qxtarget.exe /F /W:1")));
    }
    PrintRows("10 stubborn targets, /F /W:1, against one (medians)", "one ms",
              {{"10 stubborn", Median(ten), Median(one)}});

    std::vector<double> all, allFloor;
    for (int r = 0; r < 3; ++r) {
        all.push_back(Time(100, cooperative, Beside("quellix.exe", L"/KA /X=\\WINDOWS\\ /X=\\BENCH_WIN_CLOSEMANY.EXE")));
        allFloor.push_back(Time(100, cooperative, floor));
    }
    PrintRows("/KA cut to the targets with /X=, against the floor (medians)", "floor ms",
              {{"100 cooperative, kill-all", Median(all), Median(allFloor)}});

    std::printf("\nfailures %d\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
