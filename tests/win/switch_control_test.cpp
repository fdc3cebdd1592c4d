#include <gtest/gtest.h>

#include "switch_control.h"
#include "win_test_support.h"

#include <vector>

namespace {

using kelvo_test::ClientCapture;
using kelvo_test::LoadedModule;
using kelvo_test::Notified;
using kelvo_test::PaintAndCapture;
using kelvo_test::PumpMessages;
using kelvo_test::RecordingWindow;

constexpr int kId = 1234;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLightGray = RGB(192, 192, 192);
constexpr COLORREF kGray = RGB(128, 128, 128);

struct Pixel {
    int x;
    int y;
    COLORREF colour;
    const char* what;
};

void ExpectPixels(const ClientCapture& capture, const std::vector<Pixel>& pixels) {
    for (const Pixel& p : pixels)
        EXPECT_EQ(capture.At(p.x, p.y), p.colour) << p.what << " at (" << p.x << ", " << p.y << ")";
}

class SwitchControl : public testing::Test {
protected:
    // Colours the drawing objects are made from, read before the module registers them.
    const COLORREF face_ = GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow_ = GetSysColor(COLOR_BTNSHADOW);
    LoadedModule module_;
    RecordingWindow parent_;

    HWND Create(int width, int height, DWORD flags = 0, int x = 0, int y = 0) {
        HWND sw = CreateSwitch(module_.instance(), parent_.hwnd(), kId, x, y, width, height, flags);
        PumpMessages();
        return sw;
    }
    // A switch as a dialog template makes it: nobody writes its slots.
    HWND CreateUnconfigured() {
        return CreateWindowExA(0, SwitchClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 40, 60,
                               parent_.hwnd(), reinterpret_cast<HMENU>(kId), module_.instance(),
                               nullptr);
    }

    // A press as the system delivers it. SendPress leaves any repaint and notification
    // waiting in the queue; Press then handles them.
    static void SendPress(HWND sw, int y) {
        SendMessageA(sw, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, y));
    }
    static void Press(HWND sw, int y) {
        SendPress(sw, y);
        PumpMessages();
    }
};

bool HasUpdateRegion(HWND sw) {
    RECT update;
    return GetUpdateRect(sw, &update, FALSE) != FALSE;
}

// Fills the slots of a window being created before its WM_CREATE arrives.
LRESULT CALLBACK PresetSlots(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        SetWindowLongA(reinterpret_cast<HWND>(wParam), SwitchSlotPosition, 2);
        SetWindowLongA(reinterpret_cast<HWND>(wParam), SwitchSlotFlags, 5);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(SwitchControl, CreationZeroesBothSlots) {
    HHOOK hook = SetWindowsHookExA(WH_CBT, PresetSlots, nullptr, GetCurrentThreadId());
    HWND sw = CreateUnconfigured();
    UnhookWindowsHookEx(hook);
    ASSERT_NE(sw, nullptr);
    EXPECT_EQ(GetWindowLongA(sw, SwitchSlotPosition), 0);
    EXPECT_EQ(GetWindowLongA(sw, SwitchSlotFlags), 0);
}

TEST_F(SwitchControl, UnconfiguredSwitchIsTwoWay) {
    HWND sw = CreateUnconfigured();
    PumpMessages();
    SendPress(sw, 45);
    // Posted, not sent: the new position is stored before the parent hears of it.
    EXPECT_EQ(GetSwitchPosition(sw), SwitchDown);
    EXPECT_TRUE(parent_.messages().empty());
    PumpMessages();
    EXPECT_TRUE(Notified(parent_, sw, {{WM_COMMAND, 0, SwitchDown}}));
    Press(sw, 5);
    EXPECT_TRUE(Notified(parent_, sw, {{WM_COMMAND, 0, SwitchUp}}));
    EXPECT_EQ(GetSwitchPosition(sw), SwitchUp);
}

// A three-way switch stops in the middle; the halves are those of the height, not the width
// (the dividing row, half the height, belongs to the lower half; a row's word is unsigned, so
// 0x8000 and above are far below); a switch that is not drawn still moves. Each press that
// moves the lever reports the new position, any other reports nothing.
TEST_F(SwitchControl, ThreeWayStopsInTheMiddle) {
    HWND sw = Create(120, 20, SwitchThreeWay | SwitchNoDraw);
    const struct {
        int y, position;
    } presses[] = {{10, SwitchMiddle}, {0xFFF0, SwitchDown}, {0x8000, SwitchDown},
                   {9, SwitchMiddle},  {9, SwitchUp},        {0x8000, SwitchMiddle}};
    int position = SwitchUp;
    for (const auto& press : presses) {
        SCOPED_TRACE("press at row " + std::to_string(press.y));
        Press(sw, press.y);
        EXPECT_EQ(GetSwitchPosition(sw), press.position);
        std::vector<kelvo_test::Notification> expected;
        if (press.position != position)
            expected.push_back({WM_COMMAND, 0, press.position});
        EXPECT_TRUE(Notified(parent_, sw, expected));
        position = press.position;
    }
}

TEST_F(SwitchControl, PressTowardCurrentSideDoesNothing) {
    HWND sw = Create(40, 60, SwitchThreeWay);
    PaintAndCapture(sw);
    SendPress(sw, 5);
    EXPECT_FALSE(HasUpdateRegion(sw));
    MoveSwitchTo(sw, SwitchDown);
    PaintAndCapture(sw);
    SendPress(sw, 59);
    EXPECT_FALSE(HasUpdateRegion(sw));
    PumpMessages();
    EXPECT_EQ(GetSwitchPosition(sw), SwitchDown);
    EXPECT_TRUE(Notified(parent_, sw, {}));

    // A press that moves the lever repaints the whole control.
    SendPress(sw, 0);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(sw, &update, FALSE));
    EXPECT_EQ(update.left, 0);
    EXPECT_EQ(update.top, 0);
    EXPECT_EQ(update.right, 40);
    EXPECT_EQ(update.bottom, 60);
}

