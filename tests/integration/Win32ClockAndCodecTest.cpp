#include "core/util/cCodePage1252.h"
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
    EXPECT_EQ(now.year, before.wYear);
    EXPECT_EQ(now.month, before.wMonth);
    EXPECT_EQ(now.day, before.wDay);
    // An impossible date is still shown plainly.
    EXPECT_EQ(clock.FormatGeneralDate({2026, 13, 40, 25, 61, 99}), "13/40/2026 25:61:99");
    wchar_t locale[LOCALE_NAME_MAX_LENGTH] = L"";
    GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH);
    if (std::wstring(locale) != L"en-US") GTEST_SKIP() << "locale is not en-US";
    EXPECT_EQ(clock.FormatGeneralDate({2026, 12, 6, 14, 5, 9}), "12/6/2026 2:05:09 PM");
    EXPECT_EQ(clock.FormatGeneralDate({1999, 1, 31, 0, 0, 0}), "1/31/1999 12:00:00 AM");
}

TEST(Win32TextCodec, AgreesWithThePortableCodecOnAWesternSystem) {
    if (GetACP() != 1252) GTEST_SKIP() << "ANSI code page is " << GetACP();
    cWin32TextCodec sys;
    cCodePage1252 portable;
    for (const std::string& s : {std::string("C:\\Program Files\\app.exe"), std::string("Caf\xC3\xA9 \xE2\x82\xAC"),
                                 std::string("a\0b", 3), std::string("\xE6\x97\xA5x"), std::string()}) {
        EXPECT_EQ(sys.ToAnsi(s), portable.ToAnsi(s)) << s;
    }
    std::string everyByte;
    for (int b = 1; b < 256; ++b)
        everyByte += static_cast<char>(b);
    EXPECT_EQ(sys.FromAnsi(everyByte), portable.FromAnsi(everyByte));
    EXPECT_EQ(sys.ToAnsi(sys.FromAnsi(everyByte)), everyByte);
}

} // namespace
} // namespace qx::win32
