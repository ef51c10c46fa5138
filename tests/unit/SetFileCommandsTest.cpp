#include "core/sets/cSetFileCommands.h"
#include "core/ui/cBuiltinStringTable.h"
#include "core/util/cCodePage1252.h"
#include "fake/cFakeClock.h"
#include "fake/cFakeUserInterface.h"
#include "fake/cMemoryFileSystem.h"
#include "unit/SetFileFixture.h"

#include <gtest/gtest.h>

namespace qx {
namespace {
using namespace fixture;

constexpr const char* kFolder = "C:\\Apps\\Quellix";
constexpr const char* kSet = "C:\\Sets\\two.qxs";

cApplicationProcs Entry(const std::string& path, const std::string& title, bool selected = true) {
    cApplicationProcs e;
    e.SetExePath(path);
    e.SetTitle(title);
    e.SetSelected(selected);
    e.SetWinVisible(true);
    return e;
}

std::string ErrorBox(int number, const std::string& source, const std::string& description) {
    return "Error number: \t" + std::to_string(number) + "\r\nLocation:     \t" + source + "\r\n" + description;
}

class SetFileCommandsTest : public ::testing::Test {
protected:
    SetFileCommandsTest() {
        messages.LoadMessages(table, kFolder);
        fs.AddFolder(kFolder);
        fs.AddFile(kSet, kTwoEntryFile);
        ui.statusText[1] = "old.qxs";
    }
    std::vector<std::string> Titles() const {
        std::vector<std::string> t;
        for (const cListItem& row : set.lvProgramSet().Items()) t.push_back(row.text);
        return t;
    }
    std::string File(const std::string& path) const {
        const std::string* c = fs.Contents(path);
        return c ? *c : std::string("<missing>");
    }
    void AddTwo() {
        for (const cApplicationProcs& e : {Entry("C:\\A\\a.exe", "A"), Entry("C:\\B\\b.exe", "B", false)})
            set.AddToProgramSet(e, false);
    }

