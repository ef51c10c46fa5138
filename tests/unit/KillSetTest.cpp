#include "core/sets/cKillSet.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

cApplicationProcs Entry(const std::string& path, const std::string& title, bool visible = true) {
    cApplicationProcs e;
    e.SetExePath(path);
    e.SetTitle(title);
    e.SetWinVisible(visible);
    return e;
}

TEST(ListViewModel, PositionsCountFromOneAndMoveKeepsTheOthersInOrder) {
    cListViewModel list("lvX");
    EXPECT_EQ(list.Item(1), nullptr);
    EXPECT_EQ(list.Add("a", "A", "0"), 1);
    EXPECT_EQ(list.Add("b", "B", "1"), 2);
    EXPECT_EQ(list.Add("c", "C", "2"), 3);
    EXPECT_EQ(list.Item(0), nullptr);
    EXPECT_EQ(list.Item(4), nullptr);
    ASSERT_TRUE(list.Move(3, 1));
    EXPECT_EQ(list.Item(1)->text, "c");
    EXPECT_EQ(list.Item(2)->text, "a");
    EXPECT_EQ(list.Item(3)->text, "b");
    ASSERT_TRUE(list.Move(1, 3));
    EXPECT_EQ(list.Item(3)->text, "c");
    EXPECT_FALSE(list.Move(0, 1));
    EXPECT_FALSE(list.Move(1, 4));
    ASSERT_TRUE(list.Remove(2));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Item(2)->text, "c");
    EXPECT_FALSE(list.Remove(3));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(ListViewModel, TagIndexTakesOnlyDecimalIndexesWithinSixteenBits) {
    cListViewModel list;
    for (const char* tag : {"0", "32767", "007", "", "-1", "1x", " 1", "32768", "999999"}) list.Add("t", "p", tag);
    std::int16_t index = -5;
    EXPECT_TRUE(list.TagIndex(1, index));
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(list.TagIndex(2, index));
    EXPECT_EQ(index, 32767);
    EXPECT_TRUE(list.TagIndex(3, index));
    EXPECT_EQ(index, 7);
    for (std::int16_t row = 4; row <= 9; ++row) EXPECT_FALSE(list.TagIndex(row, index)) << row;
    EXPECT_FALSE(list.TagIndex(10, index));
}

TEST(ListViewModel, RefusesRowsBeyondTheSixteenBitLimit) {
    cListViewModel list;
    for (int i = 0; i < cListViewModel::kMaxRows; ++i) list.Add("t", "p", "0");
    EXPECT_EQ(list.Count(), 32767);
    EXPECT_EQ(list.Add("t", "p", "0"), 0);
    EXPECT_EQ(list.Count(), 32767);
}

TEST(KillSet, FirstEntryGetsIndexZeroRowOneAndItsCheckBoxFromSelected) {
    cKillSet set;
    cApplicationProcs e = Entry("C:\\A\\a.exe", "A");
    e.SetSelected(false);
    ASSERT_TRUE(set.AddToProgramSet(e, true));
    ASSERT_EQ(set.AppSet().size(), 1u);
    const cListItem* row = set.lvProgramSet().Item(1);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->text, "A");
    EXPECT_EQ(row->subItem, "C:\\A\\a.exe");
    EXPECT_EQ(row->tag, "0");
    EXPECT_FALSE(row->checked);
    EXPECT_EQ(set.EntryOfRow(1), &set.AppSet()[0]);
    EXPECT_EQ(set.EntryOfRow(2), nullptr);
}

TEST(KillSet, DuplicateTestRefusesTheSameProgramAndLeavesSetChangedAlone) {
    cKillSet set;
    ASSERT_TRUE(set.AddToProgramSet(Entry("C:\\A\\a.exe", "A"), true));
    EXPECT_TRUE(set.SetChanged());
    set.SetSetChanged(false);
    EXPECT_FALSE(set.AddToProgramSet(Entry("C:\\A\\a.exe", "A"), true));
    EXPECT_FALSE(set.SetChanged());
    // A different title, visibility or letter case is another program.
    EXPECT_TRUE(set.AddToProgramSet(Entry("C:\\A\\a.exe", "A - 2"), true));
    EXPECT_TRUE(set.AddToProgramSet(Entry("C:\\A\\a.exe", "A", false), true));
    EXPECT_TRUE(set.AddToProgramSet(Entry("C:\\A\\A.exe", "A"), true));
    EXPECT_EQ(set.lvProgramSet().Count(), 4);
    EXPECT_EQ(set.lvProgramSet().Item(4)->tag, "3");
}

TEST(KillSet, DeletedEntryDoesNotBlockTheSameLiveProgram) {
    cKillSet set;
    ASSERT_TRUE(set.AddToProgramSet(Entry("C:\\A\\a.exe", "A"), true));
    set.AppSet()[0].SetDeleted(true);
    set.lvProgramSet().Remove(1);
    EXPECT_TRUE(set.AddToProgramSet(Entry("C:\\A\\a.exe", "A"), true));
    EXPECT_EQ(set.AppSet().size(), 2u);
    EXPECT_EQ(set.lvProgramSet().Item(1)->tag, "1");
}

