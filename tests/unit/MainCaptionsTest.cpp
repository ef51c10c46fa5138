#include "core/ui/cBuiltinStringTable.h"
#include "core/ui/cMainCaptions.h"

#include <gtest/gtest.h>

#include <set>

namespace qx {
namespace {

class DroppingTable final : public IStringTable {
public:
    std::uint32_t missing = 0;
    bool LoadString(std::uint32_t id, std::string& text) override {
        return id != missing && builtin.LoadString(id, text);
    }
    cBuiltinStringTable builtin;
};

TEST(MainCaptions, WindowTextsComeFromTheStringTable) {
    cBuiltinStringTable table;
    cMainCaptions c;
    ASSERT_TRUE(c.LoadCaptions(table));
    EXPECT_EQ(c.Caption(), "Quellix");
    EXPECT_EQ(c.SetLabel(), "Current Kill Set");
    EXPECT_EQ(c.TabCaption(1), "Applications");
    EXPECT_EQ(c.TabCaption(2), "Processes");
    EXPECT_EQ(c.TabCaption(3), "");

    for (const char* list : {"lvApplications", "lvProcesses", "lvProgramSet"}) {
        const auto cols = c.ColumnHeaders(list);
        ASSERT_GE(cols.size(), 2u) << list;
        EXPECT_EQ(cols[0].caption, "Program Title");
        EXPECT_EQ(cols[1].caption, "Exe Path");
        EXPECT_EQ(cols[0].width, 2540);
        EXPECT_EQ(cols[1].width, 2540);
    }
    EXPECT_EQ(c.ColumnHeaders("lvApplications").size(), 2u);
    const auto set = c.ColumnHeaders("lvProgramSet");
    ASSERT_EQ(set.size(), 3u);
    EXPECT_EQ(set[2].key, "sort");
    EXPECT_EQ(set[2].caption, "");
    EXPECT_EQ(set[2].width, 0);
    EXPECT_TRUE(c.ColumnHeaders("lvOther").empty());
}

TEST(MainCaptions, StatusBarNamesANewSetThenStretchesBeforeDateAndTime) {
    cBuiltinStringTable table;
    cMainCaptions c;
    ASSERT_TRUE(c.LoadCaptions(table));
    const auto p = c.StatusPanels();
    EXPECT_EQ(p[0].text, "[New Set]");
    EXPECT_EQ(p[0].width, 2540);
    EXPECT_FALSE(p[0].stretch);
    EXPECT_TRUE(p[1].stretch);
    EXPECT_EQ(p[1].text, "");
    EXPECT_EQ(p[2].kind, cStatusPanel::eKind::Date);
    EXPECT_EQ(p[3].kind, cStatusPanel::eKind::Time);
}

TEST(MainCaptions, AMissingTextIsReportedAndTheOthersStillLoad) {
    DroppingTable table;
    table.missing = 1018;
    cMainCaptions c;
    EXPECT_FALSE(c.LoadCaptions(table));
    EXPECT_EQ(c.TabCaption(1), "");
    EXPECT_EQ(c.TabCaption(2), "Processes");
    EXPECT_EQ(c.SetLabel(), "Current Kill Set");
}

// Helpers add texts to the one list in parallel; the resource compiler
// would reject an id given twice only on the Windows build.
TEST(MainCaptions, StringTableGivesEveryIdOnce) {
    const auto ids = cBuiltinStringTable::Ids();
    EXPECT_EQ(std::set<std::uint32_t>(ids.begin(), ids.end()).size(), ids.size());
}

} // namespace
} // namespace qx
