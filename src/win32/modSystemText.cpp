#include "win32/modSystemText.h"

#include "win32/WideText.h"

namespace qx::win32 {
namespace {

std::wstring Trimmed(DWORD code, const wchar_t* trailing) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length != 0 && buffer != nullptr ? std::wstring(buffer, length) : std::wstring();
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && std::wstring_view(trailing).find(text.back()) != std::wstring_view::npos) text.pop_back();
    return text;
}

} // namespace

std::string SystemText(DWORD code) { return Narrow(Trimmed(code, L"\r\n")); }

std::string SystemWording(DWORD code) { return Narrow(Trimmed(code, L"\r\n .")); }

} // namespace qx::win32