    fake::cMemoryFileSystem fs;
    fake::cFakeUserInterface ui;
    fake::cFakeClock clock;
    cCodePage1252 codec;
    cBuiltinStringTable table;
    cMessages messages;
    cLogger log{fs, ui, clock, codec, kFolder};
    cGlobalsClass globals{fs};
    cKillSet set;
    cSetFileCommands cmds{set, {fs, ui, clock, codec, log, globals, messages}};
};

// ---------------------------------------------------------------- loading

TEST_F(SetFileCommandsTest, ReplacingLoadTakesTheFileInOrderAndNamesTheSet) {
    set.AddToProgramSet(Entry("C:\\Old\\old.exe", "Old"), false);
    ASSERT_TRUE(cmds.OpenProgramSet(kSet, true, true));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Untitled - Notepad", "R\u00E9sum\u00E9 \u2013 draft"}));
    ASSERT_EQ(set.AppSet().size(), 2u);
    const cApplicationProcs& b = set.AppSet()[1];
    EXPECT_EQ(b.ExePath(), "D:\\Tools\\B\u00FCro.exe");
    EXPECT_EQ(b.CloseWait(), 300);
    EXPECT_TRUE(b.StopOnError());
    EXPECT_FALSE(b.ForceClose() || b.WinVisible() || b.IgnoreTitle() || b.Selected());
    EXPECT_FALSE(b.Deleted());
    EXPECT_EQ(b.ProcessID(), 0u);
    EXPECT_EQ(b.Handle(), 0u);
    EXPECT_TRUE(set.lvProgramSet().Item(1)->checked);
    EXPECT_FALSE(set.lvProgramSet().Item(2)->checked);
    EXPECT_EQ(cmds.CurrentSetFile(), kSet);
    EXPECT_EQ(ui.statusText[1], "two.qxs");
    EXPECT_FALSE(set.SetChanged());
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SetFileCommandsTest, ReplacingLoadAddsEqualEntriesAllAndLeavesSetChangedAlone) {
    std::string twice;
    ASSERT_EQ(cSetFile::Write(0, {TwoEntries()[0], TwoEntries()[0]}, codec, twice), cSetFile::WriteResult::Ok);
    fs.AddFile("C:\\Sets\\twice.qxs", twice);
    ASSERT_TRUE(cmds.OpenProgramSet("C:\\Sets\\twice.qxs", false, true));
    EXPECT_EQ(set.lvProgramSet().Count(), 2);
    EXPECT_FALSE(set.SetChanged());
}

TEST_F(SetFileCommandsTest, MergingLoadSkipsDuplicatesAndMarksChangedOnlyWhenSomethingWasAdded) {
    cApplicationProcs notepad = Entry("C:\\WINDOWS\\NOTEPAD.EXE", "Untitled - Notepad");
    set.AddToProgramSet(notepad, false);
    ASSERT_TRUE(cmds.OpenProgramSet(kSet, false, false));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Untitled - Notepad", "R\u00E9sum\u00E9 \u2013 draft"}));
    EXPECT_TRUE(set.SetChanged());

    set.SetSetChanged(false);
    ASSERT_TRUE(cmds.OpenProgramSet(kSet, false, false)); // everything already there
    EXPECT_EQ(set.lvProgramSet().Count(), 2);
    EXPECT_FALSE(set.SetChanged());

    // Letter case makes a different program.
    cKillSet other;
    cSetFileCommands merge{other, {fs, ui, clock, codec, log, globals, messages}};
    other.AddToProgramSet(Entry("C:\\windows\\notepad.exe", "Untitled - Notepad"), false);
    ASSERT_TRUE(merge.OpenProgramSet(kSet, false, false));
    EXPECT_EQ(other.lvProgramSet().Count(), 3);
}

TEST_F(SetFileCommandsTest, EmptyAndNegativeCountFilesAreValidEmptySets) {
    for (const std::string& count : {Hex({0x00, 0x00}), Hex({0xFE, 0xFF})}) {
        std::string bytes = kTwoEntryFile;
        bytes.replace(10, 2, count);
        fs.AddFile("C:\\Sets\\empty.qxs", bytes);
        AddTwo();
        ASSERT_TRUE(cmds.OpenProgramSet("C:\\Sets\\empty.qxs", true, true));
        EXPECT_EQ(set.lvProgramSet().Count(), 0);
        EXPECT_TRUE(set.AppSet().empty());
        EXPECT_EQ(ui.statusText[1], "empty.qxs");
    }
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SetFileCommandsTest, MissingFileDirectoryOrWrongVersionIsAnInvalidProgramsFile) {
    std::string v2 = kTwoEntryFile;
    v2[0] = 2;
    fs.AddFile("C:\\Sets\\v2.qxs", v2);
    fs.AddFile("C:\\Sets\\zero.qxs", "");
    fs.AddFolder("C:\\Sets\\folder.qxs");
    fs.AddHiddenFile("C:\\Sets\\hidden.qxs", kTwoEntryFile);
    for (const std::string path :
         {"C:\\Sets\\none.qxs", "C:\\Sets\\folder.qxs", "C:\\Sets\\v2.qxs", "C:\\Sets\\zero.qxs",
          "C:\\Sets\\hidden.qxs"}) {
        ui.boxes.clear();
        AddTwo();
        EXPECT_FALSE(cmds.OpenProgramSet(path, true, true)) << path;
        ASSERT_EQ(ui.boxes.size(), 1u) << path;
        EXPECT_EQ(ui.boxes[0].text, "'" + path + "' is an invalid programs file.");
        EXPECT_EQ(ui.boxes[0].style, kMbOk | kMbIconCritical);
        // The replacing load cleared the set before it looked at the file.
        EXPECT_EQ(set.lvProgramSet().Count(), 0) << path;

        ui.boxes.clear();
        EXPECT_FALSE(cmds.OpenProgramSet(path, false, true));
        EXPECT_TRUE(ui.boxes.empty()) << path;
    }
    EXPECT_EQ(cmds.CurrentSetFile(), "");
    EXPECT_EQ(ui.statusText[1], "old.qxs");
}

TEST_F(SetFileCommandsTest, FileCutShortKeepsTheEntriesBeforeTheCutAndReportsAnError) {
    fs.AddFile("C:\\Sets\\cut.qxs", kTwoEntryFile.substr(0, kTwoEntryFile.size() - 1));
    AddTwo();
    EXPECT_FALSE(cmds.OpenProgramSet("C:\\Sets\\cut.qxs", false, false));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"A", "B", "Untitled - Notepad"}));
    ASSERT_EQ(ui.boxes.size(), 1u); // read errors are shown even to a silent load
    EXPECT_EQ(ui.boxes[0].text, ErrorBox(62, "OpenProgramSet", "Input past end of file"));
    EXPECT_EQ(ui.boxes[0].style, kMbOk | kMbIconCritical);
    EXPECT_EQ(cmds.CurrentSetFile(), "");
    EXPECT_EQ(ui.statusText[1], "old.qxs");
}

