#include "core/sets/cSetEditor.h"
#include "core/ui/cAppPropertiesModel.h"
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

#include <tuple>

namespace qx {
namespace {

using E = eCommand;
using Texts = std::vector<std::string>;

// Inventory (index: title): 0 Editor, 1 -, 2 Mail, 3 -, 4 Calc, 5..11 M0..M6. The
// ones with a title are the Applications rows (Tags 0, 2, 4, 5...), the others
// the Processes rows 1..2 (Tags 1, 3), so a row position never equals its Tag.
class SetEditorTest : public ::testing::Test {
protected:
    SetEditorTest() {
        for (const char* title : {"Editor", "", "Mail", "", "Calc", "M0", "M1", "M2", "M3", "M4", "M5", "M6"})
            h.inventory.AddApplication(App(title));
        h.inventory.PopulateListviews();
        // Kill Properties as the main window wires it; OK unless answerWait is negative.
        editor.SetKillPropertiesDialog([this](const std::string& title) {
            cAppPropertiesModel properties(*editor.CurrentAppSet(), title);
            dialogTitles.push_back(properties.TitleText());
            properties.SetWaitText(std::to_string(answerWait));
            properties.SetForceClose(false);
            properties.SetStopOnError(true);
            properties.SetIgnoreTitle(false);
            if (answerWait >= 0) editor.SetCurrentAppSet(properties.cmdOK_Click());
        });
    }
    static cApplicationProcs App(const std::string& title) {
        cApplicationProcs e;
        e.SetExePath("C:\\" + title + std::to_string(n++) + ".exe");
        e.SetTitle(title);
        e.SetWinVisible(!title.empty());
        return e;
    }
    // Each row: title, rules (wait, Force, Stop, Ignore title), "/" Tag, "*" when selected, "-" when unchecked.
    std::string Shown() {
        std::string t;
        for (std::int16_t r = 1; r <= Rows().Count(); ++r) {
            const cListItem& i = *Rows().Item(r);
            const cApplicationProcs& e = *h.set.EntryOfRow(r);
            t += i.text + std::to_string(e.CloseWait()) + (e.ForceClose() ? "F" : "") + (e.StopOnError() ? "S" : "") +
                 (e.IgnoreTitle() ? "I" : "") + "/" + i.tag + (i.selected ? "*" : "") + (i.checked ? " " : "- ");
        }
        return t;
    }
    void Load(const Texts& titles) {
        for (const std::string& t : titles) h.set.AddToProgramSet(App(t), false);
    }
    cCommandState Do(int command, cListViewModel& list) {
        editor.ListGotFocus(list);
        return editor.EditCommand(command);
    }
    cListViewModel& Rows() { return h.set.lvProgramSet(); }
    static inline int n = 0;
    fake::cRunHarness h;
    cSetEditor editor{h.set, h.inventory, h.messages};
    Texts dialogTitles;
    std::int32_t answerWait = -1;
};

TEST_F(SetEditorTest, ADropAddsTheNamedRowsOnceAndGivesThemTheRulesChosenOnce) {
    cSetEditor::SelectOnly(h.inventory.lvProcesses(), 2);
    EXPECT_EQ(cSetEditor::GetDragText(h.inventory.lvProcesses()), "lvProcesses,2");
    for (const char* text : {"", "lvApplications", "lvProgramSet,1", "lvapplications,1", "lvApplications,0",
                             "lvApplications,11", "lvApplications,-1", "lvApplications,99999", " lvProcesses,1"})
        editor.AddFromDragText(text);
    Load({"old"});
    answerWait = 42;
    editor.AddFromDragText("lvApplications,3,1,x,, 2\r\n"); // parts that are no row are skipped
    answerWait = -1;
    editor.AddFromDragText("lvProcesses,2");
    EXPECT_EQ(dialogTitles, (Texts{"[Multiple Programs]", ""}));
    h.set.SetSetChanged(false);
    editor.AddFromDragText("lvApplications,2,2,9,10"); // Mail is there already; every digit counts
    EXPECT_EQ(Shown(), "old10FI/0 Calc42S/1 Editor42S/2 Mail42S/3 10FI/4 M510FI/5* M610FI/6 ");
    EXPECT_TRUE(h.set.SetChanged());
}

TEST_F(SetEditorTest, EditsWorkOnTheirListsUndoRestoresTheLastFirstAndNothingChangesTheSetDuringAKillRun) {
    EXPECT_FALSE(Do(cSetEditor::kPaste, Rows()).Enabled(E::Paste)); // nothing copied yet
    editor.ShowProperties();                                      // nor a row to show
    Load({"a", "b", "c", "d"});
    EXPECT_TRUE(editor.SetRowChecked(1, true));
    EXPECT_FALSE(h.set.SetChanged()); // a check box counts only when it changes
    EXPECT_TRUE(editor.SetRowChecked(1, false));
    Do(cSetEditor::kCopy, Rows()); // a kill set's Tag is no inventory index
    Do(cSetEditor::kDelete, h.inventory.lvApplications());
    cSetEditor::SelectOnly(Rows(), 2);
    answerWait = 7;
    editor.ShowProperties(); // b
    EXPECT_TRUE(Do(cSetEditor::kDelete, Rows()).Enabled(E::Undo)); // b
    Do(cSetEditor::kDelete, Rows());                                // a
    editor.SetKillRunning(true);
    EXPECT_FALSE(editor.UpdateCommandState().Enabled(E::Kill));
    Do(cSetEditor::kDelete, Rows());
    editor.EditCommand(cSetEditor::kUndo);
    cSetEditor::SelectOnly(Rows(), 2);
    editor.MovePriority(true);
    editor.AddFromDragText("lvApplications,1");
    editor.ShowProperties();
    editor.SetCurrentAppSet(App("x"));
    EXPECT_FALSE(editor.SetRowChecked(1, false));
    const cCommandState copied = Do(cSetEditor::kCopy, h.inventory.lvProcesses()); // no selection: row 1, by its Tag
    EXPECT_EQ(std::make_tuple(copied.Enabled(E::Copy), copied.Enabled(E::Delete)), std::make_tuple(true, false));
    Do(cSetEditor::kPaste, Rows());
    EXPECT_EQ(Shown(), "c10FI/2 d10FI/3* ");
    editor.SetKillRunning(false);
    EXPECT_TRUE(Do(cSetEditor::kPaste, Rows()).Enabled(E::Paste));
    Do(cSetEditor::kPaste, Rows());
    editor.EditCommand(cSetEditor::kUndo);
    EXPECT_FALSE(editor.EditCommand(cSetEditor::kUndo).Enabled(E::Undo));
    editor.EditCommand(cSetEditor::kUndo); // nothing left
    EXPECT_EQ(Shown(), "c10FI/2 d10FI/3* 10FI/4 a10FI/5- b7S/6 ");
    EXPECT_EQ(std::make_tuple(h.inventory.lvApplications().Count(), h.set.AppSet()[1].Deleted(), dialogTitles.size()),
              std::make_tuple(10, true, std::size_t{1}));
}

TEST_F(SetEditorTest, RaiseAndLowerSwapWithTheNeighbourWithinTheSet) {
    Load({"a", "b"});
    std::string seen; // the first row after each move; "*" when the set changed; the moves then enabled
    for (const bool up : {false, false, true, true}) {
        h.set.SetSetChanged(false);
        const cCommandState s = editor.MovePriority(up);
        seen += Rows().Item(1)->text + (h.set.SetChanged() ? "*" : "") + (s.Enabled(E::Raise) ? "^" : "") +
                (s.Enabled(E::Lower) ? "v " : " ");
    }
    EXPECT_EQ(seen, "b*^ b^ a*v av ");
    EXPECT_EQ(cCommandState::FromToolbarKey("property"), E::Properties);
}

} // namespace
} // namespace qx
