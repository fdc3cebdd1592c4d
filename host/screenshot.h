// Screenshots of the host's windows, frame and title bar included, as PNG files.
#pragma once

#include <windows.h>

#include "png_writer.h"

#include <string>

namespace host {

// Repaints the window and everything in it at once, then reads its pixels as the screen
// shows them. Empty when the window does not exist or has no size.
RgbImage CaptureWindow(HWND window);

// CaptureWindow and WritePng; false when either fails.
bool SaveScreenshot(HWND window, const std::string& path);

} // namespace host
