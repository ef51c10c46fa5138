#include "core/sets/cSetFileCommands.h"
#include "core/ui/cBuiltinStringTable.h"
#include "core/util/cCodePage1252.h"
#include "fake/cFakeClock.h"
#include "fake/cFakeUserInterface.h"
#include "fake/cMemoryFileSystem.h"
#include "unit/SetFileFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace qx {
namespace {
using Texts = std::vector<std::string>;

constexpr const char* kSet = "C:\\S\\two.qxs";

// The program with the two-entry set of kSet but no file of its own, the same
// file cut short, and the first status panel naming an older set.
struct World {
    World() {
        messages.LoadMessages(table, "C:\\Q");
        fs.AddFile(kSet, fixture::kTwoEntryFile);
        fs.AddFile("C:\\S\\cut.qxs", fixture::kTwoEntryFile.substr(0, fixture::kTwoEntryFile.size() - 1));
        cmds.OpenProgramSet(kSet, false, true);
        cmds.SetCurrentSetFile("");
        ui.statusText[1] = "old.qxs";
        globals.SetsBrowsePath("C:\\Start");
    }
    // Rows, the set's file and name, the folder the dialogs start in, whether
    // it is changed, and what became of the set files.
    std::string State() {
        std::string s = std::to_string(set.lvProgramSet().Count()) + " " + cmds.CurrentSetFile() + " " +
                        ui.statusText[1] + " " + globals.sBrowsePath() + (set.SetChanged() ? " *" : "");
        for (const std::string name : {"q.qxs", "new.qxs"}) s += fs.Contents("C:\\S\\" + name) ? " +" + name : "";
        return s + (fs.Contents(kSet) ? "" : " -two");
    }
    fake::cMemoryFileSystem fs;
    fake::cFakeUserInterface ui;
    fake::cFakeClock clock;
    cCodePage1252 codec;
    cBuiltinStringTable table;
    cMessages messages;
    cLogger log{fs, ui, clock, codec, "C:\\Q"};
    cGlobalsClass globals{fs};
    cKillSet set;
    cSetFileCommands cmds{set, {fs, ui, clock, codec, log, globals, messages}};
};

TEST(SetFileCommands, ALoadedSetSavesAsTheSameBytes) {
    World w;
    ASSERT_TRUE(w.cmds.OpenProgramSet(kSet, true, true));
    ASSERT_TRUE(w.cmds.ActualSetSave("C:\\S\\new.qxs"));
    EXPECT_EQ(*w.fs.Contents("C:\\S\\new.qxs"), fixture::kTwoEntryFile);
    EXPECT_EQ(w.fs.Contents("C:\\S\\new.qxs.tmp"), nullptr);
}

TEST(SetFileCommands, TheFileMenuAsksBeforeItDropsChangesAndReportsWhatItCannotDo) {
    using C = cSetFileCommands;
    const auto load = [](const char* path, bool replace) {
        return [=](C& c) { return c.OpenProgramSet(path, replace, replace); };
    };
    const std::function<bool(C&)> open = load(kSet, true), choose = [](C& c) { return c.BrowseProgramSet(false); },
                                  remove = [](C& c) { return c.BrowseProgramSet(true); };
    const std::string save = "Save changes to current set?", error = "Error number: \t", none = "Nothing to save",
                      sure = "Delete Program Set C:\\S\\two.qxs?", bad = "'C:\\S\\no.qxs' is an invalid programs file.";
    // Each row: whether the set is empty, and changed, its file, the answers to boxes and file dialogs,
    // the command, its result, each box's first line and the state after (see World::State).
    using Row = std::tuple<bool, bool, const char*, std::deque<int>, std::deque<std::optional<std::string>>,
                           std::function<bool(C&)>, bool, Texts, std::string>;
    const std::vector<Row> cases{
        {0, 1, "", {kIdCancel}, {}, open, false, {save}, "2  old.qxs C:\\Start *"},
        {0, 1, "", {kIdNo}, {}, open, true, {save}, "2 C:\\S\\two.qxs two.qxs C:\\Start *"},
        {0, 0, "", {}, {}, load("C:\\S\\no.qxs", true), false, {bad}, "0  old.qxs C:\\Start"},
        {0, 0, "", {}, {}, load("C:\\S\\cut.qxs", true), false, {error + "62"}, "1  old.qxs C:\\Start"},
        {0, 1, kSet, {kIdCancel}, {}, &C::NewProgramSet, false, {save}, "2 C:\\S\\two.qxs old.qxs C:\\Start *"},
        {0, 1, kSet, {kIdNo}, {}, &C::NewProgramSet, true, {save}, "0  [New Set] C:\\Start"},
        {0, 1, "C:\\S\\q.qxs", {kIdNo}, {}, &C::QuerySaveChanges, true, {save}, "2 C:\\S\\q.qxs old.qxs C:\\Start *"},
        {0, 1, "C:\\S\\q.qxs", {kIdYes}, {}, &C::QuerySaveChanges, true, {save},
         "2 C:\\S\\q.qxs q.qxs C:\\Start +q.qxs"},
        {0, 1, "C:\\No\\q.qxs", {kIdYes}, {}, &C::QuerySaveChanges, false, {save, error + "75"},
         "2 C:\\No\\q.qxs old.qxs C:\\Start *"},
        {1, 1, "", {kIdCancel}, {}, &C::QuerySaveChanges, true, {}, "0  old.qxs C:\\Start *"},
        {1, 1, "", {}, {"C:\\S\\new.qxs"}, &C::SaveProgramSet, false, {none}, "0  old.qxs C:\\Start *"},
        {0, 1, "  ", {}, {"C:\\S\\new.qxs"}, &C::SaveProgramSet, true, {}, "2 C:\\S\\new.qxs new.qxs C:\\S +new.qxs"},
        {0, 1, "C:\\S", {}, {}, &C::SaveProgramSet, false, {error + "75"}, "2 C:\\S old.qxs C:\\Start *"}, // a folder
        {0, 1, "", {}, {}, choose, false, {}, "2  old.qxs C:\\Start *"},
        {0, 1, "", {kIdNo}, {kSet}, choose, true, {save}, "2 C:\\S\\two.qxs two.qxs C:\\S"},
        {0, 0, kSet, {kIdCancel}, {kSet}, remove, false, {sure}, "2 C:\\S\\two.qxs old.qxs C:\\S"},
        {0, 0, kSet, {kIdOk}, {kSet}, remove, false, {sure}, "2 C:\\S\\two.qxs old.qxs C:\\S -two"},
    };
    for (const auto& [empty, changed, current, answers, chosen, command, result, boxes, after] : cases) {
        World w;
        if (empty) w.set.lvProgramSet().Clear();
        w.set.SetSetChanged(changed);
        w.cmds.SetCurrentSetFile(current);
        w.ui.answers = answers;
        w.ui.chosenFiles = chosen;
        EXPECT_EQ(command(w.cmds), result) << after;
        Texts shown;
        for (const auto& b : w.ui.boxes) shown.push_back(b.text.substr(0, b.text.find("\r\n")));
        EXPECT_EQ(shown, boxes) << after;
        EXPECT_EQ(w.State(), after);
    }
}

} // namespace
} // namespace qx
