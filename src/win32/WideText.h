#pragma once
// Conversions at the boundary between the core's UTF-8 text and the wide
// Win32 API, plus the system ANSI code page for byte-oriented formats.
#include <string>

namespace qx::win32 {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
std::string Narrow(const wchar_t* wide, std::size_t length);

} // namespace qx::win32
