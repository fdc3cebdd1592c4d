// What the control classes' units (gauge.cpp, switch_control.cpp, property_list.cpp) offer the
// registry above them (dialog_controls.cpp), and the one way they register a class. Part of the
// module only.
#pragma once

#include <windows.h>

// A class of the controls under instance: repainted whole when resized, with the given
// window-extra bytes, background brush and cursor (null: none).
void RegisterControlClass(HINSTANCE instance, const char* name, WNDPROC proc, int extraBytes,
                          HBRUSH background, HCURSOR cursor);

// Each control's own class, each pair defined in its control's unit. The registry calls them
// once the drawing objects that a class uses exist, and removes each class before them.
void RegisterGaugeClass(HINSTANCE instance);
void UnregisterGaugeClass(HINSTANCE instance);
void RegisterSwitchClass(HINSTANCE instance);
void UnregisterSwitchClass(HINSTANCE instance);
void RegisterPropertyListClass(HINSTANCE instance);
void UnregisterPropertyListClass(HINSTANCE instance);
