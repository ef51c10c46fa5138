#include "core/sets/cSetEditor.h"
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

#include <functional>

namespace qx {
namespace {

cApplicationProcs App(const std::string& path, const std::string& title, bool visible) {
    cApplicationProcs e;
    e.SetExePath(path);
    e.SetTitle(title);
    e.SetWinVisible(visible);
    return e;
}

// Inventory (index: program): 0 Editor, 1 svc, 2 Mail, 3 agent, 4 Calc. The
// visible ones are the Applications rows 1..3 (Tags 0, 2, 4), the others
// the Processes rows 1..2 (Tags 1, 3), so a row position never equals its Tag.
class SetEditorTest : public ::testing::Test {
protected:
    SetEditorTest() {
        h.inventory.AddApplication(App("C:\\A\\editor.exe", "Editor", true));
        h.inventory.AddApplication(App("C:\\S\\svc.exe", "", false));
        h.inventory.AddApplication(App("C:\\A\\mail.exe", "Mail", true));
        h.inventory.AddApplication(App("C:\\S\\agent.exe", "", false));
        h.inventory.AddApplication(App("C:\\A\\calc.exe", "Calc", true));
        h.inventory.PopulateListviews();
        editor.SetKillPropertiesDialog([this](const std::string& title) {
            dialogTitles.push_back(title);
            if (onDialog) onDialog();
        });
    }

    cListViewModel& Apps() { return h.inventory.lvApplications(); }
    cListViewModel& Rows() { return h.set.lvProgramSet(); }
    std::vector<std::string> Titles() {
        std::vector<std::string> t;
        for (const cListItem& i : Rows().Items()) t.push_back(i.text);
        return t;
    }
    // Adds programs the way a file load does.
    void Load(const std::vector<std::string>& titles) {
        for (const std::string& t : titles) h.set.AddToProgramSet(App("C:\\P\\" + t + ".exe", t, true), false);
    }
    void Select(cListViewModel& list, std::int16_t row) { cSetEditor::SelectOnly(list, row); }
    // What the Kill Properties dialog does on OK.
    void AnswerDialogWith(std::int32_t wait, bool force, bool stop, bool ignoreTitle) {
        onDialog = [=, this] {
            cApplicationProcs edited = *editor.CurrentAppSet();
            edited.SetCloseWait(wait);
            edited.SetForceClose(force);
            edited.SetStopOnError(stop);
            edited.SetIgnoreTitle(ignoreTitle);
            editor.SetCurrentAppSet(edited);
        };
    }