TEST_F(SetFileCommandsTest, UnreadableFileIsLoggedAsAnAccessError) {
    log.SetLogErrors(true);
    fs.DenyReads(kSet);
    EXPECT_FALSE(cmds.OpenProgramSet(kSet, true, true));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, ErrorBox(75, "OpenProgramSet", "Path/File access error"));
    EXPECT_NE(File("C:\\Apps\\Quellix\\error.log").find("Location:     OpenProgramSet\r\nPath/File access error"),
              std::string::npos);
}

TEST_F(SetFileCommandsTest, LoadIntoAChangedSetAsksFirstAndCancelKeepsEverything) {
    AddTwo();
    set.SetSetChanged(true);
    ui.answers = {kIdCancel};
    EXPECT_FALSE(cmds.OpenProgramSet(kSet, true, true));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"A", "B"}));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Save changes to current set?");
    EXPECT_EQ(ui.boxes[0].style, 35u);

    ui.answers = {kIdNo};
    ASSERT_TRUE(cmds.OpenProgramSet(kSet, true, true));
    EXPECT_EQ(set.lvProgramSet().Count(), 2);
    EXPECT_EQ(set.lvProgramSet().Item(1)->text, "Untitled - Notepad");
}

// ---------------------------------------------------------------- saving

TEST_F(SetFileCommandsTest, SaveWritesTheFixtureBytesForItsEntries) {
    cApplicationProcs a = Entry("C:\\WINDOWS\\NOTEPAD.EXE", "Untitled - Notepad");
    a.SetForceClose(true);
    a.SetIgnoreTitle(true);
    a.SetCloseWait(10);
    cApplicationProcs b = Entry("D:\\Tools\\B\u00FCro.exe", "R\u00E9sum\u00E9 \u2013 draft", false);
    b.SetWinVisible(false);
    b.SetForceClose(false);
    b.SetIgnoreTitle(false);
    b.SetStopOnError(true);
    b.SetCloseWait(300);
    b.SetProcessID(1234); // not stored
    set.AddToProgramSet(a, false);
    set.AddToProgramSet(b, false);
    set.SetSetChanged(true);
    ASSERT_TRUE(cmds.ActualSetSave("C:\\Sets\\new.qxs"));
    EXPECT_EQ(File("C:\\Sets\\new.qxs"), kTwoEntryFile);
    EXPECT_EQ(File("C:\\Sets\\new.qxs.tmp"), "<missing>");
    EXPECT_EQ(cmds.CurrentSetFile(), "C:\\Sets\\new.qxs");
    EXPECT_EQ(ui.statusText[1], "new.qxs");
    EXPECT_FALSE(set.SetChanged());
}

TEST_F(SetFileCommandsTest, ProgramNamedOutsideTheCodePageStillMatchesAfterSaveAndLoad) {
    const cApplicationProcs running = Entry("C:\\Users\\\u0141ukasz\\\u0395\u03c1\u03b3\u03b1.exe", "\u0394\u03ad\u03bb\u03c4\u03b1 \u2013 \u0141\u00f3d\u017a");
    set.AddToProgramSet(running, false);
    ASSERT_TRUE(cmds.ActualSetSave("C:\\Sets\\greek.qxs"));
    ASSERT_TRUE(cmds.NewProgramSet());
    ASSERT_TRUE(cmds.OpenProgramSet("C:\\Sets\\greek.qxs", true, true));
    ASSERT_EQ(set.AppSet().size(), 1u);
    EXPECT_TRUE(cKillSet::IsSameEntry(running, set.AppSet()[0], false));
}

TEST_F(SetFileCommandsTest, SaveWritesTheRowsInDisplayOrderWithTheirCheckBoxes) {
    AddTwo();
    set.AddToProgramSet(Entry("C:\\C\\c.exe", "C"), false);
    set.lvProgramSet().Move(3, 1);           // C, A, B
    set.lvProgramSet().Item(2)->checked = false;
    set.AppSet()[1].SetDeleted(true);        // B deleted: entry stays, row goes
    set.lvProgramSet().Remove(3);
    ASSERT_TRUE(cmds.ActualSetSave("C:\\Sets\\order.qxs"));

    cKillSet loaded;
    cSetFileCommands reader{loaded, {fs, ui, clock, codec, log, globals, messages}};
    ASSERT_TRUE(reader.OpenProgramSet("C:\\Sets\\order.qxs", true, true));
    ASSERT_EQ(loaded.lvProgramSet().Count(), 2);
    EXPECT_EQ(loaded.lvProgramSet().Item(1)->text, "C");
    EXPECT_TRUE(loaded.lvProgramSet().Item(1)->checked);
    EXPECT_EQ(loaded.lvProgramSet().Item(2)->text, "A");
    EXPECT_FALSE(loaded.lvProgramSet().Item(2)->checked);
    EXPECT_FALSE(loaded.AppSet()[1].Selected());
}

