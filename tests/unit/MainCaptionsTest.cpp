#include "core/ui/cBuiltinStringTable.h"
#include "core/ui/cMainCaptions.h"

#include <gtest/gtest.h>

#include <set>

namespace qx {
namespace {

class DroppingTable final : public IStringTable {
public:
    bool LoadString(std::uint32_t id, std::string& text) override { return id != 1018 && builtin.LoadString(id, text); }
    cBuiltinStringTable builtin;
};

TEST(MainCaptions, AMissingTextIsReportedAndTheOthersStillLoad) {
    DroppingTable table;
    cMainCaptions c;
    EXPECT_FALSE(c.LoadCaptions(table));
    EXPECT_EQ(c.TabCaption(1), "");
    EXPECT_EQ(c.TabCaption(2), "Processes");
    EXPECT_EQ(c.TabCaption(3), "");
    EXPECT_EQ(c.SetLabel(), "Current Kill Set");
    EXPECT_TRUE(c.LoadCaptions(table.builtin));
    EXPECT_EQ(c.TabCaption(1), "Applications");
    EXPECT_EQ(c.ColumnHeaders("lvProgramSet").size(), 3u); // the sort key's hidden column
    EXPECT_TRUE(c.ColumnHeaders("lvOther").empty());
    // Helpers add texts to the one list in parallel; only the Windows build
    // would reject an id given twice.
    const auto ids = cBuiltinStringTable::Ids();
    EXPECT_EQ(std::set<std::uint32_t>(ids.begin(), ids.end()).size(), ids.size());
}

} // namespace
} // namespace qx
