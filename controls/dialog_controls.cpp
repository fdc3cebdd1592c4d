#include "dialog_controls.h"

// The controls are not built yet: nothing to register.
void RegisterDialogControls(HINSTANCE) {}

void UnregisterDialogControls(HINSTANCE) {}
