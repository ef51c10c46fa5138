#include "core/settings/cMemoryRegistry.h"
#include "core/settings/cWindowSettings.h"
#include "core/util/cCodePage1252.h"
#include "fake/cFakeClock.h"
#include "fake/cFakeOS.h"
#include "fake/cFakeUserInterface.h"
#include "fake/cMemoryFileSystem.h"
#include "fake/cRegistryRecorder.h"

#include <gtest/gtest.h>

#include <optional>

namespace qx {
namespace {

constexpr const char* kFolder = "C:\\Quellix";
constexpr const char* kOptions = "Software\\Veltrane\\Quellix\\Options";
constexpr const char* kLog = "C:\\Quellix\\Quellix.log";

// The window as designed: what a first run shows.
cWindowGeometry Designed() {
    cWindowGeometry g;
    g.top = 1200;
    g.left = 1500;
    g.width = 12000;
    g.height = 8000;
    g.lists = {{"lvApplications", 6000, {2540, 2540}},
               {"lvProcesses", 6000, {2540, 2540}},
               {"lvProgramSet", 5160, {2540, 2540, 0}}};
    return g;
}

class WindowSettings : public ::testing::Test {
protected:
    WindowSettings() {
        fs.AddFolder(kFolder);
        logger.SetLogFile(kLog);
        logger.SetDebugMode(true);
        reg.SetSoftwareKey(options.RegSoftwareKey());
    }
    std::optional<std::int32_t> Stored(const std::string& name) const {
        RegistryValue v;
        if (!store.Peek(kHkeyLocalMachine, kOptions, name, v) || v.type != kRegDword || v.data.size() != 4)
            return std::nullopt;
        std::uint32_t n = 0;
        for (int i = 3; i >= 0; --i) n = (n << 8) | static_cast<unsigned char>(v.data[static_cast<std::size_t>(i)]);
        return static_cast<std::int32_t>(n);
    }
    void Put(const std::string& name, std::int32_t n) {
        RegKey key = 0;
        ASSERT_EQ(store.CreateKey(kHkeyLocalMachine, kOptions, key), 0);
        ASSERT_EQ(store.SetDwordValue(key, name, static_cast<std::uint32_t>(n)), 0);
        store.CloseKey(key);
    }
    std::string Log() const {
        const std::string* c = fs.Contents(kLog);
        return c ? *c : std::string();
    }

