#include "gallery.h"

#include "console_output.h"
#include "host_core.h"
#include "main_window.h"

#include "gauge.h"
#include "geometry.h"
#include "property_list_api.h"
#include "switch_control.h"

#include <stdexcept>

namespace host {

namespace {

constexpr char kClassName[] = "KelvoControlGallery";
constexpr char kTitle[] = "Control gallery";
constexpr int kClientWidth = 780, kClientHeight = 502;
constexpr int kLogId = 401;
constexpr int kListId = 301;
constexpr int kValueColumn = 150;      // of the property list
constexpr std::size_t kLogLimit = 500; // the oldest lines go first

struct GaugeSpec {
    int id;
    const char* caption;
    std::uint32_t style; // GaugeInverted, GaugeVertical, GaugeRedBar
    int minimum, maximum, value;
    Box box, captionBox;
};

struct SwitchSpec {
    int id;
    const char* caption;
    unsigned flags; // SwitchThreeWay
    int position;   // SwitchUp, SwitchDown, SwitchMiddle
    Box box, captionBox;
};

// Horizontal gauges in a column, one every 56 pixels, caption above each.
GaugeSpec Horizontal(int row, int id, const char* caption, std::uint32_t style, int minimum,
                     int maximum, int value) {
    const int top = 26 + 56 * row;
    const Box box = BoxAt(20, top + 18, 230, 22), captionBox = BoxAt(20, top, 230, 16);
    return {id, caption, style, minimum, maximum, value, box, captionBox};
}

// Vertical gauges side by side, caption under each.
GaugeSpec Vertical(int column, int id, const char* caption, std::uint32_t style, int minimum,
                   int maximum, int value) {
    const int left = 282 + 70 * column;
    const Box box = BoxAt(left, 30, 22, 180), captionBox = BoxAt(left - 24, 216, 70, 32);
    return {id, caption, style | GaugeVertical, minimum, maximum, value, box, captionBox};
}

// Switches in a row, caption under each.
SwitchSpec Switch(int column, int id, const char* caption, unsigned flags, int position) {
    const int left = 40 + 110 * column;
    return {id, caption, flags, position, BoxAt(left, 290, 40, 60), BoxAt(left - 30, 354, 100, 16)};
}

const GaugeSpec kGauges[] = {
    Horizontal(0, 101, "Horizontal, 0 to 100", 0, 0, 100, 30),
    Horizontal(1, 102, "Inverted, 0 to 10", GaugeInverted, 0, 10, 7),
    Horizontal(2, 103, "Red bar, -50 to 50", GaugeRedBar, -50, 50, 10),
    Horizontal(3, 104, "Red, inverted, 0 to 3000", GaugeRedBar | GaugeInverted, 0, 3000, 1000),
    Vertical(0, 105, "Vertical, 0 to 20", 0, 0, 20, 5),
    Vertical(1, 106, "Inverted, red, 0 to 1000", GaugeInverted | GaugeRedBar, 0, 1000, 250),
    Vertical(2, 107, "Vertical, -5 to 5", 0, -5, 5, 2),
};

const SwitchSpec kSwitches[] = {
    Switch(0, 201, "Two-way A", 0, SwitchUp),
    Switch(1, 202, "Two-way B", 0, SwitchDown),
    Switch(2, 203, "Three-way A", SwitchThreeWay, SwitchMiddle),
    Switch(3, 204, "Three-way B", SwitchThreeWay, SwitchUp),
};

const struct {
    const char* caption;
    Box box;
} kGroups[] = {
    {"Gauges", BoxAt(8, 6, 462, 256)},
    {"Switches", BoxAt(8, 268, 462, 120)},
    {"Property list", BoxAt(480, 6, 292, 382)},
};

// The sample sections shown after the live values.
const struct {
    const char* title;
    bool expanded;
    std::vector<std::pair<const char*, const char*>> items; // label, value
} kSampleSections[] = {
    {"Vessel",
     true,
     {{"Name", "Kelvo-1"},
      {"Class", "Shuttle"},
      {"Mass", "12 400 kg"},
      {"Fuel", "86 %"},
      {"Crew", "3"}}},
    {"Orbit",
     false,
     {{"Apoapsis", "412.3 km"},
      {"Periapsis", "398.9 km"},
      {"Inclination", "51.64\xB0"},
      {"Period", "92.6 min"},
      {"Eccentricity", "0.0010"}}},
    {"Surface",
     true,
     {{"Latitude", "28.52\xB0 N"},
      {"Longitude", "80.68\xB0 W"},
      {"Altitude", "2.4 km"},
      {"Ground speed", "7.66 km/s"}}},
    {"Engines", true, {{"Main", "0 %"}, {"Retro", "0 %"}, {"Hover", "0 %"}}},
};

constexpr Box kListBox = BoxAt(490, 26, 272, 352);
constexpr Box kLogCaptionBox = BoxAt(8, 396, 400, 16);
constexpr Box kLogBox = BoxAt(8, 414, 764, 80);

// Everything of the one open gallery.
struct Gallery {
    HWND window = nullptr;
    HMODULE module = nullptr; // whose control classes the gallery uses
    HWND log = nullptr;
    HWND list = nullptr;
    // The "Live values" items, one per gauge and switch, in the order of the tables.
    std::vector<PropertyItem*> gaugeItems;
    std::vector<PropertyItem*> switchItems;
    std::vector<std::string> notifications;
};

Gallery g_gallery;

// Index in a table of the control with this id, or -1.
template <typename Entry, std::size_t N> int IndexOf(const Entry (&table)[N], int id) {
    for (std::size_t i = 0; i < N; ++i)
        if (table[i].id == id)
            return static_cast<int>(i);
    return -1;
}

const char* SwitchPositionName(int position) {
    return position == SwitchUp       ? "up"
           : position == SwitchDown   ? "down"
           : position == SwitchMiddle ? "middle"
                                      : "other";
}

std::string GaugeValueText(int value, const GaugeSpec& gauge) {
    return std::to_string(value) + "  (" + std::to_string(gauge.minimum) + " to " +
           std::to_string(gauge.maximum) + ")";
}

// The loaded module that has registered the control classes, or null.
HMODULE ControlModule() {
    for (const LoadedModule& module : Modules()) {
        WNDCLASSA info;
        if (GetClassInfoA(module.handle, GaugeClassName, &info) &&
            GetClassInfoA(module.handle, SwitchClassName, &info) &&
            GetClassInfoA(module.handle, PropertyListClassName, &info))
            return module.handle;
    }
    return nullptr;
}

void Require(bool made, const char* what) {
    if (!made)
        throw std::runtime_error(std::string("cannot create ") + what);
}

void OnCreate() {
    const HINSTANCE module = g_gallery.module;
    const HWND window = g_gallery.window;
    for (const auto& group : kGroups)
        AddChild(window, "BUTTON", group.caption, BS_GROUPBOX, group.box, -1);
    for (const GaugeSpec& g : kGauges) {
        AddChild(window, "STATIC", g.caption, 0, g.captionBox, -1);
        HWND gauge = CreateGauge(module, window, g.id, g.box.left, g.box.top, g.box.Width(),
                                 g.box.Height(), g.style);
        Require(gauge, "a gauge");
        SetGaugeRange(gauge, g.minimum, g.maximum);
        SetGaugeValue(gauge, g.value);
    }
    for (const SwitchSpec& s : kSwitches) {
        AddChild(window, "STATIC", s.caption, SS_CENTER, s.captionBox, -1);
        HWND sw = CreateSwitch(module, window, s.id, s.box.left, s.box.top, s.box.Width(),
                               s.box.Height(), s.flags);
        Require(sw, "a switch");
        MoveSwitchTo(sw, s.position);
    }

    HWND list = g_gallery.list =
        CreatePropertyList(module, window, kListId, kListBox.left, kListBox.top, kListBox.Width(),
                           kListBox.Height(), kValueColumn);
    Require(list, "the property list");
    // Live values first: the gallery rewrites them at every notification.
    PropertySection* live = AddPropertySection(list, "Live values", true);
    for (const GaugeSpec& g : kGauges)
        g_gallery.gaugeItems.push_back(AddPropertyItem(list, live,
                                                       ("Gauge " + std::to_string(g.id)).c_str(),
                                                       GaugeValueText(g.value, g).c_str()));
    for (const SwitchSpec& s : kSwitches)
        g_gallery.switchItems.push_back(AddPropertyItem(list, live,
                                                        ("Switch " + std::to_string(s.id)).c_str(),
                                                        SwitchPositionName(s.position)));
    for (const auto& section : kSampleSections) {
        PropertySection* added = AddPropertySection(list, section.title, section.expanded);
        for (const auto& item : section.items)
            AddPropertyItem(list, added, item.first, item.second);
    }

    AddChild(window, "STATIC", "Notifications (control, code, value), newest last:", 0,
             kLogCaptionBox, -1);
    g_gallery.log =
        AddChild(window, "LISTBOX", "", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | WS_TABSTOP,
                 kLogBox, kLogId);
}

void Log(const std::string& line) {
    if (g_gallery.notifications.size() >= kLogLimit) {
        g_gallery.notifications.erase(g_gallery.notifications.begin());
        SendMessageA(g_gallery.log, LB_DELETESTRING, 0, 0);
    }
    g_gallery.notifications.push_back(line);
    const LRESULT index =
        SendMessageA(g_gallery.log, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageA(g_gallery.log, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

// WM_HSCROLL from a gauge: the code in the low word; the value, whole, in the gauge's slot.
void OnGaugeNotification(int code, HWND gauge) {
    const int id = GetDlgCtrlID(gauge);
    const int value = GetGaugeValue(gauge);
    const int index = IndexOf(kGauges, id);
    const char* name = code == SB_LINEUP       ? " SB_LINEUP"
                       : code == SB_LINEDOWN   ? " SB_LINEDOWN"
                       : code == SB_THUMBTRACK ? " SB_THUMBTRACK"
                                               : "";
    Log("gauge " + std::to_string(id) + " (" + (index >= 0 ? kGauges[index].caption : "?") +
        "): code " + std::to_string(code) + name + ", value " + std::to_string(value));
    if (index >= 0 && static_cast<std::size_t>(index) < g_gallery.gaugeItems.size())
        SetPropertyItemText(g_gallery.list, g_gallery.gaugeItems[index], nullptr,
                            GaugeValueText(value, kGauges[index]).c_str());
}

// WM_COMMAND: a switch's new position comes in lParam; Esc ends as IDCANCEL.
void OnCommand(int id, LPARAM lParam) {
    if (id == IDCANCEL) {
        DestroyWindow(g_gallery.window);
        return;
    }
    const int index = IndexOf(kSwitches, id);
    if (index < 0)
        return;
    const int position = static_cast<int>(lParam);
    Log("switch " + std::to_string(id) + " (" + kSwitches[index].caption + "): position " +
        std::to_string(position) + " (" + SwitchPositionName(position) + ")");
    if (static_cast<std::size_t>(index) < g_gallery.switchItems.size())
        SetPropertyItemText(g_gallery.list, g_gallery.switchItems[index], nullptr,
                            SwitchPositionName(position));
}

LRESULT CALLBACK GalleryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
        case WM_CREATE:
            g_gallery.window = window;
            OnCreate();
            return 0;
        case WM_HSCROLL:
            if (lParam)
                OnGaugeNotification(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), lParam);
            return 0;
        case WM_DESTROY:
            // Frees the list's records and texts while the window still exists; the log of
            // notifications stays for the script.
            if (g_gallery.list)
                DestroyPropertyList(g_gallery.list);
            g_gallery = Gallery{{}, {}, {}, {}, {}, {}, std::move(g_gallery.notifications)};
            return 0;
        default:
            break;
        }
    } catch (const std::exception& error) {
        PrintError(std::string("control gallery: ") + error.what());
        if (message == WM_CREATE)
            return -1; // the window is not made
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

HWND OpenGallery(HWND owner) {
    if (g_gallery.window) {
        ShowWindow(g_gallery.window, SW_SHOWNORMAL);
        SetForegroundWindow(g_gallery.window);
        return g_gallery.window;
    }
    const HMODULE module = ControlModule();
    if (!module) {
        PrintError("control gallery: no loaded module has registered the control classes");
        return nullptr;
    }
    if (!RegisterHostClass(kClassName, GalleryProc))
        return nullptr;
    g_gallery.module = module;
    g_gallery.notifications.clear();
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
    HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, kClassName, kTitle, style, 20, 490,
                                  frame.right - frame.left, frame.bottom - frame.top, owner,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window) {
        g_gallery = Gallery{};
        return nullptr;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}

HWND GalleryWindow() {
    return g_gallery.window;
}

void CloseGalleryOf(HMODULE module) {
    if (g_gallery.window && g_gallery.module == module)
        DestroyWindow(g_gallery.window);
}

const std::vector<std::string>& GalleryNotifications() {
    return g_gallery.notifications;
}

} // namespace host
