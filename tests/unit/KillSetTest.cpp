// The current set's entries and rows, and the list rows they live in.
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

std::vector<std::string> Rows(const cListViewModel& list) {
    std::vector<std::string> rows;
    for (const cListItem& i : list.Items())
        rows.push_back(i.text + "|" + i.subItem + "|" + i.tag + (i.checked ? "+" : ""));
    return rows;
}

TEST(ListViewModel, RowsCountFromOneAndTagsAreDecimalIndexesWithinSixteenBits) {
    cListViewModel list;
    for (const char* tag : {"0", "32767", "007", "", "-1", "1x", " 1", "32768"})
        list.Add(tag, "", tag);
    std::vector<int> indexes;
    for (std::int16_t row = 0; row <= 9; ++row) {
        std::int16_t index = -1;
        indexes.push_back(list.TagIndex(row, index) ? index : -1);
    }
    EXPECT_EQ(indexes, (std::vector<int>{-1, 0, 32767, 7, -1, -1, -1, -1, -1, -1}));
    EXPECT_TRUE(list.Move(4, 1) && list.Move(2, 4) && list.Remove(2));
    EXPECT_FALSE(list.Move(0, 1) || list.Move(1, 8) || list.Remove(8) || list.Item(0) || list.Item(8));
    std::vector<std::string> texts;
    for (const cListItem& i : list.Items())
        texts.push_back(i.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"", "007", "0", "-1", "1x", " 1", "32768"}));
}

TEST(KillSet, AddsCopiesWithCheckedRowsAndRefusesTheSameProgramOnlyWhenAsked) {
    const struct {
        const char* path;
        const char* title;
        bool visible, selected, checkDuplicates, added;
    } adds[] = {
        {"C:\\A\\a.exe", "A", true, false, true, true},    {"C:\\A\\a.exe", "A", true, true, true, false},
        {"C:\\A\\a.exe", "A - 2", true, true, true, true}, {"C:\\A\\a.exe", "A", false, true, true, true},
        {"C:\\A\\A.exe", "A", true, true, true, true},     {"C:\\A\\a.exe", "A", true, true, false, true},
    };
    cKillSet set;
    for (const auto& a : adds) {
        cApplicationProcs e;
        e.SetExePath(a.path);
        e.SetTitle(a.title);
        e.SetWinVisible(a.visible);
        e.SetSelected(a.selected);
        set.SetSetChanged(false);
        EXPECT_EQ(set.AddToProgramSet(e, a.checkDuplicates), a.added) << a.title;
        EXPECT_EQ(set.SetChanged(), a.added && a.checkDuplicates) << a.title;
    }
    const cApplicationProcs again = set.AppSet()[0];
    for (const std::size_t i : {0u, 4u})
        set.AppSet()[i].SetDeleted(true); // not in the way of the same live program
    set.lvProgramSet().Remove(5);
    set.lvProgramSet().Remove(1);
    EXPECT_TRUE(set.AddToProgramSet(again, true));
    EXPECT_EQ(Rows(set.lvProgramSet()), (std::vector<std::string>{"A - 2|C:\\A\\a.exe|1+", "A|C:\\A\\a.exe|2+",
                                                                  "A|C:\\A\\A.exe|3+", "A|C:\\A\\a.exe|5"}));
    EXPECT_EQ(set.EntryOfRow(1), &set.AppSet()[1]);
    set.lvProgramSet().Item(1)->tag = "6";
    EXPECT_EQ(set.EntryOfRow(1), nullptr);
    EXPECT_TRUE(cKillSet::IsSameEntry(set.AppSet()[1], set.AppSet()[5], true));
    EXPECT_FALSE(cKillSet::IsSameEntry(set.AppSet()[1], set.AppSet()[5], false));
}

TEST(KillSet, AFullSetRefusesFurtherEntriesAndARunOverItEndsAfterItsLastRow) {
    fake::cRunHarness h;
    for (int i = 0; i < cKillSet::kMaxEntries; ++i)
        h.AddRow("C:\\Apps\\gone.exe", "Gone");
    EXPECT_FALSE(h.set.AddToProgramSet(cApplicationProcs{}, false));
    EXPECT_EQ(h.set.AppSet().size(), 32767u);
    EXPECT_EQ(h.set.lvProgramSet().Add("t", "p", "0"), 0); // the list's own limit
    for (std::int16_t row = 1; row < cKillSet::kMaxEntries; ++row)
        h.set.lvProgramSet().Item(row)->checked = false;
    h.set.AppSet().back().SetTitle("Last");
    h.run.KillCurrentSet();
    EXPECT_EQ(h.ActionTexts(), std::vector<std::string>{"'Last' couldn't be killed.  It wasn't running."});
    EXPECT_EQ(h.set.lvProgramSet().Item(32767)->tag, "32766");
}

} // namespace
} // namespace qx
