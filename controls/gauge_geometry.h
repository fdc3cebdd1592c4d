// Window-free arithmetic of the gauge control: its parts along the axis, the hit test, the
// bar, the value under the pointer, the auto-repeat rate and the lines of its arrow buttons.
#pragma once

#include <cstdint>

#include "gauge.h"
#include "geometry.h"

// The gauge along its axis: button size S, client length along the axis, track length L.
struct GaugeExtent {
    int thickness;
    int length;
    int track;
};

enum class GaugeHit { FirstButton, Track, SecondButton };

// A polyline of two segments, drawn from points[0] through points[1] to points[2].
struct GaugeEdge {
    Point points[3];
};

struct GaugeStroke {
    Point from;
    Point to;
};

// The lines of both arrow buttons: light upper-left edges, dark lower-right edges and the
// two strokes of each arrow (first button's arrow first).
struct GaugeButtonLines {
    GaugeEdge light[2];
    GaugeEdge dark[2];
    GaugeStroke arrows[4];
};

GaugeExtent GaugeExtentOf(int width, int height, bool vertical);

// The part under the given position along the axis.
GaugeHit GaugeHitTest(const GaugeExtent& extent, int position);

// The interaction bits that a press on the given part adds to the flag word.
std::uint32_t GaugePressBits(GaugeHit hit, std::uint32_t flags);

GaugeRepeat GaugeRepeatOf(std::uint32_t flags);

// Milliseconds between repeat steps: a held arrow crosses the range in about 3 seconds,
// kept within 1 to 1000.
unsigned GaugeRepeatInterval(std::int32_t minimum, std::int32_t maximum);

// The value after one repeat step; it never leaves the range through a step.
std::int32_t GaugeSteppedValue(GaugeRepeat repeat, std::int32_t value, std::int32_t minimum,
                               std::int32_t maximum);

// The bar for a client area of width x height; false when there is none to draw.
bool GaugeBarRect(int width, int height, std::uint32_t flags, std::int32_t value,
                  std::int32_t minimum, std::int32_t maximum, Box& bar);

// The track's outline; false when the buttons leave no track.
bool GaugeTrackRect(int width, int height, bool vertical, Box& track);

// The value for a pointer at the given position along the axis; false when the gauge has no
// value to set (empty range or no track).
bool GaugeValueAt(const GaugeExtent& extent, bool inverted, int position, std::int32_t minimum,
                  std::int32_t maximum, std::int32_t& value);

GaugeButtonLines GaugeButtonLinesOf(int width, int height, bool vertical);
