// The switch's creation API: windows of the module's class, configured through their slots.
#include "control_window.h"
#include "switch_control.h"

HWND CreateSwitch(HINSTANCE module, HWND parent, int id, int x, int y, int width, int height,
                  std::uint32_t flags) {
    HWND sw = CreateControlWindow(SwitchClassName, 0, module, parent, id, x, y, width, height);
    if (sw)
        SetSwitchFlags(sw, flags);
    return sw;
}

void SetSwitchFlags(HWND sw, std::uint32_t flags) {
    SetWindowLongA(sw, SwitchSlotFlags, static_cast<LONG>(flags));
    RepaintControl(sw);
}

void MoveSwitchTo(HWND sw, int position) {
    SetWindowLongA(sw, SwitchSlotPosition, position);
    RepaintControl(sw);
}

int GetSwitchPosition(HWND sw) {
    return static_cast<int>(GetWindowLongA(sw, SwitchSlotPosition));
}
