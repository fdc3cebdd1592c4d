// A test module with the real module entry and a clean-up export under the older name.
// Its clean-up leaves a mark in the process environment for the test to find.
#include <windows.h>

extern "C" void opcDLLExit(HINSTANCE) {
    SetEnvironmentVariableA("KELVO_EXIT_PROBE", "opcDLLExit");
}

// Something to export, so that the linker does not export everything.
extern "C" int KelvoExitProbe() {
    return 1;
}
