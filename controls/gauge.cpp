// The gauge's window class: painting, the auto-repeat, dragging and the mouse capture.
#include "gauge_geometry.h"

#include <windows.h>
#include <windowsx.h>

#include "control_class.h"
#include "drawing_objects.h"
#include "floating_point_guard.h"
#include "gdi_guard.h"

namespace {

// Shared by all gauges: the window that held the mouse capture before a gauge took it. (Each
// gauge kills its own repeat timer when its interaction ends, so no timer is recorded here.)
HWND g_gaugePrevCapture = nullptr;

struct GaugeSlots {
    std::int32_t value;
    std::int32_t minimum;
    std::int32_t maximum;
    std::uint32_t flags;
};

GaugeSlots ReadSlots(HWND gauge) {
    return GaugeSlots{static_cast<std::int32_t>(GetWindowLongA(gauge, GaugeSlotValue)),
                      static_cast<std::int32_t>(GetWindowLongA(gauge, GaugeSlotMin)),
                      static_cast<std::int32_t>(GetWindowLongA(gauge, GaugeSlotMax)),
                      static_cast<std::uint32_t>(GetWindowLongA(gauge, GaugeSlotFlags))};
}

void WriteFlags(HWND gauge, std::uint32_t flags) {
    SetWindowLongA(gauge, GaugeSlotFlags, static_cast<LONG>(flags));
}

GaugeExtent ExtentOf(HWND gauge, std::uint32_t flags) {
    RECT client;
    GetClientRect(gauge, &client);
    return GaugeExtentOf(client.right, client.bottom, (flags & GaugeVertical) != 0);
}

// Reports the current value to the parent, as a scroll bar would.
void Notify(HWND gauge, WORD code) {
    const WORD value = LOWORD(GetWindowLongA(gauge, GaugeSlotValue));
    SendMessageA(GetParent(gauge), WM_HSCROLL, MAKEWPARAM(code, value),
                 reinterpret_cast<LPARAM>(gauge));
}

// Sets the value from a pointer at client point (x, y) and repaints; the drag update.
void SetGaugeValueFromPoint(HWND gauge, int x, int y) {
    const GaugeSlots slots = ReadSlots(gauge);
    const GaugeExtent extent = ExtentOf(gauge, slots.flags);
    const int position = (slots.flags & GaugeVertical) ? y : x;
    std::int32_t value;
    if (!GaugeValueAt(extent, (slots.flags & GaugeInverted) != 0, position, slots.minimum,
                      slots.maximum, value))
        return;
    SetWindowLongA(gauge, GaugeSlotValue, value);
    InvalidateRect(gauge, nullptr, TRUE);
}

void DrawEdge(HDC dc, const GaugeEdge& edge) {
    MoveToEx(dc, edge.points[0].x, edge.points[0].y, nullptr);
    LineTo(dc, edge.points[1].x, edge.points[1].y);
    LineTo(dc, edge.points[2].x, edge.points[2].y);
}

void DrawStroke(HDC dc, const GaugeStroke& stroke) {
    MoveToEx(dc, stroke.from.x, stroke.from.y, nullptr);
    LineTo(dc, stroke.to.x, stroke.to.y);
}

void PaintButtons(HDC dc, const GaugeButtonLines& lines) {
    {
        SelectedObject pen(dc, GetStockObject(WHITE_PEN));
        for (const GaugeEdge& edge : lines.light)
            DrawEdge(dc, edge);
    }
    {
        SelectedObject pen(dc, DarkPen);
        for (const GaugeEdge& edge : lines.dark)
            DrawEdge(dc, edge);
    }
    SelectedObject pen(dc, GetStockObject(BLACK_PEN));
    for (const GaugeStroke& stroke : lines.arrows)
        DrawStroke(dc, stroke);
}

void PaintBar(HDC dc, const GaugeSlots& slots, const RECT& client) {
    Box bar;
    if (!GaugeBarRect(client.right, client.bottom, slots.flags, slots.value, slots.minimum,
                      slots.maximum, bar))
        return;
    SelectedObject pen(dc, GetStockObject(BLACK_PEN));
    SelectedObject brush(dc, (slots.flags & GaugeRedBar) ? static_cast<HGDIOBJ>(RedBrush)
                                                         : GetStockObject(BLACK_BRUSH));
    Rectangle(dc, bar.left, bar.top, bar.right, bar.bottom);
}

void PaintTrack(HDC dc, const GaugeSlots& slots, const RECT& client) {
    Box track;
    if (!GaugeTrackRect(client.right, client.bottom, (slots.flags & GaugeVertical) != 0, track))
        return;
    SelectedObject pen(dc, GetStockObject(BLACK_PEN));
    SelectedObject brush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, track.left, track.top, track.right, track.bottom);
}

LRESULT OnPaint(HWND gauge) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(gauge, &paint);
    const GaugeSlots slots = ReadSlots(gauge);
    RECT client;
    GetClientRect(gauge, &client);
    PaintButtons(
        dc, GaugeButtonLinesOf(client.right, client.bottom, (slots.flags & GaugeVertical) != 0));
    PaintBar(dc, slots, client);
    PaintTrack(dc, slots, client);
    EndPaint(gauge, &paint);
    return 0;
}

