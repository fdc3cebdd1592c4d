// The controls' module-wide drawing objects: created when the control classes are
// registered, deleted when they are removed, only selected (never deleted) while painting.
#pragma once

#include <windows.h>

extern HPEN DarkPen;         // gauge: lower and right edges of the arrow buttons
extern HBRUSH RedBrush;      // gauge: the bar when GaugeRedBar is set
extern HPEN ShadowPen;       // switch: shadows and outlines, in the button-shadow colour
extern HBRUSH FaceBrush;     // switch: class background, in the button-face colour
extern HBITMAP SectionIcons; // property list: section icons (the host's bitmap 286)
