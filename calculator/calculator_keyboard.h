// The calculator's keyboard: the characters of its keys, the shortcuts (Delete for AC, the copy
// and paste keys, and the dialog keys where the host's loop has no dialog manager), and the keys'
// buttons subclassed to take them whichever has the focus.
#pragma once

#include <windows.h>

class Calculator;

// A key message that reached the dialog or one of its keys; true when it was the calculator's.
// A typed key is a click of its button, shown pressed while the key is held.
bool HandleKeyboard(Calculator& calculator, HWND dialog, UINT message, WPARAM wParam,
                    LPARAM lParam);

// Shows the key typed last as released, when it shows pressed.
void EndTypedPress();

// Subclasses the dialog's keys' buttons, once however often it is asked; each gets its own
// procedure back when it is destroyed.
void SubclassKeyButtons(HWND dialog);
