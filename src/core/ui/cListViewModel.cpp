#include "core/ui/cListViewModel.h"

namespace qx {

std::int16_t cListViewModel::Add(const std::string& text, const std::string& subItem, const std::string& tag) {
    if (Count() == kMaxRows) return 0;
    items_.push_back(cListItem{text, subItem, tag, false, false});
    return Count();
}

cListItem* cListViewModel::Item(std::int16_t position) {
    return Valid(position) ? &items_[static_cast<std::size_t>(position - 1)] : nullptr;
}

const cListItem* cListViewModel::Item(std::int16_t position) const {
    return Valid(position) ? &items_[static_cast<std::size_t>(position - 1)] : nullptr;
}

bool cListViewModel::Remove(std::int16_t position) {
    if (!Valid(position)) return false;
    items_.erase(items_.begin() + (position - 1));
    return true;
}

bool cListViewModel::Move(std::int16_t from, std::int16_t to) {
    if (!Valid(from) || !Valid(to)) return false;
    cListItem moved = std::move(items_[static_cast<std::size_t>(from - 1)]);
    items_.erase(items_.begin() + (from - 1));
    items_.insert(items_.begin() + (to - 1), std::move(moved));
    return true;
}

bool cListViewModel::TagIndex(std::int16_t position, std::int16_t& index) const {
    const cListItem* item = Item(position);
    if (item == nullptr || item->tag.empty() || item->tag.size() > 5) return false;
    int value = 0;
    for (const char c : item->tag) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value > kMaxRows) return false;
    index = static_cast<std::int16_t>(value);
    return true;
}

} // namespace qx
