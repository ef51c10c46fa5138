#include "core/sets/cSetEditor.h"
#include "core/ui/cAppPropertiesModel.h"
#include "fake/cRunHarness.h"

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
    const cAppPropertiesModel m(Entry(25, false, true, false), "Untitled - Notepad");
    EXPECT_EQ(m.TitleText(), "Untitled - Notepad");
    EXPECT_EQ(m.WaitText(), "25");
    EXPECT_FALSE(m.ForceClose()); // "Ignore it" selected
    EXPECT_TRUE(m.StopOnError());
    EXPECT_FALSE(m.IgnoreTitle());
}

TEST(AppPropertiesModel, LosingFocusNormalisesTheWaitText) {
    cAppPropertiesModel m(Entry(10, true, false, true), "Untitled - Notepad");
    m.SetWaitText("3.5");
    m.txtWait_LostFocus();
    EXPECT_EQ(m.WaitText(), "4");
    m.SetWaitText("abc");
    m.txtWait_LostFocus();
    EXPECT_EQ(m.WaitText(), "10");
}

TEST(AppPropertiesModel, OkNormalisesUnfocusedWaitAndStoresEveryRule) {
    cAppPropertiesModel m(Entry(10, true, false, true), "Untitled - Notepad");
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

TEST(AppPropertiesModel, WaitIsReadWithTheUsersSeparators) {
    cAppPropertiesModel m(Entry(10, true, false, true), "Untitled - Notepad");
    m.SetNumberSeparators({",", "."});
    m.SetWaitText("2,5");
    m.txtWait_LostFocus();
    EXPECT_EQ(m.WaitText(), "2");
    m.SetWaitText("1.000,4");
    EXPECT_EQ(m.cmdOK_Click().CloseWait(), 1000);
}

TEST(AppPropertiesModel, OkWithOutOfRangeWaitStoresTen) {
    cAppPropertiesModel m(Entry(30, true, false, true), "Untitled - Notepad");
    m.SetWaitText("4294967296");
    EXPECT_EQ(m.cmdOK_Click().CloseWait(), 10);
    EXPECT_EQ(m.WaitText(), "10");
}

TEST(AppPropertiesModel, EditedIsTheLoadedEntryUntilOkThenWhatOkHandedOut) {
    cAppPropertiesModel m(Entry(30, true, false, true), "Untitled - Notepad");
    m.SetWaitText("-5");
    m.SetStopOnError(true);
    // Edits alone (a dialog then cancelled) reach nothing.
    EXPECT_EQ(m.Edited().CloseWait(), 30);
    EXPECT_FALSE(m.Edited().StopOnError());
    const cApplicationProcs handedOut = m.cmdOK_Click();
    EXPECT_EQ(m.Edited().CloseWait(), 0);
    EXPECT_TRUE(m.Edited().StopOnError());
    EXPECT_EQ(m.Edited().CloseWait(), handedOut.CloseWait());
    EXPECT_EQ(m.Edited().ExePath(), "C:\\Windows\\notepad.exe");
}

TEST(AppPropertiesModel, OkThroughTheSetEditorGivesEveryDroppedProgramTheRules) {
    fake::cRunHarness h;
    for (const char* name : {"Editor", "Mail"}) {
        cApplicationProcs e;
        e.SetExePath(std::string("C:\\A\\") + name + ".exe");
        e.SetTitle(name);
        e.SetWinVisible(true);
        h.inventory.AddApplication(e);
    }
    h.inventory.PopulateListviews();
    cSetEditor editor{h.set, h.inventory, h.messages};
    std::string shownTitle;
    editor.SetKillPropertiesDialog([&](const std::string& title) {
        cAppPropertiesModel m(*editor.CurrentAppSet(), title);
        shownTitle = m.TitleText();
        m.SetWaitText("3.5");
        m.SetForceClose(false);
        editor.SetCurrentAppSet(m.cmdOK_Click());
    });
    editor.AddFromDragText("lvApplications,1,2");
    EXPECT_EQ(shownTitle, "[Multiple Programs]");
    ASSERT_EQ(h.set.AppSet().size(), 2u);
    for (const cApplicationProcs& e : h.set.AppSet()) {
        EXPECT_EQ(e.CloseWait(), 4) << e.Title();
        EXPECT_FALSE(e.ForceClose()) << e.Title();
    }
}

} // namespace
} // namespace qx
