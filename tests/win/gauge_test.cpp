// The gauge through the module's own class: mouse input sent straight to the window, the
// parent's WM_HSCROLL reports, the mouse capture, the repeat timer and the painted pixels.
#include "gauge.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

using kelvo_test::LoadedModule;
using kelvo_test::Notified;
using kelvo_test::PumpMessages;
using kelvo_test::RecordingWindow;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kDark = RGB(0x40, 0x40, 0x40);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kGrey = RGB(0xC0, 0xC0, 0xC0);
const COLORREF kRed = RGB(255, 0, 0);

class GaugeControl : public ::testing::Test {
protected:
    HWND Make(int width, int height, DWORD style, int minimum = 0, int maximum = 10,
              int value = 5) {
        // Side by side, so that no gauge of a test covers another.
        const int x = 10 + 120 * (made % 3);
        const int y = 10 + 120 * (made / 3);
        ++made;
        HWND gauge = CreateGauge(module.instance(), parent.hwnd(), 7, x, y, width, height, style);
        SetGaugeRange(gauge, minimum, maximum);
        SetGaugeValue(gauge, value);
        PumpMessages();
        parent.Flush();
        return gauge;
    }

    static void Press(HWND gauge, int x, int y) {
        SendMessageA(gauge, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    }
    static void Move(HWND gauge, int x, int y) {
        SendMessageA(gauge, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    }
    static void Release(HWND gauge) { SendMessageA(gauge, WM_LBUTTONUP, 0, MAKELPARAM(0, 0)); }
    static DWORD Flags(HWND gauge) { return GetWindowLongA(gauge, GaugeSlotFlags); }
    static LRESULT State(HWND gauge) { return SendMessageA(gauge, BM_GETSTATE, 0, 0); }

    // Every (x, y) pair of xy must show the colour.
    static void ExpectColour(const kelvo_test::ClientCapture& capture, COLORREF colour,
                             std::initializer_list<int> xy) {
        for (auto p = xy.begin(); p + 1 < xy.end(); p += 2)
            EXPECT_EQ(capture.At(p[0], p[1]), colour) << "at (" << p[0] << ", " << p[1] << ")";
    }

    LoadedModule module;
    RecordingWindow parent;
    int made = 0;
};

// A parent procedure in front of the recorder that reads the reporting gauge's slot 0.
WNDPROC g_recorderProc = nullptr;
LONG g_valueSeenByParent = 0;

LRESULT CALLBACK SlotReadingParent(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HSCROLL)
        g_valueSeenByParent = GetWindowLongA(reinterpret_cast<HWND>(lParam), GaugeSlotValue);
    return CallWindowProcA(g_recorderProc, window, message, wParam, lParam);
}

// A press in the track sets the value under it and a drag follows (clamped at the ends, along
// y for vertical gauges) until the button comes up; each report follows the stored value. A gauge
// with an empty range keeps its value but still reports. A press reads its coordinates unsigned
// (0x8000 is far along a long gauge), a drag signed (0xFFF0 is just before the track).
TEST_F(GaugeControl, TrackPressAndDragSetTheValueAndReport) {
    const struct {
        DWORD style;
        int width, height, minimum, maximum;
        POINT press, drag;
        int pressed, dragged;
    } cases[] = {
        {0, 100, 20, -7, 13, {50, 10}, {-30, 10}, 3, -7},
        {GaugeInverted, 100, 20, 0, 10, {30, 10}, {500, 10}, 8, 0},
        {GaugeVertical, 20, 100, 0, 10, {79, 20}, {10, 300}, 0, 10},
        {GaugeVertical | GaugeInverted, 20, 100, 0, 10, {10, 50}, {10, -5}, 5, 10},
        {0, 100, 20, 4, 4, {30, 10}, {70, 10}, 4, 4},
        {0, 70000, 20, 0, 69960, {0x8000, 0xFFF0}, {0xFFF0, 0x8000}, 32748, 0},
        {GaugeVertical, 20, 70000, 0, 69960, {0xFFF0, 0x8000}, {0x8000, 0xFFF0}, 32748, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("style " + std::to_string(c.style) + ", range " + std::to_string(c.minimum) +
                     ".." + std::to_string(c.maximum));
        HWND gauge = Make(c.width, c.height, c.style, c.minimum, c.maximum, 4);
        Move(gauge, c.drag.x, c.drag.y); // not dragging yet: nothing happens
        Press(gauge, c.press.x, c.press.y);
        EXPECT_EQ(GetGaugeValue(gauge), c.pressed);
        EXPECT_EQ(Flags(gauge), c.style | GaugeDragging);
        EXPECT_EQ(State(gauge), GaugeRepeatNone);
        Move(gauge, c.drag.x, c.drag.y);
        EXPECT_EQ(GetGaugeValue(gauge), c.dragged);
        Release(gauge);
        EXPECT_EQ(Flags(gauge), c.style);
        Move(gauge, c.press.x, c.press.y);
        EXPECT_EQ(GetGaugeValue(gauge), c.dragged);
        EXPECT_TRUE(Notified(
            parent, gauge,
            {{WM_HSCROLL, SB_THUMBTRACK, c.pressed}, {WM_HSCROLL, SB_THUMBTRACK, c.dragged}}));
        DestroyWindow(gauge);
    }
}

TEST_F(GaugeControl, ArrowsSetRepeatStateAndStepFirstAtOnce) {
    // Range 0..1 repeats every second, so within this test only the posted step can run.
    HWND gauge = Make(100, 20, 0, 0, 1, 1);
    Press(gauge, 5, 10);
    EXPECT_EQ(Flags(gauge), static_cast<DWORD>(GaugeFirstArrow | GaugeStepDown));
    EXPECT_EQ(State(gauge), GaugeRepeatDown);
    EXPECT_EQ(GetGaugeValue(gauge), 1); // the step waits in the queue
    MSG queued;
    ASSERT_TRUE(PeekMessageA(&queued, gauge, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    EXPECT_EQ(queued.wParam, GaugeRepeatTimerId);
    PumpMessages();
    EXPECT_EQ(GetGaugeValue(gauge), 0);
    EXPECT_TRUE(Notified(parent, gauge, {{WM_HSCROLL, SB_LINEUP, 0}}));
    EXPECT_TRUE(KillTimer(gauge, GaugeRepeatTimerId)); // the repeat timer was running
    Release(gauge);
    EXPECT_EQ(State(gauge), GaugeRepeatNone);

    HWND second = Make(100, 20, 0, 0, 1, 0);
    Press(second, 99, 10);
    EXPECT_EQ(State(second), GaugeRepeatUp);
    PumpMessages();
    EXPECT_TRUE(Notified(parent, second, {{WM_HSCROLL, SB_LINEDOWN, 1}}));
    Release(second);
    EXPECT_FALSE(KillTimer(second, GaugeRepeatTimerId)); // killed at button-up
}

// Each tick of a held arrow stores the step, repaints with the background erased and reports
// the stored value (16 bits, signed), also when the bound leaves the value where it is.
TEST_F(GaugeControl, EachRepeatTickStoresRepaintsAndReports) {
    HWND gauge = Make(100, 20, 0, -5, 5, -4);
    g_recorderProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        parent.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SlotReadingParent)));
    Press(gauge, 5, 10);
    PumpMessages(); // the first step, which the press posts
    EXPECT_EQ(g_valueSeenByParent, -5);
    kelvo_test::PaintAndCapture(gauge);
    HDC dc = GetDC(gauge); // a mark in the empty track
    SetPixel(dc, 50, 10, kBlack);
    ReleaseDC(gauge, dc);
    SendMessageA(gauge, WM_TIMER, GaugeRepeatTimerId, 0);
    ExpectColour(kelvo_test::PaintAndCapture(gauge), kGrey, {50, 10});
    Release(gauge);
    EXPECT_TRUE(
        Notified(parent, gauge, {{WM_HSCROLL, SB_LINEUP, -5}, {WM_HSCROLL, SB_LINEUP, -5}}));
}

TEST_F(GaugeControl, RepeatIntervalFollowsTheRange) {
    // Only the counts are compared, with wide margins: ~1 ms steps against 1-second steps.
    struct Case {
        int minimum, maximum;
        bool fast;
    } cases[] = {{0, 3001, true}, {0, 1, false}};
    for (const Case& c : cases) {
        HWND gauge = Make(100, 20, 0, c.minimum, c.maximum, 2);
        Press(gauge, 5, 10);
        kelvo_test::PumpMessagesFor(400);
        Release(gauge);
        const size_t steps = parent.messages().size();
        if (c.fast)
            EXPECT_GE(steps, 5u) << c.minimum << ".." << c.maximum;
        else
            EXPECT_EQ(steps, 1u) << c.minimum << ".." << c.maximum;
        DestroyWindow(gauge);
    }
}

TEST_F(GaugeControl, ButtonUpClearsInteractionBitsOnly) {
    HWND gauge = Make(100, 20, 0);
    const DWORD style = GaugeInverted | GaugeVertical | GaugeRedBar;
    SetWindowLongA(gauge, GaugeSlotFlags, style | GaugeInteractionMask);
    EXPECT_EQ(State(gauge), GaugeRepeatBoth);
    SendMessageA(gauge, WM_TIMER, GaugeRepeatTimerId, 0); // both directions: no step
    PumpMessages();
    ValidateRect(gauge, nullptr);
    Release(gauge);
    EXPECT_EQ(Flags(gauge), style);
    EXPECT_EQ(GetGaugeValue(gauge), 5);
    EXPECT_FALSE(GetUpdateRect(gauge, nullptr, FALSE)); // no repaint at button-up
    EXPECT_TRUE(parent.messages().empty());
}

TEST_F(GaugeControl, CaptureIsTakenAndGivenBackOnce) {
    HWND gauge = Make(100, 20, 0);
    SetCapture(parent.hwnd());
    Press(gauge, 50, 10);
    EXPECT_EQ(GetCapture(), gauge);
    Press(gauge, 50, 10); // a second press while holding it
    Release(gauge);
    EXPECT_EQ(GetCapture(), parent.hwnd());

    // Once the earlier holder has let go, a stray button-up must not hand it back again.
    ReleaseCapture();
    Release(gauge);
    EXPECT_EQ(GetCapture(), nullptr);

    Press(gauge, 5, 10);
    EXPECT_EQ(GetCapture(), gauge);
    Release(gauge);
    EXPECT_EQ(GetCapture(), nullptr);
}

// Whatever takes the capture from a held or dragged gauge ends its interaction there: no
// timer left running, no step or report without a button, and no capture handed anywhere.
TEST_F(GaugeControl, LosingTheCaptureEndsTheInteraction) {
    HWND other = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, parent.hwnd(), nullptr,
                                 nullptr, nullptr);
    const struct {
        const char* how;
        void (*take)(HWND gauge, HWND other);
    } losses[] = {
        {"another window's SetCapture", [](HWND, HWND w) { SetCapture(w); }},
        {"WM_CANCELMODE", [](HWND g, HWND) { SendMessageA(g, WM_CANCELMODE, 0, 0); }},
        {"ReleaseCapture", [](HWND, HWND) { ReleaseCapture(); }},
    };
    for (const auto& loss : losses) {
        for (const int x : {5, 50}) { // an arrow held, the track dragged
            SCOPED_TRACE(std::string(loss.how) + (x == 5 ? ", arrow" : ", drag"));
            HWND gauge = Make(100, 20, GaugeRedBar, -1000, 1000, 0);
            SetCapture(parent.hwnd());
            Press(gauge, x, 10);
            ASSERT_EQ(GetCapture(), gauge);
            loss.take(gauge, other);
            PumpMessages();
            parent.Flush();
            EXPECT_EQ(Flags(gauge), static_cast<DWORD>(GaugeRedBar));
            EXPECT_FALSE(KillTimer(gauge, GaugeRepeatTimerId)) << "the timer still runs";
            EXPECT_NE(GetCapture(), parent.hwnd()) << "the capture was handed back";
            const int value = GetGaugeValue(gauge);
            kelvo_test::PumpMessagesFor(50);
            Move(gauge, 90, 10);
            EXPECT_EQ(GetGaugeValue(gauge), value);
            EXPECT_TRUE(Notified(parent, gauge, {}));
            // A later button-up, wherever it lands, hands nothing back either.
            ReleaseCapture();
            Release(gauge);
            EXPECT_EQ(GetCapture(), nullptr);
            DestroyWindow(gauge);
        }
    }
    DestroyWindow(other);
}

