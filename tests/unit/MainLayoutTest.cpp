#include "core/ui/cBuiltinStringTable.h"
#include "core/ui/cCommandState.h"
#include "core/ui/cMainCaptions.h"
#include "core/ui/cMainLayout.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace qx {
namespace {

using R = cLayoutRect;
using Rects = std::vector<R>;

Rects Placed(const cMainLayout& l) { return {l.ProgramSet(), l.Splitter(), l.TabStrip(), l.ProcessLists()}; }

TEST(MainLayout, ResizePlacesEveryControlAndKeepsASizeThatWouldBeNegative) {
    cMainLayout l;
    l.Form_Resize(9000, 6000, 300, 300);
    EXPECT_EQ(Placed(l), (Rects{{40, 690, 5160, 5010}, {5200, 390, 75, 5310}, {5275, 390, 3725, 5310},
                                {5315, 740, 3645, 4870}}));
    l.Form_Resize(5000, 500, 300, 300); // too low for any height, narrower than the kill-set list
    l.SetProgramSetWidth(4000);
    l.SetProgramSetWidth(-5);
    EXPECT_EQ(Placed(l), (Rects{{40, 690, 4000, 5010}, {4040, 390, 75, 5310}, {4115, 390, 885, 5310},
                                {4155, 740, 805, 4870}}));
}

TEST(MainLayout, TheSplitterMovesWhileDraggedAndStaysFiveHundredTwipsOffEitherEdge) {
    cMainLayout l;
    l.Form_Resize(9000, 6000, 300, 300);
    l.lblSplitter_MouseDown(2); // only the left button drags
    EXPECT_FALSE(l.lblSplitter_MouseMove(-100));
    l.lblSplitter_MouseDown(1);
    for (const auto& [width, to, moved, left] : {std::tuple{9000, 499, false, 5200}, {9000, 500, true, 500},
                                                 {9000, 8501, false, 500}, {9000, 8500, true, 8500},
                                                 {1000, 501, false, 8500}, {1000, 500, true, 500}}) {
        l.Form_Resize(width, 6000, 300, 300);
        EXPECT_EQ(l.lblSplitter_MouseMove(to - l.Splitter().left), moved) << width << ' ' << to;
        EXPECT_EQ(l.Splitter().left, left);
    }
    EXPECT_EQ(l.TabStrip().width, 425);
    l.lblSplitter_MouseUp();
    EXPECT_FALSE(l.lblSplitter_MouseMove(100));
}

TEST(MainLayout, TabsAreToldApartByKeyAndTwipsBecomeRoundedPixels) {
    cMainLayout l;
    EXPECT_TRUE(l.tabProcessList_Click(cMainLayout::TabKey(2)));
    EXPECT_FALSE(l.tabProcessList_Click("Applications")); // a caption, not a key
    EXPECT_FALSE(l.ApplicationsVisible());
    EXPECT_TRUE(l.tabProcessList_Click(cMainLayout::TabKey(1)));
    EXPECT_TRUE(l.ApplicationsVisible());
    EXPECT_EQ(std::make_tuple(cMainLayout::TwipsToPixels(390, 120), cMainLayout::TwipsToPixels(-40, 96),
                              cMainLayout::PixelsToTwips(800, 120), cMainLayout::PixelsToTwips(10, 0)),
              std::make_tuple(33, -3, 9600, 0));
    // Edges are converted, not sizes, so that neighbours touch at every dpi.
    EXPECT_EQ(cMainLayout::ToPixels(R{10, 10, 10, 20}, 96), (R{1, 1, 0, 1}));
}

// The window's caption and list columns, and a menu command's text, as the table holds them.
TEST(MainCaptions, TheWindowAndItsListsAreNamedFromTheStringTable) {
    cBuiltinStringTable table;
    cMainCaptions c;
    c.LoadCaptions(table);
    std::string texts = c.Caption() + " " + std::to_string(c.ColumnHeaders("lvOther").size());
    for (const cColumnHeader& h : c.ColumnHeaders("lvProgramSet")) texts += "|" + h.key + ":" + h.caption;
    EXPECT_EQ(texts + "|" + std::to_string(cCommandState::MenuCaptionId(eCommand::Kill)),
              "Quellix 0|:Program Title|:Exe Path|sort:|1040");
}

} // namespace
} // namespace qx
