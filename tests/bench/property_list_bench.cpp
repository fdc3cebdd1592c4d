// Paint and scroll timings of the property list (10, 1,000 and 10,000 items), of a gauge and of
// a switch, measured on real windows. Prints median times over repeated runs, and checks that a
// one-row scroll repaints only the uncovered strip and that a paint with nothing invalid draws
// nothing.
//
// This program is a stand-in host: the windows are the module's own, as in the simulator.
#include "bench_clock.h"
#include "host_core.h"
#include "property_list_api.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kListWidth = 300; // client size of the lists while they have no scroll bar
constexpr int kListHeight = 200;
constexpr int kRuns = 31;
constexpr COLORREF kMarker = RGB(255, 0, 255);

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Median milliseconds of an action; prepare runs untimed before each run.
double Median(int runs, const std::function<void()>& prepare, const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const double start = Now();
        run();
        GdiFlush();
        times.push_back(Now() - start);
        Pump();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Heights of the update rectangles of the paints that a window receives while recording.
struct PaintLog {
    WNDPROC next = nullptr;
    bool recording = false;
    std::vector<int> heights;
};
PaintLog g_paintLog;

LRESULT CALLBACK LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT && g_paintLog.recording) {
        RECT update;
        g_paintLog.heights.push_back(
            GetUpdateRect(window, &update, FALSE) ? update.bottom - update.top : 0);
    }
    return CallWindowProcA(g_paintLog.next, window, message, wParam, lParam);
}

struct ListFigures {
    int items;
    double fullPaint;
    double scroll;
    double stripPaint;
    double emptyPaint;
    int smallestStrip; // update heights of the one-row scrolls' paints
    int largestStrip;
    bool emptyPaintDrewNothing;
};

HWND MakeList(HINSTANCE module, HWND parent, int items) {
    HWND window =
        CreatePropertyList(module, parent, 1, 10, 10, kListWidth + 2, kListHeight + 2, 150);
    // Filled collapsed, then expanded once: the scroll bar is set once instead of per item.
    PropertySection* section = AddPropertySection(window, "Telemetry", false);
    char label[32];
    char value[32];
    for (int i = 0; i < items; ++i) {
        std::snprintf(label, sizeof(label), "Channel %d", i);
        std::snprintf(value, sizeof(value), "%d.%02d kN", i * 7 % 1000, i % 100);
        AddPropertyItem(window, section, label, value);
    }
    SetPropertySectionExpanded(window, section, true);
    UpdateWindow(window);
    Pump();
    return window;
}

ListFigures MeasureList(HINSTANCE module, HWND parent, int items) {
    HWND window = MakeList(module, parent, items);
    PropertyList* list = GetPropertyList(window);
    ListFigures figures = {};
    figures.items = items;

    // Start in the middle of the range, so that rows lie both above and below the window.
    SCROLLINFO bar = {};
    bar.cbSize = sizeof(bar);
    bar.fMask = SIF_ALL;
    GetScrollInfo(window, SB_VERT, &bar);
    const int middle = (bar.nMax - static_cast<int>(bar.nPage) + 1) / 2;
    SendMessageA(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, middle), 0);
    Pump();

    const auto nothing = [] {};
    figures.fullPaint = Median(
        kRuns, [&] { InvalidateRect(window, nullptr, TRUE); }, [&] { UpdateWindow(window); });

    g_paintLog = PaintLog{};
    g_paintLog.next = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LoggingProc)));
    g_paintLog.recording = true;
    // Alternating up and down; the first step goes down when the view is at the top.
    int direction = middle > 0 ? SB_LINEDOWN : SB_LINEUP;
    figures.scroll = Median(
        2 * kRuns, [&] { direction = direction == SB_LINEUP ? SB_LINEDOWN : SB_LINEUP; },
        [&] { SendMessageA(window, WM_VSCROLL, MAKEWPARAM(direction, 0), 0); });
    g_paintLog.recording = false;
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_paintLog.next));
    const auto& heights = g_paintLog.heights;
    figures.smallestStrip = heights.empty() ? 0 : *std::min_element(heights.begin(), heights.end());
    figures.largestStrip = heights.empty() ? 0 : *std::max_element(heights.begin(), heights.end());

    // An 18-pixel strip at the bottom, as a one-row scroll uncovers it.
    RECT strip = {0, list->height - ItemRowHeight, list->width, list->height};
    figures.stripPaint = Median(
        kRuns, [&] { InvalidateRect(window, &strip, TRUE); }, [&] { UpdateWindow(window); });
    HDC dc = GetDC(window);

    // Nothing invalid: the paint must leave a mark drawn behind the control's back alone.
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    SetPixel(dc, 40, 30, kMarker);
    figures.emptyPaint = Median(kRuns, nothing, [&] { SendMessageA(window, WM_PAINT, 0, 0); });
    figures.emptyPaintDrewNothing = GetPixel(dc, 40, 30) == kMarker;
    ReleaseDC(window, dc);

    DestroyPropertyList(window);
    Pump();
    return figures;
}

