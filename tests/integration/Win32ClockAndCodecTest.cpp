#include "core/util/cCodePage1252.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/cWin32Clock.h"
#include "win32/cWin32TextCodec.h"

#include <gtest/gtest.h>

namespace qx::win32 {
namespace {

TEST(Win32Clock, NowIsTheLocalTimeAndDatesFollowTheUserLocale) {
    cWin32Clock clock;
    SYSTEMTIME before{};
    GetLocalTime(&before);
    const LocalDateTime now = clock.Now();
    EXPECT_EQ(now.year * 10000 + now.month * 100 + now.day, before.wYear * 10000 + before.wMonth * 100 + before.wDay);
    EXPECT_EQ(clock.FormatGeneralDate({2026, 13, 40, 25, 61, 99}), "13/40/2026 25:61:99"); // shown plainly
    wchar_t locale[LOCALE_NAME_MAX_LENGTH] = L"";
    GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH);
    if (std::wstring(locale) != L"en-US") GTEST_SKIP() << "locale is not en-US";
    EXPECT_EQ(clock.FormatGeneralDate({2026, 12, 6, 14, 5, 9}), "12/6/2026 2:05:09 PM");
    EXPECT_EQ(clock.FormatGeneralDate({1999, 1, 31, 0, 0, 0}), "1/31/1999 12:00:00 AM");
}

// The system's code pages and case mapping against the portable ones the
// native tests stand on.
TEST(Win32TextCodec, AgreesWithThePortableCodecOnAWesternSystem) {
    if (GetACP() != 1252 || GetOEMCP() != 437) GTEST_SKIP() << "code pages " << GetACP() << ", " << GetOEMCP();
    cWin32TextCodec sys;
    cCodePage1252 portable;
    std::string everyByte;
    for (int b = 1; b < 256; ++b) everyByte += static_cast<char>(b);
    EXPECT_EQ(sys.FromAnsi(everyByte), portable.FromAnsi(everyByte));
    EXPECT_EQ(sys.ToAnsi(sys.FromAnsi(everyByte)), everyByte);
    std::wstring wide(255, L'\0');
    MultiByteToWideChar(437, 0, everyByte.data(), 255, wide.data(), 255);
    std::string real = "untouched", fake = "untouched";
    ASSERT_TRUE(sys.ToOem(Narrow(wide), real) && portable.ToOem(Narrow(wide), fake));
    EXPECT_EQ(real, everyByte);
    EXPECT_EQ(fake, everyByte);
    for (const std::string& s : {std::string("Caf\xC3\xA9 \xE2\x82\xAC"), std::string("a\0b", 3),
                                 std::string("\xE6\x97\xA5x"), std::string()})
        EXPECT_EQ(sys.ToAnsi(s), portable.ToAnsi(s)) << s;
    for (const std::string& lacking : {std::string("\u0141\u00f3d\u017a"), std::string("\u20ac"), std::string("\u00c0")})
        EXPECT_FALSE(sys.ToOem(lacking, real) || portable.ToOem(lacking, fake)) << lacking;
    EXPECT_EQ(real, everyByte);
    EXPECT_EQ(sys.UpperCase("C:\\Users\\\u0142ukasz\\\u017c\u00f3\u0142w.exe"), "C:\\USERS\\\u0141UKASZ\\\u017b\u00d3\u0141W.EXE");
    // No final sigma: systems differ on whether it has a capital.
    for (const std::string& s : {std::string("\u03b4\u03ad\u03bb\u03c4\u03b1 \u03c3\u03c7\u03ad\u03b4\u03b9\u03bf"),
                                 std::string("\u0179r\u00f3d\u0142o \u0159\u00ed\u0161 \u0151\u0171 \u0103"),
                                 std::string("\u03ac\u03ad\u03ae\u03af\u03cc\u03cd\u03ce\u03ca\u03cb"),
                                 std::string("\u043f\u0440\u0438\u0432\u0435\u0442 \u0451\u0436 \u045f"),
                                 std::string("B\u00fcro r\u00e9sum\u00e9 \u00ff \u00f7")})
        EXPECT_EQ(sys.UpperCase(s), portable.UpperCase(s)) << s;
}

} // namespace
} // namespace qx::win32
