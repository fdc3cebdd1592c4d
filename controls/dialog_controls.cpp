// The registry of the controls: their classes and the drawing objects that they share, created
// together when the module starts and removed together when it ends.
#include "dialog_controls.h"

#include "control_class.h"
#include "drawing_objects.h"

namespace {
// Resource identifier of the section icons in the host's executable.
constexpr WORD SectionIconsBitmapId = 286;

bool g_registered = false;
} // namespace

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
