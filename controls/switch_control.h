#pragma once
#include <windows.h>
constexpr char SwitchClassName[] = "OrbiterCtrl_Switch";
LRESULT CALLBACK SwitchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
