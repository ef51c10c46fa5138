#include "fake/cMemoryRegistry.h"
#include "core/ui/cBuiltinStringTable.h"
#include "core/ui/cDataPathModel.h"
#include "core/util/cCodePage1252.h"
#include "fake/cFakeClock.h"
#include "fake/cFakeUserInterface.h"
#include "fake/cMemoryFileSystem.h"
#include "fake/cPostRecorder.h"

#include <gtest/gtest.h>

#include <vector>

namespace qx {
namespace {

constexpr const char* kFolder = "C:\\Tools\\Quellix";
constexpr std::uint32_t kRetryCancel = 0x5;
constexpr int kRetry = 4;
using Show = cDataPathModel::DriveShow;
using Change = cDataPathModel::DriveChange;

class DataPath : public ::testing::Test {
protected:
    DataPath() { fs.AddFolder(kFolder); }
    // A drive list whose drives answer from a script, recording every attempt.
    cDataPathModel::ShowDrive Drives(std::vector<Show> answers) {
        return [this, answers, i = std::size_t{0}](const std::string& drive, cErrorInfo& error) mutable {
            shown.push_back(drive);
            const Show s = i < answers.size() ? answers[i++] : Show::Shown;
            if (s == Show::Failed) error = {68, "fQXDataPath", "Device unavailable"};
            return s;
        };
    }
    cMemoryRegistry reg;
    fake::cPostRecorder os;
    cQuellixOptions options{reg, os, kFolder};
    fake::cMemoryFileSystem fs;
    fake::cFakeUserInterface ui;
    fake::cFakeClock clock;
    cCodePage1252 codec;
    cLogger logger{fs, ui, clock, codec, kFolder};
    cBuiltinStringTable table;
    cDataPathModel m{options, logger, table, ui, fs, kFolder};
    std::vector<std::string> shown;
};

TEST_F(DataPath, OpensOnTheStoredFolderWhileItExistsAndOkStoresTheChoice) {
    fs.AddFolder("D:\\Sets");
    const struct {
        const char *stored, *start, *drive;
    } cases[] = {{"", kFolder, "C"}, {"   ", kFolder, "C"}, {"Q:\\Gone", kFolder, "C"}, {"D:\\Sets", "D:\\Sets", "D"}};
    for (const auto& c : cases) {
        options.SetDefaultDataPath(c.stored);
        m.Form_Load();
        EXPECT_EQ(m.StartFolder(), c.start) << c.stored;
        EXPECT_EQ(m.StartDriveLetter(), c.drive) << c.stored;
    }
    m.cmdOk_Click("D:\\Sets\\Office");
    EXPECT_EQ(options.DefaultDataPath(), "D:\\Sets\\Office");
}

TEST_F(DataPath, ADriveNotReadyIsRetriedUntilItShowsOrTheUserCancels) {
    m.Form_Load();
    m.SetLastGoodDrive("c: [SYSTEM]");
    ui.answers = {kRetry, kIdCancel};
    EXPECT_EQ(m.Drive1_Change("a:", Drives({Show::NotReady, Show::NotReady})), Change::BackToLastGood);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text, "a: is not accessible.\r\n\r\nThe device is not ready.");
    EXPECT_EQ(ui.boxes[0].style, kRetryCancel);
    EXPECT_EQ(shown, (std::vector<std::string>{"a:", "a:"}));
    EXPECT_EQ(m.LastGoodDrive(), "c: [SYSTEM]");

    ui.answers = {kRetry};
    EXPECT_EQ(m.Drive1_Change("a:", Drives({Show::NotReady, Show::Shown})), Change::Shown);
    EXPECT_EQ(m.LastGoodDrive(), "a:");
    EXPECT_EQ(ui.boxes.size(), 3u);
}

TEST_F(DataPath, OtherFailureIsReportedAndClosesWithoutChange) {
    options.SetDefaultDataPath(kFolder);
    m.Form_Load();
    EXPECT_EQ(m.Drive1_Change("e:", Drives({Show::Failed})), Change::Close);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_NE(ui.boxes[0].text.find("Device unavailable"), std::string::npos);
    EXPECT_EQ(ui.boxes[0].style, kMbOk | kMbIconCritical);
    EXPECT_EQ(options.DefaultDataPath(), kFolder);
}

} // namespace
} // namespace qx