// The pens and fills of every element at points of a 40 x 60 client (where the elements lie is
// the geometry's arithmetic, tested natively), in the colours of the system when the module
// registered its classes: they are changed before the switches are made.
TEST_F(SwitchControl, Pixels40x60) {
    const INT elements[] = {COLOR_BTNFACE, COLOR_BTNSHADOW};
    const COLORREF changed[] = {RGB(10, 200, 30), RGB(200, 10, 120)},
                   registered[] = {face_, shadow_};
    SetSysColors(2, elements, changed);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), changed[0]);
    const std::vector<Pixel> common = {
        {0, 0, face_, "background"},         {0, 30, face_, "left of the nut"},
        {1, 30, kWhite, "nut left edge"},    {2, 30, kLightGray, "nut face"},
        {39, 30, shadow_, "nut right edge"}, {3, 30, kLightGray, "nut face"},
        {4, 30, kWhite, "bezel lit half"},   {36, 30, shadow_, "bezel shaded half"},
        {5, 30, kLightGray, "bezel face"}};
    const struct {
        DWORD flags;
        int position;
        std::vector<Pixel> pixels;
    } switches[] = {
        {0,
         SwitchUp,
         {{20, 51, shadow_, "nut bottom corner"},
          {10, 30, shadow_, "recess shaded half"},
          {30, 30, kWhite, "recess lit half"},
          {20, 46, shadow_, "bezel bottom"},
          {20, 40, kWhite, "recess bottom"},
          {20, 36, kGray, "recess face"},
          {20, 15, kLightGray, "shaft"},
          {20, 31, shadow_, "shaft root"},
          {29, 19, shadow_, "shaft right edge"},
          {11, 19, kWhite, "highlight on shaft's left edge"},
          {20, 7, shadow_, "shaft outer end"},
          {20, 4, kWhite, "knob"},
          {20, 6, shadow_, "knob bottom"},
          {30, 4, shadow_, "knob right edge"},
          {10, 4, kWhite, "highlight on knob's left edge"},
          {20, 1, kWhite, "highlight on knob's top"},
          {30, 1, shadow_, "knob corner past the highlight's end"},
          {20, 0, face_, "above the knob"},
          {31, 4, face_, "right of the knob"}}},
        {0,
         SwitchDown,
         {{20, 9, kWhite, "nut top corner"},
          {20, 14, kWhite, "bezel top"},
          {20, 20, shadow_, "recess top"},
          {20, 41, kWhite, "shaft"},
          {20, 56, kLightGray, "knob"},
          {20, 59, kWhite, "highlight below the knob"}}},
        {SwitchThreeWay,
         SwitchMiddle,
         {{20, 30, kWhite, "knob"},
          {8, 30, shadow_, "knob left edge, no highlight"},
          {32, 30, shadow_, "knob right edge"},
          {20, 25, shadow_, "knob top"},
          {20, 35, shadow_, "knob bottom"},
          {20, 22, kLightGray, "upper shaft"},
          {20, 20, shadow_, "upper shaft root"},
          {20, 38, kGray, "lower shaft"},
          {20, 40, shadow_, "lower shaft root"},
          {20, 3, face_, "no knob at the top"},
          {20, 56, face_, "no knob at the bottom"}}},
        {SwitchNoDraw,
         SwitchUp,
         {{1, 30, face_, "no nut"}, {10, 30, face_, "no recess"}, {20, 4, face_, "no knob"}}}};
    for (const auto& sw : switches) {
        SCOPED_TRACE("flags " + std::to_string(sw.flags) + ", position " +
                     std::to_string(sw.position));
        HWND window = Create(40, 60, sw.flags);
        MoveSwitchTo(window, sw.position);
        const ClientCapture capture = PaintAndCapture(window);
        if (!(sw.flags & SwitchNoDraw))
            ExpectPixels(capture, common);
        ExpectPixels(capture, sw.pixels);
        DestroyWindow(window);
    }
    SetSysColors(2, elements, registered);
}

TEST_F(SwitchControl, SwitchWithoutParentPostsNothing) {
    HWND sw = CreateWindowExA(0, SwitchClassName, "", WS_POPUP, 0, 0, 40, 60, nullptr, nullptr,
                              module_.instance(), nullptr);
    ASSERT_NE(sw, nullptr);
    SendPress(sw, 45);
    EXPECT_EQ(GetSwitchPosition(sw), SwitchDown);
    MSG stray;
    EXPECT_FALSE(
        PeekMessageA(&stray, reinterpret_cast<HWND>(-1), WM_COMMAND, WM_COMMAND, PM_REMOVE));
    DestroyWindow(sw);
}

} // namespace
