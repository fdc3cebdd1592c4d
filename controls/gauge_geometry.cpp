#include "gauge_geometry.h"

#include <algorithm>
#include <climits>

GaugeExtent GaugeExtentOf(int width, int height, bool vertical) {
    const int thickness = vertical ? width : height;
    const int length = vertical ? height : width;
    // Both sides can be near INT_MAX (a window can be created that large); a track that would
    // be shorter than INT_MIN is as absent as any other negative one.
    const std::int64_t track = std::int64_t{length} - 2 * std::int64_t{thickness};
    return GaugeExtent{thickness, length, static_cast<int>(std::max<std::int64_t>(track, INT_MIN))};
}

GaugeHit GaugeHitTest(const GaugeExtent& extent, int position) {
    if (position < extent.thickness)
        return GaugeHit::FirstButton;
    if (position < extent.length - extent.thickness)
        return GaugeHit::Track;
    return GaugeHit::SecondButton;
}

std::uint32_t GaugePressBits(GaugeHit hit, std::uint32_t flags) {
    const bool inverted = (flags & GaugeInverted) != 0;
    switch (hit) {
    case GaugeHit::FirstButton:
        return GaugeFirstArrow | (inverted ? GaugeStepUp : GaugeStepDown);
    case GaugeHit::SecondButton:
        return GaugeSecondArrow | (inverted ? GaugeStepDown : GaugeStepUp);
    case GaugeHit::Track:
        break;
    }
    return GaugeDragging;
}

GaugeRepeat GaugeRepeatOf(std::uint32_t flags) {
    return static_cast<GaugeRepeat>((flags >> 4) & 3);
}

unsigned GaugeRepeatInterval(std::int32_t minimum, std::int32_t maximum) {
    // An empty range has nothing to step through: use the slowest rate, as for the
    // smallest ranges.
    if (maximum == minimum)
        return 1000;
    const std::int64_t range = std::int64_t{maximum} - minimum;
    const std::int64_t interval = 3000 / range;
    return static_cast<unsigned>(std::clamp<std::int64_t>(interval, 1, 1000));
}

std::int32_t GaugeSteppedValue(GaugeRepeat repeat, std::int32_t value, std::int32_t minimum,
                               std::int32_t maximum) {
    if (repeat == GaugeRepeatDown && value > minimum)
        return value - 1;
    if (repeat == GaugeRepeatUp && value < maximum)
        return value + 1;
    return value;
}

bool GaugeBarRect(int width, int height, std::uint32_t flags, std::int32_t value,
                  std::int32_t minimum, std::int32_t maximum, Box& bar) {
    const bool vertical = (flags & GaugeVertical) != 0;
    const GaugeExtent extent = GaugeExtentOf(width, height, vertical);
    if (maximum <= minimum || extent.track <= 0)
        return false;
    // A value set outside the range draws as the nearest end: the bar stays in its track.
    const std::int64_t offset = std::int64_t{std::clamp(value, minimum, maximum)} - minimum;
    const int length = static_cast<int>(offset * extent.track / (std::int64_t{maximum} - minimum));
    const int s = extent.thickness;
    switch (flags & (GaugeInverted | GaugeVertical)) {
    case 0:
        bar = Box{s, 0, s + length, s};
        break;
    case GaugeInverted:
        bar = Box{width - s - length, 0, width - s, s};
        break;
    case GaugeVertical:
        bar = Box{0, s, s, s + length};
        break;
    default:
        bar = Box{0, height - s - length, s, height - s};
        break;
    }
    return true;
}

bool GaugeTrackRect(int width, int height, bool vertical, Box& track) {
    const GaugeExtent extent = GaugeExtentOf(width, height, vertical);
    // Without room between the buttons an outline would be drawn over them: leave it out.
    if (extent.track <= 0)
        return false;
    const int s = extent.thickness;
    track = vertical ? Box{0, s, s, height - s} : Box{s, 0, width - s, s};
    return true;
}

bool GaugeValueAt(const GaugeExtent& extent, bool inverted, int position, std::int32_t minimum,
                  std::int32_t maximum, std::int32_t& value) {
    // No track means no position to scale by: the value stays as it is.
    if (maximum <= minimum || extent.track <= 0)
        return false;
    std::int64_t distance = std::clamp(position - extent.thickness, 0, extent.track);
    if (inverted)
        distance = extent.track - distance;
    const std::int64_t range = std::int64_t{maximum} - minimum;
    value = static_cast<std::int32_t>(minimum + range * distance / extent.track);
    return true;
}

namespace {

GaugeButtonLines HorizontalButtonLines(int w, int s) {
    const int q = s / 4;
    const int m = s / 2;
    GaugeButtonLines lines{};
    lines.light[0] = {{{0, s}, {0, 0}, {s, 0}}};
    lines.light[1] = {{{w - s, s}, {w - s, 0}, {w, 0}}};
    lines.dark[0] = {{{s - 1, 0}, {s - 1, s - 1}, {0, s - 1}}};
    lines.dark[1] = {{{w - 1, 0}, {w - 1, s - 1}, {w - s, s - 1}}};
    lines.arrows[0] = {{q, m}, {m, q}};
    lines.arrows[1] = {{q, m}, {m, s - q}};
    lines.arrows[2] = {{w - q, m}, {w - m, q}};
    lines.arrows[3] = {{w - q, m}, {w - m, s - q}};
    return lines;
}

GaugeButtonLines VerticalButtonLines(int h, int s) {
    const int m = s / 2;
    const int t = static_cast<int>(3 * std::int64_t{s} / 8); // s may be near INT_MAX
    const int q = s / 4;
    GaugeButtonLines lines{};
    lines.light[0] = {{{0, s}, {0, 0}, {s, 0}}};
    lines.light[1] = {{{0, h}, {0, h - s}, {s, h - s}}};
    lines.dark[0] = {{{s - 1, 0}, {s - 1, s - 1}, {0, s - 1}}};
    lines.dark[1] = {{{s - 1, h - s}, {s - 1, h - 1}, {0, h - 1}}};
    lines.arrows[0] = {{m, t}, {m - q, t + q}};
    lines.arrows[1] = {{m, t}, {m + q, t + q}};
    lines.arrows[2] = {{m, h - t}, {m - q, h - t - q}};
    lines.arrows[3] = {{m, h - t}, {m + q, h - t - q}};
    return lines;
}

} // namespace

GaugeButtonLines GaugeButtonLinesOf(int width, int height, bool vertical) {
    return vertical ? VerticalButtonLines(height, width) : HorizontalButtonLines(width, height);
}
