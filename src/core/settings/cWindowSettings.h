#pragma once
// The saved layout of the main window: position, size and state, the width
// of every list view and of its columns, and the selected tab, kept beside
// the options. The window describes its geometry in a cWindowGeometry, in
// the units its layer works in (twips), and applies what comes back.
#include "core/log/cLogger.h"
#include "core/settings/cAppRegAPI.h"
#include "core/settings/cQuellixOptions.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qx {

struct cListGeometry {
    std::string name; // control name, "lvApplications": names the stored values
    std::int32_t width = 0;
    std::vector<std::int32_t> columns; // widths, column 1 first
};

struct cWindowGeometry {
    static constexpr std::int32_t kNormal = 0, kMinimized = 1, kMaximized = 2;

    // The window's normal (restored) rectangle.
    std::int32_t top = 0, left = 0, width = 0, height = 0;
    std::int32_t windowState = kNormal;
    std::vector<cListGeometry> lists;
    std::int32_t currentTab = 1; // from 1
    std::int32_t tabCount = 2;
};

class cWindowSettings {
public:
    // The check mark of "&Remember Window Position" starts as the option is.
    cWindowSettings(cAppRegAPI& registry, cQuellixOptions& options, cLogger& logger)
        : registry_(registry), options_(options), logger_(logger), rememberMark_(options.RememberWindowPos()) {}

    // The menu item inverts its mark and nothing else: the option follows
    // only when the close takes the mark, before the options are saved, so
    // switching it off already spares the layout of that same close.
    bool RememberMark() const { return rememberMark_; }
    void mORememberPosition_Click() { rememberMark_ = !rememberMark_; }
    void TakeRememberMark() { options_.SetRememberWindowPos(rememberMark_); }

    // With the Remember Window Position option on, replaces the window's
    // values by the saved ones; a value not saved yet is stored from the
    // window as it is. False, and nothing read, when the option is off.
    // The window applies list widths and columns, then the rectangle, then
    // the state (so a maximized window un-maximizes to the saved rectangle),
    // then the tab.
    bool GetWindowSettings(cWindowGeometry& window);
    // Writes the layout when the option is on. The
    // rectangle is written only from a normal window, so a minimized or
    // maximized exit keeps the last normal one. False when nothing was written.
    bool SaveWindowSettings(const cWindowGeometry& window);

private:
    std::int32_t Read(const std::string& name, std::int32_t current, std::int32_t minimum, std::int32_t maximum);
    void Write(const std::string& name, std::int32_t value);

    cAppRegAPI& registry_;
    cQuellixOptions& options_;
    cLogger& logger_;
    bool rememberMark_;
};

} // namespace qx
