#pragma once
// Picture files (JPEG, GIF, BMP, icons) shown by the windows, read through
// OLE's picture loader and drawn once into a bitmap of the size they need.
#include "core/util/cErrorInfo.h"
#include "win32/ScopedGdiObject.h"
#include "win32/WinApi.h"

#include <string>

namespace qx::win32 {

using ScopedBitmap = ScopedGdiObject<HBITMAP>;

// The picture at path, scaled to fit inside maxWidth x maxHeight pixels with
// its proportions kept. An empty bitmap and the reason (number, location,
// text naming the file) when it cannot be read.
ScopedBitmap LoadPictureFile(const std::string& path, int maxWidth, int maxHeight, const std::string& location,
                             qx::cErrorInfo& error);

} // namespace qx::win32
