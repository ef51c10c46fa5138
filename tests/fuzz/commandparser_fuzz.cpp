// Feeds arbitrary lines to the command-line tokenizer. Besides never reading
// outside the text (the sanitizers watch that): every slash switch keeps its
// prefix, the tokens together hold no more characters than the line, and converting to
// upper case never changes how a line splits, only the letters of its tokens
// (compared through UpperCase, since a quote removed from inside a switch may
// join the two bytes of one letter).
#include "core/startup/cCommandParser.h"
#include "core/util/modText.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    qx::cCommandParser plain, upper;
    const bool any = plain.Parse(line, false);
    if (upper.Parse(line, true) != any || upper.StringArgCount() != plain.StringArgCount() ||
        upper.SlashArgCount() != plain.SlashArgCount() || (!any && plain.StringArgCount() + plain.SlashArgCount() > 0))
        std::abort();
    // Past its end a list reads as empty, so one walk covers both.
    std::string all, allUpper;
    std::size_t separators = 0;
    for (std::int16_t i = 0; i < plain.SlashArgCount() || i < plain.StringArgCount(); ++i) {
        if (i < plain.SlashArgCount() && plain.getSlashArg(i)[0] != '/') std::abort();
        all += plain.getSlashArg(i) + '\n' + plain.getStringArg(i) + '\n';
        allUpper += upper.getSlashArg(i) + '\n' + upper.getStringArg(i) + '\n';
        separators += 2;
    }
    if (all.size() > size + separators || qx::UpperCase(all) != qx::UpperCase(allUpper)) std::abort();
    return 0;
}
