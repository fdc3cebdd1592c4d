#include "property_list.h"
#include "drawing_objects.h"
// Placeholder until the property list is written.
LRESULT CALLBACK PropertyListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}
void RegisterPropertyListClass(HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = PropertyListProc;
    wc.cbWndExtra = 16;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = PropertyListClassName;
    RegisterClassA(&wc);
    SectionIcons = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(286));
}
void UnregisterPropertyListClass(HINSTANCE instance) {
    UnregisterClassA(PropertyListClassName, instance);
    DeleteObject(SectionIcons);
    SectionIcons = nullptr;
}
