// The controls' module-wide drawing objects, one of each for the whole module: null until the
// registry (dialog_controls.cpp) creates them before it registers the classes, deleted after it
// has removed the classes, and only selected (never deleted) while painting.
#pragma once

#include <windows.h>

inline HPEN DarkPen = nullptr;         // gauge: lower and right edges of the arrow buttons
inline HBRUSH RedBrush = nullptr;      // gauge: the bar when GaugeRedBar is set
inline HPEN ShadowPen = nullptr;       // switch: shadows and outlines, in the button-shadow colour
inline HBRUSH FaceBrush = nullptr;     // switch: class background, in the button-face colour
inline HBITMAP SectionIcons = nullptr; // property list: section icons (the host's bitmap 286)
