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

bool cWin32TextCodec::ToOem(const std::string& utf8, std::string& oem) {
    try {
        const std::wstring wide = Widen(utf8);
        if (wide.empty()) {
            oem.clear();
            return true;
        }
        const int len = static_cast<int>(wide.size());
        // No best fit: a look-alike would name another file. A system set to
        // UTF-8 holds every character, and refuses both the flag and the check.
        const bool utf8Oem = GetOEMCP() == CP_UTF8;
        const DWORD flags = utf8Oem ? 0 : WC_NO_BEST_FIT_CHARS;
        BOOL lost = FALSE;
        BOOL* const check = utf8Oem ? nullptr : &lost;
        const int n = WideCharToMultiByte(CP_OEMCP, flags, wide.data(), len, nullptr, 0, nullptr, check);
        if (n <= 0 || lost) return false;
        std::string out(static_cast<std::size_t>(n), '\0');
        WideCharToMultiByte(CP_OEMCP, flags, wide.data(), len, out.data(), n, nullptr, check);
        if (lost) return false;
        oem = std::move(out);
        return true;
    } catch (...) {
        return false;
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
