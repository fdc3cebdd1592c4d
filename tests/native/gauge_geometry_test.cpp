#include <gtest/gtest.h>

#include "gauge_geometry.h"

#include <climits>
#include <ostream>

std::ostream& operator<<(std::ostream& out, const Point& p) {
    return out << '(' << p.x << ", " << p.y << ')';
}
std::ostream& operator<<(std::ostream& out, const Box& r) {
    return out << '(' << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ')';
}

namespace {

TEST(GaugeGeometry, HitTestAlongEitherAxis) {
    const GaugeExtent horizontal = GaugeExtentOf(100, 20, false);
    EXPECT_EQ(horizontal.thickness, 20);
    EXPECT_EQ(horizontal.track, 60);
    const GaugeExtent vertical = GaugeExtentOf(20, 100, true);
    EXPECT_EQ(vertical.thickness, 20);
    EXPECT_EQ(vertical.track, 60);
    for (const GaugeExtent& extent : {horizontal, vertical}) {
        EXPECT_EQ(GaugeHitTest(extent, 0), GaugeHit::FirstButton);
        EXPECT_EQ(GaugeHitTest(extent, 19), GaugeHit::FirstButton);
        EXPECT_EQ(GaugeHitTest(extent, 20), GaugeHit::Track);
        EXPECT_EQ(GaugeHitTest(extent, 79), GaugeHit::Track);
        EXPECT_EQ(GaugeHitTest(extent, 80), GaugeHit::SecondButton);
        EXPECT_EQ(GaugeHitTest(extent, 99), GaugeHit::SecondButton);
    }
    // Buttons that meet leave no track to hit.
    const GaugeExtent noTrack = GaugeExtentOf(40, 20, false);
    EXPECT_EQ(GaugeHitTest(noTrack, 19), GaugeHit::FirstButton);
    EXPECT_EQ(GaugeHitTest(noTrack, 20), GaugeHit::SecondButton);
}

TEST(GaugeGeometry, PressBitsAndRepeatState) {
    EXPECT_EQ(GaugePressBits(GaugeHit::FirstButton, 0), 0x14u);
    EXPECT_EQ(GaugePressBits(GaugeHit::FirstButton, GaugeInverted), 0x24u);
    EXPECT_EQ(GaugePressBits(GaugeHit::SecondButton, 0), 0x28u);
    EXPECT_EQ(GaugePressBits(GaugeHit::SecondButton, GaugeInverted), 0x18u);
    EXPECT_EQ(GaugePressBits(GaugeHit::Track, GaugeInverted | GaugeVertical), 0x0Cu);

    EXPECT_EQ(GaugeRepeatOf(0x14 | GaugeRedBar), GaugeRepeatDown);
    EXPECT_EQ(GaugeRepeatOf(0x28 | GaugeInverted), GaugeRepeatUp);
    EXPECT_EQ(GaugeRepeatOf(0x0C | GaugeVertical), GaugeRepeatNone);
    EXPECT_EQ(GaugeRepeatOf(0x7F), GaugeRepeatBoth);
}

TEST(GaugeGeometry, RepeatIntervalCrossesRangeInThreeSeconds) {
    EXPECT_EQ(GaugeRepeatInterval(0, 10), 300u);
    EXPECT_EQ(GaugeRepeatInterval(-2, 2), 750u);
    EXPECT_EQ(GaugeRepeatInterval(0, 1), 1000u);
    EXPECT_EQ(GaugeRepeatInterval(0, 3), 1000u);
    EXPECT_EQ(GaugeRepeatInterval(0, 2999), 1u);
    EXPECT_EQ(GaugeRepeatInterval(0, 3001), 1u);
    EXPECT_EQ(GaugeRepeatInterval(5, 2), 1u);
    EXPECT_EQ(GaugeRepeatInterval(1, 0), 1u);
    // Chosen for an empty range: the slowest rate.
    EXPECT_EQ(GaugeRepeatInterval(7, 7), 1000u);
    // A range wider than 32 bits is still a wide range, not a negative one.
    EXPECT_EQ(GaugeRepeatInterval(INT_MIN, INT_MAX), 1u);
}

TEST(GaugeGeometry, RepeatStepStopsAtTheBounds) {
    EXPECT_EQ(GaugeSteppedValue(GaugeRepeatDown, 0, -5, 5), -1);
    EXPECT_EQ(GaugeSteppedValue(GaugeRepeatDown, -5, -5, 5), -5);
    EXPECT_EQ(GaugeSteppedValue(GaugeRepeatUp, 4, -5, 5), 5);
    EXPECT_EQ(GaugeSteppedValue(GaugeRepeatUp, 5, -5, 5), 5);
    EXPECT_EQ(GaugeSteppedValue(GaugeRepeatUp, INT_MAX, INT_MIN, INT_MAX), INT_MAX);
    EXPECT_EQ(GaugeSteppedValue(GaugeRepeatBoth, 0, -5, 5), 0);
    // Reversed range: each step moves only where its comparison allows.
    EXPECT_EQ(GaugeSteppedValue(GaugeRepeatDown, 3, 5, 0), 3);
    EXPECT_EQ(GaugeSteppedValue(GaugeRepeatUp, 3, 5, 0), 3);
    EXPECT_EQ(GaugeSteppedValue(GaugeRepeatDown, 6, 5, 0), 5);
}

TEST(GaugeGeometry, BarInTheFourLayouts) {
    Box bar{};
    ASSERT_TRUE(GaugeBarRect(100, 20, 0, 5, 0, 10, bar));
    EXPECT_EQ(bar, (Box{20, 0, 50, 20}));
    ASSERT_TRUE(GaugeBarRect(100, 20, GaugeInverted | GaugeRedBar, 5, 0, 10, bar));
    EXPECT_EQ(bar, (Box{50, 0, 80, 20}));
    ASSERT_TRUE(GaugeBarRect(20, 100, GaugeVertical, 5, 0, 10, bar));
    EXPECT_EQ(bar, (Box{0, 20, 20, 50}));
    ASSERT_TRUE(GaugeBarRect(20, 100, GaugeVertical | GaugeInverted, 5, 0, 10, bar));
    EXPECT_EQ(bar, (Box{0, 50, 20, 80}));
    // Truncated: 3 of 7 over a 60-pixel track is 25.7 pixels.
    ASSERT_TRUE(GaugeBarRect(100, 20, 0, 3, 0, 7, bar));
    EXPECT_EQ(bar, (Box{20, 0, 45, 20}));
    ASSERT_TRUE(GaugeBarRect(100, 20, 0, 10, 0, 10, bar));
    EXPECT_EQ(bar, (Box{20, 0, 80, 20}));
}

TEST(GaugeGeometry, BarCasesWithoutAnOrdinaryRange) {
    Box bar{};
    EXPECT_FALSE(GaugeBarRect(100, 20, 0, 5, 10, 10, bar));
    EXPECT_FALSE(GaugeBarRect(100, 20, 0, 5, 10, 0, bar));
    EXPECT_FALSE(GaugeBarRect(40, 20, 0, 5, 0, 10, bar));
    EXPECT_FALSE(GaugeBarRect(20, 30, GaugeVertical, 5, 0, 10, bar));
    // Values outside the range keep the bar inside the track.
    ASSERT_TRUE(GaugeBarRect(100, 20, 0, 15, 0, 10, bar));
    EXPECT_EQ(bar, (Box{20, 0, 80, 20}));
    ASSERT_TRUE(GaugeBarRect(100, 20, GaugeInverted, -3, 0, 10, bar));
    EXPECT_EQ(bar, (Box{80, 0, 80, 20}));
    // Ranges whose products pass 32 bits scale exactly: the middle is half the track.
    ASSERT_TRUE(GaugeBarRect(100, 20, 0, 0, -2000000000, 2000000000, bar));
    EXPECT_EQ(bar, (Box{20, 0, 50, 20}));
    ASSERT_TRUE(GaugeBarRect(100, 20, 0, INT_MAX, INT_MIN, INT_MAX, bar));
    EXPECT_EQ(bar, (Box{20, 0, 80, 20}));
}

TEST(GaugeGeometry, TrackOutline) {
    Box track{};
    ASSERT_TRUE(GaugeTrackRect(100, 20, false, track));
    EXPECT_EQ(track, (Box{20, 0, 80, 20}));
    ASSERT_TRUE(GaugeTrackRect(20, 100, true, track));
    EXPECT_EQ(track, (Box{0, 20, 20, 80}));
    EXPECT_FALSE(GaugeTrackRect(40, 20, false, track));
    EXPECT_FALSE(GaugeTrackRect(30, 50, true, track));
}

TEST(GaugeGeometry, ValueUnderThePointer) {
    const GaugeExtent extent = GaugeExtentOf(100, 20, false);
    std::int32_t value = 0;
    ASSERT_TRUE(GaugeValueAt(extent, false, 79, 0, 10, value));
    EXPECT_EQ(value, 9);
    ASSERT_TRUE(GaugeValueAt(extent, true, 30, 0, 10, value));
    EXPECT_EQ(value, 8);
    ASSERT_TRUE(GaugeValueAt(extent, false, 20, 0, 10, value));
    EXPECT_EQ(value, 0);
    ASSERT_TRUE(GaugeValueAt(extent, false, 80, 0, 10, value));
    EXPECT_EQ(value, 10);
    // Beyond either end: exactly the bounds, mirrored when inverted.
    const struct {
        bool inverted;
        int position;
        std::int32_t expected;
    } beyond[] = {{false, -300, -7}, {false, 500, 13}, {true, -300, 13}, {true, 500, -7}};
    for (const auto& c : beyond) {
        ASSERT_TRUE(GaugeValueAt(extent, c.inverted, c.position, -7, 13, value));
        EXPECT_EQ(value, c.expected) << c.inverted << ' ' << c.position;
    }
}

TEST(GaugeGeometry, ValueUnderThePointerWithoutARangeOrTrack) {
    std::int32_t value = 42;
    EXPECT_FALSE(GaugeValueAt(GaugeExtentOf(100, 20, false), false, 50, 3, 3, value));
    EXPECT_FALSE(GaugeValueAt(GaugeExtentOf(100, 20, false), false, 50, 3, -3, value));
    EXPECT_FALSE(GaugeValueAt(GaugeExtentOf(40, 20, false), false, 20, 0, 10, value));
    EXPECT_FALSE(GaugeValueAt(GaugeExtentOf(30, 20, false), false, 15, 0, 10, value));
    EXPECT_EQ(value, 42);
    // Wide ranges scale exactly: the middle of the track is the middle of the range.
    const GaugeExtent extent = GaugeExtentOf(100, 20, false);
    ASSERT_TRUE(GaugeValueAt(extent, false, 50, -2000000000, 2000000000, value));
    EXPECT_EQ(value, 0);
    ASSERT_TRUE(GaugeValueAt(extent, false, 80, INT_MIN, INT_MAX, value));
    EXPECT_EQ(value, INT_MAX);
}

} // namespace
