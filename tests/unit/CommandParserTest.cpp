#include "core/startup/cCommandParser.h"
#include "core/util/modText.h"

#include <gtest/gtest.h>

#include <vector>

namespace qx {
namespace {

using Tokens = std::vector<std::string>;

struct Split {
    Tokens strings, slashes, hyphens;
    bool result = false;
};

Split Parse(const std::string& line, bool upper = false) {
    cCommandParser p;
    Split s;
    s.result = p.Parse(line, upper);
    for (std::int16_t i = 0; i < p.StringArgCount(); ++i) s.strings.push_back(p.getStringArg(i));
    for (std::int16_t i = 0; i < p.SlashArgCount(); ++i) s.slashes.push_back(p.getSlashArg(i));
    for (std::int16_t i = 0; i < p.HyphenArgCount(); ++i) s.hyphens.push_back(p.getHyphenArg(i));
    EXPECT_EQ(s.result, p.HasArgs());
    return s;
}

TEST(CommandParser, NothingButBlanksAndTabsStoresNothing) {
    for (const char* line : {"", " ", "\t", " \t  \t"}) {
        const Split s = Parse(line);
        EXPECT_FALSE(s.result) << '[' << line << ']';
        EXPECT_TRUE(s.strings.empty() && s.slashes.empty() && s.hyphens.empty());
    }
}

TEST(CommandParser, EachKindOfTokenGoesToItsOwnListInOrder) {
    const Split s = Parse("NOTEPAD \"my set\" /F -Q second /P=x.exe");
    EXPECT_TRUE(s.result);
    EXPECT_EQ(s.strings, (Tokens{"NOTEPAD", "my set", "second"}));
    EXPECT_EQ(s.slashes, (Tokens{"/F", "/P=x.exe"}));
    EXPECT_EQ(s.hyphens, (Tokens{"-Q"}));
}

TEST(CommandParser, UpperCaseConvertsQuotedPartsTooAndLowerIsKeptOtherwise) {
    EXPECT_EQ(Parse("/x=word \"Mixed Case\"", true).slashes, Tokens{"/X=WORD"});
    EXPECT_EQ(Parse("/x=word \"Mixed Case\"", true).strings, Tokens{"MIXED CASE"});
    EXPECT_EQ(Parse("/t=\"r\u00e9sum\u00e9 \u00f7 \u00fe\"", true).slashes, Tokens{"/T=R\u00c9SUM\u00c9 \u00f7 \u00de"});
    EXPECT_EQ(Parse("/x=word \"Mixed Case\"", false).strings, Tokens{"Mixed Case"});
    EXPECT_EQ(Parse("/x=word", false).slashes, Tokens{"/x=word"});
}

TEST(CommandParser, TabSeparatesLikeABlankExceptInsideQuotes) {
    const Split s = Parse("a\tb\t/F\t-G\t\"c\td\"\t/T=\"e\tf\"");
    EXPECT_EQ(s.strings, (Tokens{"a", "b", "c\td"}));
    EXPECT_EQ(s.slashes, (Tokens{"/F", "/T=e\tf"}));
    EXPECT_EQ(s.hyphens, Tokens{"-G"});
}

TEST(CommandParser, LoneSlashAndHyphenAreOneCharacterSwitches) {
    const Split s = Parse("/ - /");
    EXPECT_EQ(s.slashes, (Tokens{"/", "/"}));
    EXPECT_EQ(s.hyphens, Tokens{"-"});
    EXPECT_EQ(Parse("-").hyphens, Tokens{"-"}); // ended by the blank added at the end
}

TEST(CommandParser, EmptyQuotesAreOneEmptyStringArgument) {
    const Split s = Parse("\"\"");
    EXPECT_TRUE(s.result);
    EXPECT_EQ(s.strings, Tokens{""});
    EXPECT_EQ(Parse("a \"\" b").strings, (Tokens{"a", "", "b"}));
}

TEST(CommandParser, ClosingQuoteEndsASwitchAndWhatFollowsIsANewToken) {
    const Split s = Parse("/T=\"My Title\"extra");
    EXPECT_EQ(s.slashes, Tokens{"/T=My Title"});
    EXPECT_EQ(s.strings, Tokens{"extra"});
    const Split t = Parse("/P=a\"b c\"/F");
    EXPECT_EQ(t.slashes, (Tokens{"/P=ab c", "/F"}));
    EXPECT_EQ(Parse("/P=\"\"").slashes, Tokens{"/P="});
    EXPECT_EQ(Parse("-x\"y z\"w").hyphens, Tokens{"-xy z"});
    EXPECT_EQ(Parse("-x\"y z\"w").strings, Tokens{"w"});
}

TEST(CommandParser, SlashAndHyphenInsideATokenAreOrdinaryCharacters) {
    EXPECT_EQ(Parse("/KA/F").slashes, Tokens{"/KA/F"});
    EXPECT_EQ(Parse("/a-b").slashes, Tokens{"/a-b"});
    EXPECT_EQ(Parse("-a/b").hyphens, Tokens{"-a/b"});
    const Split s = Parse("a/b-c d\"e\" \"-q\" \"/r\"");
    EXPECT_EQ(s.strings, (Tokens{"a/b-c", "d\"e\"", "-q", "/r"}));
    EXPECT_TRUE(s.slashes.empty());
    EXPECT_TRUE(s.hyphens.empty());
}

TEST(CommandParser, QuoteNeverClosedIsDiscarded) {
    const Split s = Parse("a \"never closed");
    EXPECT_EQ(s.strings, Tokens{"a"});
    const Split t = Parse("/F /P=\"C:\\Program Files\\x.exe");
    EXPECT_EQ(t.slashes, Tokens{"/F"});
    EXPECT_FALSE(Parse("\"alone").result);
    EXPECT_FALSE(Parse("-\"alone").result);
}

TEST(CommandParser, EachParseStartsAfreshAndGettersOutsideTheListsGiveEmptyText) {
    cCommandParser p;
    ASSERT_TRUE(p.Parse("a b /c -d", false));
    ASSERT_FALSE(p.Parse("  ", false));
    EXPECT_EQ(p.StringArgCount(), 0);
    EXPECT_EQ(p.SlashArgCount(), 0);
    EXPECT_EQ(p.HyphenArgCount(), 0);
    EXPECT_FALSE(p.HasArgs());
    EXPECT_EQ(p.getStringArg(0), "");
    ASSERT_TRUE(p.Parse("x /y", false));
    EXPECT_EQ(p.getStringArg(-1), "");
    EXPECT_EQ(p.getStringArg(1), "");
    EXPECT_EQ(p.getSlashArg(1), "");
    EXPECT_EQ(p.getHyphenArg(0), "");
    EXPECT_EQ(p.getSlashArg(0), "/y");
}

TEST(TextHelpers, TrimBlanksTakesBlanksAndTabsFromBothEndsOnly) {
    EXPECT_EQ(TrimBlanks(" \t/DEBUG \t"), "/DEBUG");
    EXPECT_EQ(TrimBlanks("a b"), "a b");
    EXPECT_EQ(TrimBlanks(" \t "), "");
    EXPECT_EQ(UpperCase("abc\u00ff\u00e0z1"), "ABC\u00ff\u00c0Z1");
}

} // namespace
} // namespace qx
