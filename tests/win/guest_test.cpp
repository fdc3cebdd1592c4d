// The module as a guest in the host's process: each entry point that computes, called as the
// system calls it, gives the host back exactly the floating-point state that it found (the one
// that the program set as a host, KELVO_HOST_STATE), exception flags included, also after an
// overflow and an invalid operation of its own.
#include "gauge.h"
#include "host_api.h"
#include "key_captions.h"
#include "property_list_api.h"
#include "resource.h"
#include "switch_control.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using kelvo_test::KeepsHostStateExactly;

// The procedure of a window's class: the module's own, not a subclass.
WNDPROC ClassProcedure(HWND window) {
    return reinterpret_cast<WNDPROC>(GetClassLongPtrA(window, GCLP_WNDPROC));
}

TEST(Guest, EntryPointsGiveTheHostItsFloatingPointStateBack) {
    kelvo_test::LoadedModule module;
    kelvo_test::RecordingWindow parent;
    ASSERT_TRUE(host::RunCommand("Calculator Kelvo"));
    kelvo_test::PumpMessages();
    const HWND calculator = host::FindDialog(module.instance(), IDD_CALCULATOR);
    ASSERT_NE(calculator, nullptr);
    OapiDialogProc dialogProc = host::Dialogs().front().proc;

    // The dialog procedure: 1e308 typed, then an overflow (X 10 =) and an invalid operation
    // (X 0 =).
    std::string keys = "1";
    for (int i = 0; i < 308; ++i)
        keys += ",0";
    for (const Key key : kelvo_test::KeysCaptioned(keys + ",X,1,0,=,X,0,=")) {
        EXPECT_TRUE(KeepsHostStateExactly([&] {
            dialogProc(calculator, WM_COMMAND, MAKEWPARAM(key, BN_CLICKED), 0);
        })) << "key "
            << key;
    }
    char display[16] = "";
    GetDlgItemTextA(calculator, IDC_DISPLAY, display, sizeof display);
    EXPECT_STREQ(display, "nan");

    // A key's button, typed on.
    const HWND button = GetDlgItem(calculator, IDC_KEY_5);
    const WNDPROC buttonProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(button, GWLP_WNDPROC));
    for (const char c : std::string("\b2/3=")) {
        EXPECT_TRUE(KeepsHostStateExactly([&] { buttonProc(button, WM_CHAR, c, 0); }))
            << "character " << c;
    }

    // The controls, painted, pressed, dragged, stepped and scrolled.
    const HWND gauge = CreateGauge(module.instance(), parent.hwnd(), 1, 0, 0, 200, 24, 0);
    SetGaugeRange(gauge, -5, 500);
    const HWND sw = CreateSwitch(module.instance(), parent.hwnd(), 2, 0, 30, 40, 60, 0);
    const HWND list = CreatePropertyList(module.instance(), parent.hwnd(), 3, 0, 100, 200, 60, 80);
    PropertySection* section = AddPropertySection(list, "Orbit", true);
    for (int i = 0; i < 10; ++i)
        AddPropertyItem(list, section, "Apoapsis", "12.5 km");
    const struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } messages[] = {{WM_PAINT, 0, 0},
                    {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 45)},
                    {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 45)},
                    {WM_TIMER, 1, 0},
                    {WM_LBUTTONUP, 0, MAKELPARAM(150, 45)},
                    {WM_VSCROLL, SB_LINEDOWN, 0}};
    for (const HWND control : {gauge, sw, list}) {
        ASSERT_NE(control, nullptr);
        for (const auto& m : messages) {
            InvalidateRect(control, nullptr, TRUE);
            EXPECT_TRUE(KeepsHostStateExactly([&] {
                ClassProcedure(control)(control, m.message, m.wParam, m.lParam);
            })) << "message "
                << m.message << " to control " << GetDlgCtrlID(control);
        }
    }
}

} // namespace
