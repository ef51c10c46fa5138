// Times RefreshLists on the fake OS for growing numbers of processes and
// windows. Each process has one window; every fourth window is hidden, so
// both lists fill and hidden windows are joined to their processes too.
//
// Columns: the whole refresh (which includes the fake OS answering every
// call), the join of windows to processes and the filling of the two lists
// alone, and what the join's process lookups would cost as a linear search
// from the first process, for comparison.
#include "fake/cRunHarness.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace qx;

namespace {

template <class F>
double MedianMs(int runs, F&& work) {
    std::vector<double> ms;
    for (int r = 0; r < runs; ++r) {
        const auto start = std::chrono::steady_clock::now();
        work();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main() {
    std::printf("%7s %11s %9s %11s %9s %13s %10s %10s\n", "items", "refresh ms", "us/item", "join ms", "us/item",
                "linear ms", "app rows", "proc rows");
    for (const int n : {100, 1000, 10000}) {
        fake::cRunHarness h(fake::Win10());
        for (int i = 0; i < n; ++i) {
            fake::FakeProcessSetup p;
            p.exePath = "C:\\Program Files\\Bench\\program" + std::to_string(i) + ".exe";
            fake::FakeWindowSetup w;
            w.pid = h.os.AddProcess(p);
            w.title = "Window " + std::to_string(i);
            w.style = i % 4 == 3 ? 0 : kWsVisible;
            h.os.AddWindow(w);
        }
        cInventory& inv = h.inventory;
        inv.RefreshLists(); // warm-up
        const int runs = std::max(5, 200000 / n);
        const double refresh = MedianMs(runs, [&] { inv.RefreshLists(); });
        const double join = MedianMs(runs, [&] {
            inv.lvApplications().Clear();
            inv.lvProcesses().Clear();
            inv.BuildApplicationList();
            inv.PopulateListviews();
        });
        std::size_t found = 0;
        const double linear = MedianMs(std::max(3, runs / 20), [&] {
            for (const cWindowProcs& w : inv.mcWindows()) {
                const auto& procs = inv.mcProcesses();
                found += static_cast<std::size_t>(
                    std::find_if(procs.begin(), procs.end(),
                                 [&](const cProcesses& p) { return p.ProcessID() == w.ProcessID(); }) - procs.begin());
            }
        });
        std::printf("%7d %11.3f %9.3f %11.3f %9.3f %13.3f %10d %10d\n", n, refresh, refresh * 1000.0 / n, join,
                    join * 1000.0 / n, linear, inv.lvApplications().Count(), inv.lvProcesses().Count());
        if (found == 0) std::printf("(no lookups)\n");
    }
    return 0;
}
