// The module as the host sees it: its four exports and the module-wide calculator.
#pragma once

#include <windows.h>

class Calculator;

// The one calculator, from InitModule to ExitModule.
extern Calculator* g_calculator;

extern "C" {
void InitModule(HINSTANCE instance);
void ExitModule(HINSTANCE instance);
int GetModuleVersion();
const char* ModuleDate();
}

// The library's entry, after the C runtime's own start-up.
BOOL ModuleEntry(HINSTANCE instance, DWORD reason, LPVOID reserved);
