#include "host_core.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    host::LoadModule("CalculatorKelvo.dll");
    host::RunCommand("Calculator Kelvo");
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (host::TranslateDialogMessage(&message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    host::UnloadAllModules();
    return 0;
}