// Median full paint of a control window configured through its window-extra slots.
double MeasureControl(HINSTANCE module, HWND parent, const char* className, int width, int height,
                      const std::vector<std::pair<int, LONG>>& slots) {
    HWND window = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE, 10, 10, width, height,
                                  parent, nullptr, module, nullptr);
    for (const auto& slot : slots)
        SetWindowLongA(window, slot.first, slot.second);
    UpdateWindow(window);
    Pump();
    const double time = Median(
        kRuns, [&] { InvalidateRect(window, nullptr, TRUE); }, [&] { UpdateWindow(window); });
    DestroyWindow(window);
    Pump();
    return time;
}

HWND MakeParent(HINSTANCE self) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = self;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = "KelvoBenchParent";
    RegisterClassA(&wc);
    HWND parent = CreateWindowExA(0, wc.lpszClassName, "bench", WS_POPUP | WS_VISIBLE, 0, 0, 400,
                                  260, nullptr, nullptr, self, nullptr);
    UpdateWindow(parent);
    Pump();
    return parent;
}

std::string Row(const char* name, const std::vector<ListFigures>& lists,
                double ListFigures::*field) {
    char line[160];
    std::snprintf(line, sizeof(line), "| %-46s |", name);
    std::string row = line;
    for (const ListFigures& f : lists) {
        std::snprintf(line, sizeof(line), " %9.3f |", f.*field);
        row += line;
    }
    return row;
}

} // namespace

int main() {
    HINSTANCE self = GetModuleHandleA(nullptr);
    const HINSTANCE module = host::LoadModule("CalculatorKelvo.dll");
    if (!module) {
        std::printf("cannot load CalculatorKelvo.dll\n");
        return 1;
    }
    HWND parent = MakeParent(self);

    std::vector<ListFigures> lists;
    for (int items : {10, 1000, 10000})
        lists.push_back(MeasureList(module, parent, items));
    const double gauge = MeasureControl(module, parent, "OrbiterCtrl_Gauge", 200, 24,
                                        {{0, 40}, {4, 0}, {8, 100}, {12, 0}});
    const double sw =
        MeasureControl(module, parent, "OrbiterCtrl_Switch", 40, 60, {{0, 0}, {4, 0}});

    std::printf("Median milliseconds per operation (%d runs), list window %d x %d client "
                "pixels\n\n",
                kRuns, kListWidth, kListHeight);
    std::printf("| %-46s | %9s | %9s | %9s |\n", "Property list", "10", "1,000", "10,000");
    std::printf("|%s|-----------|-----------|-----------|\n", std::string(48, '-').c_str());
    std::printf("%s\n",
                Row("full paint (whole window invalid)", lists, &ListFigures::fullPaint).c_str());
    std::printf("%s\n",
                Row("one-row scroll (SB_LINEUP/SB_LINEDOWN)", lists, &ListFigures::scroll).c_str());
    std::printf("%s\n",
                Row("paint of an 18-px strip (WM_PAINT)", lists, &ListFigures::stripPaint).c_str());
    std::printf("%s\n",
                Row("WM_PAINT with nothing invalid", lists, &ListFigures::emptyPaint).c_str());
    std::printf("\n| %-46s | %9.3f |\n", "gauge full paint (200 x 24)", gauge);
    std::printf("| %-46s | %9.3f |\n\n", "switch full paint (40 x 60)", sw);

    bool ok = true;
    for (const ListFigures& f : lists) {
        std::printf("%6d items: one-row scrolls repainted strips %d..%d px high; "
                    "paint with nothing invalid %s\n",
                    f.items, f.smallestStrip, f.largestStrip,
                    f.emptyPaintDrewNothing ? "drew nothing" : "DREW");
        ok = ok && f.emptyPaintDrewNothing && f.largestStrip == ItemRowHeight;
    }
    const double ratio = lists.back().scroll / lists.front().scroll;
    std::printf("One-row scroll, 10,000 items against 10: %.2f times (goal: at most 1.5)\n", ratio);

    DestroyWindow(parent);
    host::UnloadModule(module);
    return ok ? 0 : 1;
}