    fake::cRunHarness h;
    cSetEditor editor{h.set, h.inventory, h.messages};
    std::vector<std::string> dialogTitles;
    std::function<void()> onDialog;
};

TEST_F(SetEditorTest, DragTextNamesTheListAndItsSelectedRows) {
    cListViewModel list("lvProcesses");
    for (int i = 0; i < 5; ++i) list.Add("p", "P", std::to_string(i));
    EXPECT_EQ(cSetEditor::GetDragText(list), "lvProcesses");
    list.Item(2)->selected = true;
    list.Item(5)->selected = true;
    EXPECT_EQ(cSetEditor::GetDragText(list), "lvProcesses,2,5");
}

TEST_F(SetEditorTest, DropOfSeveralProgramsAsksOnceAndGivesAllTheChosenRules) {
    AnswerDialogWith(42, false, true, false);
    editor.AddFromDragText("lvApplications,3,1,2");
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Calc", "Editor", "Mail"}));
    EXPECT_EQ(dialogTitles, std::vector<std::string>{"[Multiple Programs]"});
    EXPECT_TRUE(Rows().Item(1)->selected);
    EXPECT_TRUE(h.set.SetChanged());
    ASSERT_EQ(h.set.AppSet().size(), 3u);
    for (const cApplicationProcs& e : h.set.AppSet()) {
        EXPECT_EQ(e.CloseWait(), 42) << e.Title();
        EXPECT_FALSE(e.ForceClose()) << e.Title();
        EXPECT_TRUE(e.StopOnError()) << e.Title();
        EXPECT_FALSE(e.IgnoreTitle()) << e.Title();
    }
    EXPECT_EQ(h.set.AppSet()[0].ExePath(), "C:\\A\\calc.exe");
    EXPECT_EQ(Rows().Item(3)->tag, "2");
}

TEST_F(SetEditorTest, DropOfOneProgramShowsItsTitleAndCancelKeepsItsRules) {
    editor.AddFromDragText("lvProcesses,2");
    EXPECT_EQ(dialogTitles, std::vector<std::string>{""}); // agent has no window title
    ASSERT_EQ(Rows().Count(), 1);
    EXPECT_EQ(Rows().Item(1)->subItem, "C:\\S\\agent.exe");
    EXPECT_EQ(h.set.AppSet()[0].CloseWait(), 10);
    EXPECT_TRUE(h.set.AppSet()[0].ForceClose());

    editor.AddFromDragText("lvApplications,2");
    EXPECT_EQ(dialogTitles.back(), "Mail");
    EXPECT_TRUE(Rows().Item(2)->selected);
    EXPECT_FALSE(Rows().Item(1)->selected);
}

TEST_F(SetEditorTest, DroppingAProgramAgainAddsNothingAndOpensNoDialogButMarksTheSetChanged) {
    editor.AddFromDragText("lvApplications,1");
    h.set.SetSetChanged(false);
    editor.AddFromDragText("lvApplications,1");
    EXPECT_EQ(Rows().Count(), 1);
    EXPECT_EQ(dialogTitles.size(), 1u);
    EXPECT_TRUE(h.set.SetChanged());
}

TEST_F(SetEditorTest, DropsThatNameNoProgramChangeNothing) {
    for (const char* text : {"", "lvApplications", "lvApplications,", "lvProgramSet,1", "lvapplications,1",
                             "Other,1", "lvApplications,0", "lvApplications,4", "lvApplications,-1",
                             "lvApplications,1.5", "lvApplications,abc", "lvApplications,99999", " lvProcesses,1"}) {
        editor.AddFromDragText(text);
        EXPECT_EQ(Rows().Count(), 0) << text;
        EXPECT_FALSE(h.set.SetChanged()) << text;
    }
    EXPECT_TRUE(dialogTitles.empty());
}

TEST_F(SetEditorTest, DropSkipsPartsThatAreNoRowAndTakesBlanksAroundNumbers) {
    editor.AddFromDragText("lvApplications,x,,2, 3\r\n");
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Mail", "Calc"}));
}

TEST_F(SetEditorTest, DropIntoANonEmptySetSelectsTheFirstNewRowAndLeavesOldEntriesAlone) {
    Load({"old"});
    AnswerDialogWith(3, false, false, false);
    editor.AddFromDragText("lvApplications,1,2");
    EXPECT_EQ(Titles(), (std::vector<std::string>{"old", "Editor", "Mail"}));
    EXPECT_TRUE(Rows().Item(2)->selected);
    EXPECT_EQ(h.set.AppSet()[0].CloseWait(), 10);
    EXPECT_EQ(h.set.AppSet()[2].CloseWait(), 3);
}

TEST_F(SetEditorTest, CopyTakesTheSelectedInventoryProgramAndPasteAddsItOnce) {
    editor.ListGotFocus(Apps());
    Select(Apps(), 2);
    editor.EditCommand(cSetEditor::kCopy);
    EXPECT_EQ(editor.CopyBuffer().ExePath(), "C:\\A\\mail.exe");

    editor.ListGotFocus(Rows());
    editor.EditCommand(cSetEditor::kPaste);
    EXPECT_EQ(Titles(), std::vector<std::string>{"Mail"});
    EXPECT_EQ(Rows().Item(1)->tag, "0");
    EXPECT_TRUE(h.set.SetChanged());

    h.set.SetSetChanged(false);
    editor.EditCommand(cSetEditor::kPaste);
    EXPECT_EQ(Rows().Count(), 1);
    EXPECT_TRUE(h.set.SetChanged());
}

TEST_F(SetEditorTest, CopyFromTheProcessesListUsesTheRowsTagNotItsPosition) {
    editor.ListGotFocus(h.inventory.lvProcesses());
    editor.EditCommand(cSetEditor::kCopy); // no selection: row 1
    EXPECT_EQ(editor.CopyBuffer().ExePath(), "C:\\S\\svc.exe");
}

TEST_F(SetEditorTest, PasteBeforeAnyCopyAndCopyInTheKillSetDoNothing) {
    editor.EditCommand(cSetEditor::kPaste);
    EXPECT_EQ(Rows().Count(), 0);
    EXPECT_FALSE(h.set.SetChanged());

    Load({"a"});
    editor.EditCommand(cSetEditor::kCopy); // kill set active: its Tag is no inventory index
    EXPECT_TRUE(editor.CopyBuffer().ExePath().empty());
}

TEST_F(SetEditorTest, DeleteTakesTheSelectedRowOutAndSelectsRowOne) {
    Load({"a", "b", "c"});
    Select(Rows(), 2);
    editor.EditCommand(cSetEditor::kDelete);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"a", "c"}));
    EXPECT_TRUE(Rows().Item(1)->selected);
    EXPECT_TRUE(h.set.AppSet()[1].Deleted());
    EXPECT_EQ(h.set.AppSet().size(), 3u);
    EXPECT_TRUE(h.set.SetChanged());
    ASSERT_EQ(editor.DeletedEntries().size(), 1u);
    EXPECT_EQ(editor.DeletedEntries()[0].Title(), "b");
    EXPECT_TRUE(editor.DeletedEntries()[0].Deleted());
}

