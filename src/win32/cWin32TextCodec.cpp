#include "win32/cWin32TextCodec.h"

#include "win32/WideText.h"
#include "win32/WinApi.h"

namespace qx::win32 {

std::string cWin32TextCodec::ToAnsi(const std::string& utf8) {
    try {
        const std::wstring wide = Widen(utf8);
        if (wide.empty()) return {};
        const int len = static_cast<int>(wide.size());
        const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), len, nullptr, 0, nullptr, nullptr);
        std::string out(static_cast<std::size_t>(n), '\0');
        WideCharToMultiByte(CP_ACP, 0, wide.data(), len, out.data(), n, nullptr, nullptr);
        return out;
    } catch (...) {
        return {};
    }
}

std::string cWin32TextCodec::FromAnsi(const std::string& ansi) {
    try {
        if (ansi.empty()) return {};
        const int len = static_cast<int>(ansi.size());
        const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), len, nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(n), L'\0');
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), len, wide.data(), n);
        return Narrow(wide);
    } catch (...) {
        return {};
    }
}

std::string cWin32TextCodec::UpperCase(const std::string& utf8) {
    try {
        const std::wstring wide = Widen(utf8);
        if (wide.empty()) return utf8;
        // LCMAP_UPPERCASE maps each UTF-16 unit to one, so the length holds.
        const int len = static_cast<int>(wide.size());
        std::wstring upper(wide.size(), L'\0');
        if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(), len, upper.data(), len, nullptr,
                          nullptr, 0) != len)
            return utf8;
        return Narrow(upper);
    } catch (...) {
        return utf8;
    }
}

} // namespace qx::win32
