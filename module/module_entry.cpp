// The library's entry: tells the host our instance handle and runs the module's clean-up
// export when the process lets the library go.
#include "host_api.h"
#include "module.h"

namespace {

typedef void (*ExitFunction)(HINSTANCE);

// The module's own clean-up export, found at process attach.
ExitFunction g_exitFunction = nullptr;

ExitFunction FindExitFunction(HINSTANCE instance) {
    FARPROC exit = GetProcAddress(instance, "ExitModule");
    if (!exit)
        exit = GetProcAddress(instance, "opcDLLExit");
    return reinterpret_cast<ExitFunction>(reinterpret_cast<void*>(exit));
}

} // namespace

BOOL ModuleEntry(HINSTANCE instance, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        InitLib(instance);
        g_exitFunction = FindExitFunction(instance);
        break;
    case DLL_PROCESS_DETACH:
        if (g_exitFunction)
            g_exitFunction(instance);
        break;
    default:
        break;
    }
    return TRUE;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    return ModuleEntry(instance, reason, reserved);
}
