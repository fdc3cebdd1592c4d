// The four exports that the host calls, and the module-wide calculator.
#include "module.h"

#include "calculator.h"
#include "calculator_dialog.h"
#include "dialog_controls.h"
#include "host_api.h"

#include <cstdlib>
#include <new>

Calculator* g_calculator = nullptr;

namespace {

// The module's version number, asked of the host once it is known; 0 means not yet.
int g_version = 0;

char g_commandLabel[] = "Calculator Kelvo";
char g_commandDescription[] = "A basic calculator for in-sim math.";
char g_versionDate[] = "Aug 28 2016";
const char g_buildDate[] = "Sep 13 2020";

} // namespace

extern "C" void InitModule(HINSTANCE instance) {
    // A host that initialises the module a second time gets nothing new: the one calculator
    // and its one command stay as they are (a second command would only open the same one).
    if (g_calculator)
        return;
    // Made in memory from the C runtime: the module links no C++ runtime library, so it has
    // no operator new. Out of memory at load leaves the module without calculator and command.
    void* memory = std::malloc(sizeof(Calculator));
    Calculator* calculator = memory ? new (memory) Calculator(instance) : nullptr;
    if (calculator)
        oapiRegisterCustomCmd(g_commandLabel, g_commandDescription, OpenCalculatorDialog,
                              calculator);
    g_calculator = calculator;
    RegisterDialogControls(instance);
}

extern "C" void ExitModule(HINSTANCE instance) {
    if (g_calculator) {
        g_calculator->~Calculator();
        std::free(g_calculator);
    }
    g_calculator = nullptr;
    UnregisterDialogControls(instance);
}

extern "C" int GetModuleVersion() {
    if (g_version == 0)
        g_version = Date2Int(g_versionDate);
    return g_version;
}

extern "C" const char* ModuleDate() {
    return g_buildDate;
}
