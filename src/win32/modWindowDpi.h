#pragma once
// The dots per inch a window is shown at, for pixel sizes the program
// computes itself (dialog templates scale with their font on their own).
#include "win32/WinApi.h"

namespace qx::win32 {

// GetDpiForWindow where the system has it (Windows 10 and later), else the
// screen's LOGPIXELSY; 96 when neither answers.
int DpiOfWindow(HWND window);
// A length given at 96 dots per inch, at dpi.
int ScaleToDpi(int pixelsAt96, int dpi);

} // namespace qx::win32