TEST_F(SetFileCommandsTest, SavingFewerEntriesOverALongerFileLeavesNoOldTail) {
    std::vector<SetFileEntry> ten(10, TwoEntries()[0]);
    std::string old;
    ASSERT_EQ(cSetFile::Write(0, ten, codec, old), cSetFile::WriteResult::Ok);
    fs.AddFile("C:\\Sets\\ten.qxs", old);
    for (const char* t : {"A", "B", "C"}) set.AddToProgramSet(Entry("C:\\X\\x.exe", t), false);
    ASSERT_TRUE(cmds.ActualSetSave("C:\\Sets\\ten.qxs"));
    EXPECT_EQ(File("C:\\Sets\\ten.qxs").size(), 20u + 3 * (28 + 1 + 10));
    ASSERT_TRUE(cmds.OpenProgramSet("C:\\Sets\\ten.qxs", true, true));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(SetFileCommandsTest, FailedSaveKeepsTheOldFileAndTheSetsState) {
    AddTwo();
    set.SetSetChanged(true);
    cmds.SetCurrentSetFile(kSet);
    fs.DenyWrites("C:\\Sets");
    EXPECT_FALSE(cmds.ActualSetSave(kSet));
    EXPECT_EQ(File(kSet), kTwoEntryFile);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, ErrorBox(75, "ActualSetSave", "Path/File access error"));
    EXPECT_TRUE(set.SetChanged());
    EXPECT_EQ(ui.statusText[1], "old.qxs");

    // The new file is complete but cannot take the old one's place.
    fs.AddFolder("C:\\Other\\dir.qxs");
    EXPECT_FALSE(cmds.ActualSetSave("C:\\Other\\dir.qxs"));
    EXPECT_TRUE(fs.IsDirectory("C:\\Other\\dir.qxs"));
    EXPECT_EQ(File("C:\\Other\\dir.qxs.tmp"), "<missing>");
    EXPECT_EQ(cmds.CurrentSetFile(), kSet);
}

TEST_F(SetFileCommandsTest, WhatTheFormatCannotHoldFailsAsOverflowWithoutTouchingTheFile) {
    cApplicationProcs e = Entry("C:\\A\\a.exe", std::string(65536, 't'));
    set.AddToProgramSet(e, false);
    EXPECT_FALSE(cmds.ActualSetSave(kSet));
    EXPECT_EQ(File(kSet), kTwoEntryFile);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, ErrorBox(6, "ActualSetSave", "Overflow"));

    // A row whose Tag names no entry is refused, not followed.
    set.lvProgramSet().Clear();
    set.lvProgramSet().Add("ghost", "C:\\g.exe", "7");
    EXPECT_FALSE(cmds.ActualSetSave(kSet));
    EXPECT_EQ(File(kSet), kTwoEntryFile);
}

TEST_F(SetFileCommandsTest, TheLargestSetSavesAndLoadsAgain) {
    for (int i = 0; i < cKillSet::kMaxEntries; ++i)
        set.AddToProgramSet(Entry("C:\\P\\p.exe", std::to_string(i), i % 2 == 0), false);
    EXPECT_FALSE(set.AddToProgramSet(Entry("C:\\P\\p.exe", "one too many"), false));
    ASSERT_TRUE(cmds.ActualSetSave("C:\\Sets\\big.qxs"));
    EXPECT_EQ(File("C:\\Sets\\big.qxs").substr(10, 2), Hex({0xFF, 0x7F}));

    cKillSet loaded;
    cSetFileCommands reader{loaded, {fs, ui, clock, codec, log, globals, messages}};
    ASSERT_TRUE(reader.OpenProgramSet("C:\\Sets\\big.qxs", true, true));
    ASSERT_EQ(loaded.lvProgramSet().Count(), cKillSet::kMaxEntries);
    EXPECT_EQ(loaded.lvProgramSet().Item(32767)->text, "32766");
    EXPECT_TRUE(loaded.lvProgramSet().Item(32767)->checked);
    EXPECT_FALSE(loaded.lvProgramSet().Item(32766)->checked);
    EXPECT_TRUE(ui.boxes.empty());
}

