#include "switch_geometry.h"

#include <algorithm>

namespace {
// No screen comes near this size; a larger client is drawn as if it were this large, so that
// every coordinate of the drawing fits in an int (a window can be created up to INT_MAX wide).
constexpr int LargestDrawnSize = 1 << 27;
} // namespace

SwitchMetrics ComputeSwitchMetrics(int width, int height) {
    SwitchMetrics m{};
    m.b = std::min(width, LargestDrawnSize) / 2;
    m.h = std::min(height, LargestDrawnSize) / 2;
    // Hexagon with its flat sides b - 1 from the centre; the constants are deliberately the
    // five-digit decimals, so large switches keep the shape they have always had.
    m.s = static_cast<int>((m.b - 1) * 0.57735);
    m.r = static_cast<int>((m.b - 1) * 1.1547);
    m.A = 4 * m.b / 5;
    m.B = m.b / 2;
    m.P = 2 * m.b / 5;
    m.M = 3 * m.b / 5;
    m.K = m.b / 3;
    m.E = m.b / 4;
    return m;
}

std::array<Point, 6> SwitchNutPoints(const SwitchMetrics& m) {
    const int b = m.b, h = m.h;
    return {{{1, h - m.s},
             {b, h - m.r},
             {2 * b - 1, h - m.s},
             {2 * b - 1, h + m.s},
             {b, h + m.r},
             {1, h + m.s}}};
}

std::array<Point, 4> SwitchNutShadow(const SwitchMetrics& m) {
    const int b = m.b, h = m.h;
    return {{{2 * b - 1, h - m.s}, {2 * b - 1, h + m.s}, {b, h + m.r}, {1, h + m.s}}};
}

namespace {
Box CentredBox(const SwitchMetrics& m, int radius) {
    return {m.b - radius, m.h - radius, m.b + radius + 1, m.h + radius + 1};
}
} // namespace

Box SwitchBezelBox(const SwitchMetrics& m) {
    return CentredBox(m, m.A);
}

Box SwitchRecessBox(const SwitchMetrics& m) {
    return CentredBox(m, m.B);
}

SwitchArcRadials SwitchShadingRadials(const SwitchMetrics& m) {
    // A fixed offset: only the two diagonal directions matter, not the distance.
    return {{m.b - 10, m.h + 10}, {m.b + 10, m.h - 10}};
}

namespace {
SwitchLever UpLever(const SwitchMetrics& m) {
    const int b = m.b, h = m.h, B = m.B, P = m.P, K = m.K;
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
    const int b = m.b, h = m.h, B = m.B, P = m.P;
    const int knobTop = 2 * h - 1 - m.K;
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
    const int b = m.b, h = m.h, B = m.B, P = m.P, M = m.M, E = m.E;
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
