#pragma once
#include <windows.h>
constexpr char GaugeClassName[] = "OrbiterCtrl_Gauge";
LRESULT CALLBACK GaugeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
