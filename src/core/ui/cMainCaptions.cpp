#include "core/ui/cMainCaptions.h"

#include "core/ui/cMainLayout.h"

namespace qx {

bool cMainCaptions::LoadCaptions(IStringTable& strings) {
    bool all = true;
    const auto load = [&](std::uint32_t id, std::string& text) { all = strings.LoadString(id, text) && all; };
    load(1000, caption_);
    load(1013, newSet_);
    load(1016, titleColumn_);
    load(1017, exeColumn_);
    load(1018, applicationsTab_);
    load(1019, processesTab_);
    load(1020, setLabel_);
    return all;
}

std::string cMainCaptions::TabCaption(int index) const {
    if (index == 1) return applicationsTab_;
    if (index == 2) return processesTab_;
    return {};
}

std::vector<cColumnHeader> cMainCaptions::ColumnHeaders(const std::string& listName) const {
    std::vector<cColumnHeader> columns;
    if (listName != "lvApplications" && listName != "lvProcesses" && listName != "lvProgramSet") return columns;
    columns.push_back({"", titleColumn_, cMainLayout::kColumnWidth});
    columns.push_back({"", exeColumn_, cMainLayout::kColumnWidth});
    if (listName == "lvProgramSet") columns.push_back({"sort", "", 0});
    return columns;
}

std::array<cStatusPanel, 4> cMainCaptions::StatusPanels() const {
    using K = cStatusPanel::eKind;
    return {{{K::Text, cMainLayout::kColumnWidth, false, newSet_},
             {K::Text, 0, true, ""},
             {K::Date, 0, false, ""},
             {K::Time, 0, false, ""}}};
}

} // namespace qx