    cMemoryRegistry store;
    fake::cRegistryRecorder recorder{store};
    fake::cFakeOS os;
    fake::cMemoryFileSystem fs;
    fake::cFakeUserInterface ui;
    fake::cFakeClock clock;
    cCodePage1252 codec;
    cLogger logger{fs, ui, clock, codec, kFolder};
    cQuellixOptions options{store, os, kFolder};
    cAppRegAPI reg{recorder};
    cWindowSettings settings{reg, options, logger};
};

TEST_F(WindowSettings, FirstRunStoresTheDesignedLayoutAndKeepsIt) {
    cWindowGeometry g = Designed();
    ASSERT_TRUE(settings.GetWindowSettings(g));
    EXPECT_EQ(g.top, 1200);
    EXPECT_EQ(g.windowState, 0);
    EXPECT_EQ(g.currentTab, 1);
    EXPECT_EQ(g.lists[2].columns, (std::vector<std::int32_t>{2540, 2540, 0}));

    // Each missing value is stored as the window has it.
    EXPECT_EQ(Stored("FormTop"), 1200);
    EXPECT_EQ(Stored("FormHeight"), 8000);
    EXPECT_EQ(Stored("lvProgramSet_Width"), 5160);
    EXPECT_EQ(Stored("lvProcesses_Col2"), 2540);
    EXPECT_EQ(Stored("lvProgramSet_Col3"), 0);
    EXPECT_EQ(Stored("CurrentTab"), 1);
}

TEST_F(WindowSettings, SaveWritesEveryValueInOrderAndTheNextStartRestoresThem) {
    cWindowGeometry g = Designed();
    g.top = -300; // on a monitor left of or above the main one
    g.left = 200;
    g.lists[0].columns = {3000, 4100};
    g.lists[2].width = 7000;
    g.currentTab = 2;
    ASSERT_TRUE(settings.SaveWindowSettings(g));

    cWindowGeometry next = Designed();
    ASSERT_TRUE(settings.GetWindowSettings(next));
    EXPECT_EQ(next.top, -300);
    EXPECT_EQ(next.left, 200);
    EXPECT_EQ(next.lists[0].columns, (std::vector<std::int32_t>{3000, 4100}));
    EXPECT_EQ(next.lists[2].width, 7000);
    EXPECT_EQ(next.currentTab, 2);
}

TEST_F(WindowSettings, ExitWhileMaximizedKeepsTheLastNormalRectangle) {
    cWindowGeometry normal = Designed();
    normal.top = 900;
    normal.width = 10000;
    ASSERT_TRUE(settings.SaveWindowSettings(normal));

    for (std::int32_t state : {cWindowGeometry::kMaximized, cWindowGeometry::kMinimized}) {
        cWindowGeometry big = normal;
        big.windowState = state;
        big.top = -60;
        big.left = -60;
        big.width = 20000;
        big.height = 15000;
        ASSERT_TRUE(settings.SaveWindowSettings(big));
        EXPECT_EQ(Stored("WindowState"), state);
        EXPECT_EQ(Stored("FormTop"), 900);
        EXPECT_EQ(Stored("FormLeft"), 1500);
        EXPECT_EQ(Stored("FormWidth"), 10000);
        EXPECT_EQ(Stored("FormHeight"), 8000);
    }

    // The next start gets the normal rectangle and the state to apply after it.
    Put("WindowState", cWindowGeometry::kMaximized);
    cWindowGeometry next = Designed();
    ASSERT_TRUE(settings.GetWindowSettings(next));
    EXPECT_EQ(next.top, 900);
    EXPECT_EQ(next.width, 10000);
    EXPECT_EQ(next.windowState, cWindowGeometry::kMaximized);
}

TEST_F(WindowSettings, SwitchedOffAtTheCloseNothingIsWrittenThenOrRestoredNext) {
    ASSERT_TRUE(settings.RememberMark());
    settings.mORememberPosition_Click();
    EXPECT_FALSE(settings.RememberMark());
    EXPECT_TRUE(options.RememberWindowPos()); // the click alone changes no option

    // The close: the mark goes into the option, the options are saved, then the layout.
    settings.TakeRememberMark();
    ASSERT_TRUE(options.SaveAppOptions());
    EXPECT_EQ(Stored("RememberPositions"), 0);
    cWindowGeometry g = Designed();
    g.top = 4444;
    EXPECT_FALSE(settings.SaveWindowSettings(g));
    EXPECT_TRUE(recorder.written.empty());
    EXPECT_FALSE(Stored("FormTop"));
    EXPECT_FALSE(Stored("lvApplications_Width"));

    Put("FormTop", 7777);
    EXPECT_FALSE(settings.GetWindowSettings(g));
    EXPECT_EQ(g.top, 4444);
    EXPECT_TRUE(recorder.written.empty());

    // Clicked again the mark is back on, and so is the saving.
    settings.mORememberPosition_Click();
    EXPECT_TRUE(settings.RememberMark());
    settings.TakeRememberMark();
    EXPECT_TRUE(settings.SaveWindowSettings(g));
    EXPECT_EQ(Stored("FormTop"), 4444);
}

TEST_F(WindowSettings, WidthsBelowOneFallBackToTheDesignedWidthAndAreWrittenBack) {
    Put("lvApplications_Col1", 0);
    Put("lvProcesses_Width", -20);
    Put("lvProcesses_Col2", 1); // the least width allowed
    cWindowGeometry g = Designed();
    ASSERT_TRUE(settings.GetWindowSettings(g));
    EXPECT_EQ(g.lists[0].columns[0], 2540);
    EXPECT_EQ(Stored("lvApplications_Col1"), 2540);
    EXPECT_EQ(g.lists[1].width, 6000);
    EXPECT_EQ(Stored("lvProcesses_Width"), 6000);
    EXPECT_EQ(g.lists[1].columns[1], 1);
}

TEST_F(WindowSettings, StateOrTabThatDoesNotExistIsIgnored) {
    for (std::int32_t bad : {3, -1}) {
        Put("WindowState", bad);
        Put("CurrentTab", bad == 3 ? 3 : 0);
        cWindowGeometry g = Designed();
        g.windowState = cWindowGeometry::kMinimized; // the window's state at load
        g.currentTab = 2;                            // not the tab's default
        ASSERT_TRUE(settings.GetWindowSettings(g));
        EXPECT_EQ(g.windowState, cWindowGeometry::kMinimized) << bad;
        EXPECT_EQ(g.currentTab, 1) << bad;
        EXPECT_EQ(Stored("CurrentTab"), 1);
    }
    Put("WindowState", 2);
    Put("CurrentTab", 2);
    cWindowGeometry g = Designed();
    ASSERT_TRUE(settings.GetWindowSettings(g));
    EXPECT_EQ(g.windowState, 2);
    EXPECT_EQ(g.currentTab, 2);
}

} // namespace
} // namespace qx
