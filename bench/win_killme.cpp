// Time from KillMe to its result for a target that closes at once on WM_CLOSE,
// next to Wine's taskkill /IM on the same target (which asks politely and
// does not wait), in the same run. Run under Wine:
//   xvfb-run -a bash -c 'source scripts/wine-env.sh; wine build/mingw/bench_win_killme.exe'
#include "fake/cKillHarness.h"
#include "integration/cTargetProcess.h"
#include "win32/WinApi.h"
#include "BenchTiming.h"
#include "win32/cWin32ProcessWindowServices.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using qx::bench::Median;
using qx::bench::NowMs;
using qx::bench::Print;



// Runs taskkill and waits for it to return; the target may still be closing.
bool RunTaskkill() {
    wchar_t cmd[] = L"taskkill.exe /IM qxtarget.exe";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
        return false;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

} // namespace

int main() {
    using qx::test::cTargetProcess;
    constexpr int kRounds = 15;
    qx::win32::cWin32ProcessWindowServices os;
    std::vector<double> killMe, taskkillReturn, taskkillGone;
    int failures = 0;

    for (int i = 0; i < kRounds; ++i) {
        cTargetProcess t({"--title", "Bench"});
        if (!t.Ready()) return 2;
        qx::fake::cKillRecorder rec;
        qx::cApplicationProcs e;
        e.SetProcessID(t.Pid());
        e.SetTitle("Bench");
        e.SetExePath(cTargetProcess::ExePath());
        e.SetForceClose(false);
        const double start = NowMs();
        const bool ok = rec.Kill(os, e);
        killMe.push_back(NowMs() - start);
        if (!ok || rec.ActionTexts().back() != "'Bench' was killed cleanly.") ++failures;
    }
    for (int i = 0; i < kRounds; ++i) {
        cTargetProcess t({"--title", "Bench"});
        if (!t.Ready()) return 2;
        const double start = NowMs();
        if (!RunTaskkill()) return 3;
        taskkillReturn.push_back(NowMs() - start);
        if (!t.WaitForExit(10000)) ++failures;
        taskkillGone.push_back(NowMs() - start);
    }
    Print("KillMe, call to \"was killed cleanly\"", killMe);
    Print("taskkill /IM, start to return", taskkillReturn);
    Print("taskkill /IM, start to target gone", taskkillGone);
    std::printf("failures: %d\n", failures);
    return failures == 0 ? 0 : 1;
}
