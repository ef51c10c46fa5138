#pragma once
// The About box: product name and version of the running program, and OK.
#include "win32/ScopedGdiObject.h"
#include "win32/WinApi.h"

namespace qx::win32 {

class fQXAbout {
public:
    // Shows the box modally, owned by owner, until OK, Esc or its close box.
    static void Show(HWND owner);

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static void Form_Load(HWND dialog, ScopedFont& titleFont);
};

} // namespace qx::win32
