// Pixels of a window as the screen shows them, and PNG files of them. Shared by the host's
// screenshots and the Windows-side tests' pixel checks.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace host {

struct WindowPixels {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels; // rows top-down, each pixel 0x00RRGGBB
};

// Reads the client area, or with `withFrame` the whole window (title bar and frame too),
// through a 32-bit DIB. Empty when the window does not exist, has no size or cannot be read.
WindowPixels CaptureWindow(HWND window, bool withFrame);

// Writes the pixels as a PNG file with the system's encoder; false when that fails.
bool SavePng(const WindowPixels& image, const std::string& path);

} // namespace host