TEST_F(GaugeControl, OtherMessagesGoToTheDefaultProcedure) {
    HWND gauge = Make(100, 20, 0, 0, 1, 1);
    Press(gauge, 5, 10);
    const DWORD held = Flags(gauge);
    // A right press does not end or start anything.
    SendMessageA(gauge, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 10));
    EXPECT_EQ(Flags(gauge), held);
    EXPECT_EQ(GetCapture(), gauge);
    Release(gauge);

    EXPECT_TRUE(SendMessageA(gauge, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("fuel")));
    char text[8] = "";
    EXPECT_EQ(SendMessageA(gauge, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 4);
    EXPECT_STREQ(text, "fuel");
}

TEST_F(GaugeControl, CreationApiWritesTheSlots) {
    // Only the style bits are taken from the creator; the interaction bits are the gauge's own.
    HWND gauge = Make(100, 20, 0xFF, -3, 9, 4);
    EXPECT_EQ(GetParent(gauge), parent.hwnd());
    EXPECT_EQ(GetDlgCtrlID(gauge), 7);
    EXPECT_EQ(Flags(gauge), GaugeStyleMask);
    EXPECT_EQ(GetWindowLongA(gauge, GaugeSlotMin), -3);
    EXPECT_EQ(GetWindowLongA(gauge, GaugeSlotMax), 9);
    EXPECT_EQ(GetGaugeValue(gauge), 4);
    SetWindowLongA(gauge, GaugeSlotFlags, GaugeInteractionMask | GaugeRedBar);
    SetGaugeStyle(gauge, GaugeVertical | GaugeInteractionMask);
    EXPECT_EQ(Flags(gauge), GaugeInteractionMask | GaugeVertical);
}

