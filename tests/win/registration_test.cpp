// The three control classes as InitModule registers them and ExitModule removes them.
#include "win_test_support.h"

#include <gtest/gtest.h>

namespace {

using kelvo_test::LoadedModule;

const char* const kClasses[] = {"OrbiterCtrl_Gauge", "OrbiterCtrl_Switch",
                                "OrbiterCtrl_PropertyList"};

COLORREF BrushColour(HBRUSH brush) {
    LOGBRUSH info = {};
    GetObjectA(brush, sizeof info, &info);
    return info.lbColor;
}

TEST(ControlRegistration, ClassRecords) {
    LoadedModule module;
    WNDCLASSA gauge, sw, list;
    ASSERT_TRUE(GetClassInfoA(module.instance(), "OrbiterCtrl_Gauge", &gauge));
    ASSERT_TRUE(GetClassInfoA(module.instance(), "OrbiterCtrl_Switch", &sw));
    ASSERT_TRUE(GetClassInfoA(module.instance(), "OrbiterCtrl_PropertyList", &list));

    for (const WNDCLASSA* wc : {&gauge, &sw, &list}) {
        EXPECT_EQ(static_cast<UINT>(CS_HREDRAW | CS_VREDRAW), wc->style);
        EXPECT_EQ(0, wc->cbClsExtra);
        EXPECT_EQ(nullptr, wc->hIcon);
        EXPECT_EQ(nullptr, wc->lpszMenuName);
        EXPECT_NE(nullptr, wc->lpfnWndProc);
    }
    EXPECT_EQ(16, gauge.cbWndExtra);
    EXPECT_EQ(8, sw.cbWndExtra);
    EXPECT_EQ(16, list.cbWndExtra);

    EXPECT_EQ(nullptr, gauge.hCursor);
    EXPECT_EQ(nullptr, sw.hCursor);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), list.hCursor);

    EXPECT_EQ(GetStockObject(LTGRAY_BRUSH), gauge.hbrBackground);
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), list.hbrBackground);
    ASSERT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(sw.hbrBackground));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), BrushColour(sw.hbrBackground));
    // The switch's face brush is the module's own, not a stock or system brush.
    EXPECT_NE(GetStockObject(LTGRAY_BRUSH), sw.hbrBackground);
    EXPECT_NE(GetSysColorBrush(COLOR_BTNFACE), sw.hbrBackground);
}

TEST(ControlRegistration, ClassesAreLocalToTheModule) {
    LoadedModule module;
    RECT area = {0, 0, 60, 20};
    HWND parent = CreateWindowExA(0, "STATIC", "parent", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    for (const char* name : kClasses) {
        SCOPED_TRACE(name);
        WNDCLASSA wc;
        EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), name, &wc));
        HWND other = CreateWindowExA(0, name, "", WS_CHILD, 0, 0, area.right, area.bottom, parent,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
        EXPECT_EQ(nullptr, other);
        HWND own = CreateWindowExA(0, name, "", WS_CHILD, 0, 0, area.right, area.bottom, parent,
                                   nullptr, module.instance(), nullptr);
        EXPECT_NE(nullptr, own);
        DestroyWindow(own);
    }
    DestroyWindow(parent);
}

TEST(ControlRegistration, ExitModuleRemovesClassesAndDrawingObjects) {
    LoadedModule module;
    WNDCLASSA sw;
    ASSERT_TRUE(GetClassInfoA(module.instance(), "OrbiterCtrl_Switch", &sw));
    const HBRUSH faceBrush = sw.hbrBackground;
    module.Unload();
    for (const char* name : kClasses) {
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
    ASSERT_TRUE(GetClassInfoA(module.instance(), "OrbiterCtrl_Switch", &sw));
    HWND parent = CreateWindowExA(0, "STATIC", "parent", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    HWND gauge = CreateWindowExA(0, "OrbiterCtrl_Gauge", "", WS_CHILD, 0, 0, 60, 20, parent,
                                 nullptr, module.instance(), nullptr);
    ASSERT_NE(nullptr, gauge);
    auto exitModule = module.Export<void (*)(HINSTANCE)>("ExitModule");
    ASSERT_NE(nullptr, exitModule);
    exitModule(module.instance());
    WNDCLASSA wc;
    EXPECT_FALSE(GetClassInfoA(module.instance(), "OrbiterCtrl_Switch", &wc));
    EXPECT_FALSE(GetClassInfoA(module.instance(), "OrbiterCtrl_PropertyList", &wc));
    EXPECT_EQ(0u, GetObjectType(sw.hbrBackground));
    DestroyWindow(parent);
}

} // namespace
