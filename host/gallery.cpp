#include "gallery.h"

#include "console_output.h"
#include "gallery_layout.h"
#include "host_core.h"

#include "gauge.h"
#include "property_list_api.h"
#include "switch_control.h"

#include <stdexcept>

namespace host {

namespace {

constexpr char kClassName[] = "KelvoControlGallery";
constexpr char kTitle[] = "Control gallery";
constexpr int kLogId = 401;
constexpr int kListId = 301;
constexpr std::size_t kLogLimit = 500; // the oldest lines go first

// Everything of the one open gallery.
struct Gallery {
    HWND window = nullptr;
    HMODULE module = nullptr; // whose control classes the gallery uses
    HWND log = nullptr;
    HWND list = nullptr;
    // The "Live values" items, one per gauge and switch, in the order of the layout.
    std::vector<PropertyItem*> gaugeItems;
    std::vector<PropertyItem*> switchItems;
    std::vector<std::string> notifications;
};

Gallery g_gallery;

HFONT UiFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HWND AddStandard(const char* className, const char* text, DWORD style, const Rect& r, int id) {
    HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, r.x, r.y,
                                 r.width, r.height, g_gallery.window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
    return child;
}

// The loaded module that has registered the control classes, or null.
HMODULE ControlModule() {
    for (const LoadedModule& module : Modules()) {
        WNDCLASSA gauge, sw, list;
        if (GetClassInfoA(module.handle, GaugeClassName, &gauge) &&
            GetClassInfoA(module.handle, SwitchClassName, &sw) &&
            GetClassInfoA(module.handle, PropertyListClassName, &list))
            return module.handle;
    }
    return nullptr;
}

std::string GaugeValueText(int value, const GaugeSpec& entry) {
    return std::to_string(value) + "  (" + std::to_string(entry.minimum) + " to " +
           std::to_string(entry.maximum) + ")";
}

void AddGauges() {
    for (const GaugeSpec& entry : GalleryGauges()) {
        AddStandard("STATIC", entry.caption, 0, entry.captionBox, -1);
        HWND gauge = CreateGauge(g_gallery.module, g_gallery.window, entry.id, entry.box.x,
                                 entry.box.y, entry.box.width, entry.box.height, entry.style);
        if (!gauge)
            throw std::runtime_error("cannot create a gauge");
        SetGaugeRange(gauge, entry.minimum, entry.maximum);
        SetGaugeValue(gauge, entry.value);
    }
}

void AddSwitches() {
    for (const SwitchSpec& entry : GallerySwitches()) {
        AddStandard("STATIC", entry.caption, SS_CENTER, entry.captionBox, -1);
        HWND sw = CreateSwitch(g_gallery.module, g_gallery.window, entry.id, entry.box.x,
                               entry.box.y, entry.box.width, entry.box.height, entry.flags);
        if (!sw)
            throw std::runtime_error("cannot create a switch");
        MoveSwitchTo(sw, entry.position);
    }
}

void AddPropertyList() {
    const Rect box = GalleryPropertyListBox();
    g_gallery.list = CreatePropertyList(g_gallery.module, g_gallery.window, kListId, box.x, box.y,
                                        box.width, box.height, GalleryValueColumn());
    if (!g_gallery.list)
        throw std::runtime_error("cannot create the property list");
    // Live values first: the gallery rewrites them at every notification.
    PropertySection* live = AddPropertySection(g_gallery.list, "Live values", true);
    for (const GaugeSpec& entry : GalleryGauges())
        g_gallery.gaugeItems.push_back(
            AddPropertyItem(g_gallery.list, live, ("Gauge " + std::to_string(entry.id)).c_str(),
                            GaugeValueText(entry.value, entry).c_str()));
    for (const SwitchSpec& entry : GallerySwitches())
        g_gallery.switchItems.push_back(
            AddPropertyItem(g_gallery.list, live, ("Switch " + std::to_string(entry.id)).c_str(),
                            SwitchPositionName(entry.position)));
    for (const PropertySpec& section : GallerySampleSections()) {
        PropertySection* added =
            AddPropertySection(g_gallery.list, section.title, section.expanded);
        for (const auto& item : section.items)
            AddPropertyItem(g_gallery.list, added, item.first, item.second);
    }
}

void AddLog() {
    AddStandard("STATIC", "Notifications (control, code, value), newest last:", 0,
                GalleryLogCaptionBox(), -1);
    g_gallery.log =
        AddStandard("LISTBOX", "", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | WS_TABSTOP,
                    GalleryLogBox(), kLogId);
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

void OnCreate() {
    for (const GroupSpec& group : GalleryGroups())
        AddStandard("BUTTON", group.caption, BS_GROUPBOX, group.box, -1);
    AddGauges();
    AddSwitches();
    AddPropertyList();
    AddLog();
}

// WM_HSCROLL from a gauge: the code in the low word; the value, whole, in the gauge's slot 0.
void OnGaugeNotification(int code, HWND gauge) {
    const int id = GetDlgCtrlID(gauge);
    const int value = GetGaugeValue(gauge);
    Log(GaugeNotificationText(id, code, value));
    const int index = GaugeIndex(id);
    if (index >= 0 && static_cast<std::size_t>(index) < g_gallery.gaugeItems.size())
        SetPropertyItemText(g_gallery.list, g_gallery.gaugeItems[index], nullptr,
                            GaugeValueText(value, GalleryGauges()[index]).c_str());
}

// WM_COMMAND: a switch's new position comes in lParam; Esc ends as IDCANCEL.
void OnCommand(int id, LPARAM lParam) {
    if (id == IDCANCEL) {
        DestroyWindow(g_gallery.window);
        return;
    }
    const int index = SwitchIndex(id);
    if (index < 0)
        return;
    const int position = static_cast<int>(lParam);
    Log(SwitchNotificationText(id, position));
    if (static_cast<std::size_t>(index) < g_gallery.switchItems.size())
        SetPropertyItemText(g_gallery.list, g_gallery.switchItems[index], nullptr,
                            SwitchPositionName(position));
}

void OnDestroy() {
    // Frees the list's records and texts while the window still exists.
    if (g_gallery.list)
        DestroyPropertyList(g_gallery.list);
    g_gallery.list = nullptr;
    g_gallery.log = nullptr;
    g_gallery.window = nullptr;
    g_gallery.module = nullptr;
    g_gallery.gaugeItems.clear();
    g_gallery.switchItems.clear();
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
            OnDestroy();
            return 0;
        default:
            break;
        }
    } catch (const std::exception& error) {
        PrintError(std::string("control gallery: ") + error.what());
        if (message == WM_CREATE)
            return -1; // the window is not made
    } catch (...) {
        PrintError("control gallery: unexpected failure");
        if (message == WM_CREATE)
            return -1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterGalleryClass() {
    WNDCLASSA existing;
    if (GetClassInfoA(GetModuleHandleA(nullptr), kClassName, &existing))
        return true;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = GalleryProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    return RegisterClassA(&windowClass) != 0;
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
    if (!RegisterGalleryClass())
        return nullptr;
    g_gallery.module = module;
    g_gallery.notifications.clear();
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, GalleryClientSize().width, GalleryClientSize().height};
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
