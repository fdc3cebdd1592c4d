// Storms: tens of thousands of random messages to one window of each control class, with its
// slots rewritten to extreme values (gauge, switch) or random records attached (property
// list), windows squeezed to nothing or stretched thin, the capture taken away and random
// message numbers. Afterwards nothing may be left over: no capture, no timer, no GDI object.
// Each storm has a fixed seed, so a failure repeats.
#include "property_list_api.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using kelvo_test::GdiObjectCount;
using kelvo_test::LoadedModule;
using kelvo_test::PumpMessages;
using kelvo_test::RecordingWindow;

const int kExtremes[] = {INT_MIN, INT_MIN + 1, -65536, -32769, -1,          0,      1,
                         2,       3,           32767,  65535,  INT_MAX - 1, INT_MAX};
const SIZE kSizes[] = {{0, 0},   {1, 1},    {2, 3},    {4000, 1}, {1, 4000},
                       {40, 60}, {100, 20}, {20, 100}, {17, 100}, {300, 200}};

// A well-formed list record: 0 to 50 sections, up to 10,000 items in all, with empty, long
// and missing texts (shared, never written). The fonts, pen and brush are lent.
struct RandomList {
    RandomList(std::mt19937& random, const PropertyList& drawing) : list(drawing) {
        const int count = random() % 51;
        int budget = random() % 10001;
        items.reserve(budget); // stays put: the item pointers point into it
        sections.resize(count);
        for (int s = 0; s < count; ++s) {
            const int itemCount = random() % (budget / (count - s) + 1);
            budget -= itemCount;
            sections[s] = {nullptr, itemCount, Text(random), random() % 2 == 0};
            for (int i = 0; i < itemCount; ++i)
                items.push_back({Text(random), Text(random)});
        }
        // Pointer arrays once the arrays that they point into have their final size.
        itemPointers.reserve(items.size());
        for (PropertyItem& item : items)
            itemPointers.push_back(&item);
        PropertyItem** next = itemPointers.data();
        for (PropertySection& section : sections) {
            section.items = next;
            next += section.itemCount;
            sectionPointers.push_back(&section);
        }
        list.sections = sectionPointers.data();
        list.sectionCount = count;
        list.valueX = random() % 400;
        list.contentHeight = ContentHeight(list.sections, list.sectionCount);
    }

    static char* Text(std::mt19937& random) {
        static char empty[] = "";
        static char plain[] = "Delta-v 1.2e+03 m/s";
        static std::string wide(120, 'W');
        char* const texts[] = {nullptr, empty, plain, wide.data()};
        return texts[random() % 4];
    }

    std::vector<PropertyItem> items;
    std::vector<PropertyItem*> itemPointers;
    std::vector<PropertySection> sections;
    std::vector<PropertySection*> sectionPointers;
    PropertyList list;
};

