#include "core/sets/cSetEditor.h"
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

#include <functional>

namespace qx {
namespace {

using Titles = std::vector<std::string>;

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
            if (answerWait < 0) return; // cancelled
            cApplicationProcs edited = *editor.CurrentAppSet();
            edited.SetCloseWait(answerWait);
            edited.SetForceClose(false);
            edited.SetStopOnError(true);
            edited.SetIgnoreTitle(false);
            editor.SetCurrentAppSet(edited);
        });
    }

    cListViewModel& Apps() { return h.inventory.lvApplications(); }
    cListViewModel& Rows() { return h.set.lvProgramSet(); }
    Titles Shown() {
        Titles t;
        for (const cListItem& i : Rows().Items()) t.push_back(i.text);
        return t;
    }
    // Adds programs the way a file load does.
    void Load(const Titles& titles) {
        for (const std::string& t : titles) h.set.AddToProgramSet(App("C:\\P\\" + t + ".exe", t, true), false);
    }
    void Select(cListViewModel& list, std::int16_t row) { cSetEditor::SelectOnly(list, row); }
    void Do(int command, cListViewModel& list) {
        editor.ListGotFocus(list);
        editor.EditCommand(command);
    }

    fake::cRunHarness h;
    cSetEditor editor{h.set, h.inventory, h.messages};
    Titles dialogTitles;
    std::int32_t answerWait = -1;
};

TEST_F(SetEditorTest, ADropOfSeveralProgramsAsksOnceAndGivesEachTheChosenRules) {
    cListViewModel list("lvProcesses");
    for (int i = 0; i < 5; ++i) list.Add("p", "P", std::to_string(i));
    EXPECT_EQ(cSetEditor::GetDragText(list), "lvProcesses");
    list.Item(2)->selected = list.Item(5)->selected = true;
    EXPECT_EQ(cSetEditor::GetDragText(list), "lvProcesses,2,5");

    Load({"old"});
    answerWait = 42;
    editor.AddFromDragText("lvApplications,3,1,x,, 2\r\n"); // parts that are no row are skipped
    EXPECT_EQ(Shown(), (Titles{"old", "Calc", "Editor", "Mail"}));
    EXPECT_EQ(dialogTitles, Titles{"[Multiple Programs]"});
    EXPECT_TRUE(Rows().Item(2)->selected);
    EXPECT_TRUE(h.set.SetChanged());
    EXPECT_EQ(h.set.AppSet()[0].CloseWait(), 10);
    for (std::size_t i = 1; i < 4; ++i) {
        const cApplicationProcs& e = h.set.AppSet()[i];
        EXPECT_EQ(e.CloseWait(), 42) << e.Title();
        EXPECT_FALSE(e.ForceClose()) << e.Title();
        EXPECT_TRUE(e.StopOnError()) << e.Title();
        EXPECT_FALSE(e.IgnoreTitle()) << e.Title();
    }
    EXPECT_EQ(h.set.AppSet()[1].ExePath(), "C:\\A\\calc.exe");
    EXPECT_EQ(Rows().Item(4)->tag, "3");
}

TEST_F(SetEditorTest, ADropOfOneProgramShowsItsTitleAndADropAgainAddsNothing) {
    editor.AddFromDragText("lvProcesses,2");
    EXPECT_EQ(dialogTitles, Titles{""}); // agent has no window title
    ASSERT_EQ(Rows().Count(), 1);
    EXPECT_EQ(Rows().Item(1)->subItem, "C:\\S\\agent.exe");
    EXPECT_EQ(h.set.AppSet()[0].CloseWait(), 10); // cancelled
    EXPECT_TRUE(h.set.AppSet()[0].ForceClose());

    editor.AddFromDragText("lvApplications,2");
    EXPECT_EQ(dialogTitles.back(), "Mail");
    EXPECT_TRUE(Rows().Item(2)->selected);
    EXPECT_FALSE(Rows().Item(1)->selected);

    h.set.SetSetChanged(false);
    editor.AddFromDragText("lvApplications,2");
    EXPECT_EQ(Rows().Count(), 2);
    EXPECT_EQ(dialogTitles.size(), 2u);
    EXPECT_TRUE(h.set.SetChanged());
}

