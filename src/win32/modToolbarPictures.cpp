#include "win32/modToolbarPictures.h"

namespace qx::win32 {

// Raise, lower, kill and refresh have no standard toolbar picture; these are
// drawn here, on the button face colour the toolbar treats as transparent.
HBITMAP DrawOwnToolbarPictures() {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 64, 16);
    ReleaseDC(nullptr, screen);
    if (dc == nullptr || bmp == nullptr) {
        if (dc) DeleteDC(dc);
        if (bmp) DeleteObject(bmp);
        return nullptr;
    }
    HGDIOBJ oldBmp = SelectObject(dc, bmp);
    RECT all{0, 0, 64, 16};
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    FillRect(dc, &all, face);
    DeleteObject(face);

    HPEN noPen = static_cast<HPEN>(GetStockObject(NULL_PEN));
    HGDIOBJ oldPen = SelectObject(dc, noPen);
    HBRUSH green = CreateSolidBrush(RGB(0, 140, 40));
    HGDIOBJ oldBrush = SelectObject(dc, green);
    const POINT up[] = {{8, 1}, {15, 8}, {11, 8}, {11, 15}, {5, 15}, {5, 8}, {1, 8}};
    Polygon(dc, up, 7);
    POINT down[7];
    for (int i = 0; i < 7; ++i) down[i] = {16 + up[i].x, 16 - up[i].y};
    Polygon(dc, down, 7);

    HBRUSH red = CreateSolidBrush(RGB(200, 30, 30));
    SelectObject(dc, red);
    Ellipse(dc, 33, 1, 47, 15);
    HPEN white = CreatePen(PS_SOLID, 2, RGB(255, 255, 255));
    SelectObject(dc, white);
    MoveToEx(dc, 37, 5, nullptr);
    LineTo(dc, 43, 11);
    MoveToEx(dc, 43, 5, nullptr);
    LineTo(dc, 37, 11);

    HPEN blue = CreatePen(PS_SOLID, 2, RGB(30, 80, 200));
    SelectObject(dc, blue);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Arc(dc, 50, 2, 62, 14, 62, 4, 56, 14); // most of a circle, open at the top right
    HBRUSH blueFill = CreateSolidBrush(RGB(30, 80, 200));
    SelectObject(dc, noPen);
    SelectObject(dc, blueFill);
    const POINT head[] = {{58, 0}, {63, 5}, {57, 7}};
    Polygon(dc, head, 3);

    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBmp);
    DeleteObject(green);
    DeleteObject(red);
    DeleteObject(blueFill);
    DeleteObject(white);
    DeleteObject(blue);
    DeleteDC(dc);
    return bmp;
}

} // namespace qx::win32
