#include "win32/ProcessCritical.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// An ordinary program is never critical; no handle gives no answer, and the
// flag is then left alone.
TEST(ProcessCritical, OrdinaryProcessIsNotCriticalAndNoHandleGivesNoAnswer) {
    bool critical = true;
    const HANDLE self = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, GetCurrentProcessId());
    ASSERT_NE(self, nullptr);
    if (win32::QueryProcessCritical(self, critical)) {
        EXPECT_FALSE(critical);
    }
    CloseHandle(self);
    critical = true;
    EXPECT_FALSE(win32::QueryProcessCritical(nullptr, critical));
    EXPECT_TRUE(critical);
}

} // namespace
} // namespace qx