LRESULT OnGetState(HWND gauge) {
    return GaugeRepeatOf(static_cast<std::uint32_t>(GetWindowLongA(gauge, GaugeSlotFlags)));
}

LRESULT OnTimer(HWND gauge) {
    const GaugeSlots slots = ReadSlots(gauge);
    const GaugeRepeat repeat = GaugeRepeatOf(slots.flags);
    if (repeat != GaugeRepeatDown && repeat != GaugeRepeatUp)
        return 0;
    SetWindowLongA(gauge, GaugeSlotValue,
                   GaugeSteppedValue(repeat, slots.value, slots.minimum, slots.maximum));
    InvalidateRect(gauge, nullptr, TRUE);
    Notify(gauge, repeat == GaugeRepeatDown ? SB_LINEUP : SB_LINEDOWN);
    return 0;
}

LRESULT OnMouseMove(HWND gauge, LPARAM lParam) {
    const auto flags = static_cast<std::uint32_t>(GetWindowLongA(gauge, GaugeSlotFlags));
    if ((flags & GaugeDragging) != GaugeDragging)
        return 0;
    // Signed, unlike a press: with the capture held, a pointer left of or above the gauge is
    // negative and clamps to the start of the track.
    SetGaugeValueFromPoint(gauge, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    Notify(gauge, SB_THUMBTRACK);
    return 0;
}

void TakeCapture(HWND gauge) {
    const HWND previous = SetCapture(gauge);
    // A gauge that already holds the capture must not later hand it back to itself.
    if (previous != gauge)
        g_gaugePrevCapture = previous;
}

void StartRepeat(HWND gauge) {
    const GaugeSlots slots = ReadSlots(gauge);
    SetTimer(gauge, GaugeRepeatTimerId, GaugeRepeatInterval(slots.minimum, slots.maximum), nullptr);
    // The first step comes at once, not after the first interval.
    PostMessageA(gauge, WM_TIMER, GaugeRepeatTimerId, 0);
}

LRESULT OnButtonDown(HWND gauge, LPARAM lParam) {
    // Unsigned 16-bit words: a press lands on the gauge, up to 65535 pixels along it.
    const int x = LOWORD(lParam);
    const int y = HIWORD(lParam);
    const auto flags = static_cast<std::uint32_t>(GetWindowLongA(gauge, GaugeSlotFlags));
    const GaugeExtent extent = ExtentOf(gauge, flags);
    const GaugeHit hit = GaugeHitTest(extent, (flags & GaugeVertical) ? y : x);
    TakeCapture(gauge);
    WriteFlags(gauge, flags | GaugePressBits(hit, flags));
    if (hit == GaugeHit::Track) {
        SetGaugeValueFromPoint(gauge, x, y);
        Notify(gauge, SB_THUMBTRACK);
    } else {
        StartRepeat(gauge);
    }
    return 0;
}

// Ends the gauge's own press, hold or drag: its repeat timer stops and the interaction bits
// clear; the style bits stay. No repaint and no notification.
void EndInteraction(HWND gauge) {
    KillTimer(gauge, GaugeRepeatTimerId);
    const auto flags = static_cast<std::uint32_t>(GetWindowLongA(gauge, GaugeSlotFlags));
    WriteFlags(gauge, flags & ~GaugeInteractionMask);
}

LRESULT OnButtonUp(HWND gauge) {
    // Given back once only: a later stray button-up must not hand the capture to a window
    // that has long since released it. Taken before ReleaseCapture, whose WM_CAPTURECHANGED
    // ends the interaction as a lost capture.
    const HWND previous = g_gaugePrevCapture;
    g_gaugePrevCapture = nullptr;
    ReleaseCapture();
    if (previous)
        SetCapture(previous);
    EndInteraction(gauge);
    return 0;
}

// Another window took the capture (a menu, a window switch, another SetCapture): without the
// capture the button-up will never come here, so a held arrow would step on with no button
// held. The interaction ends where it is and the capture is handed nowhere.
LRESULT OnCaptureLost(HWND gauge, HWND newHolder) {
    if (newHolder == gauge)
        return 0;
    g_gaugePrevCapture = nullptr;
    EndInteraction(gauge);
    return 0;
}

LRESULT CALLBACK GaugeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const FloatingPointGuard guard;
    switch (message) {
    case WM_PAINT:
        return OnPaint(window);
    case BM_GETSTATE:
        return OnGetState(window);
    case WM_TIMER:
        return OnTimer(window);
    case WM_MOUSEMOVE:
        return OnMouseMove(window, lParam);
    case WM_LBUTTONDOWN:
        return OnButtonDown(window, lParam);
    case WM_LBUTTONUP:
        return OnButtonUp(window);
    case WM_CAPTURECHANGED:
        // Also how WM_CANCELMODE ends a press: the default procedure releases the capture.
        return OnCaptureLost(window, reinterpret_cast<HWND>(lParam));
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
} // namespace

void RegisterGaugeClass(HINSTANCE instance) {
    RegisterControlClass(instance, GaugeClassName, GaugeProc, GaugeExtraBytes,
                         static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)), nullptr);
}

void UnregisterGaugeClass(HINSTANCE instance) {
    UnregisterClassA(GaugeClassName, instance);
}
