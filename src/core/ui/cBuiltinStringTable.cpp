#include "core/ui/cBuiltinStringTable.h"

#include <iterator>

namespace qx {
namespace {
struct Entry {
    std::uint32_t id;
    const char* text;
};
constexpr Entry kTable[] = {
#define QX_STRING(id, text) {id, text},
#include "core/ui/StringTable.inc"
#undef QX_STRING
};
} // namespace

bool cBuiltinStringTable::LoadString(std::uint32_t id, std::string& text) {
    for (const Entry& e : kTable) {
        if (e.id == id) {
            text = e.text;
            return true;
        }
    }
    return false;
}

} // namespace qx
