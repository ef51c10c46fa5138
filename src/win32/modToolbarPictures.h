#pragma once
// The toolbar pictures the system has no standard image for.
#include "win32/WinApi.h"

namespace qx::win32 {

// Four 16x16 pictures side by side (raise, lower, kill, refresh) on the
// button face colour, which the toolbar treats as transparent; the caller
// owns the bitmap. nullptr when it could not be drawn.
HBITMAP DrawOwnToolbarPictures();

} // namespace qx::win32
