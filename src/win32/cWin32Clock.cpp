#include "win32/cWin32Clock.h"

#include "win32/WideText.h"
#include "win32/WinApi.h"

#include <cstdio>

namespace qx::win32 {

LocalDateTime cWin32Clock::Now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

LocalDateTime cWin32Clock::UtcNow() {
    SYSTEMTIME st{};
    GetSystemTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::string cWin32Clock::FormatGeneralDate(const LocalDateTime& t) {
    try {
        SYSTEMTIME st{};
        st.wYear = static_cast<WORD>(t.year);
        st.wMonth = static_cast<WORD>(t.month);
        st.wDay = static_cast<WORD>(t.day);
        st.wHour = static_cast<WORD>(t.hour);
        st.wMinute = static_cast<WORD>(t.minute);
        st.wSecond = static_cast<WORD>(t.second);
        wchar_t date[128], time[128];
        const int nd = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 128);
        const int nt = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, 128);
        if (nd > 0 && nt > 0)
            return Narrow(date, static_cast<std::size_t>(nd - 1)) + " " +
                   Narrow(time, static_cast<std::size_t>(nt - 1));
        // The locale refused the value (out of range): still show what it was.
        char plain[96];
        std::snprintf(plain, sizeof plain, "%d/%d/%d %d:%02d:%02d", t.month, t.day, t.year, t.hour, t.minute, t.second);
        return plain;
    } catch (...) {
        return {};
    }
}

} // namespace qx::win32
