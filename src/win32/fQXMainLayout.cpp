// The main window's geometry: the saved position, size and column widths,
// the controls' places as the layout model computes them, the splitter and
// the tab strip.
#include "win32/fQXMain.h"

#include "win32/modListViewRows.h"

#include <commctrl.h>

#include <algorithm>

namespace qx::win32 {
namespace {

// The window's rectangle is kept in twips of a 96-dpi screen, whatever the
// DPI of the monitor it is on: screen pixels are the same on every monitor,
// so a rectangle saved on one comes back the same on any other.
constexpr int kScreenDpi = 96;

int ScreenTwips(LONG pixels) { return cMainLayout::PixelsToTwips(static_cast<int>(pixels), kScreenDpi); }
LONG ScreenPixels(int twips) { return cMainLayout::TwipsToPixels(twips, kScreenDpi); }

} // namespace

cWindowGeometry fQXMain::Geometry() const {
    cWindowGeometry g;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(hwnd_, &wp);
    g.top = ScreenTwips(wp.rcNormalPosition.top);
    g.left = ScreenTwips(wp.rcNormalPosition.left);
    g.width = ScreenTwips(wp.rcNormalPosition.right - wp.rcNormalPosition.left);
    g.height = ScreenTwips(wp.rcNormalPosition.bottom - wp.rcNormalPosition.top);
    g.windowState = IsIconic(hwnd_) ? cWindowGeometry::kMinimized
                    : IsZoomed(hwnd_) ? cWindowGeometry::kMaximized
                                      : cWindowGeometry::kNormal;
    const auto list = [&](HWND w, const std::string& name, int width) {
        cListGeometry l;
        l.name = name;
        l.width = width;
        const std::vector<int> widths = ColumnWidths(w);
        for (std::size_t c = 0; c < widths.size(); ++c)
            if (!IsHiddenColumn(w, static_cast<int>(c))) l.columns.push_back(PixelsToTwips(widths[c]));
        g.lists.push_back(std::move(l));
    };
    list(lvApplications_, "lvApplications", layout_.ProcessLists().width);
    list(lvProcesses_, "lvProcesses", layout_.ProcessLists().width);
    list(lvProgramSet_, "lvProgramSet", layout_.ProgramSet().width);
    g.currentTab = static_cast<std::int32_t>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)) + 1;
    return g;
}

void fQXMain::ApplyGeometry(const cWindowGeometry& g, int showCommand) {
    for (const cListGeometry& l : g.lists) {
        HWND w = ListWindow(l.name);
        for (std::size_t c = 0; c < l.columns.size(); ++c)
            SendMessageW(w, LVM_SETCOLUMNWIDTH, c, MAKELPARAM(TwipsToPixels(l.columns[c]), 0));
        // The two inventory lists take the width the tab strip leaves them.
        if (l.name == "lvProgramSet") layout_.SetProgramSetWidth(l.width);
    }
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(hwnd_, &wp);
    wp.rcNormalPosition.left = ScreenPixels(g.left);
    wp.rcNormalPosition.top = ScreenPixels(g.top);
    wp.rcNormalPosition.right = ScreenPixels(g.left + g.width);
    wp.rcNormalPosition.bottom = ScreenPixels(g.top + g.height);
    wp.showCmd = SW_HIDE; // shown at the end of the load
    // A rectangle on a monitor of another DPI brings a DPI change whose
    // suggested rectangle is scaled; the saved one is already right there.
    placing_ = true;
    SetWindowPlacement(hwnd_, &wp);
    placing_ = false;
    if (g.windowState == cWindowGeometry::kMaximized) showCommand_ = SW_SHOWMAXIMIZED;
    else if (g.windowState == cWindowGeometry::kMinimized) showCommand_ = SW_SHOWMINIMIZED;
    else showCommand_ = showCommand;
    SendMessageW(tab_, TCM_SETCURSEL, static_cast<WPARAM>(g.currentTab - 1), 0);
    Form_Resize();
}

bool fQXMain::IsHiddenColumn(HWND list, int column) const {
    return std::find(hiddenColumns_.begin(), hiddenColumns_.end(), std::make_pair(list, column)) !=
           hiddenColumns_.end();
}

void fQXMain::Form_Resize() {
    if (hwnd_ == nullptr || status_ == nullptr) return;
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    SendMessageW(status_, WM_SIZE, 0, 0);
    RECT client{}, bar{};
    GetClientRect(hwnd_, &client);
    GetWindowRect(status_, &bar);
    TEXTMETRICW tm{};
    HDC dc = GetDC(setLabel_);
    HGDIOBJ old = SelectObject(dc, labelFont_);
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(setLabel_, dc);
    layout_.Form_Resize(PixelsToTwips(client.right), PixelsToTwips(client.bottom), PixelsToTwips(bar.bottom - bar.top),
                        PixelsToTwips(tm.tmHeight + 2));
    PlaceControls();
    statusPanels_.Layout(dpi_);
}

void fQXMain::PlaceControls() {
    const auto place = [&](HWND w, const cLayoutRect& twips) {
        const cLayoutRect r = cMainLayout::ToPixels(twips, dpi_);
        SetWindowPos(w, nullptr, r.left, r.top, std::max(r.width, 0), std::max(r.height, 0),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    const cLayoutRect& set = layout_.ProgramSet();
    place(lvProgramSet_, set);
    place(setLabel_, cLayoutRect{set.left, layout_.SetLabelTop(), set.width, set.top - layout_.SetLabelTop()});
    place(tab_, layout_.TabStrip());
    place(lvProcesses_, layout_.ProcessLists());
    place(lvApplications_, layout_.ProcessLists());
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void fQXMain::tabProcessList_Click() {
    const auto index = static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)) + 1;
    if (!layout_.tabProcessList_Click(cMainLayout::TabKey(index))) return;
    const bool apps = layout_.ApplicationsVisible();
    ShowWindow(apps ? lvProcesses_ : lvApplications_, SW_HIDE);
    ShowWindow(apps ? lvApplications_ : lvProcesses_, SW_SHOW);
}

bool fQXMain::OverSplitter(int x, int y) const {
    const cLayoutRect r = cMainLayout::ToPixels(layout_.Splitter(), dpi_);
    return x >= r.left && x < r.left + std::max(r.width, 1) && y >= r.top && y < r.top + r.height;
}

void fQXMain::SplitterMouse(UINT msg, int x) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        layout_.lblSplitter_MouseDown(1);
        SetCapture(hwnd_);
        break;
    case WM_MOUSEMOVE:
        if (layout_.lblSplitter_MouseMove(PixelsToTwips(x) - layout_.Splitter().left)) PlaceControls();
        break;
    default:
        if (layout_.SplitterDragging()) {
            layout_.lblSplitter_MouseUp();
            if (GetCapture() == hwnd_) ReleaseCapture();
        }
        break;
    }
}

} // namespace qx::win32
