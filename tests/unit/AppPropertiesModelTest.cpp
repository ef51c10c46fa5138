#include "core/ui/cAppPropertiesModel.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

cApplicationProcs Entry() {
    cApplicationProcs e;
    e.SetTitle("Untitled - Notepad");
    e.SetExePath("C:\\Windows\\notepad.exe");
    e.SetCloseWait(25);
    e.SetForceClose(true);
    e.SetStopOnError(false);
    e.SetIgnoreTitle(true);
    return e;
}

TEST(AppPropertiesModel, OpensWithTheRulesAndOkHandsOutTheEditedEntry) {
    cAppPropertiesModel m(Entry(), "[Multiple Programs]");
    EXPECT_EQ(m.TitleText(), "[Multiple Programs]");
    EXPECT_EQ(m.WaitText(), "25");
    EXPECT_TRUE(m.ForceClose());
    EXPECT_FALSE(m.StopOnError());
    EXPECT_TRUE(m.IgnoreTitle());

    m.SetNumberSeparators({",", "."});
    m.SetWaitText("3,5");
    m.txtWait_LostFocus();
    EXPECT_EQ(m.WaitText(), "4");
    m.SetWaitText("1.000,4"); // never left the field
    m.SetForceClose(false);
    m.SetStopOnError(true);
    m.SetIgnoreTitle(false);
    const cApplicationProcs edited = m.cmdOK_Click();
    EXPECT_EQ(m.WaitText(), "1000");
    EXPECT_EQ(edited.CloseWait(), 1000);
    EXPECT_FALSE(edited.ForceClose());
    EXPECT_TRUE(edited.StopOnError());
    EXPECT_FALSE(edited.IgnoreTitle());
    EXPECT_EQ(edited.Title(), "Untitled - Notepad");
    EXPECT_EQ(edited.ExePath(), "C:\\Windows\\notepad.exe");
}

} // namespace
} // namespace qx
