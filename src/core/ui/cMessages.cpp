#include "core/ui/cMessages.h"

#include "core/ui/modResourceText.h"

namespace qx {
namespace {

struct Source {
    std::int16_t index;
    std::uint32_t id;
    bool multiLine;
};
// Entries 0, 1, 2, 17, 18 and 21 carry no text; 4, 5 and 6 are built below.
constexpr Source kSingle[] = {{3, 1183, false},  {7, 1163, false},  {8, 1013, false},  {9, 1164, false},
                              {10, 1165, false}, {11, 1166, false}, {12, 1167, false}, {13, 1168, false},
                              {14, 1151, true},  {15, 1152, false}, {16, 1169, false}, {19, 1172, false},
                              {20, 1182, false}};

struct Around {
    std::int16_t index;
    std::uint32_t before;
    std::uint32_t after; // begins with the backslash of "\data"
    bool multiLine;
};
constexpr Around kAroundFolder[] = {{4, 1157, 1158, true}, {5, 1159, 1160, true}, {6, 1161, 1162, false}};

bool Load(IStringTable& table, std::uint32_t id, bool multiLine, std::string& text) {
    std::string probe;
    if (!table.LoadString(id, probe)) return false;
    text = multiLine ? LoadResourceText(table, id) : probe;
    return true;
}

} // namespace

bool cMessages::LoadMessages(IStringTable& table, const std::string& programFolder) {
    texts_ = {};
    bool all = true;
    // A folder at a drive's root may come with its backslash; the texts supply their own.
    std::string folder = programFolder;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    for (const Around& a : kAroundFolder) {
        std::string before, after;
        all = Load(table, a.before, a.multiLine, before) && all;
        all = Load(table, a.after, a.multiLine, after) && all;
        texts_[static_cast<std::size_t>(a.index)] = before + folder + after;
    }
    for (const Source& s : kSingle) all = Load(table, s.id, s.multiLine, texts_[static_cast<std::size_t>(s.index)]) && all;
    return all;
}

const std::string& cMessages::operator[](int index) const {
    static const std::string empty;
    return index >= 0 && index < kCount ? texts_[static_cast<std::size_t>(index)] : empty;
}

} // namespace qx
