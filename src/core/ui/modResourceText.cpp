#include "core/ui/modResourceText.h"

namespace qx {

std::string LoadResourceText(IStringTable& table, std::uint32_t id) {
    std::string stored;
    if (!table.LoadString(id, stored)) return {};
    std::string text;
    text.reserve(stored.size() + 8);
    for (const char c : stored) {
        if (c == '\n') text += '\r';
        text += c;
    }
    return text;
}

} // namespace qx
