#pragma once
#include <windows.h>
constexpr char PropertyListClassName[] = "OrbiterCtrl_PropertyList";
LRESULT CALLBACK PropertyListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void RegisterPropertyListClass(HINSTANCE instance);
void UnregisterPropertyListClass(HINSTANCE instance);
