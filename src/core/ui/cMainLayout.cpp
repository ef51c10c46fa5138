#include "core/ui/cMainLayout.h"

#include <cmath>

namespace qx {

namespace {
// A control refuses a negative size; the step is then skipped.
void SetSize(int& size, int value) {
    if (value >= 0) size = value;
}

int Round(double v) { return static_cast<int>(std::lround(v)); }
} // namespace

cMainLayout::cMainLayout() {
    tab_.left = splitter_.left + splitter_.width;
    tab_.top = kToolbarBand;
}

void cMainLayout::Form_Resize(int width, int height, int statusHeight, int labelHeight) {
    width_ = width;
    height_ = height;
    statusHeight_ = statusHeight;
    labelHeight_ = labelHeight;
    const int usable = height - statusHeight - kToolbarBand;

    programSet_.left = kListLeft;
    programSet_.top = labelHeight + kToolbarBand;
    SetSize(programSet_.height, usable - labelHeight);

    setLabelTop_ = kToolbarBand;

    splitter_.left = programSet_.left + programSet_.width;
    splitter_.top = kToolbarBand;
    SetSize(splitter_.height, usable);

    tab_.left = splitter_.left + splitter_.width;
    tab_.top = kToolbarBand;
    SetSize(tab_.height, usable);
    SetSize(tab_.width, width - (splitter_.left + splitter_.width));

    // Inside the strip, below the tabs and off its border.
    lists_.top = tab_.top + 350;
    lists_.left = tab_.left + 40;
    SetSize(lists_.height, tab_.height - 440);
    SetSize(lists_.width, tab_.width - 80);
}

void cMainLayout::lblSplitter_MouseDown(int button) {
    if (button == 1) splitterDragging_ = true;
}

bool cMainLayout::lblSplitter_MouseMove(int x) {
    if (!splitterDragging_) return false;
    const int position = splitter_.left + x;
    // Out of bounds the bar stays put rather than sticking to the bound.
    if (position < SplitterMinimum() || position > SplitterMaximum()) return false;
    programSet_.width = position - programSet_.left;
    splitter_.left = position;
    Form_Resize(width_, height_, statusHeight_, labelHeight_);
    return true;
}

bool cMainLayout::tabProcessList_Click(const std::string& key) {
    if (key == "applications") applicationsVisible_ = true;
    else if (key == "processes") applicationsVisible_ = false;
    else return false;
    return true;
}

std::string cMainLayout::TabKey(int index) {
    if (index == 1) return "applications";
    if (index == 2) return "processes";
    return {};
}

void cMainLayout::SetProgramSetWidth(int width) {
    SetSize(programSet_.width, width);
    Form_Resize(width_, height_, statusHeight_, labelHeight_);
}

int cMainLayout::TwipsToPixels(int twips, int dpi) {
    return Round(static_cast<double>(twips) * dpi / kTwipsPerInch);
}

int cMainLayout::PixelsToTwips(int pixels, int dpi) {
    return dpi <= 0 ? 0 : Round(static_cast<double>(pixels) * kTwipsPerInch / dpi);
}

cLayoutRect cMainLayout::ToPixels(const cLayoutRect& r, int dpi) {
    const int left = TwipsToPixels(r.left, dpi);
    const int top = TwipsToPixels(r.top, dpi);
    return {left, top, TwipsToPixels(r.left + r.width, dpi) - left, TwipsToPixels(r.top + r.height, dpi) - top};
}

} // namespace qx
