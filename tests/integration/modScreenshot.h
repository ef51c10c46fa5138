#pragma once
// Screenshots of real windows for the test artefacts (build/artifacts).
#include "win32/WinApi.h"

#include <string>

namespace qx::test {

// Copies what the screen shows inside the window's outer rectangle (the
// window must be visible and on top) into a PNG file, once pending painting
// is done. False when nothing could be captured or written.
bool SaveWindowPng(HWND window, const std::string& fileName);

} // namespace qx::test
