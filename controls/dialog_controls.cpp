// The controls' classes and the drawing objects that they share: created together when the
// module starts, removed together when it ends.
#include "dialog_controls.h"

#include "drawing_objects.h"

HPEN DarkPen = nullptr;
HBRUSH RedBrush = nullptr;
HPEN ShadowPen = nullptr;
HBRUSH FaceBrush = nullptr;
HBITMAP SectionIcons = nullptr;

namespace {
// Resource identifier of the section icons in the host's executable.
constexpr WORD SectionIconsBitmapId = 286;

bool g_registered = false;
} // namespace

void RegisterControlClass(HINSTANCE instance, const char* name, WNDPROC proc, int extraBytes,
                          HBRUSH background, HCURSOR cursor) {
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = extraBytes;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

void RegisterDialogControls(HINSTANCE instance) {
    // A host that initialises the module twice must not get a second set of objects: the
    // first would be lost for good.
    if (g_registered)
        return;
    g_registered = true;
    DarkPen = CreatePen(PS_SOLID, 1, 0x00404040);
    ShadowPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    RedBrush = CreateSolidBrush(0x000000FF);
    FaceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE)); // before the switch class uses it
    RegisterGaugeClass(instance);
    RegisterSwitchClass(instance);
    RegisterPropertyListClass(instance);
    SectionIcons = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(SectionIconsBitmapId));
}

void UnregisterDialogControls(HINSTANCE instance) {
    // Each class goes before the objects that it uses.
    UnregisterGaugeClass(instance);
    UnregisterSwitchClass(instance);
    UnregisterPropertyListClass(instance);
    DeleteObject(SectionIcons);
    DeleteObject(DarkPen);
    DeleteObject(ShadowPen);
    DeleteObject(RedBrush);
    DeleteObject(FaceBrush);
    SectionIcons = nullptr;
    DarkPen = nullptr;
    ShadowPen = nullptr;
    RedBrush = nullptr;
    FaceBrush = nullptr;
    g_registered = false;
}
