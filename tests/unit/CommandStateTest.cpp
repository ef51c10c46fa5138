#include "core/sets/cSetEditor.h"
#include "core/ui/cBuiltinStringTable.h"
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

In KillSet(std::int16_t rows, std::int16_t selected) {
    In in;
    in.listKind = kProgramSetList;
    in.rows = rows;
    in.selected = selected;
    return in;
}

using V = std::vector<eCommand>;

TEST(CommandState, InventoryListsOfferOnlyCopyAndOnlyWithASelection) {
    for (int kind : {kApplicationsList, kProcessesList}) {
        In in;
        in.listKind = kind;
        in.rows = 3;
        in.selected = 2;
        in.pasteReady = true;
        in.undoReady = true;
        EXPECT_EQ(On(cCommandState::UpdateCommandState(in)), V{eCommand::Copy}) << kind;
        in.selected = 0;
        EXPECT_EQ(On(cCommandState::UpdateCommandState(in)), V{}) << kind;
    }
}

TEST(CommandState, KillSetRaiseAndLowerFollowTheTableFirstMatchWins) {
    const auto raiseLower = [](std::int16_t rows, std::int16_t sel) {
        const cCommandState s = cCommandState::UpdateCommandState(KillSet(rows, sel));
        return std::pair{s.Enabled(eCommand::Raise), s.Enabled(eCommand::Lower)};
    };
    EXPECT_EQ(raiseLower(0, 0), std::pair(false, false));
    EXPECT_EQ(raiseLower(1, 1), std::pair(false, false)); // N < 2 before S = N
    EXPECT_EQ(raiseLower(2, 2), std::pair(true, false));
    EXPECT_EQ(raiseLower(3, 3), std::pair(true, false));
    EXPECT_EQ(raiseLower(3, 1), std::pair(false, true));
    EXPECT_EQ(raiseLower(3, 0), std::pair(false, false));
    EXPECT_EQ(raiseLower(3, 2), std::pair(true, true));
}

TEST(CommandState, KillSetOffersDeleteAndPropertiesOnASelectionAndNeverCopy) {
    EXPECT_EQ(On(cCommandState::UpdateCommandState(KillSet(1, 1))), (V{eCommand::Delete, eCommand::Properties}));
    EXPECT_EQ(On(cCommandState::UpdateCommandState(KillSet(0, 0))), V{});
    In in = KillSet(3, 2);
    in.pasteReady = true;
    in.undoReady = true;
    EXPECT_EQ(On(cCommandState::UpdateCommandState(in)), (V{eCommand::Paste, eCommand::Undo, eCommand::Delete,
                                                           eCommand::Properties, eCommand::Raise, eCommand::Lower}));
}

TEST(CommandState, NoActiveListIsTreatedLikeTheKillSet) {
    In in = KillSet(0, 0);
    in.listKind = kNoList;
    in.pasteReady = true;
    in.undoReady = true;
    EXPECT_EQ(On(cCommandState::UpdateCommandState(in)), (V{eCommand::Paste, eCommand::Undo}));
}

TEST(CommandState, OtherCommandsAreAlwaysOnAndOnlyRememberPositionCarriesACheck) {
    In in;
    in.listKind = kApplicationsList;
    in.rememberPosition = true;
    const cCommandState s = cCommandState::UpdateCommandState(in);
    for (eCommand c : {eCommand::New, eCommand::Open, eCommand::Save, eCommand::SaveAs, eCommand::DeleteSet,
                       eCommand::Exit, eCommand::Wizard, eCommand::Refresh, eCommand::Kill, eCommand::RememberPosition,
                       eCommand::DataPath, eCommand::ViewLog, eCommand::AdvancedSettings, eCommand::HelpContents,
                       eCommand::HelpSearch, eCommand::GettingStarted, eCommand::About})
        EXPECT_TRUE(s.Enabled(c)) << static_cast<int>(c);
    EXPECT_TRUE(s.Checked(eCommand::RememberPosition));
    EXPECT_FALSE(s.Checked(eCommand::Copy));
    in.rememberPosition = false;
    EXPECT_FALSE(cCommandState::UpdateCommandState(in).Checked(eCommand::RememberPosition));
}

TEST(CommandState, AKillRunDisablesWhatChangesTheSetOrStartsAnotherRun) {
    In in = KillSet(3, 2);
    in.pasteReady = true;
    in.undoReady = true;
    in.killRunning = true;
    const cCommandState s = cCommandState::UpdateCommandState(in);
    for (eCommand c : {eCommand::New, eCommand::Open, eCommand::Paste, eCommand::Undo, eCommand::Delete,
                       eCommand::Properties, eCommand::Raise, eCommand::Lower, eCommand::Kill})
        EXPECT_FALSE(s.Enabled(c)) << static_cast<int>(c);
    for (eCommand c : {eCommand::Save, eCommand::SaveAs, eCommand::Refresh, eCommand::Exit, eCommand::ViewLog})
        EXPECT_TRUE(s.Enabled(c)) << static_cast<int>(c);

    in.listKind = kApplicationsList;
    EXPECT_EQ(On(cCommandState::UpdateCommandState(in)), V{eCommand::Copy});
}

TEST(CommandState, ToolbarKeysAreMatchedExactly) {
    EXPECT_EQ(cCommandState::FromToolbarKey("copy"), eCommand::Copy);
    EXPECT_EQ(cCommandState::FromToolbarKey("property"), eCommand::Properties);
    EXPECT_EQ(cCommandState::FromToolbarKey("refresh"), eCommand::Refresh);
    EXPECT_EQ(cCommandState::FromToolbarKey("Copy"), std::nullopt);
    EXPECT_EQ(cCommandState::FromToolbarKey(""), std::nullopt);
    EXPECT_EQ(cCommandState::FromToolbarKey("properties"), std::nullopt);
}

TEST(CommandState, ToolbarHasTwelveButtonsWithTheirTooltipsAndMenusTheirCaptions) {
    cBuiltinStringTable table;
    std::vector<std::string> tooltips;
    for (const cToolbarButton& b : cCommandState::ToolbarButtons()) {
        if (b.key == nullptr) continue;
        std::string text;
        ASSERT_TRUE(table.LoadString(b.tooltipId, text)) << b.key;
        tooltips.push_back(text);
    }
    EXPECT_EQ(tooltips, (std::vector<std::string>{"New program set", "Open a program set", "Save current program set",
                                                  "Copy", "Paste", "Undo delete", "Delete", "Properties",
                                                  "Raise priority", "Lower priority", "Kill selected set",
                                                  "Refresh lists"}));
    for (std::size_t c = 0; c < static_cast<std::size_t>(eCommand::Count); ++c) {
        std::string text;
        EXPECT_TRUE(table.LoadString(cCommandState::MenuCaptionId(static_cast<eCommand>(c)), text)) << c;
    }
    std::string undo, about;
    table.LoadString(cCommandState::MenuCaptionId(eCommand::Undo), undo);
    table.LoadString(cCommandState::MenuCaptionId(eCommand::About), about);
    EXPECT_EQ(undo, "&Undo Delete");
    EXPECT_EQ(about, "&About");
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
