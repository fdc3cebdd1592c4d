#include "switch_geometry.h"

#include <algorithm>

namespace {
// No screen comes near this size; a larger client is drawn as if it were this large, so that
// every coordinate of the drawing fits in an int (a window can be created up to INT_MAX wide).
constexpr int LargestDrawnSize = 1 << 27;
} // namespace

SwitchMetrics ComputeSwitchMetrics(int width, int height) {
    SwitchMetrics m{};
    const int b = std::min(width, LargestDrawnSize) / 2;
    m.centreX = b;
    m.centreY = std::min(height, LargestDrawnSize) / 2;
    // Hexagon with its flat sides b - 1 from the centre; the constants are deliberately the
    // five-digit decimals, so large switches keep the shape they have always had.
    m.nutHalfSide = static_cast<int>((b - 1) * 0.57735);
    m.nutRadius = static_cast<int>((b - 1) * 1.1547);
    m.bezelRadius = 4 * b / 5;
    m.recessRadius = b / 2;
    m.rootHalfWidth = 2 * b / 5;
    m.endOnHalfWidth = 3 * b / 5;
    m.knobLength = b / 3;
    m.endOnHalfHeight = b / 4;
    return m;
}

std::array<Point, 6> SwitchNutPoints(const SwitchMetrics& m) {
    const int b = m.centreX, h = m.centreY, s = m.nutHalfSide, r = m.nutRadius;
    return {
        {{1, h - s}, {b, h - r}, {2 * b - 1, h - s}, {2 * b - 1, h + s}, {b, h + r}, {1, h + s}}};
}

std::array<Point, 4> SwitchNutShadow(const SwitchMetrics& m) {
    const int b = m.centreX, h = m.centreY, s = m.nutHalfSide, r = m.nutRadius;
    return {{{2 * b - 1, h - s}, {2 * b - 1, h + s}, {b, h + r}, {1, h + s}}};
}

namespace {
Box CentredBox(const SwitchMetrics& m, int radius) {
    return {m.centreX - radius, m.centreY - radius, m.centreX + radius + 1, m.centreY + radius + 1};
}
} // namespace

Box SwitchBezelBox(const SwitchMetrics& m) {
    return CentredBox(m, m.bezelRadius);
}

Box SwitchRecessBox(const SwitchMetrics& m) {
    return CentredBox(m, m.recessRadius);
}

SwitchArcRadials SwitchShadingRadials(const SwitchMetrics& m) {
    // A fixed offset: only the two diagonal directions matter, not the distance.
    return {{m.centreX - 10, m.centreY + 10}, {m.centreX + 10, m.centreY - 10}};
}

namespace {
SwitchLever UpLever(const SwitchMetrics& m) {
    const int b = m.centreX, h = m.centreY, B = m.recessRadius, P = m.rootHalfWidth;
    const int K = m.knobLength;
    SwitchLever lever{};
    lever.shaft = {{{b - P, h + 1}, {b - B, K + 1}, {b + B, K + 1}, {b + P, h + 1}}};
    lever.shaftFill = SwitchFill::LightGray;
    lever.knob = {b - B, 1, b + B + 1, K + 1};
    lever.knobFill = SwitchFill::White;
    lever.hasHighlight = true;
    lever.highlight = {{{b - P, h + 1}, {b - B, K + 1}, {b - B, 1}, {b + B, 1}}};
    return lever;
}

SwitchLever DownLever(const SwitchMetrics& m) {
    const int b = m.centreX, h = m.centreY, B = m.recessRadius, P = m.rootHalfWidth;
    const int knobTop = 2 * h - 1 - m.knobLength;
    const int end = 2 * h - 1;
    SwitchLever lever{};
    lever.shaft = {{{b - P, h - 1}, {b - B, knobTop}, {b + B, knobTop}, {b + P, h - 1}}};
    lever.shaftFill = SwitchFill::White;
    lever.knob = {b - B, knobTop, b + B + 1, end};
    lever.knobFill = SwitchFill::LightGray;
    lever.hasHighlight = true;
    lever.highlight = {{{b - P, h - 1}, {b - B, knobTop}, {b - B, end}, {b + B, end}}};
    return lever;
}

SwitchLever MiddleLever(const SwitchMetrics& m) {
    const int b = m.centreX, h = m.centreY, B = m.recessRadius, P = m.rootHalfWidth;
    const int M = m.endOnHalfWidth, E = m.endOnHalfHeight;
    SwitchLever lever{};
    lever.shaft = {{{b - P, h - B}, {b - M, h - E}, {b + M, h - E}, {b + P, h - B}}};
    lever.shaftFill = SwitchFill::LightGray;
    lever.hasLowerShaft = true;
    lever.lowerShaft = {{{b - P, h + B}, {b - M, h + E}, {b + M, h + E}, {b + P, h + B}}};
    lever.lowerShaftFill = SwitchFill::Gray;
    lever.knob = {b - M, h - E, b + M + 1, h + E + 1};
    lever.knobFill = SwitchFill::White;
    return lever;
}
} // namespace

SwitchLever SwitchLeverShape(const SwitchMetrics& m, int position) {
    switch (position) {
    case SwitchUp:
        return UpLever(m);
    case SwitchDown:
        return DownLever(m);
    default:
        return MiddleLever(m);
    }
}

std::optional<int> SwitchPositionAfterPress(int position, unsigned flags, int y, int clientHeight) {
    const bool upper = y < clientHeight / 2;
    const bool threeWay = (flags & SwitchThreeWay) != 0;
    switch (position) {
    case SwitchUp:
        if (upper)
            return std::nullopt;
        return threeWay ? SwitchMiddle : SwitchDown;
    case SwitchDown:
        if (!upper)
            return std::nullopt;
        return threeWay ? SwitchMiddle : SwitchUp;
    case SwitchMiddle:
        return upper ? SwitchUp : SwitchDown;
    default:
        return std::nullopt;
    }
}
