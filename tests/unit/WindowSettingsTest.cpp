#include "core/settings/cWindowSettings.h"
#include "fake/cFakePlatform.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

constexpr const char* kFolder = "C:\\Quellix";

// The window as designed: what a first run shows.
cWindowGeometry Designed() {
    cWindowGeometry g;
    g.top = 1200;
    g.left = 1500;
    g.width = 12000;
    g.height = 8000;
    g.lists = {{"lvApplications", 6000, {2540, 2540}}, {"lvProgramSet", 5160, {2540, 2540, 0}}};
    return g;
}

std::string Text(const cWindowGeometry& g) {
    std::string s = std::to_string(g.top) + "," + std::to_string(g.left) + " " + std::to_string(g.width) + "x" +
                    std::to_string(g.height) + " state " + std::to_string(g.windowState) + " tab " +
                    std::to_string(g.currentTab);
    for (const cListGeometry& l : g.lists) {
        s += " | " + l.name + " " + std::to_string(l.width) + ":";
        for (std::int32_t c : l.columns) s += " " + std::to_string(c);
    }
    return s;
}

class WindowSettings : public ::testing::Test {
protected:
    WindowSettings() { reg.SetSoftwareKey(options.RegSoftwareKey()); }
    // The layout the next start would show for a window as designed.
    std::string Restored() {
        cWindowGeometry g = Designed();
        EXPECT_TRUE(settings.GetWindowSettings(g));
        return Text(g);
    }
    fake::cFakePlatform p{kFolder};
    cLogger logger{p.fs, p.ui, p.clock, p.codec, kFolder};
    cQuellixOptions options{p.registry, p.os, kFolder};
    cAppRegAPI reg{p.registry};
    cWindowSettings settings{reg, options, logger};
};

TEST_F(WindowSettings, TheLastNormalLayoutComesBackWithTheStateItWasLeftIn) {
    EXPECT_EQ(Restored(), Text(Designed())); // a first run stores the window as it is
    EXPECT_EQ(p.StoredOption("lvProgramSet_Col3"), std::string(4, '\0'));
    cWindowGeometry g = Designed();
    g.top = -300; // on a monitor left of or above the main one
    g.width = 9000;
    g.lists[0].columns = {3000, 4100};
    g.lists[1].width = 7000;
    g.currentTab = 2;
    ASSERT_TRUE(settings.SaveWindowSettings(g));
    EXPECT_EQ(Restored(), Text(g));
    for (std::int32_t state : {cWindowGeometry::kMaximized, cWindowGeometry::kMinimized}) {
        cWindowGeometry big = g;
        big.windowState = state;
        big.top = big.left = -60;
        big.width = big.height = 20000;
        ASSERT_TRUE(settings.SaveWindowSettings(big));
        g.windowState = state;
        EXPECT_EQ(Restored(), Text(g)) << state;
    }
}

TEST_F(WindowSettings, ValuesThatCannotBeShownGiveWayToTheWindowsOwn) {
    for (const auto& [name, value] : {std::pair<const char*, int>{"lvApplications_Col1", 0}, {"lvProgramSet_Width", -20},
                                      {"lvProgramSet_Col2", 1}, {"WindowState", 3}, {"CurrentTab", 3}})
        p.PutOption(name, value);
    cWindowGeometry g = Designed();
    g.windowState = cWindowGeometry::kMinimized; // as the window is at load
    g.currentTab = 2;
    ASSERT_TRUE(settings.GetWindowSettings(g));
    EXPECT_EQ(Text(g), "1200,1500 12000x8000 state 1 tab 1 | lvApplications 6000: 2540 2540 | lvProgramSet 5160: 2540 1 0");
    EXPECT_EQ(p.StoredOption("lvProgramSet_Width"), std::string("\x28\x14\0\0", 4)); // 5160, written back
    for (const auto& [state, tab] : {std::pair{-1, 0}, {2, 2}}) {
        p.PutOption("WindowState", state);
        p.PutOption("CurrentTab", tab);
        g = Designed();
        ASSERT_TRUE(settings.GetWindowSettings(g));
        EXPECT_EQ(g.windowState, state < 0 ? 0 : state);
        EXPECT_EQ(g.currentTab, tab < 1 ? 1 : tab);
    }
}

// The menu item changes only its mark; the close hands the mark to the option
// before the options and then the layout are saved.
TEST_F(WindowSettings, SwitchedOffNothingIsSavedOrRestoredUntilSwitchedOnAgain) {
    settings.mORememberPosition_Click();
    EXPECT_FALSE(settings.RememberMark());
    EXPECT_TRUE(options.RememberWindowPos());
    settings.TakeRememberMark();
    cWindowGeometry g = Designed();
    g.top = 4444;
    EXPECT_FALSE(settings.SaveWindowSettings(g));
    EXPECT_EQ(p.StoredOption("FormTop"), "<none>");
    p.PutOption("FormTop", 7777);
    EXPECT_FALSE(settings.GetWindowSettings(g));
    EXPECT_EQ(g.top, 4444);
    settings.mORememberPosition_Click();
    settings.TakeRememberMark();
    EXPECT_TRUE(settings.SaveWindowSettings(g));
    EXPECT_EQ(Restored(), Text(g));
}

} // namespace
} // namespace qx
