// The gauge's arithmetic where exact values and shapes matter. The geometry fuzz target
// checks the rest on extreme slots and sizes: parts in order, intervals and steps within
// bounds, the bar in its track, drags in the range.
#include <gtest/gtest.h>

#include "gauge_geometry.h"

#include <algorithm>
#include <climits>
#include <ostream>
#include <tuple>

std::ostream& operator<<(std::ostream& out, const Box& r) {
    return out << '(' << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ')';
}

namespace {

Box Transposed(const Box& b) {
    return {b.top, b.left, b.bottom, b.right};
}

// Horizontal gauges, length x thickness: with a track, without one, and one pixel thick.
const struct {
    int length, thickness;
} kSizes[] = {{100, 20}, {41, 20}, {40, 20}, {30, 20}, {257, 17}, {30, 1}};

const struct {
    std::int32_t minimum, maximum;
} kRanges[] = {{0, 10}, {0, 7}, {-7, 13}, {-2000000000, 2000000000}, {INT_MIN, INT_MAX}};

TEST(GaugeGeometry, HitTestAndTrackBetweenTheButtons) {
    // Buttons that meet leave no track to hit.
    EXPECT_EQ(GaugeHitTest(GaugeExtentOf(40, 20, false), 19), GaugeHit::FirstButton);
    EXPECT_EQ(GaugeHitTest(GaugeExtentOf(40, 20, false), 20), GaugeHit::SecondButton);
    // Otherwise the track spans the thickness from button to button; a vertical gauge is a
    // horizontal one transposed.
    for (const auto& size : kSizes) {
        const int w = size.length, h = size.thickness;
        const GaugeExtent extent = GaugeExtentOf(w, h, false), vertical = GaugeExtentOf(h, w, true);
        EXPECT_EQ(std::tie(extent.thickness, extent.length, extent.track),
                  std::tie(vertical.thickness, vertical.length, vertical.track));
        Box track{}, upright{};
        ASSERT_EQ(GaugeTrackRect(w, h, false, track), w > 2 * h) << w << " x " << h;
        ASSERT_EQ(GaugeTrackRect(h, w, true, upright), w > 2 * h) << w << " x " << h;
        if (w <= 2 * h)
            continue;
        EXPECT_EQ(upright, Transposed(track));
        EXPECT_EQ(std::make_tuple(track.top, track.bottom), std::make_tuple(0, h));
        EXPECT_EQ(GaugeHitTest(extent, track.left - 1), GaugeHit::FirstButton);
        EXPECT_EQ(GaugeHitTest(extent, track.left), GaugeHit::Track);
        EXPECT_EQ(GaugeHitTest(extent, track.right - 1), GaugeHit::Track);
        EXPECT_EQ(GaugeHitTest(extent, track.right), GaugeHit::SecondButton);
    }
}

// The arrows step away from their end of the gauge, and an inverted gauge turns them round;
// the other style bits change nothing.
TEST(GaugeGeometry, PressBitsAndRepeatState) {
    const struct {
        GaugeHit hit;
        bool inverted;
        std::uint32_t bits;
        GaugeRepeat repeat;
    } cases[] = {{GaugeHit::FirstButton, false, GaugeFirstArrow | GaugeStepDown, GaugeRepeatDown},
                 {GaugeHit::FirstButton, true, GaugeFirstArrow | GaugeStepUp, GaugeRepeatUp},
                 {GaugeHit::SecondButton, false, GaugeSecondArrow | GaugeStepUp, GaugeRepeatUp},
                 {GaugeHit::SecondButton, true, GaugeSecondArrow | GaugeStepDown, GaugeRepeatDown},
                 {GaugeHit::Track, false, GaugeDragging, GaugeRepeatNone},
                 {GaugeHit::Track, true, GaugeDragging, GaugeRepeatNone}};
    for (const auto& c : cases) {
        for (std::uint32_t style : {0u, std::uint32_t{GaugeVertical}, std::uint32_t{GaugeRedBar}}) {
            const std::uint32_t flags = style | (c.inverted ? GaugeInverted : 0u);
            EXPECT_EQ(GaugePressBits(c.hit, flags), c.bits) << flags;
            EXPECT_EQ(GaugeRepeatOf(c.bits | flags), c.repeat) << flags;
        }
    }
    EXPECT_EQ(GaugeRepeatOf(GaugeStyleMask | GaugeInteractionMask), GaugeRepeatBoth);
}

// A held arrow crosses the range in about three seconds, at 1 to 1000 ms a step (an empty
// range at the slowest rate, a reversed one at the fastest); a step moves one, within the
// range, and a reversed range moves only where its comparison allows.
TEST(GaugeGeometry, RepeatIntervalAndStep) {
    const struct {
        std::int32_t minimum, maximum;
        unsigned interval;
    } intervals[] = {{0, 10, 300}, {-2, 2, 750}, {0, 1, 1000}, {0, 3, 1000}, {0, 2999, 1},
                     {0, 3001, 1}, {5, 2, 1},    {1, 0, 1},    {7, 7, 1000}, {INT_MIN, INT_MAX, 1}};
    for (const auto& c : intervals)
        EXPECT_EQ(GaugeRepeatInterval(c.minimum, c.maximum), c.interval)
            << c.minimum << " .. " << c.maximum;
    const struct {
        GaugeRepeat repeat;
        std::int32_t value, minimum, maximum, stepped;
    } steps[] = {{GaugeRepeatDown, 0, -5, 5, -1}, {GaugeRepeatDown, -5, -5, 5, -5},
                 {GaugeRepeatUp, 4, -5, 5, 5},    {GaugeRepeatUp, 5, -5, 5, 5},
                 {GaugeRepeatBoth, 0, -5, 5, 0},  {GaugeRepeatDown, 3, 5, 0, 3},
                 {GaugeRepeatUp, 3, 5, 0, 3},     {GaugeRepeatDown, 6, 5, 0, 5}};
    for (const auto& c : steps)
        EXPECT_EQ(GaugeSteppedValue(c.repeat, c.value, c.minimum, c.maximum), c.stepped)
            << c.repeat << ' ' << c.value << " in " << c.minimum << " .. " << c.maximum;
}

// The bar fills the value's share of the track, rounded down, from its first end, or from its
// far end when inverted, a value outside the range counting as the nearer end; a vertical bar
// is the horizontal one transposed, and the other flag bits change nothing. A drag sets the
// value whose bar ends at or before the pointer, where the next value's bar reaches, mirrored
// when inverted.
TEST(GaugeGeometry, BarAndDrag) {
    for (const auto& size : kSizes) {
        const int w = size.length, h = size.thickness;
        const GaugeExtent extent = GaugeExtentOf(w, h, false);
        Box track{};
        if (!GaugeTrackRect(w, h, false, track))
            continue;
        const auto barLength = [&](std::int32_t value, std::int32_t minimum, std::int32_t maximum) {
            Box bar{};
            GaugeBarRect(w, h, 0, value, minimum, maximum, bar);
            return bar.Width();
        };
        for (const auto& range : kRanges) {
            const std::int64_t span = std::int64_t{range.maximum} - range.minimum;
            for (std::int32_t value : {INT_MIN, range.minimum, -1, 0, 3, range.maximum, INT_MAX}) {
                SCOPED_TRACE(testing::Message() << w << " x " << h << ", " << value << " in "
                                                << range.minimum << " .. " << range.maximum);
                Box bar{};
                ASSERT_TRUE(GaugeBarRect(w, h, 0, value, range.minimum, range.maximum, bar));
                EXPECT_EQ(std::tie(bar.left, bar.top, bar.bottom),
                          std::tie(track.left, track.top, track.bottom));
                const std::int64_t share = (std::clamp(value, range.minimum, range.maximum) -
                                            std::int64_t{range.minimum}) *
                                           track.Width();
                EXPECT_LE(bar.Width() * span, share);
                EXPECT_GT((bar.Width() + 1) * span, share);

                const Box inverted{track.left + track.right - bar.right, bar.top,
                                   track.left + track.right - bar.left, bar.bottom};
                const std::uint32_t others = GaugeRedBar | GaugeInteractionMask;
                for (const auto& [flags, expected] :
                     {std::pair{others, bar}, std::pair{GaugeInverted | others, inverted}}) {
                    Box turned{}, upright{};
                    GaugeBarRect(w, h, flags, value, range.minimum, range.maximum, turned);
                    GaugeBarRect(h, w, flags | GaugeVertical, value, range.minimum, range.maximum,
                                 upright);
                    EXPECT_EQ(turned, expected) << flags;
                    EXPECT_EQ(upright, Transposed(expected)) << flags;
                }
            }
            for (int position = -5; position <= w + 5; ++position) {
                std::int32_t value = 0, mirrored = 0;
                GaugeValueAt(extent, false, position, range.minimum, range.maximum, value);
                GaugeValueAt(extent, true, w - position, range.minimum, range.maximum, mirrored);
                EXPECT_EQ(value, mirrored) << position;
                const int reach = std::clamp(position - extent.thickness, 0, extent.track);
                EXPECT_LE(barLength(value, range.minimum, range.maximum), reach) << position;
                if (value < range.maximum) {
                    EXPECT_GE(barLength(value + 1, range.minimum, range.maximum), reach)
                        << position;
                }
            }
        }
    }
}

} // namespace