TEST_F(SetEditorTest, EveryDigitOfARowNumberIsRead) {
    for (int i = 0; i < 7; ++i) h.inventory.AddApplication(App("C:\\M\\" + std::to_string(i) + ".exe", "M", true));
    h.inventory.PopulateListviews();
    editor.AddFromDragText("lvApplications,9,10");
    EXPECT_EQ(Shown(), (Titles{"M", "M"}));
    EXPECT_NE(h.set.AppSet()[0].ExePath(), h.set.AppSet()[1].ExePath());
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

TEST_F(SetEditorTest, CopyTakesTheSelectedInventoryRowsProgramAndPasteAddsItOnce) {
    Do(cSetEditor::kPaste, Rows()); // nothing copied yet
    EXPECT_FALSE(h.set.SetChanged());
    Load({"a"});
    Do(cSetEditor::kCopy, Rows()); // the kill set's Tag is no inventory index
    Do(cSetEditor::kPaste, Rows());
    EXPECT_EQ(Shown(), Titles{"a"});

    Do(cSetEditor::kCopy, h.inventory.lvProcesses()); // no selection: row 1, by its Tag
    Do(cSetEditor::kPaste, Rows());
    EXPECT_EQ(h.set.AppSet().back().ExePath(), "C:\\S\\svc.exe");
    Select(Apps(), 2);
    Do(cSetEditor::kCopy, Apps());
    Do(cSetEditor::kPaste, Rows());
    EXPECT_EQ(Shown(), (Titles{"a", "", "Mail"}));
    EXPECT_EQ(Rows().Item(3)->tag, "2");
    h.set.SetSetChanged(false);
    Do(cSetEditor::kPaste, Rows());
    EXPECT_EQ(Rows().Count(), 3);
    EXPECT_TRUE(h.set.SetChanged());
}

TEST_F(SetEditorTest, DeleteTakesTheRowOutAndUndoBringsItBackLastFirstAtTheEnd) {
    Do(cSetEditor::kDelete, Rows()); // empty set
    EXPECT_FALSE(h.set.SetChanged());
    Load({"a", "b", "c"});
    ASSERT_TRUE(editor.SetRowChecked(1, false));
    Do(cSetEditor::kDelete, Apps()); // not in an inventory list
    EXPECT_EQ(Apps().Count(), 3);
    EXPECT_EQ(Rows().Count(), 3);

    Select(Rows(), 2);
    Do(cSetEditor::kDelete, Rows()); // b
    EXPECT_EQ(Shown(), (Titles{"a", "c"}));
    EXPECT_TRUE(Rows().Item(1)->selected);
    EXPECT_TRUE(h.set.AppSet()[1].Deleted());
    Do(cSetEditor::kDelete, Rows()); // a
    h.set.SetSetChanged(false);
    editor.EditCommand(cSetEditor::kUndo);
    EXPECT_EQ(Shown(), (Titles{"c", "a"}));
    EXPECT_FALSE(Rows().Item(2)->checked); // as the user left it
    EXPECT_TRUE(h.set.SetChanged());
    editor.EditCommand(cSetEditor::kUndo);
    EXPECT_EQ(Shown(), (Titles{"c", "a", "b"}));
    ASSERT_EQ(h.set.AppSet().size(), 5u);
    EXPECT_FALSE(h.set.AppSet()[4].Deleted());
    EXPECT_EQ(Rows().Item(3)->tag, "4");
    h.set.SetSetChanged(false);
    editor.EditCommand(cSetEditor::kUndo); // nothing left
    EXPECT_EQ(Rows().Count(), 3);
    EXPECT_FALSE(h.set.SetChanged());
}

TEST_F(SetEditorTest, UndoOutlivesTheSetButAddsNoProgramThatIsBack) {
    editor.AddFromDragText("lvApplications,2");
    Load({"a"});
    Select(Rows(), 2);
    Do(cSetEditor::kDelete, Rows()); // a
    Do(cSetEditor::kDelete, Rows()); // Mail
    editor.AddFromDragText("lvApplications,2");
    editor.EditCommand(cSetEditor::kUndo);
    EXPECT_EQ(Shown(), Titles{"Mail"});
    Rows().Clear(); // New Set
    h.set.AppSet().clear();
    editor.EditCommand(cSetEditor::kUndo);
    EXPECT_EQ(Shown(), Titles{"a"});
    EXPECT_EQ(Rows().Item(1)->tag, "0");
}

TEST_F(SetEditorTest, RaiseAndLowerSwapWithTheNeighbourWithinTheSet) {
    Load({"a", "b", "c"});
    Select(Rows(), 2);
    editor.ListGotFocus(Apps()); // they act on the kill set whichever list is active
    const struct {
        bool up;
        Titles after;
        std::int16_t selected;
        bool changed;
    } steps[] = {{true, {"b", "a", "c"}, 1, true},  {true, {"b", "a", "c"}, 1, false},
                 {false, {"a", "b", "c"}, 2, true}, {false, {"a", "c", "b"}, 3, true},
                 {false, {"a", "c", "b"}, 3, false}};
    for (const auto& s : steps) {
        h.set.SetSetChanged(false);
        editor.MovePriority(s.up);
        EXPECT_EQ(Shown(), s.after);
        EXPECT_TRUE(Rows().Item(s.selected)->selected);
        EXPECT_EQ(h.set.SetChanged(), s.changed);
    }
    EXPECT_EQ(Rows().Item(3)->tag, "1");
}

TEST_F(SetEditorTest, RaiseAndLowerKeepTheOrderBeyondTenThousandRows) {
    Titles titles;
    for (int i = 1; i <= 10002; ++i) titles.push_back(std::to_string(i));
    Load(titles);
    Select(Rows(), 10001);
    editor.MovePriority(true);
    std::swap(titles[9999], titles[10000]);
    Select(Rows(), 9999);
    editor.MovePriority(false);
    std::swap(titles[9998], titles[9999]);
    EXPECT_EQ(Shown(), titles);
    EXPECT_TRUE(Rows().Item(10000)->selected);
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

TEST_F(SetEditorTest, PropertiesEditOnlyTheClosingRulesOfTheSelectedRowsEntry) {
    editor.ShowProperties();
    EXPECT_EQ(editor.CurrentAppSet(), nullptr);
    Load({"a", "b"});
    EXPECT_EQ(editor.CurrentAppSet(), &h.set.AppSet()[0]); // no selection: row 1
    EXPECT_TRUE(Rows().Item(1)->selected);
    Select(Rows(), 2);
    editor.MovePriority(true);
    EXPECT_EQ(editor.CurrentAppSet(), &h.set.AppSet()[1]);
    Select(Rows(), 2);
    answerWait = 7200;
    h.set.SetSetChanged(false);
    editor.ShowProperties();
    EXPECT_EQ(dialogTitles, Titles{"a"});
    const cApplicationProcs& a = h.set.AppSet()[0];
    EXPECT_EQ(a.CloseWait(), 7200);
    EXPECT_FALSE(a.ForceClose());
    EXPECT_TRUE(a.StopOnError());
    EXPECT_FALSE(a.IgnoreTitle());
    EXPECT_EQ(h.set.AppSet()[1].CloseWait(), 10);
    EXPECT_TRUE(h.set.SetChanged());

    cApplicationProcs other = App("C:\\other.exe", "other", false);
    other.SetSelected(false);
    other.SetDeleted(true);
    editor.SetCurrentAppSet(other);
    EXPECT_EQ(a.Title(), "a");
    EXPECT_EQ(a.ExePath(), "C:\\P\\a.exe");
    EXPECT_TRUE(a.WinVisible());
    EXPECT_FALSE(a.Deleted());
    EXPECT_TRUE(Rows().Item(2)->checked);
}

TEST_F(SetEditorTest, DuringAKillRunNothingChangesTheSetButCopyStillWorks) {
    Load({"a", "b", "z"});
    Do(cSetEditor::kDelete, Rows());
    editor.SetKillRunning(true);
    Do(cSetEditor::kDelete, Rows());
    editor.EditCommand(cSetEditor::kUndo);
    Select(Rows(), 2);
    editor.MovePriority(true);
    editor.AddFromDragText("lvApplications,1");
    editor.ShowProperties();
    cApplicationProcs rules;
    rules.SetCloseWait(1);
    editor.SetCurrentAppSet(rules);
    EXPECT_FALSE(editor.SetRowChecked(1, false));
    h.set.SetSetChanged(false);
    Do(cSetEditor::kCopy, Apps());
    Do(cSetEditor::kPaste, Rows());
    EXPECT_EQ(Shown(), (Titles{"b", "z"}));
    EXPECT_TRUE(Rows().Item(1)->checked);
    EXPECT_EQ(h.set.AppSet()[2].CloseWait(), 10);
    EXPECT_TRUE(dialogTitles.empty());
    EXPECT_FALSE(h.set.SetChanged());

    editor.SetKillRunning(false);
    editor.EditCommand(cSetEditor::kPaste);
    EXPECT_EQ(Shown(), (Titles{"b", "z", "Editor"}));
    editor.EditCommand(cSetEditor::kUndo); // the delete before the run
    EXPECT_EQ(Shown(), (Titles{"b", "z", "Editor", "a"}));
}

} // namespace
} // namespace qx
