// Registration of the custom dialog controls (gauge, switch, property list) under the
// module's instance, with their module-wide drawing objects. Part of the module only.
#pragma once

#include <windows.h>

// Creates the drawing objects and registers the three classes under instance. A second call
// before UnregisterDialogControls changes nothing.
void RegisterDialogControls(HINSTANCE instance);
// Unregisters the three classes and deletes the drawing objects.
void UnregisterDialogControls(HINSTANCE instance);
