#include "win32/cMainStatusBar.h"

#include "core/ui/cMainLayout.h"
#include "win32/fQXMainIds.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

namespace qx::win32 {

HWND cMainStatusBar::Create(HWND parent, int firstPanelTwips) {
    parent_ = parent;
    firstPanelTwips_ = firstPanelTwips;
    status_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 10, 10,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_QX_STATUS)),
                              GetModuleHandleW(nullptr), nullptr);
    return status_;
}

void cMainStatusBar::SetFont(HFONT font) {
    font_ = font;
    SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void cMainStatusBar::Layout(int dpi) {
    RECT client{};
    GetClientRect(parent_, &client);
    HDC dc = GetDC(status_);
    HGDIOBJ old = SelectObject(dc, font_);
    const auto width = [&](const std::wstring& t) {
        SIZE s{};
        GetTextExtentPoint32W(dc, t.c_str(), static_cast<int>(t.size()), &s);
        return s.cx + MulDiv(16, dpi, 96);
    };
    const int date = width(date_.empty() ? L"00/00/0000" : date_);
    const int time = width(time_.empty() ? L"00:00 PM" : time_) + GetSystemMetrics(SM_CXVSCROLL);
    SelectObject(dc, old);
    ReleaseDC(status_, dc);
    const int first = cMainLayout::TwipsToPixels(firstPanelTwips_, dpi);
    int edges[4] = {first, std::max(first, static_cast<int>(client.right) - date - time),
                    std::max(first, static_cast<int>(client.right) - time), -1};
    SendMessageW(status_, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(edges));
}

void cMainStatusBar::UpdateClock(int dpi) {
    wchar_t date[80] = L"", time[80] = L"";
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 80);
    GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, time, 80);
    if (date_ == date && time_ == time) return;
    const bool resize = date_.size() != wcslen(date) || time_.size() != wcslen(time);
    date_ = date;
    time_ = time;
    if (resize) Layout(dpi);
    SendMessageW(status_, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(date_.c_str()));
    SendMessageW(status_, SB_SETTEXTW, 3, reinterpret_cast<LPARAM>(time_.c_str()));
}

} // namespace qx::win32
