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

namespace {

std::size_t Characters(const qx::cCommandParser& p) {
    std::size_t n = 0;
    for (std::int16_t i = 0; i < p.StringArgCount(); ++i) n += p.getStringArg(i).size();
    for (std::int16_t i = 0; i < p.SlashArgCount(); ++i) n += p.getSlashArg(i).size();
    for (std::int16_t i = 0; i < p.HyphenArgCount(); ++i) n += p.getHyphenArg(i).size();
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    qx::cCommandParser plain, upper;
    const bool any = plain.Parse(line, false);
    if (any != (plain.StringArgCount() + plain.SlashArgCount() + plain.HyphenArgCount() > 0)) std::abort();
    if (Characters(plain) > size) std::abort();
    for (std::int16_t i = 0; i < plain.SlashArgCount(); ++i)
        if (plain.getSlashArg(i).empty() || plain.getSlashArg(i)[0] != '/') std::abort();
    for (std::int16_t i = 0; i < plain.HyphenArgCount(); ++i)
        if (plain.getHyphenArg(i).empty() || plain.getHyphenArg(i)[0] != '-') std::abort();
    if (!plain.getStringArg(plain.StringArgCount()).empty() || !plain.getSlashArg(-1).empty()) std::abort();

    if (upper.Parse(line, true) != any) std::abort();
    if (upper.StringArgCount() != plain.StringArgCount() || upper.SlashArgCount() != plain.SlashArgCount() ||
        upper.HyphenArgCount() != plain.HyphenArgCount())
        std::abort();
    for (std::int16_t i = 0; i < plain.StringArgCount(); ++i)
        if (qx::UpperCase(upper.getStringArg(i)) != qx::UpperCase(plain.getStringArg(i))) std::abort();
    for (std::int16_t i = 0; i < plain.SlashArgCount(); ++i)
        if (qx::UpperCase(upper.getSlashArg(i)) != qx::UpperCase(plain.getSlashArg(i))) std::abort();
    for (std::int16_t i = 0; i < plain.HyphenArgCount(); ++i)
        if (qx::UpperCase(upper.getHyphenArg(i)) != qx::UpperCase(plain.getHyphenArg(i))) std::abort();
    return 0;
}
