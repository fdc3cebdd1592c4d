// The section icons of a host whose executable has no bitmap 286, or a monochrome one. Built
// once per such host (KELVO_MONOCHROME_ICONS says which), each a program of its own.
#include "property_list_api.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

namespace {

using kelvo_test::ClientCapture;
using kelvo_test::LoadedModule;
using kelvo_test::PaintAndCapture;
using kelvo_test::RecordingWindow;

constexpr int kIconLeft = 2; // icon cells of a title row at window row y: x 2 .. 15, y + 2 ..
constexpr int kIconSize = 14;

#if KELVO_MONOCHROME_ICONS

// A monochrome bitmap is coloured from the text and background colours at the copy: the icons
// come out in the title's dark blue on pale blue, for titled and untitled sections alike.
TEST(HostIcons, MonochromeIconsTakeTheTitleColours) {
    HBITMAP icons = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(286));
    ASSERT_NE(icons, nullptr);
    BITMAP info;
    GetObjectA(icons, sizeof info, &info);
    ASSERT_EQ(info.bmBitsPixel, 1);
    LoadedModule module;
    RecordingWindow parent;
    HWND list = CreatePropertyList(module.instance(), parent.hwnd(), 1, 10, 10, 202, 202, 100);
    AddPropertySection(list, "Open", true);   // title row 0, expanded cell
    AddPropertySection(list, nullptr, false); // title row 26, collapsed cell
    const ClientCapture picture = PaintAndCapture(list);

    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, icons);
    for (const auto& row : {std::make_pair(0, 28), std::make_pair(26, 42)}) {
        int wrong = 0;
        for (int y = 0; y < kIconSize; ++y)
            for (int x = 0; x < kIconSize; ++x) {
                const bool set = GetPixel(memory, row.second + x, y) != RGB(0, 0, 0);
                const COLORREF expected = set ? PropertyTitleBackground : PropertyTitleText;
                wrong += picture.At(kIconLeft + x, row.first + 2 + y) != expected;
            }
        EXPECT_EQ(wrong, 0) << "icon of the title row at " << row.first;
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(icons);
}

#else

// Without bitmap 286 the classes are still registered and a list still paints, with its icon
// cells left blank.
TEST(HostIcons, NoneWithoutTheHostBitmap) {
    ASSERT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(286), MAKEINTRESOURCEA(2)), nullptr);
    LoadedModule module;
    for (const char* name : kelvo_test::kControlClasses) {
        WNDCLASSA wc;
        EXPECT_TRUE(GetClassInfoA(module.instance(), name, &wc)) << name;
    }
    RecordingWindow parent;
    HWND list = CreatePropertyList(module.instance(), parent.hwnd(), 1, 10, 10, 202, 202, 100);
    AddPropertySection(list, "Open", true);
    const ClientCapture picture = PaintAndCapture(list);
    EXPECT_FALSE(GetUpdateRect(list, nullptr, FALSE)) << "the paint validates the window";
    for (int y = 2; y < 2 + kIconSize; ++y)
        for (int x = kIconLeft; x < kIconLeft + kIconSize; ++x)
            ASSERT_EQ(picture.At(x, y), RGB(255, 255, 255)) << x << ", " << y;
}

#endif

} // namespace