TEST_F(SetEditorTest, DeleteInAnInventoryListOrAnEmptySetChangesNothing) {
    editor.EditCommand(cSetEditor::kDelete);
    EXPECT_FALSE(h.set.SetChanged());
    Load({"a"});
    editor.ListGotFocus(Apps());
    editor.EditCommand(cSetEditor::kDelete);
    EXPECT_EQ(Apps().Count(), 3);
    EXPECT_EQ(Rows().Count(), 1);
    EXPECT_FALSE(h.set.AppSet()[0].Deleted());
    EXPECT_TRUE(editor.DeletedEntries().empty());
}

TEST_F(SetEditorTest, UndoRestoresDeletionsInReverseOrderAtTheEnd) {
    Load({"a", "b", "c"});
    Select(Rows(), 2);
    editor.EditCommand(cSetEditor::kDelete); // b
    editor.EditCommand(cSetEditor::kDelete); // a (row 1 is selected now)
    EXPECT_EQ(Titles(), std::vector<std::string>{"c"});
    h.set.SetSetChanged(false);
    editor.EditCommand(cSetEditor::kUndo);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"c", "a"}));
    EXPECT_TRUE(h.set.SetChanged());
    editor.EditCommand(cSetEditor::kUndo);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"c", "a", "b"}));
    ASSERT_EQ(h.set.AppSet().size(), 5u);
    EXPECT_FALSE(h.set.AppSet()[4].Deleted());
    EXPECT_EQ(Rows().Item(3)->tag, "4");
    EXPECT_TRUE(editor.DeletedEntries().empty());

    h.set.SetSetChanged(false);
    editor.EditCommand(cSetEditor::kUndo); // nothing left
    EXPECT_EQ(Rows().Count(), 3);
    EXPECT_FALSE(h.set.SetChanged());
}

TEST_F(SetEditorTest, UndoBringsBackTheCheckBoxAsTheUserLeftIt) {
    Load({"a"});
    ASSERT_TRUE(editor.SetRowChecked(1, false));
    editor.EditCommand(cSetEditor::kDelete);
    editor.EditCommand(cSetEditor::kUndo);
    ASSERT_EQ(Rows().Count(), 1);
    EXPECT_FALSE(Rows().Item(1)->checked);
}

