#include "win32/modLocaleNumbers.h"

#include "win32/WideText.h"
#include "win32/WinApi.h"

namespace qx::win32 {
namespace {

std::string LocaleText(LCTYPE type, const std::string& fallback) {
    wchar_t buffer[16] = L"";
    const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 16);
    return length > 1 ? Narrow(buffer, static_cast<std::size_t>(length - 1)) : fallback;
}

} // namespace

NumberSeparators UserNumberSeparators() {
    const NumberSeparators english;
    return {LocaleText(LOCALE_SDECIMAL, english.decimal), LocaleText(LOCALE_STHOUSAND, english.thousands)};
}

} // namespace qx::win32
