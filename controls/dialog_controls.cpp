#include "dialog_controls.h"

#include "drawing_objects.h"
#include "gauge.h"
#include "property_list.h"
#include "switch_control.h"

HPEN DarkPen = nullptr;
HBRUSH RedBrush = nullptr;
HPEN ShadowPen = nullptr;
HBRUSH FaceBrush = nullptr;
HBITMAP SectionIcons = nullptr;

void RegisterDialogControls(HINSTANCE instance) {
    DarkPen = CreatePen(PS_SOLID, 1, 0x00404040);
    ShadowPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    RedBrush = CreateSolidBrush(0x000000FF);
    FaceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));

    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = GaugeProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 16;
    wc.hInstance = instance;
    wc.hIcon = nullptr;
    wc.hCursor = nullptr;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = GaugeClassName;
    RegisterClassA(&wc);

    wc.lpfnWndProc = SwitchProc;
    wc.cbWndExtra = 8;
    wc.hbrBackground = FaceBrush;
    wc.lpszClassName = SwitchClassName;
    RegisterClassA(&wc);

    RegisterPropertyListClass(instance);
}

void UnregisterDialogControls(HINSTANCE instance) {
    UnregisterClassA(GaugeClassName, instance);
    UnregisterClassA(SwitchClassName, instance);
    UnregisterPropertyListClass(instance);
    DeleteObject(DarkPen);
    DeleteObject(ShadowPen);
    DeleteObject(RedBrush);
    DeleteObject(FaceBrush);
    DarkPen = nullptr;
    ShadowPen = nullptr;
    RedBrush = nullptr;
    FaceBrush = nullptr;
}
