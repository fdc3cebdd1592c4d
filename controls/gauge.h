// The gauge control (window class "OrbiterCtrl_Gauge"): a value within a range, shown as a bar
// in a track between two arrow buttons. Holding an arrow steps the value; pressing and
// dragging in the track sets it. Every change is reported to the parent as WM_HSCROLL (code
// in the low word, low 16 bits of the value in the high word, the gauge's handle in lParam).
//
// The whole state lives in four window-extra slots. The control notices no outside write: a
// writer that wants the change shown invalidates the window (or uses the functions below).
//
// The contract needs no Windows header, so that the window-free arithmetic shares its names.
#pragma once

#include <cstdint>

struct HINSTANCE__;
struct HWND__;

constexpr char GaugeClassName[] = "OrbiterCtrl_Gauge";

// Byte indices of the window-extra slots (GetWindowLongA / SetWindowLongA).
enum GaugeSlot : int {
    GaugeSlotValue = 0, // signed current value
    GaugeSlotMin = 4,   // signed lower end of the range
    GaugeSlotMax = 8,   // signed upper end of the range
    GaugeSlotFlags = 12 // GaugeFlag bits
};
constexpr int GaugeExtraBytes = 16;

// Bits of the flag slot. Inverted, vertical and red bar are the style that the creating code
// chooses; the others are the gauge's own interaction state.
enum GaugeFlag : std::uint32_t {
    GaugeInverted = 0x01,    // bar grows from the far end; first arrow steps up
    GaugeVertical = 0x02,    // arrow buttons at top and bottom
    GaugeFirstArrow = 0x04,  // left or top arrow button held
    GaugeSecondArrow = 0x08, // right or bottom arrow button held
    GaugeDragging = 0x0C,    // both arrow bits: the track is being dragged
    GaugeStepDown = 0x10,    // auto-repeat steps the value down
    GaugeStepUp = 0x20,      // auto-repeat steps the value up
    GaugeRedBar = 0x40,      // bar filled red instead of black
};
constexpr std::uint32_t GaugeStyleMask = GaugeInverted | GaugeVertical | GaugeRedBar;
constexpr std::uint32_t GaugeInteractionMask =
    GaugeFirstArrow | GaugeSecondArrow | GaugeStepDown | GaugeStepUp;

// BM_GETSTATE's answer: what the repeat bits ask for (both together make a step do nothing).
enum GaugeRepeat : int {
    GaugeRepeatNone = 0,
    GaugeRepeatDown = 1,
    GaugeRepeatUp = 2,
    GaugeRepeatBoth = 3,
};

// The auto-repeat's window timer.
constexpr unsigned GaugeRepeatTimerId = 1;

// Creation API for code that builds dialogs at run time. `module` is the instance that
// registered the class.

// A visible child gauge; style is any of GaugeInverted | GaugeVertical | GaugeRedBar.
// Range and value start at 0. Returns null when the window cannot be created.
HWND__* CreateGauge(HINSTANCE__* module, HWND__* parent, int id, int x, int y, int width,
                    int height, std::uint32_t style);
// Sets the range and repaints. The value is left as it is.
void SetGaugeRange(HWND__* gauge, int minimum, int maximum);
// Sets the value and repaints; the parent is not notified.
void SetGaugeValue(HWND__* gauge, int value);
// Replaces the style bits (inverted, vertical, red bar) and repaints.
void SetGaugeStyle(HWND__* gauge, std::uint32_t style);
int GetGaugeValue(HWND__* gauge);
