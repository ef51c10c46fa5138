// The wizard's picture: the shipped file loads and keeps its proportions;
// anything that is not a readable picture is reported with its path.
#include "cTempFolder.h"
#include "win32/WideText.h"
#include "win32/modPictureFile.h"

#include <gtest/gtest.h>

namespace qx::win32 {
namespace {

std::string ShippedPicture() {
    wchar_t own[MAX_PATH];
    GetModuleFileNameW(nullptr, own, MAX_PATH);
    std::string path = Narrow(own);
    return path.substr(0, path.rfind('\\')) + "\\graphics\\QXpic.JPG";
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const COLORREF colour = GetPixel(memory, x, y);
    SelectObject(memory, old);
    DeleteDC(memory);
    return colour;
}

TEST(PictureFile, ShippedPictureFitsTheFrameWithItsProportions) {
    cErrorInfo error;
    // The picture is 130 x 245: a wide frame is limited by its height, a tall one by its width.
    ScopedBitmap wide = LoadPictureFile(ShippedPicture(), 400, 98, "test", error);
    ASSERT_TRUE(wide) << error.description;
    // Sizes are kept in hundredths of a millimetre, so a pixel may round either way.
    EXPECT_NEAR(52, BitmapSize(wide.get()).cx, 1);
    EXPECT_EQ(98, BitmapSize(wide.get()).cy);
    ScopedBitmap tall = LoadPictureFile(ShippedPicture(), 65, 1000, "test", error);
    ASSERT_TRUE(tall);
    EXPECT_EQ(65, BitmapSize(tall.get()).cx);
    EXPECT_NEAR(123, BitmapSize(tall.get()).cy, 1);
    // Drawn the right way up: dark blue at the top, lighter blue at the bottom.
    const COLORREF top = PixelOf(tall.get(), 2, 1);
    const COLORREF bottom = PixelOf(tall.get(), 2, 120);
    EXPECT_GT(GetBValue(top), GetRValue(top));
    EXPECT_GT(GetBValue(bottom), GetBValue(top));
}

TEST(PictureFile, MissingOrUnreadableFilesAreReportedWithTheirPath) {
    test::cTempFolder folder("qx picture");
    ASSERT_TRUE(folder.Put("text.jpg", "this is not a picture"));
    for (const std::string& path : {folder.File("none.jpg"), folder.File("text.jpg")}) {
        cErrorInfo error;
        EXPECT_FALSE(LoadPictureFile(path, 100, 100, "fQXCreateShortcutWizard", error));
        EXPECT_NE(0, error.number);
        EXPECT_EQ("fQXCreateShortcutWizard", error.source);
        EXPECT_NE(std::string::npos, error.description.find(path)) << error.description;
    }
    // A frame with no room shows nothing rather than a zero-sized bitmap.
    cErrorInfo error;
    EXPECT_FALSE(LoadPictureFile(ShippedPicture(), 0, 100, "here", error));
    EXPECT_NE(0, error.number);
}

} // namespace
} // namespace qx::win32
