#include "core/startup/cCommandParser.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// The tokens as "strings | slashes", each followed by a comma.
std::string Tokens(const cCommandParser& p) {
    std::string s;
    for (std::int16_t i = 0; i <= p.StringArgCount(); ++i) s += p.getStringArg(i) + (i < p.StringArgCount() ? "," : "");
    s += " |";
    for (std::int16_t i = -1; i < p.SlashArgCount(); ++i) s += p.getSlashArg(i) + (i >= 0 ? "," : "");
    return s;
}

TEST(CommandParser, SplitsALineIntoStringsAndSlashSwitchesPassingHyphenSwitchesOver) {
    const struct {
        const char* line;
        bool upper, any;
        const char* tokens;
    } cases[] = {
        {"", false, false, " |"},
        {" \t  \t", false, false, " |"},
        {"NOTEPAD \"my set\" /F -Q second /P=x.exe", false, true, "NOTEPAD,my set,second, |/F,/P=x.exe,"},
        {"/x=word \"Mixed Case\"", true, true, "MIXED CASE, |/X=WORD,"},
        {"/t=\"r\u00e9sum\u00e9 \u00f7 \u00fe\"", true, true, " |/T=R\u00c9SUM\u00c9 \u00f7 \u00de,"},
        {"a\tb\t/F\t-G\t\"c\td\"\t/T=\"e\tf\"", false, true, "a,b,c\td, |/F,/T=e\tf,"},
        {"/ - /", false, true, " |/,/,"},
        {"-", false, true, " |"}, // ended by the blank added at the end
        {"a \"\" b", false, true, "a,,b, |"},
        {"/T=\"My Title\"extra", false, true, "extra, |/T=My Title,"},
        {"/P=a\"b c\"/F", false, true, " |/P=ab c,/F,"},
        {"/P=\"\"", false, true, " |/P=,"},
        {"-x\"y z\"w /KA/F /a-b -a/b", false, true, "w, |/KA/F,/a-b,"},
        {"a/b-c d\"e\" \"-q\" \"/r\"", false, true, "a/b-c,d\"e\",-q,/r, |"},
        // A quote never closed leaves its token unstored.
        {"a \"never closed", false, true, "a, |"},
        {"/F /P=\"C:\\Program Files\\x.exe", false, true, " |/F,"},
        {"-\"alone", false, false, " |"},
    };
    cCommandParser p; // reused: each parse starts afresh
    for (const auto& c : cases) {
        EXPECT_EQ(p.Parse(c.line, c.upper), c.any) << c.line;
        EXPECT_EQ(Tokens(p), c.tokens) << c.line;
    }
}

} // namespace
} // namespace qx