TEST(KillSet, WithoutDuplicateTestEqualEntriesAreAllAddedAndSetChangedStays) {
    cKillSet set;
    EXPECT_TRUE(set.AddToProgramSet(Entry("C:\\A\\a.exe", "A"), false));
    EXPECT_TRUE(set.AddToProgramSet(Entry("C:\\A\\a.exe", "A"), false));
    EXPECT_EQ(set.lvProgramSet().Count(), 2);
    EXPECT_FALSE(set.SetChanged());
}

TEST(KillSet, IsSameEntryIgnoresOnlyTheTitleWhenAsked) {
    const cApplicationProcs a = Entry("C:\\A\\a.exe", "one");
    cApplicationProcs b = Entry("C:\\A\\a.exe", "two");
    EXPECT_FALSE(cKillSet::IsSameEntry(a, b, false));
    EXPECT_TRUE(cKillSet::IsSameEntry(a, b, true));
    b.SetWinVisible(false);
    EXPECT_FALSE(cKillSet::IsSameEntry(a, b, true));
    b = a;
    b.SetDeleted(true);
    EXPECT_FALSE(cKillSet::IsSameEntry(a, b, true));
    b = a;
    b.SetExePath("c:\\a\\a.exe");
    EXPECT_FALSE(cKillSet::IsSameEntry(a, b, true));
    // Rules, ids and handles are not part of the program's identity.
    b = a;
    b.SetProcessID(99);
    b.SetHandle(77);
    b.SetCloseWait(1);
    b.SetForceClose(!a.ForceClose());
    b.SetSelected(false);
    EXPECT_TRUE(cKillSet::IsSameEntry(a, b, false));
}

TEST(KillSet, StoresCopiesSoOneScratchEntryServesManyAdditions) {
    cKillSet set;
    cApplicationProcs scratch = Entry("C:\\A\\a.exe", "A");
    EXPECT_EQ(set.AddToAppSet(scratch), 0);
    scratch.SetTitle("B");
    EXPECT_EQ(set.AddToAppSet(scratch), 1);
    EXPECT_EQ(set.AppSet()[0].Title(), "A");
    EXPECT_EQ(set.AppSet()[1].Title(), "B");
    EXPECT_EQ(set.lvProgramSet().Count(), 0); // AddToAppSet adds no row
}

TEST(KillSet, CopyEntryCopiesEveryProperty) {
    cApplicationProcs source(cKillDefaults{3, false, true, false});
    source.SetProcessID(1234);
    source.SetHandle(0x10010);
    source.SetTitle("T");
    source.SetWinVisible(true);
    source.SetDeleted(true);
    source.SetSelected(false);
    source.SetExePath("C:\\t.exe");
    source.SetCreationTime(42);
    cApplicationProcs target;
    cKillSet::CopyEntry(target, source);
    EXPECT_EQ(target.CloseWait(), 3);
    EXPECT_FALSE(target.ForceClose());
    EXPECT_TRUE(target.StopOnError());
    EXPECT_FALSE(target.IgnoreTitle());
    EXPECT_EQ(target.ProcessID(), 1234u);
    EXPECT_EQ(target.Handle(), 0x10010u);
    EXPECT_EQ(target.Title(), "T");
    EXPECT_TRUE(target.WinVisible());
    EXPECT_TRUE(target.Deleted());
    EXPECT_FALSE(target.Selected());
    EXPECT_EQ(target.ExePath(), "C:\\t.exe");
    EXPECT_EQ(target.CreationTime(), 42u);
}

TEST(KillSet, GetListAppReturnsTheInventoryObjectBehindTheRow) {
    std::vector<cApplicationProcs> apps = {Entry("C:\\a.exe", "a"), Entry("C:\\b.exe", "b")};
    cListViewModel list("lvApplications");
    EXPECT_EQ(cKillSet::AddProgramSetItem(list, "b", "C:\\b.exe", 1), 1);
    EXPECT_EQ(cKillSet::AddProgramSetItem(list, "gone", "C:\\c.exe", 2), 2);
    EXPECT_EQ(cKillSet::GetListApp(list, 1, apps), &apps[1]);
    EXPECT_EQ(cKillSet::GetListApp(list, 2, apps), nullptr); // Tag beyond the inventory
    EXPECT_EQ(cKillSet::GetListApp(list, 3, apps), nullptr);
}

TEST(KillSet, AFullSetRefusesFurtherEntries) {
    cKillSet set;
    const cApplicationProcs e = Entry("C:\\a.exe", "a");
    for (int i = 0; i < cKillSet::kMaxEntries; ++i) ASSERT_TRUE(set.AddToProgramSet(e, false));
    EXPECT_FALSE(set.AddToProgramSet(e, false));
    EXPECT_EQ(set.AddToAppSet(e), -1);
    EXPECT_EQ(set.AppSet().size(), 32767u);
    EXPECT_EQ(set.lvProgramSet().Item(32767)->tag, "32766");
}

} // namespace
} // namespace qx
