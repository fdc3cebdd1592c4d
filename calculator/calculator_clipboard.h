// The calculator's clipboard: its display copied as text, a number pasted, and the right-click
// menu with Copy and Paste.
#pragma once

#include <windows.h>

class Calculator;

// Puts the display on the clipboard; the warning sound when it cannot, and then the clipboard
// is left as it was.
void CopyDisplay(const Calculator& calculator, HWND dialog);

// Enters the clipboard's number into the calculator and shows it; the warning sound when the
// clipboard holds no number that the calculator takes.
void Paste(Calculator& calculator, HWND dialog);

// Opens the menu for a WM_CONTEXTMENU at `where` (screen coordinates, or -1, -1 from the
// keyboard) and does what is chosen. False, with nothing done, for a right-click outside the
// client area: the title bar's is the window menu's.
bool ShowMenu(Calculator& calculator, HWND dialog, LPARAM where);