TEST_F(SetEditorTest, UndoAddsNothingWhenTheProgramIsBackInTheSet) {
    editor.AddFromDragText("lvApplications,2");
    editor.EditCommand(cSetEditor::kDelete);
    editor.AddFromDragText("lvApplications,2");
    editor.EditCommand(cSetEditor::kUndo);
    EXPECT_EQ(Titles(), std::vector<std::string>{"Mail"});
    EXPECT_TRUE(editor.DeletedEntries().empty());
}

TEST_F(SetEditorTest, DeletedEntriesOutliveTheSetTheyCameFrom) {
    Load({"a"});
    editor.EditCommand(cSetEditor::kDelete);
    h.set.lvProgramSet().Clear(); // New Set
    h.set.AppSet().clear();
    editor.EditCommand(cSetEditor::kUndo);
    EXPECT_EQ(Titles(), std::vector<std::string>{"a"});
    EXPECT_EQ(Rows().Item(1)->tag, "0");
}

TEST_F(SetEditorTest, PopDeletedEntryReportsTheStackPosition) {
    cApplicationProcs out = App("x", "untouched", true);
    EXPECT_EQ(editor.PopDeletedEntry(out), -1);
    EXPECT_EQ(out.Title(), "untouched");
    editor.PushDeletedEntry(App("p", "first", true));
    editor.PushDeletedEntry(App("p", "second", true));
    EXPECT_EQ(editor.PopDeletedEntry(out), 1);
    EXPECT_EQ(out.Title(), "second");
    EXPECT_TRUE(out.Deleted());
    EXPECT_EQ(editor.PopDeletedEntry(out), 0);
    EXPECT_EQ(out.Title(), "first");
}

TEST_F(SetEditorTest, RaiseAndLowerSwapWithTheNeighbourAndKeepTheRowSelected) {
    Load({"a", "b", "c"});
    Select(Rows(), 2);
    editor.ListGotFocus(Apps()); // they act on the kill set whichever list is active
    editor.MovePriority(true);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_TRUE(Rows().Item(1)->selected);
    EXPECT_TRUE(h.set.SetChanged());
    EXPECT_EQ(Rows().Item(1)->tag, "1");

    h.set.SetSetChanged(false);
    editor.MovePriority(true); // first row cannot rise
    EXPECT_EQ(Titles(), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_FALSE(h.set.SetChanged());

    editor.MovePriority(false);
    editor.MovePriority(false);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"a", "c", "b"}));
    EXPECT_TRUE(Rows().Item(3)->selected);
    h.set.SetSetChanged(false);
    editor.MovePriority(false); // last row cannot sink
    EXPECT_EQ(Titles(), (std::vector<std::string>{"a", "c", "b"}));
    EXPECT_FALSE(h.set.SetChanged());
}

TEST_F(SetEditorTest, RaiseAndLowerKeepTheOrderBeyondTenThousandRows) {
    std::vector<std::string> titles;
    for (int i = 1; i <= 10050; ++i) titles.push_back(std::to_string(i));
    Load(titles);
    Select(Rows(), 10001);
    editor.MovePriority(true);
    std::swap(titles[9999], titles[10000]);
    EXPECT_EQ(Titles(), titles);
    EXPECT_TRUE(Rows().Item(10000)->selected);

    Select(Rows(), 9999);
    editor.MovePriority(false);
    std::swap(titles[9998], titles[9999]);
    EXPECT_EQ(Titles(), titles);

    Select(Rows(), 10050);
    editor.MovePriority(false);
    editor.MovePriority(true);
    std::swap(titles[10048], titles[10049]);
    EXPECT_EQ(Titles(), titles);
}

TEST_F(SetEditorTest, CheckBoxesMarkTheSetChangedOnlyWhenTheyChange) {
    Load({"a"});
    EXPECT_TRUE(editor.SetRowChecked(1, true));
    EXPECT_FALSE(h.set.SetChanged());
    EXPECT_TRUE(editor.SetRowChecked(1, false));
    EXPECT_FALSE(Rows().Item(1)->checked);
    EXPECT_TRUE(h.set.SetChanged());
    EXPECT_FALSE(editor.SetRowChecked(2, true));
    EXPECT_FALSE(editor.SetRowChecked(0, true));
}

