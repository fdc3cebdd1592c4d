// Registration of the custom dialog controls (gauge, switch, property list) under the
// module's instance, and their module-wide drawing objects. Part of the module only.
#pragma once

#include <windows.h>

// Creates the drawing objects and registers the three classes under instance. A second call
// before UnregisterDialogControls changes nothing.
void RegisterDialogControls(HINSTANCE instance);
// Unregisters the three classes and deletes the drawing objects.
void UnregisterDialogControls(HINSTANCE instance);

// A class of the controls under instance: repainted whole when resized, with the given
// window-extra bytes, background brush and cursor (null: none).
void RegisterControlClass(HINSTANCE instance, const char* name, WNDPROC proc, int extraBytes,
                          HBRUSH background, HCURSOR cursor);

// Each control's own class, registered and removed by the two functions above.
void RegisterGaugeClass(HINSTANCE instance);
void UnregisterGaugeClass(HINSTANCE instance);
void RegisterSwitchClass(HINSTANCE instance);
void UnregisterSwitchClass(HINSTANCE instance);
void RegisterPropertyListClass(HINSTANCE instance);
void UnregisterPropertyListClass(HINSTANCE instance);
