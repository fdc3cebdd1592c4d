// The gauge control (window class "OrbiterCtrl_Gauge"): a value within a range, shown as a bar
// in a track between two arrow buttons. Holding an arrow steps the value; pressing and
// dragging in the track sets it. Every change is reported to the parent as WM_HSCROLL (code
// in the low word, low 16 bits of the value in the high word, the gauge's handle in lParam).
//
// The whole state lives in four window-extra slots. The control notices no outside write: a
// writer that wants the change shown invalidates the window (or uses the functions below).
#pragma once

#include <windows.h>

#include "gauge_geometry.h"

constexpr char GaugeClassName[] = "OrbiterCtrl_Gauge";

// Byte indices of the gauge's window-extra slots (GetWindowLongA / SetWindowLongA).
enum GaugeSlot : int {
    GaugeSlotValue = 0, // signed current value
    GaugeSlotMin = 4,   // signed lower end of the range
    GaugeSlotMax = 8,   // signed upper end of the range
    GaugeSlotFlags = 12 // GaugeFlag bits
};
constexpr int GaugeExtraBytes = 16;

// The auto-repeat's window timer.
constexpr UINT_PTR GaugeRepeatTimerId = 1;

// Creation API for code that builds dialogs at run time. `module` is the instance that
// registered the class.

// A visible child gauge; style is any of GaugeInverted | GaugeVertical | GaugeRedBar.
// Range and value start at 0. Returns null when the window cannot be created.
HWND CreateGauge(HINSTANCE module, HWND parent, int id, int x, int y, int width, int height,
                 DWORD style);
// Sets the range and repaints. The value is left as it is.
void SetGaugeRange(HWND gauge, int minimum, int maximum);
// Sets the value and repaints; the parent is not notified.
void SetGaugeValue(HWND gauge, int value);
// Replaces the style bits (inverted, vertical, red bar) and repaints.
void SetGaugeStyle(HWND gauge, DWORD style);
int GetGaugeValue(HWND gauge);
