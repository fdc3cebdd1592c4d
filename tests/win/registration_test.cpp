// The three control classes as InitModule registers them and ExitModule removes them.
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using kelvo_test::kControlClasses;
using kelvo_test::LoadedModule;

// Each class is the module's own; its windows are repainted whole when they grow in either
// direction, and only the property list sets a cursor (the arrow).
TEST(ControlRegistration, ClassesAreTheModulesOwn) {
    LoadedModule module;
    for (const char* name : kControlClasses) {
        SCOPED_TRACE(name);
        WNDCLASSA wc;
        EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), name, &wc));
        EXPECT_EQ(nullptr, CreateWindowExA(0, name, "", WS_POPUP, 0, 0, 60, 20, nullptr, nullptr,
                                           GetModuleHandleA(nullptr), nullptr));
        HWND own = CreateWindowExA(0, name, "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 20, nullptr,
                                   nullptr, module.instance(), nullptr);
        ASSERT_NE(nullptr, own);
        for (const SIZE size : {SIZE{80, 20}, SIZE{80, 30}}) { // wider, then higher
            ValidateRect(own, nullptr);
            SetWindowPos(own, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
            RECT update = {};
            GetUpdateRect(own, &update, FALSE);
            EXPECT_EQ(update.left, 0);
            EXPECT_EQ(update.top, 0);
        }
        SetCursor(nullptr);
        SendMessageA(own, WM_SETCURSOR, reinterpret_cast<WPARAM>(own),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        const bool list = std::strcmp(name, PropertyListClassName) == 0;
        EXPECT_EQ(GetCursor(), list ? LoadCursorA(nullptr, IDC_ARROW) : nullptr);
        DestroyWindow(own);
    }
}

TEST(ControlRegistration, ExitModuleRemovesClassesAndDrawingObjects) {
    LoadedModule module;
    WNDCLASSA sw;
    ASSERT_TRUE(GetClassInfoA(module.instance(), SwitchClassName, &sw));
    const HBRUSH faceBrush = sw.hbrBackground;
    module.Unload(); // the entry's detach runs ExitModule
    for (const char* name : kControlClasses) {
        WNDCLASSA wc;
        EXPECT_FALSE(GetClassInfoA(module.instance(), name, &wc)) << name;
    }
    EXPECT_EQ(0u, GetObjectType(faceBrush));
    // Stock objects are not the module's to delete.
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(GetStockObject(LTGRAY_BRUSH)));
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(GetStockObject(WHITE_BRUSH)));
}

// A class that cannot go because one of its windows still exists does not stop the rest.
TEST(ControlRegistration, ExitGoesOnWhenAClassStaysInUse) {
    LoadedModule module;
    WNDCLASSA sw;
    ASSERT_TRUE(GetClassInfoA(module.instance(), SwitchClassName, &sw));
    kelvo_test::RecordingWindow parent;
    HWND gauge = CreateWindowExA(0, GaugeClassName, "", WS_CHILD, 0, 0, 60, 20, parent.hwnd(),
                                 nullptr, module.instance(), nullptr);
    ASSERT_NE(nullptr, gauge);
    auto exitModule = module.Export<void (*)(HINSTANCE)>("ExitModule");
    ASSERT_NE(nullptr, exitModule);
    exitModule(module.instance());
    WNDCLASSA wc;
    EXPECT_FALSE(GetClassInfoA(module.instance(), SwitchClassName, &wc));
    EXPECT_FALSE(GetClassInfoA(module.instance(), PropertyListClassName, &wc));
    EXPECT_EQ(0u, GetObjectType(sw.hbrBackground));
    DestroyWindow(gauge);
}

} // namespace
