#pragma once
// Screenshots of real windows for the test artefacts (build/artifacts).
#include "win32/WinApi.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qx::test {

// The folder the artefacts go to: build/artifacts beside the build folder.
std::string ArtifactsFolder();
// Copies what the screen shows inside the window's outer rectangle (the
// window must be visible and on top) into a PNG file. Waits for pending
// painting first. False when nothing could be captured or written.
bool SaveWindowPng(HWND window, const std::string& fileName);
// A PNG image of 8-bit RGB rows, top row first (width * 3 bytes a row).
std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint8_t>& rgb);

} // namespace qx::test
