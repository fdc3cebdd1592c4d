// Registration of the custom dialog controls (gauge, switch, property list) and their
// module-wide drawing objects.
#pragma once

#include <windows.h>

// Creates the drawing objects and registers the three classes under instance.
void RegisterDialogControls(HINSTANCE instance);
// Unregisters the three classes and deletes the drawing objects.
void UnregisterDialogControls(HINSTANCE instance);
