// Timings of the module's windows: paints and scrolls of the property list (10, 1,000 and 10,000
// items), paints of a gauge and of a switch, and a key of the calculator typed against the same
// key clicked; median times over repeated runs. (What each paint draws is the tests' business.)
//
// This program is a stand-in host: the windows are the module's own, as in the simulator.
#include "bench_clock.h"
#include "host_core.h"
#include "gauge.h"
#include "property_list_api.h"
#include "resource.h"
#include "switch_control.h"

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

struct ListFigures {
    double fullPaint;
    double scroll;
    double stripPaint;
    double emptyPaint;
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

    // Alternating up and down; the first step goes down when the view is at the top.
    int direction = middle > 0 ? SB_LINEDOWN : SB_LINEUP;
    figures.scroll = Median(
        2 * kRuns, [&] { direction = direction == SB_LINEUP ? SB_LINEDOWN : SB_LINEUP; },
        [&] { SendMessageA(window, WM_VSCROLL, MAKEWPARAM(direction, 0), 0); });

    // An 18-pixel strip at the bottom, as a one-row scroll uncovers it.
    RECT strip = {0, list->height - ItemRowHeight, list->width, list->height};
    figures.stripPaint = Median(
        kRuns, [&] { InvalidateRect(window, &strip, TRUE); }, [&] { UpdateWindow(window); });
    UpdateWindow(window);
    figures.emptyPaint = Median(kRuns, nothing, [&] { SendMessageA(window, WM_PAINT, 0, 0); });

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

// A digit of the calculator typed on the keyboard, then its button clicked: milliseconds from
// the input to the display that shows it, with the calculator window in the foreground.
std::pair<double, double> MeasureCalculatorKey(HINSTANCE module) {
    host::RunCommand("Calculator Kelvo");
    HWND dialog = host::FindDialog(module, IDD_CALCULATOR);
    SetForegroundWindow(dialog);
    Pump();
    const auto allClear = [dialog] {
        SendDlgItemMessageA(dialog, IDC_KEY_ALL_CLEAR, BM_CLICK, 0, 0);
    };
    const auto untilShown = [dialog] {
        char text[4] = "";
        do
            Pump();
        while (GetDlgItemTextA(dialog, IDC_DISPLAY, text, sizeof text) != 1 || text[0] != '7');
    };
    INPUT seven[2] = {};
    for (INPUT& input : seven) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = '7';
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA('7', MAPVK_VK_TO_VSC));
    }
    seven[1].ki.dwFlags = KEYEVENTF_KEYUP;
    const double typed = Median(kRuns, allClear, [&] {
        SendInput(2, seven, sizeof(INPUT));
        untilShown();
    });
    const double clicked = Median(kRuns, allClear, [&] {
        SendDlgItemMessageA(dialog, IDC_KEY_7, BM_CLICK, 0, 0);
        untilShown();
    });
    return {typed, clicked};
}

HWND MakeParent(HINSTANCE self) {
    const char className[] = "KelvoBenchParent";
    host::RegisterHostClass(className, DefWindowProcA);
    HWND parent = CreateWindowExA(0, className, "bench", WS_POPUP | WS_VISIBLE, 0, 0, 400, 260,
                                  nullptr, nullptr, self, nullptr);
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
    const double gauge =
        MeasureControl(module, parent, GaugeClassName, 200, 24,
                       {{GaugeSlotValue, 40}, {GaugeSlotMin, 0}, {GaugeSlotMax, 100}});
    const double sw = MeasureControl(module, parent, SwitchClassName, 40, 60, {});
    const auto [typed, clicked] = MeasureCalculatorKey(module);

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
    std::printf("| %-46s | %9.3f |\n", "calculator: 7 typed, to the display", typed);
    std::printf("| %-46s | %9.3f |\n\n", "calculator: 7 clicked, to the display", clicked);

    const double ratio = lists.back().scroll / lists.front().scroll;
    std::printf("One-row scroll, 10,000 items against 10: %.2f times (goal: at most 1.5)\n", ratio);

    DestroyWindow(parent);
    host::UnloadModule(module);
    return 0;
}