TEST_F(GaugeControl, HorizontalPixels) {
    const auto plain = kelvo_test::PaintAndCapture(Make(100, 20, 0));
    // Light upper-left edges; (0, 19) and (80, 19) are the dark lines' left-out last pixels.
    ExpectColour(plain, kWhite, {0, 0, 0, 10, 0, 19, 18, 0, 80, 0, 80, 19, 98, 0});
    ExpectColour(plain, kDark, {19, 0, 19, 18, 19, 19, 1, 19, 99, 0, 99, 19, 81, 19});
    // "<" and ">" with their end points left out; bar 20..50 and the track outline.
    ExpectColour(plain, kBlack, {5, 10, 9, 6, 9, 14, 95, 10, 91, 6, 91, 14});
    ExpectColour(plain, kBlack, {20, 10, 35, 10, 49, 10, 79, 10, 65, 0, 65, 19});
    ExpectColour(plain, kGrey,
                 {10, 5, 10, 15, 90, 5, 90, 15, 3, 3, 15, 10, 85, 10, 50, 10, 78, 10});

    const auto inverted = kelvo_test::PaintAndCapture(Make(100, 20, GaugeInverted));
    ExpectColour(inverted, kBlack, {20, 10, 50, 10, 65, 10, 79, 10});
    ExpectColour(inverted, kGrey, {21, 10, 49, 10});

    // A red bar keeps its black outline.
    const auto red = kelvo_test::PaintAndCapture(Make(100, 20, GaugeRedBar));
    ExpectColour(red, kRed, {21, 1, 35, 10, 48, 18});
    ExpectColour(red, kBlack, {20, 10, 49, 10, 35, 0, 35, 19});
    ExpectColour(red, kGrey, {50, 10});
}

