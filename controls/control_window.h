// What the controls' creation functions share: making a control window under the module that
// registered its class, and repainting after a slot was written.
#pragma once

#include <windows.h>

// Marks the whole control for painting, with its background erased.
inline void RepaintControl(HWND control) {
    InvalidateRect(control, nullptr, TRUE);
}

// A visible child window of one of the control classes, which `module` registered.
inline HWND CreateControlWindow(const char* className, DWORD extraStyle, HINSTANCE module,
                                HWND parent, int id, int x, int y, int width, int height) {
    return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | extraStyle, x, y, width,
                           height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           module, nullptr);
}
