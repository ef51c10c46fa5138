// Feeds arbitrary lines to the command-line tokenizer. Besides never reading
// outside the text (the sanitizers watch that): every switch keeps its
// prefix, no token holds more characters than the line, and converting to
// upper case never changes how a line splits, only the letters of its tokens
// (compared through UpperCase, since a quote removed from inside a switch may
// join the two bytes of one letter).
#include "core/startup/cCommandParser.h"
#include "core/util/modText.h"

#include <cstddef>
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
    std::size_t characters = 0;
    for (std::int16_t i = 0; i < plain.SlashArgCount(); ++i) {
        characters += plain.getSlashArg(i).size();
        if (plain.getSlashArg(i)[0] != '/' || qx::UpperCase(upper.getSlashArg(i)) != qx::UpperCase(plain.getSlashArg(i)))
            std::abort();
    }
    for (std::int16_t i = 0; i < plain.StringArgCount(); ++i) {
        characters += plain.getStringArg(i).size();
        if (qx::UpperCase(upper.getStringArg(i)) != qx::UpperCase(plain.getStringArg(i))) std::abort();
    }
    if (characters > size || !plain.getStringArg(plain.StringArgCount()).empty() || !plain.getSlashArg(-1).empty())
        std::abort();
    return 0;
}
