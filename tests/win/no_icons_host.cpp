// A host whose executable lacks bitmap 286: registration must still give all three classes,
// and a property list must still paint. Exit code 0 when all checks hold.
#include "host_core.h"

#include <cstdio>
#include <string>

namespace {

int g_failed = 0;
int g_passed = 0;

void Check(bool condition, const char* what) {
    if (condition) {
        ++g_passed;
    } else {
        ++g_failed;
        std::printf("FAILED: %s\n", what);
    }
}

std::string ModulePath() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of("\\/") + 1) + "CalculatorKelvo.dll";
}

} // namespace

int main() {
    Check(FindResourceA(nullptr, MAKEINTRESOURCEA(286), MAKEINTRESOURCEA(2)) == nullptr,
          "this host has no bitmap 286");
    HMODULE module = host::LoadModule(ModulePath());
    Check(module != nullptr, "the module loads");
    if (!module)
        return 1;
    for (const char* name :
         {"OrbiterCtrl_Gauge", "OrbiterCtrl_Switch", "OrbiterCtrl_PropertyList"}) {
        WNDCLASSA wc;
        Check(GetClassInfoA(module, name, &wc) != FALSE, name);
    }
    HWND parent = CreateWindowExA(0, "STATIC", "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 150,
                                  nullptr, nullptr, nullptr, nullptr);
    HWND list = CreateWindowExA(0, "OrbiterCtrl_PropertyList", "", WS_CHILD | WS_VISIBLE, 0, 0, 180,
                                120, parent, nullptr, module, nullptr);
    Check(list != nullptr, "a property list window can be created");
    UpdateWindow(list);
    RECT update;
    Check(GetUpdateRect(list, &update, FALSE) == FALSE, "its paint validates the window");
    DestroyWindow(parent);
    host::UnloadModule(module);
    WNDCLASSA wc;
    Check(GetClassInfoA(module, "OrbiterCtrl_PropertyList", &wc) == FALSE,
          "the classes are gone after unloading");
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
