#include "core/ui/cBuiltinStringTable.h"
#include "core/ui/cMessages.h"
#include "core/ui/modResourceText.h"

#include <gtest/gtest.h>

#include <map>

namespace qx {
namespace {

class MapTable final : public IStringTable {
public:
    std::map<std::uint32_t, std::string> texts;
    bool LoadString(std::uint32_t id, std::string& text) override {
        const auto it = texts.find(id);
        if (it == texts.end()) return false;
        text = it->second;
        return true;
    }
};

TEST(LoadResourceText, PutsACarriageReturnBeforeEveryLineFeedAndNothingElse) {
    MapTable t;
    t.texts = {{1, "one line"}, {2, "a\n\nb"}, {3, "\r\n kept \t"}};
    EXPECT_EQ(LoadResourceText(t, 1), "one line");
    EXPECT_EQ(LoadResourceText(t, 2), "a\r\n\r\nb");
    EXPECT_EQ(LoadResourceText(t, 3), "\r\r\n kept \t");
    EXPECT_EQ(LoadResourceText(t, 99), "");
}

TEST(Messages, TheDataFolderBesideTheProgramIsNamedInsideTheTexts) {
    cBuiltinStringTable table;
    cMessages m;
    ASSERT_TRUE(m.LoadMessages(table, "C:\\Tools\\Q"));
    EXPECT_EQ(m[4], "Unable to create the data directory.\r\n\r\nIs it OK to create data in C:\\Tools\\Q\\data or do you "
                    "want to cancel saving?");
    EXPECT_EQ(m[5], "Unable to create the data directory.\r\n\r\nIs it OK to try to create C:\\Tools\\Q\\data as the data "
                    "directory?");
    EXPECT_EQ(m[6], "Using C:\\Tools\\Q\\data as the data directory.");
    EXPECT_EQ(m[20], "' couldn't be killed.  It wasn't running.");
    for (const int empty : {0, 17, 18, 21, -1}) EXPECT_EQ(m[empty], "") << empty;
    ASSERT_TRUE(m.LoadMessages(table, "D:\\"));
    EXPECT_EQ(m[6], "Using D:\\data as the data directory.");
}

TEST(Messages, MissingTextIsReportedAndLeavesItsEntryEmpty) {
    MapTable t;
    cBuiltinStringTable builtin;
    for (const std::uint32_t id : cBuiltinStringTable::Ids()) builtin.LoadString(id, t.texts[id]);
    t.texts.erase(1172);
    cMessages m;
    EXPECT_FALSE(m.LoadMessages(t, "C:\\Q"));
    EXPECT_EQ(m[19], "");
    EXPECT_EQ(m[20], "' couldn't be killed.  It wasn't running.");
}

} // namespace
} // namespace qx
