// The module over many loads and unloads in one process, as a simulator that activates and
// deactivates it again and again, and against a host that initialises or exits it twice.
#include "host_core.h"
#include "resource.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

namespace {

using kelvo_test::GdiObjectCount;
using kelvo_test::HeapBytesInUse;
using kelvo_test::LoadedModule;

// Loads the module, opens the calculator from its command, works 12 / 4 = on it, closes the
// window and unloads the module; the classes must be gone afterwards.
void OneCycle() {
    LoadedModule module;
    ASSERT_NE(module.instance(), nullptr);
    ASSERT_TRUE(host::RunCommand("Calculator Kelvo"));
    HWND dialog = host::FindDialog(module.instance(), IDD_CALCULATOR);
    ASSERT_NE(dialog, nullptr);
    for (int key : {IDC_KEY_1, IDC_KEY_2, IDC_KEY_DIVIDE, IDC_KEY_4, IDC_KEY_EQUALS})
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(key, BN_CLICKED), 0);
    char text[16] = "";
    GetDlgItemTextA(dialog, IDC_DISPLAY, text, sizeof text);
    ASSERT_STREQ(text, "3");
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    kelvo_test::PumpMessages();
    const HINSTANCE instance = module.instance();
    module.Unload();
    for (const char* name : kelvo_test::kControlClasses) {
        WNDCLASSA wc;
        ASSERT_FALSE(GetClassInfoA(instance, name, &wc)) << name << " outlives the module";
    }
}

TEST(ModuleLifecycle, TwoHundredLoadCyclesLeaveHeapAndGdiObjectsFlat) {
    // The count must see what this process creates and deletes.
    const int start = GdiObjectCount();
    HPEN pens[3];
    for (HPEN& pen : pens)
        pen = CreatePen(PS_SOLID, 1, 0);
    ASSERT_EQ(GdiObjectCount(), start + 3);
    for (HPEN pen : pens)
        DeleteObject(pen);
    ASSERT_EQ(GdiObjectCount(), start);

    size_t heapAtHundred = 0;
    int gdiAtHundred = 0;
    for (int cycle = 1; cycle <= 200; ++cycle) {
        OneCycle();
        if (HasFatalFailure())
            return;
        if (cycle == 100) {
            heapAtHundred = HeapBytesInUse();
            gdiAtHundred = GdiObjectCount();
        }
    }
    const long long grown = static_cast<long long>(HeapBytesInUse()) - heapAtHundred;
    EXPECT_LE(grown, 512) << "bytes kept by the last 100 cycles";
    EXPECT_EQ(GdiObjectCount(), gdiAtHundred);
}

// A host that calls InitModule a second time before ExitModule gets nothing new: no second
// set of drawing objects, no second command; one ExitModule releases everything.
TEST(ModuleLifecycle, InitModuleTwiceChangesNothing) {
    OneCycle(); // what the system creates once per process is made by now
    const int before = GdiObjectCount();
    ASSERT_GE(before, 0) << "the GDI objects cannot be counted";
    {
        LoadedModule module;
        const int loaded = GdiObjectCount();
        auto initModule = module.Export<void (*)(HINSTANCE)>("InitModule");
        ASSERT_NE(initModule, nullptr);
        initModule(module.instance());
        EXPECT_EQ(GdiObjectCount(), loaded);
        EXPECT_EQ(host::Commands().size(), 1u);
        EXPECT_EQ(kelvo_test::CallsTo("oapiRegisterCustomCmd").size(), 1u);
    }
    EXPECT_EQ(GdiObjectCount(), before);
}

} // namespace