TEST_F(SetEditorTest, CurrentAppSetIsTheSelectedRowsEntryItself) {
    EXPECT_EQ(editor.CurrentAppSet(), nullptr);
    Load({"a", "b"});
    EXPECT_EQ(editor.CurrentAppSet(), &h.set.AppSet()[0]); // no selection: row 1
    EXPECT_TRUE(Rows().Item(1)->selected);
    Select(Rows(), 2);
    editor.MovePriority(true);
    EXPECT_EQ(editor.CurrentAppSet(), &h.set.AppSet()[1]);
}

TEST_F(SetEditorTest, SettingCurrentAppSetTakesOnlyTheClosingRules) {
    Load({"a", "b"});
    Select(Rows(), 2);
    h.set.SetSetChanged(false);
    cApplicationProcs rules = App("C:\\other.exe", "other", false);
    rules.SetCloseWait(7200);
    rules.SetForceClose(false);
    rules.SetStopOnError(true);
    rules.SetIgnoreTitle(false);
    rules.SetSelected(false);
    rules.SetDeleted(true);
    editor.SetCurrentAppSet(rules);
    const cApplicationProcs& b = h.set.AppSet()[1];
    EXPECT_EQ(b.CloseWait(), 7200);
    EXPECT_FALSE(b.ForceClose());
    EXPECT_TRUE(b.StopOnError());
    EXPECT_FALSE(b.IgnoreTitle());
    EXPECT_EQ(b.Title(), "b");
    EXPECT_EQ(b.ExePath(), "C:\\P\\b.exe");
    EXPECT_TRUE(b.WinVisible());
    EXPECT_FALSE(b.Deleted());
    EXPECT_TRUE(Rows().Item(2)->checked);
    EXPECT_EQ(h.set.AppSet()[0].CloseWait(), 10);
    EXPECT_TRUE(h.set.SetChanged());
}

TEST_F(SetEditorTest, PropertiesOpensTheDialogOnTheSelectedRowOnly) {
    editor.ShowProperties();
    EXPECT_TRUE(dialogTitles.empty());
    Load({"a", "b"});
    Select(Rows(), 2);
    AnswerDialogWith(5, true, true, true);
    editor.ShowProperties();
    EXPECT_EQ(dialogTitles, std::vector<std::string>{"b"});
    EXPECT_EQ(h.set.AppSet()[1].CloseWait(), 5);
    EXPECT_EQ(h.set.AppSet()[0].CloseWait(), 10);
}

TEST_F(SetEditorTest, DuringAKillRunNothingChangesTheSetButCopyStillWorks) {
    Load({"a", "b"});
    editor.PushDeletedEntry(App("C:\\P\\z.exe", "z", true));
    editor.SetKillRunning(true);
    editor.EditCommand(cSetEditor::kDelete);
    editor.EditCommand(cSetEditor::kUndo);
    Select(Rows(), 2);
    editor.MovePriority(true);
    editor.AddFromDragText("lvApplications,1");
    editor.ShowProperties();
    cApplicationProcs rules;
    rules.SetCloseWait(1);
    editor.SetCurrentAppSet(rules);
    EXPECT_FALSE(editor.SetRowChecked(1, false));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(Rows().Item(1)->checked);
    EXPECT_EQ(h.set.AppSet()[1].CloseWait(), 10);
    EXPECT_EQ(editor.DeletedEntries().size(), 1u);
    EXPECT_TRUE(dialogTitles.empty());
    EXPECT_FALSE(h.set.SetChanged());

    editor.ListGotFocus(Apps());
    editor.EditCommand(cSetEditor::kCopy);
    editor.ListGotFocus(Rows());
    editor.EditCommand(cSetEditor::kPaste);
    EXPECT_EQ(editor.CopyBuffer().Title(), "Editor");
    EXPECT_EQ(Rows().Count(), 2);

    editor.SetKillRunning(false);
    editor.EditCommand(cSetEditor::kPaste);
    EXPECT_EQ(Rows().Count(), 3);
}

} // namespace
} // namespace qx
