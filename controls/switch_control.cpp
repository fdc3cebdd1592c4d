#include "switch_control.h"

#include "control_window.h"
#include "drawing_objects.h"

#include <array>

namespace {

// Puts back the pen and brush that the paint DC held before drawing, whatever was selected
// in between. Nothing here allocates or throws.
class SelectionGuard {
public:
    explicit SelectionGuard(HDC dc)
        : dc_(dc), pen_(GetCurrentObject(dc, OBJ_PEN)), brush_(GetCurrentObject(dc, OBJ_BRUSH)) {}
    ~SelectionGuard() {
        SelectObject(dc_, pen_);
        SelectObject(dc_, brush_);
    }
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ pen_;
    HGDIOBJ brush_;
};

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

template <std::size_t N> std::array<POINT, N> ToPoints(const std::array<SwitchPoint, N>& points) {
    std::array<POINT, N> result{};
    for (std::size_t i = 0; i < N; ++i)
        result[i] = POINT{points[i].x, points[i].y};
    return result;
}

template <std::size_t N>
void DrawPolygon(HDC dc, const std::array<SwitchPoint, N>& points) noexcept {
    const auto gdiPoints = ToPoints(points);
    Polygon(dc, gdiPoints.data(), static_cast<int>(N));
}

template <std::size_t N>
void DrawPolyline(HDC dc, const std::array<SwitchPoint, N>& points) noexcept {
    const auto gdiPoints = ToPoints(points);
    Polyline(dc, gdiPoints.data(), static_cast<int>(N));
}

void DrawEllipse(HDC dc, const SwitchBox& box) noexcept {
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
}

void DrawArc(HDC dc, const SwitchBox& box, SwitchPoint from, SwitchPoint to) noexcept {
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
    const SwitchBox bezel = SwitchBezelBox(m);
    const SwitchBox recess = SwitchRecessBox(m);
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
    SelectionGuard guard(dc);
    DrawNut(dc, m);
    DrawBezel(dc, m);
    DrawLever(dc, SwitchLeverShape(m, position));
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
    ClickSwitch(window, HIWORD(lParam));
    return 0;
}

} // namespace

LRESULT CALLBACK SwitchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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

void ClickSwitch(HWND window, int y) {
    RECT client;
    GetClientRect(window, &client);
    const int position = static_cast<int>(GetWindowLongA(window, SwitchSlotPosition));
    const DWORD flags = static_cast<DWORD>(GetWindowLongA(window, SwitchSlotFlags));
    const std::optional<int> next = SwitchPositionAfterPress(position, flags, y, client.bottom);
    if (next)
        SetSwitchPosition(window, *next);
}

void SetSwitchPosition(HWND window, int position) {
    SetWindowLongA(window, SwitchSlotPosition, position);
    RepaintControl(window);
    // A switch without a parent has nobody to tell; posting to a null window would leave a
    // stray WM_COMMAND in the thread's queue.
    HWND parent = GetParent(window);
    if (parent)
        PostMessageA(parent, WM_COMMAND, MAKEWPARAM(LOWORD(GetDlgCtrlID(window)), 0), position);
}

HWND CreateSwitch(HINSTANCE module, HWND parent, int id, int x, int y, int width, int height,
                  DWORD flags) {
    HWND sw = CreateControlWindow(SwitchClassName, 0, module, parent, id, x, y, width, height);
    if (sw)
        SetSwitchFlags(sw, flags);
    return sw;
}

void SetSwitchFlags(HWND sw, DWORD flags) {
    SetWindowLongA(sw, SwitchSlotFlags, static_cast<LONG>(flags));
    RepaintControl(sw);
}

void MoveSwitchTo(HWND sw, int position) {
    SetWindowLongA(sw, SwitchSlotPosition, position);
    RepaintControl(sw);
}

int GetSwitchPosition(HWND sw) {
    return static_cast<int>(GetWindowLongA(sw, SwitchSlotPosition));
}
