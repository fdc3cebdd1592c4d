// The switch's window class: painting the nut, bezel and lever, and the presses.
#include "switch_geometry.h"

#include <windows.h>

#include "control_class.h"
#include "drawing_objects.h"
#include "floating_point_guard.h"
#include "gdi_guard.h"

#include <array>

namespace {

void Select(HDC dc, HGDIOBJ pen, HGDIOBJ brush) noexcept {
    SelectObject(dc, pen);
    SelectObject(dc, brush);
}

HGDIOBJ FillBrush(SwitchFill fill) noexcept {
    switch (fill) {
    case SwitchFill::White:
        return GetStockObject(WHITE_BRUSH);
    case SwitchFill::LightGray:
        return GetStockObject(LTGRAY_BRUSH);
    case SwitchFill::Gray:
        break;
    }
    return GetStockObject(GRAY_BRUSH);
}

template <std::size_t N> std::array<POINT, N> ToPoints(const std::array<Point, N>& points) {
    std::array<POINT, N> result{};
    for (std::size_t i = 0; i < N; ++i)
        result[i] = POINT{points[i].x, points[i].y};
    return result;
}

template <std::size_t N> void DrawPolygon(HDC dc, const std::array<Point, N>& points) noexcept {
    const auto gdiPoints = ToPoints(points);
    Polygon(dc, gdiPoints.data(), static_cast<int>(N));
}

template <std::size_t N> void DrawPolyline(HDC dc, const std::array<Point, N>& points) noexcept {
    const auto gdiPoints = ToPoints(points);
    Polyline(dc, gdiPoints.data(), static_cast<int>(N));
}

void DrawEllipse(HDC dc, const Box& box) noexcept {
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
}

void DrawArc(HDC dc, const Box& box, Point from, Point to) noexcept {
    Arc(dc, box.left, box.top, box.right, box.bottom, from.x, from.y, to.x, to.y);
}

// The hexagonal nut, lit from the upper left: white outline, then the right and lower
// edges again in the shadow colour.
void DrawNut(HDC dc, const SwitchMetrics& m) noexcept {
    Select(dc, GetStockObject(WHITE_PEN), GetStockObject(LTGRAY_BRUSH));
    DrawPolygon(dc, SwitchNutPoints(m));
    SelectObject(dc, ShadowPen);
    DrawPolyline(dc, SwitchNutShadow(m));
}

// The round bezel and its recessed centre; the bezel is shaded on its lower right, the
// recess on its upper left. Arcs run counter-clockwise, the paint DC's default.
void DrawBezel(HDC dc, const SwitchMetrics& m) noexcept {
    const Box bezel = SwitchBezelBox(m);
    const Box recess = SwitchRecessBox(m);
    const SwitchArcRadials radials = SwitchShadingRadials(m);
    Select(dc, GetStockObject(WHITE_PEN), GetStockObject(LTGRAY_BRUSH));
    DrawEllipse(dc, bezel);
    SelectObject(dc, GetStockObject(GRAY_BRUSH));
    DrawEllipse(dc, recess);
    SelectObject(dc, ShadowPen);
    DrawArc(dc, bezel, radials.lowerLeft, radials.upperRight);
    DrawArc(dc, recess, radials.upperRight, radials.lowerLeft);
}

void DrawHighlight(HDC dc, const SwitchQuad& line) noexcept {
    SelectObject(dc, GetStockObject(WHITE_PEN));
    MoveToEx(dc, line[0].x, line[0].y, nullptr);
    for (std::size_t i = 1; i < line.size(); ++i)
        LineTo(dc, line[i].x, line[i].y);
}

void DrawLever(HDC dc, const SwitchLever& lever) noexcept {
    Select(dc, ShadowPen, FillBrush(lever.shaftFill));
    DrawPolygon(dc, lever.shaft);
    if (lever.hasLowerShaft) {
        SelectObject(dc, FillBrush(lever.lowerShaftFill));
        DrawPolygon(dc, lever.lowerShaft);
    }
    SelectObject(dc, FillBrush(lever.knobFill));
    Rectangle(dc, lever.knob.left, lever.knob.top, lever.knob.right, lever.knob.bottom);
    if (lever.hasHighlight)
        DrawHighlight(dc, lever.highlight);
}

void DrawSwitch(HDC dc, const RECT& client, int position) noexcept {
    const SwitchMetrics m = ComputeSwitchMetrics(client.right, client.bottom);
    // Whatever the drawing selects, the paint DC gets its own pen and brush back.
    SelectedObject pen(dc, GetStockObject(WHITE_PEN));
    SelectedObject brush(dc, GetStockObject(LTGRAY_BRUSH));
    DrawNut(dc, m);
    DrawBezel(dc, m);
    DrawLever(dc, SwitchLeverShape(m, position));
}

// Draws the switch between BeginPaint and EndPaint.
void PaintSwitch(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    const int position = static_cast<int>(GetWindowLongA(window, SwitchSlotPosition));
    const DWORD flags = static_cast<DWORD>(GetWindowLongA(window, SwitchSlotFlags));
    if (!(flags & SwitchNoDraw))
        DrawSwitch(dc, client, position);
    EndPaint(window, &paint);
}

// A press's move: stores the new position, schedules a repaint and posts the notification to
// the parent (MoveSwitchTo, its creators' silent counterpart, posts nothing).
void MoveSwitchAndNotify(HWND window, int position) {
    SetWindowLongA(window, SwitchSlotPosition, position);
    InvalidateRect(window, nullptr, TRUE);
    // A switch without a parent has nobody to tell; posting to a null window would leave a
    // stray WM_COMMAND in the thread's queue.
    HWND parent = GetParent(window);
    if (parent)
        PostMessageA(parent, WM_COMMAND, MAKEWPARAM(LOWORD(GetDlgCtrlID(window)), 0), position);
}

// Applies a left-button press at client row y.
void ClickSwitch(HWND window, int y) {
    RECT client;
    GetClientRect(window, &client);
    const int position = static_cast<int>(GetWindowLongA(window, SwitchSlotPosition));
    const DWORD flags = static_cast<DWORD>(GetWindowLongA(window, SwitchSlotFlags));
    const std::optional<int> next = SwitchPositionAfterPress(position, flags, y, client.bottom);
    if (next)
        MoveSwitchAndNotify(window, *next);
}

LRESULT OnCreate(HWND window) noexcept {
    SetWindowLongA(window, SwitchSlotPosition, 0);
    SetWindowLongA(window, SwitchSlotFlags, 0);
    return 0;
}

LRESULT OnPaint(HWND window) noexcept {
    PaintSwitch(window);
    return 0;
}

LRESULT OnLeftButtonDown(HWND window, LPARAM lParam) noexcept {
    // The row is the high word, unsigned: 0x8000 and above are far down, in the lower half.
    ClickSwitch(window, HIWORD(lParam));
    return 0;
}

LRESULT CALLBACK SwitchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const FloatingPointGuard guard;
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_PAINT:
        return OnPaint(window);
    case WM_LBUTTONDOWN:
        return OnLeftButtonDown(window, lParam);
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

void RegisterSwitchClass(HINSTANCE instance) {
    RegisterControlClass(instance, SwitchClassName, SwitchProc, SwitchExtraBytes, FaceBrush,
                         nullptr);
}

void UnregisterSwitchClass(HINSTANCE instance) {
    UnregisterClassA(SwitchClassName, instance);
}
