// Whole-run wall time of quellix.exe "/P=qxtarget.exe" closing 20 cooperative
// targets, next to Wine's taskkill /IM on 20 targets in the same run followed
// by a wait until all of them are gone. Run under Wine:
//   xvfb-run -a bash -c 'source scripts/wine-env.sh; wine build/mingw/bench_win_cmdline.exe'
#include "integration/cTargetProcess.h"
#include "integration/modRunCaptured.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "BenchTiming.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using qx::bench::Median;
using qx::bench::NowMs;
using qx::bench::Print;

using qx::test::cTargetProcess;
constexpr int kTargets = 20;
constexpr int kRounds = 9;




std::vector<std::unique_ptr<cTargetProcess>> StartTargets() {
    std::vector<std::unique_ptr<cTargetProcess>> targets;
    for (int i = 0; i < kTargets; ++i)
        targets.push_back(std::make_unique<cTargetProcess>(std::vector<std::string>{"--title", "Bench"}));
    return targets;
}

bool AllGone(const std::vector<std::unique_ptr<cTargetProcess>>& targets, std::uint32_t waitMs) {
    bool gone = true;
    for (const auto& t : targets) gone = t->WaitForExit(waitMs) && gone;
    return gone;
}

std::wstring Quellix(const std::wstring& arguments) {
    std::string path = cTargetProcess::ExePath();
    path.replace(path.rfind('\\') + 1, std::string::npos, "quellix.exe");
    return L"\"" + qx::win32::Widen(path) + L"\" " + arguments;
}

} // namespace

int main() {
    std::vector<double> quellix, taskkill, idle;
    int failures = 0;
    for (int round = 0; round < kRounds; ++round) {
        {
            auto targets = StartTargets();
            for (const auto& t : targets)
                if (!t->Ready()) return 2;
            const double start = NowMs();
            const long code = qx::test::RunAndWait(Quellix(L"/P=qxtarget.exe"));
            quellix.push_back(NowMs() - start);
            if (code != 0 || !AllGone(targets, 0)) ++failures;
        }
        {
            auto targets = StartTargets();
            for (const auto& t : targets)
                if (!t->Ready()) return 2;
            const double start = NowMs();
            qx::test::RunAndWait(L"taskkill.exe /IM qxtarget.exe");
            const bool gone = AllGone(targets, 30000);
            taskkill.push_back(NowMs() - start);
            if (!gone) ++failures;
        }
        const double start = NowMs();
        if (qx::test::RunAndWait(Quellix(L"/P=nothing.exe")) != 0) ++failures;
        idle.push_back(NowMs() - start);
    }
    std::printf("%d cooperative targets, %d rounds\n", kTargets, kRounds);
    Print("quellix.exe /P=qxtarget.exe (whole run)", quellix);
    Print("taskkill /IM qxtarget.exe + wait until gone", taskkill);
    Print("quellix.exe with nothing to close", idle);
    std::printf("ratio of medians %.2f (goal: at most 1.50)\n", Median(quellix) / Median(taskkill));
    std::printf("failures %d\n", failures);
    return failures == 0 ? 0 : 1;
}
