#pragma once
// The rows of one list view of the main window, kept apart from the control
// so that the lists' logic runs and is tested without a window; the window
// only renders them. Rows are counted from 1, as the lists show them.
#include <cstdint>
#include <string>
#include <vector>

namespace qx {

struct cListItem {
    std::string text;    // column 1, "Program Title"
    std::string subItem; // column 2, "Exe Path"
    std::string tag;     // index of the row's entry, as decimal text
    bool checked = false;
    bool selected = false;
};

class cListViewModel {
public:
    static constexpr std::int16_t kMaxRows = 32767; // positions are 16-bit

    explicit cListViewModel(std::string name = {}) : name_(std::move(name)) {}

    // The control's name ("lvProgramSet"), by which dragged rows name their list.
    const std::string& Name() const { return name_; }
    std::int16_t Count() const { return static_cast<std::int16_t>(items_.size()); }

    // Appends a row; its position, or 0 when the list is full.
    std::int16_t Add(const std::string& text, const std::string& subItem, const std::string& tag);
    // The row at a position, or nullptr outside 1..Count.
    cListItem* Item(std::int16_t position);
    const cListItem* Item(std::int16_t position) const;
    bool Remove(std::int16_t position);
    void Clear() { items_.clear(); }
    // Takes the row at `from` out and puts it at `to` (both 1-based).
    bool Move(std::int16_t from, std::int16_t to);
    const std::vector<cListItem>& Items() const { return items_; }
    // The row's Tag read as an index: plain decimal digits within 0..32767.
    // False for a missing row or any other text.
    bool TagIndex(std::int16_t position, std::int16_t& index) const;

private:
    bool Valid(std::int16_t position) const { return position >= 1 && position <= Count(); }

    std::string name_;
    std::vector<cListItem> items_;
};

} // namespace qx
