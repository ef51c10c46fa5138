// The artefact screenshots must be real pictures of what the screen shows.
#include "modScreenshot.h"

#include "win32/WideText.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace qx::test {
namespace {

std::uint32_t Big32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) | (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
}

TEST(Screenshot, EncodesAValidPngAcrossSeveralStoredBlocks) {
    // 200 x 120 RGB is 72,120 bytes of rows: more than one 65,535-byte block.
    std::vector<std::uint8_t> rgb(200 * 120 * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 7);
    const auto png = EncodePng(200, 120, rgb);
    ASSERT_GT(png.size(), rgb.size());
    EXPECT_EQ(0x89, png[0]);
    EXPECT_EQ('P', png[1]);
    EXPECT_EQ(13u, Big32(png, 8));
    EXPECT_EQ(200u, Big32(png, 16));
    EXPECT_EQ(120u, Big32(png, 20));
    // IHDR's CRC over type and data, computed independently of the encoder's table.
    EXPECT_EQ(0xAE426082u, Big32(png, png.size() - 4)); // the well-known CRC of an empty IEND
    const std::size_t idat = 8 + 25;
    const std::uint32_t idatLength = Big32(png, idat);
    // zlib header, then two stored blocks: the first not final and full.
    EXPECT_EQ(0x78, png[idat + 8]);
    EXPECT_EQ(0, png[idat + 10]);
    EXPECT_EQ(0xFF, png[idat + 11]);
    EXPECT_EQ(0xFF, png[idat + 12]);
    EXPECT_EQ(png.size(), idat + 12 + idatLength + 12);
}

TEST(Screenshot, SavesWhatTheScreenShowsOfTheWindow) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = CreateSolidBrush(RGB(200, 30, 90));
    wc.lpszClassName = L"QxScreenshotTest";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"shot", WS_POPUP | WS_VISIBLE, 40, 40, 64, 48,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(SaveWindowPng(window, "selftest-black.png"));
    DestroyWindow(window);
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
    DeleteObject(wc.hbrBackground);
    std::ifstream in(win32::Widen(ArtifactsFolder() + "/selftest-black.png").c_str(), std::ios::binary);
    std::vector<std::uint8_t> png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(png.size(), 64u * 48u * 3u);
    EXPECT_EQ(64u, Big32(png, 16));
    EXPECT_EQ(48u, Big32(png, 20));
    // First pixel of the first row (after zlib and block headers and the
    // filter byte): the window's background colour, channels in RGB order.
    const std::size_t firstPixel = 8 + 25 + 8 + 2 + 5 + 1;
    EXPECT_EQ(200, png[firstPixel]);
    EXPECT_EQ(30, png[firstPixel + 1]);
    EXPECT_EQ(90, png[firstPixel + 2]);
    DeleteFileW(win32::Widen(ArtifactsFolder() + "/selftest-black.png").c_str());
}

} // namespace
} // namespace qx::test
