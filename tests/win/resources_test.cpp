// The module's resources as the system reads them from the built DLL: the calculator window
// that template 102 makes, and the two description strings.
#include "calculator.h"
#include "resource.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using kelvo_test::LoadedModule;

const WORD kUkEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK);

INT_PTR CALLBACK IdleDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// A child's box in its dialog's client coordinates.
RECT BoxOf(HWND child) {
    RECT box;
    GetWindowRect(child, &box);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&box), 2);
    return box;
}

// Every key has one push button that the keyboard can reach; the buttons and the display lie
// inside the window and none covers another.
TEST(ModuleResources, TemplateGivesEveryKeyAButtonAndADisplayThatDoNotOverlap) {
    LoadedModule module;
    ASSERT_NE(FindResourceExA(module.instance(), MAKEINTRESOURCEA(5) /* RT_DIALOG */,
                              MAKEINTRESOURCEA(IDD_CALCULATOR), kUkEnglish),
              nullptr);
    HWND dialog = CreateDialogParamA(module.instance(), MAKEINTRESOURCEA(IDD_CALCULATOR), nullptr,
                                     IdleDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    char text[64];
    GetWindowTextA(dialog, text, sizeof text);
    EXPECT_STREQ(text, "Calculator Kelvo");
    RECT client;
    GetClientRect(dialog, &client);

    std::vector<RECT> boxes;
    const auto place = [&](HWND control, const char* what) {
        const RECT box = BoxOf(control);
        RECT inside;
        IntersectRect(&inside, &box, &client);
        EXPECT_TRUE(EqualRect(&inside, &box)) << what << " lies outside the window";
        for (const RECT& other : boxes) {
            RECT overlap;
            EXPECT_FALSE(IntersectRect(&overlap, &box, &other)) << what << " covers another";
        }
        boxes.push_back(box);
    };
    for (int id = FirstKey; id <= LastKey; ++id) {
        SCOPED_TRACE("key " + std::to_string(id));
        HWND key = GetDlgItem(dialog, id);
        ASSERT_NE(key, nullptr);
        GetClassNameA(key, text, sizeof text);
        EXPECT_STRCASEEQ(text, "Button");
        const LONG style = GetWindowLongA(key, GWL_STYLE);
        EXPECT_EQ(style & (BS_TYPEMASK | WS_TABSTOP | WS_VISIBLE),
                  BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE);
        place(key, "a key");
    }
    HWND display = GetDlgItem(dialog, IDC_DISPLAY);
    ASSERT_NE(display, nullptr);
    GetClassNameA(display, text, sizeof text);
    EXPECT_STRCASEEQ(text, "Static");
    EXPECT_EQ(GetWindowLongA(display, GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
    place(display, "the display");
    DestroyWindow(dialog);
}

// The description strings are English (United Kingdom), like the template. (Their texts are
// what the stand-in host shows in its module listing, checked by its script test.)
TEST(ModuleResources, DescriptionStringsAreUkEnglish) {
    LoadedModule module;
    // Strings 1000 and 1001 live in block 1000 / 16 + 1 = 63.
    EXPECT_NE(nullptr,
              FindResourceExA(module.instance(), MAKEINTRESOURCEA(6) /* RT_STRING */,
                              MAKEINTRESOURCEA(IDS_MODULE_DESCRIPTION / 16 + 1), kUkEnglish));
}

} // namespace
