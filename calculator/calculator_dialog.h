// The calculator's window: opened through the host, driven by its dialog procedure.
#pragma once

#include <windows.h>

// Custom-command callback: opens the calculator window; context is the Calculator.
void OpenCalculatorDialog(void* context);

// Dialog procedure handed to the host; forwards to the module's one calculator.
int CALLBACK CalculatorDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Writes text into the display control of window, when there is one.
void RefreshDisplay(HWND window, const char* text);
