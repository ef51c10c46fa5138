#pragma once
// The main window's status bar: the set's name in a fixed first panel, an
// empty panel that takes the remaining width, then today's date and the
// time, kept current by the window's clock timer.
#include "win32/WinApi.h"

#include <string>

namespace qx::win32 {

class cMainStatusBar {
public:
    // Creates the bar at the bottom of `parent`; panel 1 is `firstPanelTwips` wide.
    HWND Create(HWND parent, int firstPanelTwips);
    HWND Window() const { return status_; }
    // The font the panels are measured with (the bar's own font).
    void SetFont(HFONT font);
    // Places the panel edges for the parent's width at `dpi`.
    void Layout(int dpi);
    // Shows the current date and time; re-lays the panels when their width may change.
    void UpdateClock(int dpi);

private:
    HWND parent_ = nullptr;
    HWND status_ = nullptr;
    HFONT font_ = nullptr;
    int firstPanelTwips_ = 0;
    std::wstring date_, time_;
};

} // namespace qx::win32
