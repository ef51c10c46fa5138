#include "win32/cWin32StringTable.h"

#include "win32/WideText.h"

namespace qx::win32 {

bool cWin32StringTable::LoadString(std::uint32_t id, std::string& text) {
    const HINSTANCE module = module_ != nullptr ? module_ : GetModuleHandleW(nullptr);
    const wchar_t* stored = nullptr;
    // With a zero buffer length the call hands out a pointer into the
    // resource itself, so texts of any length come back whole.
    const int length = ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&stored), 0);
    if (length <= 0 || stored == nullptr) return false;
    text = Narrow(stored, static_cast<std::size_t>(length));
    return true;
}

} // namespace qx::win32