// ---------------------------------------------------------------- commands

TEST_F(SetFileCommandsTest, AnEmptySetHasNothingToSaveAndNeedsNoQuestion) {
    EXPECT_FALSE(cmds.SaveProgramSet());
    EXPECT_FALSE(cmds.SaveProgramSetAs());
    ASSERT_EQ(ui.boxes.size(), 2u);
    for (const auto& box : ui.boxes) {
        EXPECT_EQ(box.text, "Nothing to save");
        EXPECT_EQ(box.style, kMbOk | kMbIconInformation);
    }
    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_TRUE(cmds.QuerySaveChanges());
    EXPECT_EQ(ui.boxes.size(), 2u);
}

TEST_F(SetFileCommandsTest, SaveUsesTheCurrentFileOrAsksForOne) {
    AddTwo();
    cmds.SetCurrentSetFile("   ");
    globals.SetsBrowsePath("C:\\Sets");
    ui.chosenFiles = {std::string("C:\\Mine\\chosen.qxs")};
    fs.AddFolder("C:\\Mine");
    ASSERT_TRUE(cmds.SaveProgramSet());
    ASSERT_EQ(ui.dialogs.size(), 1u);
    const FileDialogRequest& d = ui.dialogs[0];
    EXPECT_EQ(d.kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(d.title, "Save As");
    EXPECT_EQ(d.initialFolder, "C:\\Sets");
    EXPECT_EQ(d.defaultExtension, "qxs");
    EXPECT_EQ(d.filter, "Quellix Sets (*.qxs)|*.qxs");
    EXPECT_EQ(d.flags, 2054u);
    EXPECT_EQ(globals.sBrowsePath(), "C:\\Mine");
    EXPECT_NE(fs.Contents("C:\\Mine\\chosen.qxs"), nullptr);

    set.AddToProgramSet(Entry("C:\\C\\c.exe", "C"), true);
    ASSERT_TRUE(cmds.SaveProgramSet()); // known file: no dialog
    EXPECT_EQ(ui.dialogs.size(), 1u);
    cKillSet loaded;
    cSetFileCommands reader{loaded, {fs, ui, clock, codec, log, globals, messages}};
    ASSERT_TRUE(reader.OpenProgramSet("C:\\Mine\\chosen.qxs", true, true));
    EXPECT_EQ(loaded.lvProgramSet().Count(), 3);
}

TEST_F(SetFileCommandsTest, CancelledSaveAsChangesNothingAndSaysNothing) {
    AddTwo();
    set.SetSetChanged(true);
    globals.SetsBrowsePath("C:\\Sets");
    EXPECT_FALSE(cmds.SaveProgramSetAs());
    EXPECT_EQ(ui.dialogs.size(), 1u);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(globals.sBrowsePath(), "C:\\Sets");
    EXPECT_TRUE(set.SetChanged());
}

TEST_F(SetFileCommandsTest, QuerySaveChangesAnswers) {
    AddTwo();
    cmds.SetCurrentSetFile("C:\\Sets\\q.qxs");
    ui.answers = {kIdNo};
    EXPECT_TRUE(cmds.QuerySaveChanges());
    EXPECT_EQ(File("C:\\Sets\\q.qxs"), "<missing>");
    ui.answers = {kIdCancel};
    EXPECT_FALSE(cmds.QuerySaveChanges());
    ui.answers = {kIdYes};
    EXPECT_TRUE(cmds.QuerySaveChanges());
    EXPECT_NE(File("C:\\Sets\\q.qxs"), "<missing>");
    fs.DenyWrites("C:\\Sets");
    ui.answers = {kIdYes};
    EXPECT_FALSE(cmds.QuerySaveChanges()); // the save failed: abandon the command
    for (const auto& box : ui.boxes) {
        if (box.style != 35u) continue;
        EXPECT_EQ(box.text, "Save changes to current set?");
    }
    EXPECT_EQ(ui.boxes.size(), 5u); // four questions and the failed save's error
}

TEST_F(SetFileCommandsTest, NewSetClearsUnlessTheUserCancels) {
    AddTwo();
    cmds.SetCurrentSetFile(kSet);
    set.SetSetChanged(true);
    ui.answers = {kIdCancel};
    EXPECT_FALSE(cmds.NewProgramSet());
    EXPECT_EQ(set.lvProgramSet().Count(), 2);
    EXPECT_EQ(cmds.CurrentSetFile(), kSet);

    ui.answers = {kIdNo};
    ASSERT_TRUE(cmds.NewProgramSet());
    EXPECT_EQ(set.lvProgramSet().Count(), 0);
    EXPECT_TRUE(set.AppSet().empty());
    EXPECT_EQ(cmds.CurrentSetFile(), "");
    EXPECT_EQ(ui.statusText[1], "[New Set]");
    EXPECT_FALSE(set.SetChanged());
}

TEST_F(SetFileCommandsTest, OpenSetShowsTheDialogBeforeAskingAndLoadsTheChosenFile) {
    AddTwo();
    set.SetSetChanged(true);
    globals.SetsBrowsePath("C:\\Apps");
    EXPECT_FALSE(cmds.BrowseProgramSet(false)); // cancelled: no question, nothing changed
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(set.lvProgramSet().Count(), 2);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    const FileDialogRequest& d = ui.dialogs[0];
    EXPECT_EQ(d.kind, FileDialogRequest::Kind::Open);
    EXPECT_EQ(d.title, "Open Program Set");
    EXPECT_EQ(d.initialFolder, "C:\\Apps");
    EXPECT_EQ(d.defaultExtension, "qxs");
    EXPECT_EQ(d.filter, "Quellix Sets (*.qxs)|*.qxs");
    EXPECT_EQ(d.flags, 6148u);

    ui.chosenFiles = {std::string(kSet)};
    ui.answers = {kIdNo};
    ASSERT_TRUE(cmds.BrowseProgramSet(false));
    EXPECT_EQ(ui.boxes.size(), 1u); // the question came after the choice
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Untitled - Notepad", "R\u00E9sum\u00E9 \u2013 draft"}));
    EXPECT_FALSE(set.SetChanged());
    EXPECT_EQ(globals.sBrowsePath(), "C:\\Sets");
    EXPECT_EQ(ui.statusText[1], "two.qxs");
}

TEST_F(SetFileCommandsTest, DeletingTheOpenSetsFileLeavesTheSetOpenAndSaveWritesItAgain) {
    ASSERT_TRUE(cmds.OpenProgramSet(kSet, true, true));
    ui.chosenFiles = {std::string(kSet), std::string(kSet)};
    ui.answers = {kIdCancel};
    EXPECT_FALSE(cmds.BrowseProgramSet(true));
    EXPECT_EQ(ui.dialogs.back().title, "Delete Program Set");
    EXPECT_EQ(ui.dialogs.back().flags, 6148u);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Delete Program Set C:\\Sets\\two.qxs?");
    EXPECT_EQ(ui.boxes[0].style, 33u);
    EXPECT_EQ(File(kSet), kTwoEntryFile);

    ui.answers = {kIdOk};
    EXPECT_FALSE(cmds.BrowseProgramSet(true)); // always false, even when deleted
    EXPECT_EQ(File(kSet), "<missing>");
    EXPECT_EQ(set.lvProgramSet().Count(), 2);
    EXPECT_EQ(cmds.CurrentSetFile(), kSet);

    EXPECT_FALSE(cmds.DeleteProgramSet("C:\\Sets\\gone.qxs")); // nothing there: no complaint
    EXPECT_EQ(ui.boxes.size(), 3u);

    ASSERT_TRUE(cmds.SaveProgramSet());
    EXPECT_EQ(File(kSet).size(), kTwoEntryFile.size());
}

TEST_F(SetFileCommandsTest, DebugTraceNamesTheOperations) {
    log.SetDebugMode(true);
    AddTwo();
    ASSERT_TRUE(cmds.ActualSetSave("C:\\Sets\\t.qxs"));
    ASSERT_TRUE(cmds.OpenProgramSet("C:\\Sets\\t.qxs", true, true));
    const std::string trace = File("C:\\Apps\\Quellix\\error.log");
    const auto save = trace.find("Debug: ActualSetSave\r\n");
    ASSERT_NE(save, std::string::npos);
    EXPECT_NE(trace.find("Debug: OpenProgramSet\r\n", save), std::string::npos);
}

} // namespace
} // namespace qx
