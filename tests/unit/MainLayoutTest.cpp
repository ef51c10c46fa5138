#include "core/ui/cMainLayout.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using R = cLayoutRect;

// A window of 9000 x 6000 twips with a 300-twip status bar and label.
cMainLayout Resized(int width = 9000, int height = 6000) {
    cMainLayout layout;
    layout.Form_Resize(width, height, 300, 300);
    return layout;
}

TEST(MainLayout, ResizePlacesEveryControlFromTheToolbarBandDown) {
    const cMainLayout l = Resized();
    // Usable height 6000 - 300 - 390 = 5310.
    EXPECT_EQ(l.ProgramSet(), (R{40, 690, cMainLayout::kSetListWidth, 5010}));
    EXPECT_EQ(l.SetLabelTop(), 390);
    EXPECT_EQ(l.Splitter(), (R{5200, 390, 75, 5310}));
    EXPECT_EQ(l.TabStrip(), (R{5275, 390, 3725, 5310}));
    EXPECT_EQ(l.ProcessLists(), (R{5315, 740, 3645, 4870}));
}

TEST(MainLayout, TooSmallWindowKeepsOldHeightsButStillPlacesWidths) {
    cMainLayout l = Resized();
    l.Form_Resize(8000, 500, 300, 300); // usable height -190
    EXPECT_EQ(l.ProgramSet().height, 5010);
    EXPECT_EQ(l.Splitter().height, 5310);
    EXPECT_EQ(l.TabStrip(), (R{5275, 390, 2725, 5310}));
    EXPECT_EQ(l.ProcessLists(), (R{5315, 740, 2645, 4870}));

    // Narrower than the kill-set list: the strip keeps its width, the rest still moves.
    l.Form_Resize(5000, 3000, 300, 300);
    EXPECT_EQ(l.TabStrip().width, 2725);
    EXPECT_EQ(l.TabStrip().height, 2310);
    EXPECT_EQ(l.ProcessLists().height, 1870);
}

TEST(MainLayout, SplitterMovesOnlyWithinFiveHundredTwipsOfEitherEdge) {
    cMainLayout l = Resized();
    EXPECT_FALSE(l.lblSplitter_MouseMove(-100)); // no drag yet
    l.lblSplitter_MouseDown(2);
    EXPECT_FALSE(l.SplitterDragging());
    l.lblSplitter_MouseDown(1);
    ASSERT_TRUE(l.SplitterDragging());

    EXPECT_FALSE(l.lblSplitter_MouseMove(499 - 5200)); // not clamped: ignored
    EXPECT_EQ(l.Splitter().left, 5200);
    EXPECT_TRUE(l.lblSplitter_MouseMove(500 - 5200));
    EXPECT_EQ(l.ProgramSet().width, 460);
    EXPECT_EQ(l.Splitter().left, 500);
    EXPECT_EQ(l.TabStrip(), (R{575, 390, 8425, 5310}));
    EXPECT_EQ(l.ProcessLists().width, 8345);

    EXPECT_FALSE(l.lblSplitter_MouseMove(8501 - 500));
    EXPECT_TRUE(l.lblSplitter_MouseMove(8500 - 500));
    EXPECT_EQ(l.Splitter().left, 8500);
    EXPECT_EQ(l.TabStrip().width, 425);

    l.lblSplitter_MouseUp();
    EXPECT_FALSE(l.lblSplitter_MouseMove(-1000));
    EXPECT_EQ(l.Splitter().left, 8500);
}

TEST(MainLayout, AThousandTwipWindowAcceptsOnlyPositionFiveHundred) {
    cMainLayout l = Resized(1000, 3000);
    EXPECT_EQ(l.SplitterMinimum(), 500);
    EXPECT_EQ(l.SplitterMaximum(), 500);
    l.lblSplitter_MouseDown(1);
    ASSERT_TRUE(l.lblSplitter_MouseMove(500 - l.Splitter().left));
    EXPECT_FALSE(l.lblSplitter_MouseMove(1));
    EXPECT_FALSE(l.lblSplitter_MouseMove(-1));
    EXPECT_EQ(l.Splitter().left, 500);
}

TEST(MainLayout, RestoredListWidthMovesSplitterAndStrip) {
    cMainLayout l = Resized();
    l.SetProgramSetWidth(3000);
    EXPECT_EQ(l.Splitter().left, 3040);
    EXPECT_EQ(l.TabStrip().left, 3115);
    EXPECT_EQ(l.TabStrip().width, 9000 - 3115);
    l.SetProgramSetWidth(-5);
    EXPECT_EQ(l.ProgramSet().width, 3000);
}

TEST(MainLayout, TabsAreToldApartByKeyAndTwipsBecomeRoundedPixels) {
    cMainLayout l;
    EXPECT_TRUE(l.tabProcessList_Click(cMainLayout::TabKey(2)));
    EXPECT_FALSE(l.ApplicationsVisible());
    EXPECT_FALSE(l.tabProcessList_Click("Applications")); // a caption, not a key
    EXPECT_FALSE(l.ApplicationsVisible());
    EXPECT_TRUE(l.tabProcessList_Click(cMainLayout::TabKey(1)));
    EXPECT_TRUE(l.ApplicationsVisible());
    EXPECT_EQ(cMainLayout::TabKey(3), "");

    const struct {
        int twips, dpi, pixels;
    } cases[] = {{1440, 96, 96}, {390, 96, 26}, {390, 120, 33}, {75, 192, 10}, {-40, 96, -3}};
    for (const auto& c : cases) EXPECT_EQ(cMainLayout::TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips;
    EXPECT_EQ(cMainLayout::PixelsToTwips(800, 120), 9600);
    EXPECT_EQ(cMainLayout::PixelsToTwips(10, 0), 0);
}

TEST(MainLayout, NeighboursTouchInPixelsAtEveryDpi) {
    for (int dpi : {96, 120, 144, 168, 192}) {
        for (int w : {6000, 9000, 12345}) {
            const cMainLayout l = Resized(w, 7777);
            const R set = cMainLayout::ToPixels(l.ProgramSet(), dpi);
            const R bar = cMainLayout::ToPixels(l.Splitter(), dpi);
            const R tab = cMainLayout::ToPixels(l.TabStrip(), dpi);
            EXPECT_EQ(set.left + set.width, bar.left) << dpi << " " << w;
            EXPECT_EQ(bar.left + bar.width, tab.left) << dpi << " " << w;
            EXPECT_EQ(tab.left + tab.width, cMainLayout::TwipsToPixels(w, dpi)) << dpi << " " << w;
        }
    }
    EXPECT_EQ(cMainLayout::ToPixels(R{40, 690, 5160, 5010}, 96), (R{3, 46, 344, 334}));
}

} // namespace
} // namespace qx
