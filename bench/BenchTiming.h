#pragma once
// Timing helpers shared by the Windows benchmark programs.
#include "win32/WinApi.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace qx::bench {

// Milliseconds from the high-resolution counter.
inline double NowMs() {
    static const LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

inline double Median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// One line: what was timed, its median, min and max.
inline void Print(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-48s median %8.1f ms  min %8.1f  max %8.1f  (n=%zu)\n", what, ms[ms.size() / 2], ms.front(),
                ms.back(), ms.size());
}

} // namespace qx::bench
