#include "modScreenshot.h"

#include "win32/WideText.h"

#include <objidl.h>

#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

namespace qx::test {

bool SaveWindowPng(HWND window, const std::string& fileName) {
    if (IsWindow(window) == FALSE) return false;
    SetForegroundWindow(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    // Let the window's own thread (and any other process) finish painting.
    for (int i = 0; i < 4; ++i) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE)
            DispatchMessageW(&msg);
        Sleep(30);
    }
    RECT r{};
    if (GetWindowRect(window, &r) == FALSE || r.right <= r.left || r.bottom <= r.top) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right - r.left, r.bottom - r.top);
    HGDIOBJ old = SelectObject(memory, bitmap);
    bool ok = BitBlt(memory, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY) != FALSE;
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    using namespace Gdiplus::DllExports;
    const Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GpBitmap* image = nullptr;
    // The system's PNG encoder.
    const CLSID png{0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    const std::wstring path = win32::Widen(std::string(QX_BIN_DIR) + "/../artifacts");
    CreateDirectoryW(path.c_str(), nullptr);
    ok = ok && Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    ok = ok && GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &image) == Gdiplus::Ok;
    ok = ok && GdipSaveImageToFile(image, (path + L"/" + win32::Widen(fileName)).c_str(), &png, nullptr) == Gdiplus::Ok;
    if (image != nullptr) GdipDisposeImage(image);
    if (token != 0) Gdiplus::GdiplusShutdown(token);
    DeleteObject(bitmap);
    return ok;
}

} // namespace qx::test
