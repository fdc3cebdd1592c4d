// Window-free arithmetic of the toggle switch: its sizes, the points and boxes of every
// drawn element, and the click rule. Boxes have exclusive right and bottom edges, as
// GDI's Ellipse and Rectangle take them; y grows downward.
#pragma once

#include <array>
#include <optional>

#include "geometry.h"
#include "switch_control.h"

using SwitchQuad = std::array<Point, 4>;

// Every size of the drawing, from the client width and height. All follow the width; the
// height only places the centre and the ends of the lever.
struct SwitchMetrics {
    int b; // horizontal centre and scale
    int h; // vertical centre
    int s; // half side of the nut hexagon
    int r; // corner radius of the nut hexagon
    int A; // bezel radius
    int B; // recess radius, half-width of the lever's outer end
    int P; // half-width of the lever's root
    int M; // half-width of the lever seen end-on
    int K; // knob length
    int E; // half-height of the knob seen end-on
};

SwitchMetrics ComputeSwitchMetrics(int width, int height);

std::array<Point, 6> SwitchNutPoints(const SwitchMetrics& m);
// The right edge and the two lower edges of the nut, redrawn in the shadow colour.
std::array<Point, 4> SwitchNutShadow(const SwitchMetrics& m);
Box SwitchBezelBox(const SwitchMetrics& m);
Box SwitchRecessBox(const SwitchMetrics& m);

// The two diagonal directions that split the bezel and recess outlines into a lit and a
// shaded half: the bezel's shaded arc runs counter-clockwise from lowerLeft to upperRight,
// the recess's from upperRight to lowerLeft.
struct SwitchArcRadials {
    Point lowerLeft;
    Point upperRight;
};
SwitchArcRadials SwitchShadingRadials(const SwitchMetrics& m);

enum class SwitchFill { White, LightGray, Gray };

// The lever for one position, in drawing order: shaft, lower shaft (middle only), knob,
// highlight (up and down only). Shafts and knob are outlined in the shadow colour; the
// highlight is an open white line through its four points.
struct SwitchLever {
    SwitchQuad shaft;
    SwitchFill shaftFill;
    bool hasLowerShaft;
    SwitchQuad lowerShaft;
    SwitchFill lowerShaftFill;
    Box knob;
    SwitchFill knobFill;
    bool hasHighlight;
    SwitchQuad highlight;
};

// Any position other than up or down is drawn as middle.
SwitchLever SwitchLeverShape(const SwitchMetrics& m, int position);

// The position a left-button press at row y leads to, or nothing when the press changes
// nothing. Rows below half the client height (integer division) are the upper half.
std::optional<int> SwitchPositionAfterPress(int position, unsigned flags, int y, int clientHeight);
