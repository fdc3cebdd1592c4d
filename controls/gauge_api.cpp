// The gauge's creation API: windows of the module's class, configured through their slots.
#include "control_window.h"
#include "gauge.h"

HWND CreateGauge(HINSTANCE module, HWND parent, int id, int x, int y, int width, int height,
                 std::uint32_t style) {
    HWND gauge = CreateControlWindow(GaugeClassName, 0, module, parent, id, x, y, width, height);
    if (gauge)
        SetWindowLongA(gauge, GaugeSlotFlags, static_cast<LONG>(style & GaugeStyleMask));
    return gauge;
}

void SetGaugeRange(HWND gauge, int minimum, int maximum) {
    SetWindowLongA(gauge, GaugeSlotMin, minimum);
    SetWindowLongA(gauge, GaugeSlotMax, maximum);
    RepaintControl(gauge);
}

void SetGaugeValue(HWND gauge, int value) {
    SetWindowLongA(gauge, GaugeSlotValue, value);
    RepaintControl(gauge);
}

void SetGaugeStyle(HWND gauge, std::uint32_t style) {
    const auto flags = static_cast<std::uint32_t>(GetWindowLongA(gauge, GaugeSlotFlags));
    SetWindowLongA(gauge, GaugeSlotFlags,
                   static_cast<LONG>((flags & ~GaugeStyleMask) | (style & GaugeStyleMask)));
    RepaintControl(gauge);
}

int GetGaugeValue(HWND gauge) {
    return static_cast<int>(GetWindowLongA(gauge, GaugeSlotValue));
}
