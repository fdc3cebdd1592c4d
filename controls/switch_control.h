// The toggle switch control (window class "OrbiterCtrl_Switch"): a panel switch whose lever
// points up, down or (three-way switches) at the viewer. A left-button press in the upper or
// lower half moves the lever one position toward that half and posts WM_COMMAND to the
// parent: wParam = control id (notification code 0), lParam = the new position.
//
// The whole state lives in two window-extra slots, read and written with GetWindowLongA and
// SetWindowLongA. The control notices no outside write: a writer that wants the change shown
// invalidates the window (or uses the creation API below, which does).
//
// The contract needs no Windows header, so that the window-free arithmetic shares its names.
#pragma once

#include <cstdint>

struct HINSTANCE__;
struct HWND__;

constexpr char SwitchClassName[] = "OrbiterCtrl_Switch";

// Byte indices of the window-extra slots.
enum SwitchSlot : int {
    SwitchSlotPosition = 0, // a SwitchPosition; any other value is drawn as middle and stays
    SwitchSlotFlags = 4,    // SwitchFlag bits
};
constexpr int SwitchExtraBytes = 8;

// Lever positions, as stored in the position slot and sent to the parent.
enum SwitchPosition : int {
    SwitchUp = 0,
    SwitchDown = 1,
    SwitchMiddle = 2,
};

// Bits of the flag slot. Any other bit is ignored by drawing and presses alike, so a creator
// may keep marks of its own there without changing the switch.
enum SwitchFlag : std::uint32_t {
    SwitchThreeWay = 1, // the middle position is a stop between up and down
    SwitchNoDraw = 4,   // only the background is shown
};

// Creation API for code that builds dialogs by hand.

// Creates a visible child switch of the given size and control id under the module that
// registered the class, and writes its flags. Returns null when the window cannot be created.
HWND__* CreateSwitch(HINSTANCE__* module, HWND__* parent, int id, int x, int y, int width,
                     int height, std::uint32_t flags);
// Writes the flags slot and repaints.
void SetSwitchFlags(HWND__* sw, std::uint32_t flags);
// Writes the position slot and repaints, silently: unlike a press, it posts nothing to the
// parent.
void MoveSwitchTo(HWND__* sw, int position);
// The position slot as stored (outside values are drawn as middle).
int GetSwitchPosition(HWND__* sw);
