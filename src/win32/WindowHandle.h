#pragma once
// Window handles travel through the core as 32 bits: the platform guarantees
// that the upper half of a 64-bit HWND is only the sign extension of the lower.
#include "core/platform/IProcessWindowServices.h"
#include "win32/WinApi.h"

#include <cstdint>

namespace qx::win32 {

inline WindowHandle ToWindowHandle(HWND h) {
    return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(h));
}

inline HWND ToHwnd(WindowHandle w) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int32_t>(w)));
}

} // namespace qx::win32
