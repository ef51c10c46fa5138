#include "core/settings/cWindowSettings.h"

namespace qx {

namespace {
constexpr const char* kSection = "Options";
constexpr std::int32_t kAny = -1; // no bound on that side

std::string ColumnName(const cListGeometry& list, std::size_t index) {
    return list.name + "_Col" + std::to_string(index + 1);
}
} // namespace

std::int32_t cWindowSettings::Read(const std::string& name, std::int32_t current, std::int32_t minimum,
                                   std::int32_t maximum) {
    return registry_.GetNumericSetting(kHkeyLocalMachine, kSection, name, current, minimum, maximum);
}

void cWindowSettings::Write(const std::string& name, std::int32_t value) {
    registry_.SetNumericSetting(kHkeyLocalMachine, kSection, name, value);
}

bool cWindowSettings::GetWindowSettings(cWindowGeometry& window) {
    logger_.LogDebug("GetWindowSettings");
    if (!options_.RememberWindowPos()) return false;
    for (cListGeometry& list : window.lists) {
        list.width = Read(list.name + "_Width", list.width, 1, kAny);
        for (std::size_t i = 0; i < list.columns.size(); ++i)
            list.columns[i] = Read(ColumnName(list, i), list.columns[i], 1, kAny);
    }
    window.top = Read("FormTop", window.top, kAny, kAny);
    window.left = Read("FormLeft", window.left, kAny, kAny);
    window.width = Read("FormWidth", window.width, kAny, kAny);
    window.height = Read("FormHeight", window.height, kAny, kAny);
    // A state or tab that does not exist is replaced by the default, as any
    // other value out of range is.
    window.windowState = Read("WindowState", window.windowState, cWindowGeometry::kNormal, cWindowGeometry::kMaximized);
    window.currentTab = Read("CurrentTab", 1, 1, window.tabCount);
    return true;
}

bool cWindowSettings::SaveWindowSettings(const cWindowGeometry& window) {
    logger_.LogDebug("SaveWindowSettings");
    if (!options_.RememberWindowPos()) return false;
    if (window.windowState == cWindowGeometry::kNormal) {
        Write("FormTop", window.top);
        Write("FormLeft", window.left);
        Write("FormWidth", window.width);
        Write("FormHeight", window.height);
    }
    Write("WindowState", window.windowState);
    for (const cListGeometry& list : window.lists) {
        Write(list.name + "_Width", list.width);
        for (std::size_t i = 0; i < list.columns.size(); ++i) Write(ColumnName(list, i), list.columns[i]);
    }
    Write("CurrentTab", window.currentTab);
    return true;
}

} // namespace qx
