// The section icons of a host whose executable has no bitmap 286, or a monochrome one. Built
// once per such host (KELVO_MONOCHROME_ICONS says which), each a program of its own.
#include "property_list_api.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#if KELVO_MONOCHROME_ICONS
#define KELVO_HOST_ICONS_TEST MonochromeIconsTakeTheTitleColours
constexpr int kHostIconBits = 1;
#else
#define KELVO_HOST_ICONS_TEST NoneWithoutTheHostBitmap
constexpr int kHostIconBits = 0; // no bitmap to read
#endif

// Without bitmap 286 the classes are still registered and a list still paints, with its icon
// cells left blank. A monochrome bitmap is coloured from the text and background colours at
// the copy: the icons come out in the title's dark blue on pale blue, for titled and untitled
// sections alike.
TEST(HostIcons, KELVO_HOST_ICONS_TEST) {
    HBITMAP icons = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(286));
    BITMAP info = {};
    GetObjectA(icons, sizeof info, &info);
    DeleteObject(icons);
    ASSERT_EQ(info.bmBitsPixel, kHostIconBits);
    kelvo_test::LoadedModule module;
    for (const char* name : kelvo_test::kControlClasses) {
        WNDCLASSA wc;
        EXPECT_TRUE(GetClassInfoA(module.instance(), name, &wc)) << name;
    }
    kelvo_test::RecordingWindow parent;
    HWND list = CreatePropertyList(module.instance(), parent.hwnd(), 1, 10, 10, 202, 202, 100);
    AddPropertySection(list, "Open", true);   // title row 0, expanded cell
    AddPropertySection(list, nullptr, false); // title row 26, collapsed cell
    const kelvo_test::ClientCapture picture = kelvo_test::PaintAndCapture(list);
    EXPECT_EQ(kelvo_test::IconStripMismatches(picture, 0, 28), 0);
    EXPECT_EQ(kelvo_test::IconStripMismatches(picture, 26, 42), 0);
}
