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
    int centreX;         // horizontal centre, and the scale of every size below
    int centreY;         // vertical centre
    int nutHalfSide;     // half the length of the nut hexagon's upright sides
    int nutRadius;       // centre to the nut's top and bottom corners
    int bezelRadius;     // the round bezel around the recess
    int recessRadius;    // also the half-width of the lever's outer end
    int rootHalfWidth;   // half-width of the lever's root
    int endOnHalfWidth;  // half-width of the lever seen end-on (middle position)
    int knobLength;      // of the lever thrown up or down
    int endOnHalfHeight; // half-height of the knob seen end-on
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
