// The wizard's picture: the shipped file fits a frame with its proportions;
// what cannot be shown is reported with its path.
#include "cTargetProcess.h"
#include "cTempPath.h"
#include "win32/WideText.h"
#include "win32/modPictureFile.h"

#include <gtest/gtest.h>

namespace qx::win32 {
namespace {

TEST(PictureFile, TheShippedPictureFitsEachFrameAndWhatCannotBeShownIsReportedWithItsPath) {
    const std::string shipped = test::BinPath("graphics/QXpic.JPG");
    // The picture is 130 x 245; sizes go through hundredths of a millimetre,
    // so a pixel may round either way.
    for (const auto& [frameWidth, frameHeight, width, height] : {std::tuple{400, 98, 52, 98}, {65, 1000, 65, 123}}) {
        cErrorInfo error;
        ScopedBitmap picture = LoadPictureFile(shipped, frameWidth, frameHeight, "test", error);
        ASSERT_TRUE(picture) << error.description;
        BITMAP info{};
        GetObjectW(picture.get(), sizeof info, &info);
        EXPECT_NEAR(info.bmWidth, width, 1) << frameWidth;
        EXPECT_NEAR(info.bmHeight, height, 1) << frameWidth;
    }
    test::cTempFolder folder("qx picture");
    ASSERT_TRUE(folder.Put("text.jpg", "this is not a picture"));
    for (const std::string& path : {folder.File("none.jpg"), folder.File("text.jpg")}) {
        cErrorInfo error;
        EXPECT_FALSE(LoadPictureFile(path, 100, 100, "fQXCreateShortcutWizard", error)) << path;
        EXPECT_NE(error.description.find(path), std::string::npos) << error.description;
    }
}

} // namespace
} // namespace qx::win32
