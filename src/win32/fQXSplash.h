#pragma once
// The start-up window: a small borderless box in the middle of the screen
// with the program's name and version, shown while the program loads.
#include "win32/ScopedGdiObject.h"
#include "win32/WinApi.h"

#include <string>

namespace qx::win32 {

class fQXSplash {
public:
    // Size of the box at 96 dots per inch.
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 180;

    fQXSplash() = default;
    ~fQXSplash() { Close(); }
    fQXSplash(const fQXSplash&) = delete;
    fQXSplash& operator=(const fQXSplash&) = delete;

    // Shows the box (without taking the focus) and lets the pending window
    // messages run so that it is painted before the load goes on. Showing it
    // twice keeps the one box. False when the window could not be made.
    bool Show();
    // Takes the box away; nothing happens when it is not shown.
    void Close();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void MakeFonts(int dpi);
    void Paint(HWND window);
    void PlaceAtDpi(int dpi);

    HWND window_ = nullptr;
    int dpi_ = 96;
    std::wstring product_, version_;
    ScopedFont titleFont_, textFont_;
};

} // namespace qx::win32