class ControlStorm : public ::testing::Test {
protected:
    // Runs the storm on a new window of the class. `special` is the class's own disturbance
    // (slots or records), taken in about one action of eight.
    void Run(const char* className, DWORD style, unsigned seed, int messages,
             const std::function<void(HWND)>& special) {
        random.seed(seed);
        // The first windows of a kind leave the system's caches behind (device contexts,
        // fonts): make them once before counting.
        const auto makeWindows = [&](HWND& other, HWND& control) {
            other = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, parent.hwnd(), nullptr,
                                    nullptr, nullptr);
            control = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 5, 5, 100,
                                      20, parent.hwnd(), reinterpret_cast<HMENU>(7),
                                      module.instance(), nullptr);
        };
        HWND other, control;
        makeWindows(other, control);
        SetScrollRange(control, SB_VERT, 0, 10, TRUE);
        for (const SIZE size : kSizes) {
            SetWindowPos(control, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
            kelvo_test::PaintAndCapture(control);
        }
        DestroyWindow(control);
        DestroyWindow(other);
        PumpMessages();
        const int gdiBefore = GdiObjectCount();
        ASSERT_GE(gdiBefore, 0) << "the GDI objects cannot be counted";
        makeWindows(other, control);
        ASSERT_NE(control, nullptr);
        for (int n = 0; n < messages; ++n) {
            const LPARAM point = MAKELPARAM(Any() & 0xFFFF, Any() & 0xFFFF);
            switch (random() % 16) {
            case 0:
            case 1:
                special(control);
                break;
            case 2:
                SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, point);
                break;
            case 3:
                SendMessageA(control, WM_LBUTTONUP, 0, point);
                break;
            case 4:
                SendMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, point);
                break;
            case 5:
                SendMessageA(control, WM_TIMER, random() % 3, 0);
                break;
            case 6:
                SendMessageA(control, WM_VSCROLL, MAKEWPARAM(random() % 12, Any()), 0);
                break;
            case 7: {
                const SIZE size = kSizes[random() % std::size(kSizes)];
                SetWindowPos(control, nullptr, 0, 0, size.cx, size.cy,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                break;
            }
            case 8:
                SendMessageA(control, WM_SIZE, SIZE_RESTORED, point);
                break;
            case 9:
                InvalidateRect(control, nullptr, TRUE);
                UpdateWindow(control);
                break;
            case 10:
                SendMessageA(control, WM_PAINT, 0, 0);
                break;
            case 11:
                if (random() % 2)
                    SetCapture(other);
                else
                    SendMessageA(control, WM_CANCELMODE, 0, 0);
                break;
            case 12:
                SendMessageA(control, WM_CAPTURECHANGED, 0,
                             reinterpret_cast<LPARAM>(random() % 2 ? other : control));
                break;
            case 13:
                SendMessageA(control, BM_GETSTATE, 0, 0);
                break;
            case 14: {
                // Application and registered message numbers mean nothing to a control.
                const UINT message =
                    random() % 2 ? WM_USER + random() % 0x7C00 : 0xC000 + random() % 0x4000;
                SendMessageA(control, message, Any(), Any());
                break;
            }
            default:
                if (n % 4 == 0)
                    PumpMessages();
                break;
            }
        }
        // The button always comes up in the end; then nothing may be left running or held.
        SendMessageA(control, WM_LBUTTONUP, 0, 0);
        PumpMessages();
        EXPECT_NE(GetCapture(), control) << "the capture is still held";
        EXPECT_FALSE(KillTimer(control, 1)) << "a timer still runs";
        DestroyWindow(control);
        DestroyWindow(other);
        ReleaseCapture();
        PumpMessages();
        parent.Flush();
        EXPECT_EQ(GdiObjectCount(), gdiBefore);
    }

    // An extreme value or, as often, any 32-bit value.
    int Any() {
        if (random() % 2)
            return kExtremes[random() % std::size(kExtremes)];
        return static_cast<int>(random());
    }

    LoadedModule module;
    RecordingWindow parent{420, 340};
    std::mt19937 random;
};

TEST_F(ControlStorm, Gauge) {
    Run(GaugeClassName, 0, 1, 20000, [this](HWND gauge) {
        // Any slot to any value: ranges reversed or empty, values outside, every flag bit.
        SetWindowLongA(gauge, 4 * (random() % (GaugeExtraBytes / 4)), random() % 8 ? Any() : -1);
    });
}

TEST_F(ControlStorm, Switch) {
    Run(SwitchClassName, 0, 2, 20000, [this](HWND sw) {
        SetWindowLongA(sw, 4 * (random() % (SwitchExtraBytes / 4)), random() % 8 ? Any() : -1);
    });
}

TEST_F(ControlStorm, PropertyList) {
    // The fonts, pen and brush of a list made by the API, lent to every record.
    HWND lender = CreatePropertyList(module.instance(), parent.hwnd(), 8, 0, 0, 10, 10, 0);
    const PropertyList& drawing = *GetPropertyList(lender);
    std::unique_ptr<RandomList> attached;
    // Fewer messages: every record change makes the list walk up to 10,000 items.
    Run(PropertyListClassName, WS_VSCROLL, 3, 10000, [&](HWND window) {
        RECT client;
        GetClientRect(window, &client);
        if (attached && random() % 8 != 0) {
            // A section opened or shut behind the list's back, then the size message that
            // its creator sends after such a change.
            PropertyList& list = attached->list;
            if (list.sectionCount > 0) {
                PropertySection* section = list.sections[random() % list.sectionCount];
                section->expanded = !section->expanded;
                list.contentHeight = ContentHeight(list.sections, list.sectionCount);
            }
            SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
            return;
        }
        // A new record as its creator would attach it: scrolled to the top, then told the
        // window's size; now and then none at all.
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        if (random() % 4 == 0) {
            attached.reset();
            return;
        }
        attached = std::make_unique<RandomList>(random, drawing);
        attached->list.hwnd = window;
        attached->list.width = client.right;
        attached->list.height = client.bottom;
        SetScrollPos(window, SB_VERT, 0, FALSE);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&attached->list));
        SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    });
}

} // namespace
