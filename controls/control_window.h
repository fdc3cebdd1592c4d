// Small pieces shared by the controls and their creation functions.
#pragma once

#include <windows.h>

// Selects a GDI object for the lifetime of the guard and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

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
