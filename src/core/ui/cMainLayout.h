#pragma once
// Geometry of the main window's work area in twips, worked out without a
// window: the resize that places every control, the splitter drag, the tab
// switch and the conversion to pixels. The window converts its client size
// to twips, feeds the events here and moves its controls to the results.
#include "core/ui/cLayoutRect.h"

#include <string>

namespace qx {

class cMainLayout {
public:
    static constexpr int kTwipsPerInch = 1440;
    static constexpr int kToolbarBand = 390; // kept free above the work area
    static constexpr int kListLeft = 40;
    static constexpr int kSplitterWidth = 75;
    static constexpr int kSplitterMargin = 500; // nearest the bar may come to either edge
    static constexpr int kColumnWidth = 2540;   // every visible column, and status panel 1
    static constexpr int kSetListWidth = 5160;  // designed width of the kill-set list
    static constexpr int kSetLabelHeight = 300;

    // Designed layout, before the first resize.
    cMainLayout();

    // Form_Resize: client width and height, status bar height and the height
    // of the "Current Kill Set" label, all in twips. A size that would come
    // out negative (a tiny or minimized window) is left as it was; every
    // other value is still placed.
    void Form_Resize(int width, int height, int statusHeight, int labelHeight);

    // The splitter drag; x is the pointer inside the bar, in twips. True when
    // the bar moved (and the layout was redone).
    void lblSplitter_MouseDown(int button);
    bool lblSplitter_MouseMove(int x);
    void lblSplitter_MouseUp() { splitterDragging_ = false; }
    bool SplitterDragging() const { return splitterDragging_; }

    // The tab strip's click, by the selected tab's key ("applications" or
    // "processes"); any other key changes nothing. False then.
    bool tabProcessList_Click(const std::string& key);
    bool ApplicationsVisible() const { return applicationsVisible_; }
    // Tab keys by position, from 1; empty outside the two tabs.
    static std::string TabKey(int index);

    const cLayoutRect& ProgramSet() const { return programSet_; }
    int SetLabelTop() const { return setLabelTop_; }
    const cLayoutRect& Splitter() const { return splitter_; }
    const cLayoutRect& TabStrip() const { return tab_; }
    // lvApplications and lvProcesses share it.
    const cLayoutRect& ProcessLists() const { return lists_; }
    // The kill-set list's width, as restored from the saved layout.
    void SetProgramSetWidth(int width);

    // Nearest whole pixel at dpi dots per inch, and back.
    static int TwipsToPixels(int twips, int dpi);
    static int PixelsToTwips(int pixels, int dpi);
    // Converts the edges, not the sizes, so that controls that touch in twips
    // also touch in pixels.
    static cLayoutRect ToPixels(const cLayoutRect& r, int dpi);

private:
    // The positions the bar's left edge may take for the current width:
    // kSplitterMargin to width - kSplitterMargin, both inclusive.
    int SplitterMinimum() const { return kSplitterMargin; }
    int SplitterMaximum() const { return width_ - kSplitterMargin; }
    cLayoutRect programSet_{kListLeft, kToolbarBand + kSetLabelHeight, kSetListWidth, 0};
    int setLabelTop_ = kToolbarBand;
    cLayoutRect splitter_{kListLeft + kSetListWidth, kToolbarBand, kSplitterWidth, 0};
    cLayoutRect tab_;
    cLayoutRect lists_;
    int width_ = 0, height_ = 0, statusHeight_ = 0, labelHeight_ = kSetLabelHeight;
    bool splitterDragging_ = false;
    bool applicationsVisible_ = true;
};

} // namespace qx
