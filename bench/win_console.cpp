// The console twin against the system's own console tools, side by side in
// one run: quellixc.exe "/P=qxtarget.exe" closing 20 cooperative targets
// against taskkill /IM and a wait until all are gone; and quellixc.exe "/L"
// printing its plan with 200 programs running against tasklist. Under Wine:
//   xvfb-run -a bash -c 'source scripts/wine-env.sh; qx_wine_prefix; wine build/mingw/bench_win_console.exe'
#include "integration/cTargetProcess.h"
#include "integration/modRunCaptured.h"
#include "win32/WideText.h"
#include "BenchTiming.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using qx::bench::Median;
using qx::bench::NowMs;
using qx::bench::Print;
using qx::test::cTargetProcess;
using Targets = std::vector<std::unique_ptr<cTargetProcess>>;

constexpr int kRounds = 7;

Targets Start(int count, const std::vector<std::string>& args) {
    Targets targets;
    for (int i = 0; i < count; ++i) targets.push_back(std::make_unique<cTargetProcess>(args));
    return targets;
}

bool AllReady(const Targets& targets) {
    for (const auto& t : targets)
        if (!t->Ready()) return false;
    return true;
}

bool AllGone(const Targets& targets, std::uint32_t waitMs) {
    bool gone = true;
    for (const auto& t : targets) gone = t->WaitForExit(waitMs) && gone;
    return gone;
}

std::wstring Twin(const std::wstring& arguments) {
    std::string path = cTargetProcess::ExePath();
    path.replace(path.rfind('\\') + 1, std::string::npos, "quellixc.exe");
    return L"\"" + qx::win32::Widen(path) + L"\" " + arguments;
}

// Wall time of one console program run to its end, output read as it comes.
double Timed(const std::wstring& command, std::string& output) {
    output.clear();
    const double start = NowMs();
    if (!qx::test::RunCaptured(command, output)) return -1;
    return NowMs() - start;
}

int Lines(const std::string& text) {
    int n = 0;
    for (char c : text) n += c == '\n';
    return n;
}

} // namespace

int main() {
    std::vector<double> twin, taskkill, plan, tasklist, floor, none;
    int failures = 0;
    std::string out;
    for (int round = 0; round < kRounds; ++round) {
        {
            Targets targets = Start(20, {"--title", "Bench"});
            if (!AllReady(targets)) return 2;
            const double ms = Timed(Twin(L"/P=qxtarget.exe"), out);
            twin.push_back(ms);
            if (ms < 0 || !AllGone(targets, 0)) ++failures;
        }
        {
            Targets targets = Start(20, {"--title", "Bench"});
            if (!AllReady(targets)) return 2;
            const double start = NowMs();
            Timed(L"taskkill.exe /IM qxtarget.exe", out);
            if (!AllGone(targets, 30000)) ++failures;
            taskkill.push_back(NowMs() - start);
        }
    }
    std::printf("20 cooperative targets, %d rounds\n", kRounds);
    Print("quellixc.exe /P=qxtarget.exe (until all ended)", twin);
    Print("taskkill /IM qxtarget.exe + wait until gone", taskkill);
    std::printf("ratio of medians %.2f (goal: at most 1.10)\n\n", Median(twin) / Median(taskkill));

    Targets running = Start(200, {"--window", "none"});
    if (!AllReady(running)) return 2;
    for (int round = 0; round < kRounds; ++round) {
        plan.push_back(Timed(Twin(L"/P=qxtarget.exe /L"), out));
        if (Lines(out) != 201) ++failures; // the header and one line per program
        tasklist.push_back(Timed(L"tasklist.exe", out));
        none.push_back(Timed(Twin(L"/P=nothing.exe /L"), out));
        floor.push_back(Timed(Twin(L"/?"), out));
    }
    std::printf("200 running programs, %d rounds\n", kRounds);
    Print("quellixc.exe /P=qxtarget.exe /L (plan printed)", plan);
    Print("tasklist", tasklist);
    Print("quellixc.exe /P=nothing.exe /L (inventory, no plan)", none);
    Print("quellixc.exe /? (start and end of the process)", floor);
    std::printf("ratio of medians %.2f\n", Median(plan) / Median(tasklist));
    for (const auto& t : running) t->Terminate();
    std::printf("failures %d\n", failures);
    return failures == 0 ? 0 : 1;
}
