#include "core/ui/cAppPropertiesModel.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

cApplicationProcs Entry(std::int32_t wait, bool force, bool stop, bool ignoreTitle) {
    cApplicationProcs e;
    e.SetTitle("Untitled - Notepad");
    e.SetExePath("C:\\Windows\\notepad.exe");
    e.SetCloseWait(wait);
    e.SetForceClose(force);
    e.SetStopOnError(stop);
    e.SetIgnoreTitle(ignoreTitle);
    return e;
}

TEST(AppPropertiesModel, OpensWithTheEntrysRules) {
    const cAppPropertiesModel m(Entry(25, false, true, false));
    EXPECT_EQ(m.Title(), "Untitled - Notepad");
    EXPECT_EQ(m.WaitText(), "25");
    EXPECT_FALSE(m.ForceClose()); // "Ignore it" selected
    EXPECT_TRUE(m.StopOnError());
    EXPECT_FALSE(m.IgnoreTitle());
}

TEST(AppPropertiesModel, LosingFocusNormalisesTheWaitText) {
    cAppPropertiesModel m(Entry(10, true, false, true));
    m.SetWaitText("3.5");
    m.txtWait_LostFocus();
    EXPECT_EQ(m.WaitText(), "4");
    m.SetWaitText("abc");
    m.txtWait_LostFocus();
    EXPECT_EQ(m.WaitText(), "10");
}

TEST(AppPropertiesModel, OkNormalisesUnfocusedWaitAndStoresEveryRule) {
    cAppPropertiesModel m(Entry(10, true, false, true));
    m.SetWaitText("9000"); // never left the field
    m.SetForceClose(false);
    m.SetStopOnError(true);
    m.SetIgnoreTitle(false);
    const cApplicationProcs edited = m.cmdOK_Click();
    EXPECT_EQ(m.WaitText(), "7200");
    EXPECT_EQ(edited.CloseWait(), 7200);
    EXPECT_FALSE(edited.ForceClose());
    EXPECT_TRUE(edited.StopOnError());
    EXPECT_FALSE(edited.IgnoreTitle()); // unchecked although loaded checked
    EXPECT_EQ(edited.Title(), "Untitled - Notepad");
    EXPECT_EQ(edited.ExePath(), "C:\\Windows\\notepad.exe");
}

TEST(AppPropertiesModel, OkWithOutOfRangeWaitStoresTen) {
    cAppPropertiesModel m(Entry(30, true, false, true));
    m.SetWaitText("4294967296");
    EXPECT_EQ(m.cmdOK_Click().CloseWait(), 10);
    EXPECT_EQ(m.WaitText(), "10");
}

} // namespace
} // namespace qx
