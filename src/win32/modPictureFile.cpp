#include "win32/modPictureFile.h"

#include "win32/ComPtr.h"
#include "win32/ComScope.h"
#include "win32/WideText.h"
#include "win32/modSystemText.h"

#include <olectl.h>

#include <algorithm>

namespace qx::win32 {
namespace {

// The system's wording for a failed load; a plain sentence when it has none.
std::string LoadFailure(HRESULT result) {
    const std::string text = SystemWording(static_cast<DWORD>(result));
    return text.empty() ? "The picture could not be read" : text;
}

} // namespace

ScopedBitmap LoadPictureFile(const std::string& path, int maxWidth, int maxHeight, const std::string& location,
                             qx::cErrorInfo& error) {
    const ComScope com;
    const std::wstring widePath = Widen(path);
    ComPtr<IPicture> picture;
    // The loader wants a path it can hand to CreateFile; a missing file is
    // found here rather than reported as an unhelpful moniker error.
    HRESULT result = GetFileAttributesW(widePath.c_str()) == INVALID_FILE_ATTRIBUTES
                         ? HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)
                         : OleLoadPicturePath(const_cast<LPOLESTR>(widePath.c_str()), nullptr, 0, 0, IID_IPicture,
                                              picture.PutVoid());
    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    if (SUCCEEDED(result) && picture) result = picture->get_Width(&himetricWidth);
    if (SUCCEEDED(result) && picture) result = picture->get_Height(&himetricHeight);
    if (FAILED(result) || !picture || himetricWidth <= 0 || himetricHeight <= 0 || maxWidth <= 0 || maxHeight <= 0) {
        if (SUCCEEDED(result)) result = E_FAIL;
        error = {static_cast<std::int32_t>(result & 0xFFFF), location, LoadFailure(result) + ": " + path};
        return {};
    }
    // Keep the proportions: the smaller of the two scales wins.
    const double scale = std::min(static_cast<double>(maxWidth) / himetricWidth,
                                  static_cast<double>(maxHeight) / himetricHeight);
    const int width = std::max(1, static_cast<int>(himetricWidth * scale + 0.5));
    const int height = std::max(1, static_cast<int>(himetricHeight * scale + 0.5));

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    ScopedBitmap bitmap(CreateCompatibleBitmap(screen, width, height));
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap.get());
        SetStretchBltMode(memory, HALFTONE);
        result = picture->Render(memory, 0, 0, width, height, 0, himetricHeight, himetricWidth, -himetricHeight,
                                 nullptr);
        SelectObject(memory, old);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!bitmap || FAILED(result)) {
        if (SUCCEEDED(result)) result = E_OUTOFMEMORY;
        error = {static_cast<std::int32_t>(result & 0xFFFF), location, LoadFailure(result) + ": " + path};
        return {};
    }
    return bitmap;
}

} // namespace qx::win32