TEST_F(GaugeControl, VerticalPixels) {
    const auto plain = kelvo_test::PaintAndCapture(Make(20, 100, GaugeVertical));
    ExpectColour(plain, kWhite, {0, 10, 10, 0, 0, 90, 10, 80, 0, 99});
    ExpectColour(plain, kDark, {19, 10, 10, 19, 19, 90, 10, 99});
    // "^" and "v" with their end points left out; bar 20..50 and the track outline.
    ExpectColour(plain, kBlack, {10, 7, 6, 11, 14, 11, 10, 93, 6, 89, 14, 89});
    ExpectColour(plain, kBlack, {10, 20, 10, 35, 10, 49, 10, 79, 0, 65, 19, 65});
    ExpectColour(plain, kGrey, {5, 12, 15, 12, 5, 88, 15, 88, 10, 50, 10, 78});

    const auto inverted = kelvo_test::PaintAndCapture(Make(20, 100, GaugeVertical | GaugeInverted));
    ExpectColour(inverted, kBlack, {10, 50, 10, 65});
    ExpectColour(inverted, kGrey, {10, 21, 10, 49});

    const auto narrow = kelvo_test::PaintAndCapture(Make(17, 100, GaugeVertical));
    ExpectColour(narrow, kBlack, {8, 6, 5, 9, 11, 9, 8, 94, 5, 91});
    ExpectColour(narrow, kGrey, {4, 10, 12, 10, 4, 90});
}

TEST_F(GaugeControl, NoBarWithoutARangeOrATrack) {
    const auto empty = kelvo_test::PaintAndCapture(Make(100, 20, 0, 10, 10, 10));
    ExpectColour(empty, kGrey, {21, 10});
    ExpectColour(empty, kBlack, {20, 10});
    // Buttons overlapping: neither bar nor track outline is drawn over them.
    const auto stubby = kelvo_test::PaintAndCapture(Make(30, 20, 0));
    ExpectColour(stubby, kWhite, {10, 10});
    ExpectColour(stubby, kDark, {19, 10});
    ExpectColour(stubby, kGrey, {15, 10});
}

} // namespace
