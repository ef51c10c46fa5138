#pragma once
// Owns a GDI object (font, brush, pen, bitmap) and deletes it when it goes.
#include "win32/WinApi.h"

#include <memory>
#include <type_traits>

namespace qx::win32 {

struct GdiObjectDeleter {
    void operator()(void* object) const {
        if (object != nullptr) DeleteObject(static_cast<HGDIOBJ>(object));
    }
};

template <typename Handle>
using ScopedGdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;

} // namespace qx::win32
