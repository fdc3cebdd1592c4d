// The one class record that every control class is registered from.
#include "control_class.h"

void RegisterControlClass(HINSTANCE instance, const char* name, WNDPROC proc, int extraBytes,
                          HBRUSH background, HCURSOR cursor) {
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = extraBytes;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}
