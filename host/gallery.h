// The control gallery: a window of the host's own that shows the module's custom controls
// (gauges, switches, a property list), made with their creation functions, and lists live
// every notification that they send to it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace host {

// Opens the gallery, or brings it forward when it is open; returns its window. Null when no
// loaded module has registered the control classes.
HWND OpenGallery(HWND owner);
// The gallery's window, or null.
HWND GalleryWindow();
// Closes the gallery when its controls are of this module's classes (before it unloads).
void CloseGalleryOf(HMODULE module);
// The notifications shown so far, oldest first, one line each.
const std::vector<std::string>& GalleryNotifications();

} // namespace host
