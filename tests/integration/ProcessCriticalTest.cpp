#include "win32/ProcessCritical.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace qx {
namespace {

// An ordinary program is never critical; a handle without query access or no
// handle at all gives no answer, and the flag is then left alone.
TEST(ProcessCritical, OrdinaryProcessIsNotCriticalAndBadHandlesGiveNoAnswer) {
    bool critical = true;
    const HANDLE self = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, GetCurrentProcessId());
    ASSERT_NE(self, nullptr);
    const bool known = win32::QueryProcessCritical(self, critical);
    CloseHandle(self);
    if (known) {
        EXPECT_FALSE(critical);
    }
    std::printf("critical flag %s for an ordinary process\n", known ? "readable" : "not readable");

    critical = true;
    EXPECT_FALSE(win32::QueryProcessCritical(nullptr, critical));
    EXPECT_TRUE(critical);
}

} // namespace
} // namespace qx
