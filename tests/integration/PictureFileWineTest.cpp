// The wizard's picture: the shipped file fits a frame with its proportions,
// the right way up; what cannot be shown is reported with its path.
#include "cTempFolder.h"
#include "win32/WideText.h"
#include "win32/modPictureFile.h"

#include <gtest/gtest.h>

namespace qx::win32 {
namespace {

std::string ShippedPicture() {
    wchar_t own[MAX_PATH];
    const std::string path = Narrow(own, GetModuleFileNameW(nullptr, own, MAX_PATH));
    return path.substr(0, path.rfind('\\')) + "\\graphics\\QXpic.JPG";
}

TEST(PictureFile, TheShippedPictureFitsEachFrameWithItsProportions) {
    // The picture is 130 x 245; sizes go through hundredths of a millimetre,
    // so a pixel may round either way.
    const struct { int frameWidth, frameHeight, width, height; } cases[] = {{400, 98, 52, 98}, {65, 1000, 65, 123}};
    for (const auto& c : cases) {
        cErrorInfo error;
        ScopedBitmap picture = LoadPictureFile(ShippedPicture(), c.frameWidth, c.frameHeight, "test", error);
        ASSERT_TRUE(picture) << error.description;
        BITMAP info{};
        GetObjectW(picture.get(), sizeof info, &info);
        EXPECT_NEAR(info.bmWidth, c.width, 1) << c.frameWidth;
        EXPECT_NEAR(info.bmHeight, c.height, 1) << c.frameWidth;
        // Dark blue at the top, lighter blue at the bottom.
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(memory, picture.get());
        const COLORREF top = GetPixel(memory, 2, 1), bottom = GetPixel(memory, 2, info.bmHeight - 3);
        SelectObject(memory, old);
        DeleteDC(memory);
        EXPECT_GT(GetBValue(top), GetRValue(top));
        EXPECT_GT(GetBValue(bottom), GetBValue(top));
    }
}

TEST(PictureFile, WhatCannotBeShownIsReportedWithItsPath) {
    test::cTempFolder folder("qx picture");
    ASSERT_TRUE(folder.Put("text.jpg", "this is not a picture"));
    // A frame with no room shows nothing rather than a zero-sized bitmap.
    for (const auto& [path, width] : {std::pair{folder.File("none.jpg"), 100}, std::pair{folder.File("text.jpg"), 100},
                                      std::pair{ShippedPicture(), 0}}) {
        cErrorInfo error;
        EXPECT_FALSE(LoadPictureFile(path, width, 100, "fQXCreateShortcutWizard", error)) << path;
        EXPECT_NE(0, error.number);
        EXPECT_EQ("fQXCreateShortcutWizard", error.source);
        if (width > 0) {
            EXPECT_NE(std::string::npos, error.description.find(path)) << error.description;
        }
    }
}

} // namespace
} // namespace qx::win32
