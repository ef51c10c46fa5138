#include "core/startup/cCommandParser.h"
#include "core/util/modText.h"

#include <gtest/gtest.h>

#include <vector>

namespace qx {
namespace {

using Tokens = std::vector<std::string>;

TEST(CommandParser, SplitsALineIntoStringsSlashSwitchesAndHyphenSwitches) {
    const struct {
        const char* line;
        bool upper;
        Tokens strings, slashes, hyphens;
    } cases[] = {
        {"", false, {}, {}, {}},
        {" \t  \t", false, {}, {}, {}},
        {"NOTEPAD \"my set\" /F -Q second /P=x.exe", false, {"NOTEPAD", "my set", "second"}, {"/F", "/P=x.exe"}, {"-Q"}},
        {"/x=word \"Mixed Case\"", true, {"MIXED CASE"}, {"/X=WORD"}, {}},
        {"/x=word \"Mixed Case\"", false, {"Mixed Case"}, {"/x=word"}, {}},
        {"/t=\"r\u00e9sum\u00e9 \u00f7 \u00fe\"", true, {}, {"/T=R\u00c9SUM\u00c9 \u00f7 \u00de"}, {}},
        {"a\tb\t/F\t-G\t\"c\td\"\t/T=\"e\tf\"", false, {"a", "b", "c\td"}, {"/F", "/T=e\tf"}, {"-G"}},
        {"/ - /", false, {}, {"/", "/"}, {"-"}},
        {"-", false, {}, {}, {"-"}}, // ended by the blank added at the end
        {"a \"\" b", false, {"a", "", "b"}, {}, {}},
        {"/T=\"My Title\"extra", false, {"extra"}, {"/T=My Title"}, {}},
        {"/P=a\"b c\"/F", false, {}, {"/P=ab c", "/F"}, {}},
        {"/P=\"\"", false, {}, {"/P="}, {}},
        {"-x\"y z\"w", false, {"w"}, {}, {"-xy z"}},
        {"/KA/F /a-b -a/b", false, {}, {"/KA/F", "/a-b"}, {"-a/b"}},
        {"a/b-c d\"e\" \"-q\" \"/r\"", false, {"a/b-c", "d\"e\"", "-q", "/r"}, {}, {}},
        {"a \"never closed", false, {"a"}, {}, {}},
        {"/F /P=\"C:\\Program Files\\x.exe", false, {}, {"/F"}, {}},
        {"\"alone", false, {}, {}, {}},
        {"-\"alone", false, {}, {}, {}},
    };
    cCommandParser p; // reused: each parse starts afresh
    for (const auto& c : cases) {
        const bool any = p.Parse(c.line, c.upper);
        Tokens strings, slashes, hyphens;
        for (std::int16_t i = 0; i < p.StringArgCount(); ++i) strings.push_back(p.getStringArg(i));
        for (std::int16_t i = 0; i < p.SlashArgCount(); ++i) slashes.push_back(p.getSlashArg(i));
        for (std::int16_t i = 0; i < p.HyphenArgCount(); ++i) hyphens.push_back(p.getHyphenArg(i));
        EXPECT_EQ(strings, c.strings) << c.line;
        EXPECT_EQ(slashes, c.slashes) << c.line;
        EXPECT_EQ(hyphens, c.hyphens) << c.line;
        EXPECT_EQ(any, !(c.strings.empty() && c.slashes.empty() && c.hyphens.empty())) << c.line;
        EXPECT_EQ(p.getStringArg(p.StringArgCount()), "");
        EXPECT_EQ(p.getSlashArg(-1), "");
    }
}

TEST(TextHelpers, TrimBlanksTakesBlanksAndTabsFromBothEndsOnly) {
    EXPECT_EQ(TrimBlanks(" \t/DEBUG \t"), "/DEBUG");
    EXPECT_EQ(TrimBlanks("a b"), "a b");
    EXPECT_EQ(TrimBlanks(" \t "), "");
    EXPECT_EQ(UpperCase("abc\u00ff\u00e0z1"), "ABC\u00ff\u00c0Z1");
}

} // namespace
} // namespace qx
