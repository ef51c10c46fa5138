#include "core/sets/cSetEditor.h"
#include "core/ui/cCommandState.h"
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using In = cCommandState::Inputs;
constexpr eCommand kPairs[] = {eCommand::Copy,       eCommand::Paste, eCommand::Undo, eCommand::Delete,
                               eCommand::Properties, eCommand::Raise, eCommand::Lower};

// The seven paired commands that are on, in the order of kPairs.
std::vector<eCommand> On(const cCommandState& s) {
    std::vector<eCommand> on;
    for (eCommand c : kPairs) {
        if (s.Enabled(c)) on.push_back(c);
    }
    return on;
}

using V = std::vector<eCommand>;

TEST(CommandState, EachListOffersItsOwnCommandsAndAKillRunLocksTheSet) {
    using E = eCommand;
    const struct {
        int kind;
        std::int16_t rows, selected;
        bool ready, running;
        V on;
    } cases[] = {
        {kApplicationsList, 3, 2, true, false, {E::Copy}},
        {kProcessesList, 3, 2, true, false, {E::Copy}},
        {kProcessesList, 3, 0, true, false, {}},
        {kApplicationsList, 3, 2, true, true, {E::Copy}},
        {kProgramSetList, 0, 0, false, false, {}},
        {kProgramSetList, 1, 1, false, false, {E::Delete, E::Properties}}, // one row moves nowhere
        {kProgramSetList, 2, 2, false, false, {E::Delete, E::Properties, E::Raise}},
        {kProgramSetList, 3, 1, false, false, {E::Delete, E::Properties, E::Lower}},
        {kProgramSetList, 3, 0, false, false, {}},
        {kProgramSetList, 3, 2, true, false, {E::Paste, E::Undo, E::Delete, E::Properties, E::Raise, E::Lower}},
        {kProgramSetList, 3, 2, true, true, {}},
        {kNoList, 0, 0, true, false, {E::Paste, E::Undo}},
    };
    for (const auto& c : cases) {
        In in;
        in.listKind = c.kind;
        in.rows = c.rows;
        in.selected = c.selected;
        in.pasteReady = in.undoReady = c.ready;
        in.killRunning = c.running;
        const cCommandState s = cCommandState::UpdateCommandState(in);
        const int at = static_cast<int>(&c - cases);
        EXPECT_EQ(On(s), c.on) << at;
        for (E e : {E::New, E::Open, E::Kill}) EXPECT_EQ(s.Enabled(e), !c.running) << at;
        for (E e : {E::Save, E::SaveAs, E::Refresh, E::Exit, E::ViewLog, E::About}) EXPECT_TRUE(s.Enabled(e)) << at;
        EXPECT_FALSE(s.Checked(E::RememberPosition));
    }
    In in;
    in.rememberPosition = true;
    EXPECT_TRUE(cCommandState::UpdateCommandState(in).Checked(E::RememberPosition));
    EXPECT_EQ(cCommandState::FromToolbarKey("property"), E::Properties);
    EXPECT_EQ(cCommandState::FromToolbarKey("Copy"), std::nullopt);
}

// The editor feeds the table from the real lists.
class EditorCommandStateTest : public ::testing::Test {
protected:
    EditorCommandStateTest() {
        cApplicationProcs app;
        app.SetExePath("C:\\A\\mail.exe");
        app.SetTitle("Mail");
        app.SetWinVisible(true);
        h.inventory.AddApplication(app);
        h.inventory.PopulateListviews();
    }
    void Load(int n) {
        for (int i = 0; i < n; ++i) {
            cApplicationProcs e;
            e.SetExePath("C:\\P\\" + std::to_string(i) + ".exe");
            h.set.AddToProgramSet(e, false);
        }
    }
    fake::cRunHarness h;
    cSetEditor editor{h.set, h.inventory, h.messages};
};

TEST_F(EditorCommandStateTest, AtStartUndoAndPasteAreOffAndAnUnselectedSetGetsRowOneSelected) {
    Load(3);
    const cCommandState s = editor.UpdateCommandState();
    EXPECT_TRUE(h.set.lvProgramSet().Item(1)->selected);
    EXPECT_EQ(On(s), (V{eCommand::Delete, eCommand::Properties, eCommand::Lower}));
}

TEST_F(EditorCommandStateTest, UndoComesWithTheFirstDeleteAndPasteWithTheFirstCopy) {
    Load(2);
    EXPECT_TRUE(editor.EditCommand(cSetEditor::kDelete).Enabled(eCommand::Undo));
    EXPECT_FALSE(editor.EditCommand(cSetEditor::kUndo).Enabled(eCommand::Undo));

    EXPECT_FALSE(editor.ListGotFocus(h.inventory.lvApplications()).Enabled(eCommand::Paste));
    editor.EditCommand(cSetEditor::kCopy);
    EXPECT_TRUE(editor.ListGotFocus(h.set.lvProgramSet()).Enabled(eCommand::Paste));
}

TEST_F(EditorCommandStateTest, TheKillRunFlagReachesTheState) {
    Load(2);
    EXPECT_TRUE(editor.UpdateCommandState().Enabled(eCommand::Kill));
    editor.SetKillRunning(true);
    EXPECT_FALSE(editor.UpdateCommandState().Enabled(eCommand::Kill));
    // The list kind is told by the list's name.
    EXPECT_EQ(On(editor.ListGotFocus(h.inventory.lvApplications())), V{eCommand::Copy});
}

} // namespace
} // namespace qx
