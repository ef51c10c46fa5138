#include "core/startup/cCommandParser.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(CommandParser, SplitsALineIntoStringsAndSlashSwitchesPassingHyphenSwitchesOver) {
    // The line, whether it is taken in upper case, whether it holds any token, and the tokens as
    // "strings | slashes", each followed by a comma.
    const std::tuple<const char*, bool, bool, const char*> cases[] = {
        {" \t  \t/ -", false, true, " |/,"}, // ended by the blank added at the end
        {"NOTEPAD \"my set\" /F -Q second /P=x.exe", false, true, "NOTEPAD,my set,second, |/F,/P=x.exe,"},
        {"/t=\"r\u00e9sum\u00e9 \u00f7\" \"Mixed Case\"", true, true, "MIXED CASE, |/T=R\u00c9SUM\u00c9 \u00f7,"},
        {"a\tb\t/F\t-G\t\"c\td\"\t/T=\"e\tf\"", false, true, "a,b,c\td, |/F,/T=e\tf,"},
        {"a \"\" b", false, true, "a,,b, |"},
        {"/T=\"My Title\"extra /P=a\"b c\"/F /P=\"\"", false, true, "extra, |/T=My Title,/P=ab c,/F,/P=,"},
        {"-x\"y z\"w /KA/F /a-b -a/b", false, true, "w, |/KA/F,/a-b,"},
        {"a/b-c d\"e\" \"-q\" \"/r\"", false, true, "a/b-c,d\"e\",-q,/r, |"},
        // A quote never closed leaves its token unstored.
        {"a \"never closed", false, true, "a, |"},
        {"-\"alone", false, false, " |"},
    };
    cCommandParser p; // reused: each parse starts afresh
    for (const auto& [line, upper, any, expected] : cases) {
        EXPECT_EQ(p.Parse(line, upper), any) << line;
        std::string tokens;
        // One past each end reads as empty.
        for (std::int16_t i = 0; i <= p.StringArgCount(); ++i)
            tokens += p.getStringArg(i) + (i < p.StringArgCount() ? "," : " |");
        for (std::int16_t i = -1; i < p.SlashArgCount(); ++i) tokens += p.getSlashArg(i) + (i >= 0 ? "," : "");
        EXPECT_EQ(tokens, expected) << line;
    }
}

} // namespace
} // namespace qx
