#include "core/settings/cWindowSettings.h"
#include "fake/cFakePlatform.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

constexpr const char* kFolder = "C:\\Quellix";

class WindowSettings : public ::testing::Test {
protected:
    WindowSettings() { reg.SetSoftwareKey(options.RegSoftwareKey()); }
    // The window as designed: what a first run shows.
    static cWindowGeometry Designed() {
        return {1200, 1500, 12000, 8000, cWindowGeometry::kNormal,
                {{"lvApplications", 6000, {2540, 2540}}, {"lvProgramSet", 5160, {2540, 2540, 0}}}, 1, 2};
    }
    // What the next start would show for a window as designed.
    std::string Restored(cWindowGeometry g = Designed()) {
        if (!settings.GetWindowSettings(g)) return "<not restored>";
        std::string s = std::to_string(g.top) + "," + std::to_string(g.left) + " " + std::to_string(g.width) + "x" +
                        std::to_string(g.height) + " state " + std::to_string(g.windowState) + " tab " +
                        std::to_string(g.currentTab);
        for (const cListGeometry& l : g.lists) {
            s += " | " + std::to_string(l.width) + ":";
            for (std::int32_t c : l.columns) s += " " + std::to_string(c);
        }
        return s;
    }
    fake::cFakePlatform p{kFolder};
    cLogger logger{p.fs, p.ui, p.clock, p.codec, kFolder};
    cQuellixOptions options{p.registry, p.os, kFolder};
    cAppRegAPI reg{p.registry};
    cWindowSettings settings{reg, options, logger};
};

TEST_F(WindowSettings, TheLastNormalLayoutComesBackWithTheStateItWasLeftIn) {
    // What a window cannot show gives way to the window's own value, stored so.
    const std::pair<const char*, std::int32_t> unusable[] = {
        {"lvApplications_Col1", 0}, {"lvProgramSet_Width", -20}, {"lvProgramSet_Col2", 1}, {"WindowState", 3},
        {"CurrentTab", 3}};
    for (const auto& [name, value] : unusable) p.PutOption(name, value);
    EXPECT_EQ(Restored(), "1200,1500 12000x8000 state 0 tab 1 | 6000: 2540 2540 | 5160: 2540 1 0");
    EXPECT_EQ(p.StoredOption("lvProgramSet_Width") + p.StoredOption("FormTop"),
              std::string("\x28\x14\0\0\xB0\x04\0\0", 8)); // 5160 and 1200
    const std::string saved = " tab 2 | 6000: 3000 4100 | 7000: 2540 2540 0";
    cWindowGeometry g = Designed();
    g.top = -300; // on a monitor left of or above the main one
    g.width = g.height = 9000;
    g.lists[0].columns = {3000, 4100};
    g.lists[1].width = 7000;
    g.currentTab = 2;
    ASSERT_TRUE(settings.SaveWindowSettings(g));
    g.windowState = cWindowGeometry::kMaximized; // the rectangle saved is the last normal one
    g.top = g.left = -60;
    g.width = g.height = 20000;
    ASSERT_TRUE(settings.SaveWindowSettings(g));
    EXPECT_EQ(Restored(), "-300,1500 9000x9000 state 2" + saved);
    p.PutOption("WindowState", -1);
    EXPECT_EQ(Restored(), "-300,1500 9000x9000 state 0" + saved);
    // The menu item changes only its mark; the close hands the mark to the option.
    settings.mORememberPosition_Click();
    settings.TakeRememberMark();
    EXPECT_FALSE(settings.SaveWindowSettings(Designed()));
    EXPECT_EQ(Restored(), "<not restored>");
}

} // namespace
} // namespace qx
