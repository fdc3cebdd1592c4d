// The toggle switch control (window class "OrbiterCtrl_Switch"): a panel switch whose lever
// points up, down or (three-way switches) at the viewer. A left-button press in the upper or
// lower half moves the lever one position toward that half and posts WM_COMMAND to the
// parent: wParam = control id (notification code 0), lParam = the new position.
//
// The whole state lives in two window-extra slots, read and written with GetWindowLongA and
// SetWindowLongA. The control notices no outside write: a writer that wants the change shown
// invalidates the window (or uses the creation API below, which does).
#pragma once

#include <windows.h>

#include "switch_geometry.h"

constexpr char SwitchClassName[] = "OrbiterCtrl_Switch";

// Byte indices of the window-extra slots.
constexpr int SwitchSlotPosition = 0; // SwitchUp, SwitchDown or SwitchMiddle
constexpr int SwitchSlotFlags = 4;    // SwitchThreeWay, SwitchNoDraw
constexpr int SwitchExtraBytes = 8;

// Creation API for code that builds dialogs by hand.

// Creates a visible child switch of the given size and control id under the module that
// registered the class, and writes its flags. Returns null when the window cannot be created.
HWND CreateSwitch(HINSTANCE module, HWND parent, int id, int x, int y, int width, int height,
                  DWORD flags);
// Writes the flags slot and repaints.
void SetSwitchFlags(HWND sw, DWORD flags);
// Writes the position slot and repaints; the parent is not notified.
void MoveSwitchTo(HWND sw, int position);
// The position slot as stored (outside values are drawn as middle).
int GetSwitchPosition(HWND sw);
