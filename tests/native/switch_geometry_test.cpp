#include <gtest/gtest.h>

#include "switch_geometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <tuple>

namespace {

// Mirror images through the column x = c or the row y = c; a box's edges trade places.
template <std::size_t N> std::array<Point, N> FlipX(std::array<Point, N> points, int c) {
    for (Point& p : points)
        p.x = 2 * c - p.x;
    return points;
}
template <std::size_t N> std::array<Point, N> FlipY(std::array<Point, N> points, int c) {
    for (Point& p : points)
        p.y = 2 * c - p.y;
    return points;
}
Box FlipY(const Box& b, int c) {
    return {b.left, 2 * c - b.bottom, b.right, 2 * c - b.top};
}

// The same points, in any order.
template <std::size_t N> bool SamePoints(std::array<Point, N> a, std::array<Point, N> b) {
    const auto less = [](Point p, Point q) { return std::tie(p.x, p.y) < std::tie(q.x, q.y); };
    std::sort(a.begin(), a.end(), less);
    std::sort(b.begin(), b.end(), less);
    return a == b;
}

// A box of pixels centred on column or row c.
bool CentredX(const Box& b, int c) {
    return b.left + b.right - 1 == 2 * c;
}
bool CentredY(const Box& b, int c) {
    return b.top + b.bottom - 1 == 2 * c;
}

auto Fields(const SwitchLever& l) {
    return std::tie(l.shaft, l.shaftFill, l.hasLowerShaft, l.lowerShaft, l.lowerShaftFill, l.knob,
                    l.knobFill, l.hasHighlight, l.highlight);
}

// Properties of every drawing element, over a sweep of client sizes.
TEST(SwitchGeometry, ShapesAreSymmetricNestedAndJoined) {
    for (int width = 2; width <= 120 && !HasFailure(); ++width) {
        for (int height = 2; height <= 120 && !HasFailure(); ++height) {
            SCOPED_TRACE(testing::Message() << width << " x " << height);
            const SwitchMetrics m = ComputeSwitchMetrics(width, height);
            const int cx = m.centreX, cy = m.centreY;
            EXPECT_EQ(cx, width / 2);
            EXPECT_EQ(cy, height / 2);
            // The lever widens outwards; seen end-on it is wider still, and the bezel is
            // inside the nut's upright sides.
            EXPECT_LE(m.rootHalfWidth, m.recessRadius);
            EXPECT_LE(m.recessRadius, m.endOnHalfWidth);
            EXPECT_LE(m.endOnHalfWidth, m.bezelRadius);
            EXPECT_LE(m.bezelRadius, cx - 1);

            // A regular hexagon (sides equal but for rounding) with upright sides at x = 1 and
            // 2 cx - 1, the shadow on its right and lower edges.
            const std::array<Point, 6> nut = SwitchNutPoints(m);
            EXPECT_TRUE(SamePoints(FlipX(nut, cx), nut));
            EXPECT_TRUE(SamePoints(FlipY(nut, cy), nut));
            EXPECT_EQ(nut[0].x, 1);
            const double slanted = std::hypot(nut[1].x - nut[0].x, nut[1].y - nut[0].y);
            EXPECT_NEAR(slanted, nut[5].y - nut[0].y, 2.0);
            EXPECT_EQ(SwitchNutShadow(m), (SwitchQuad{nut[2], nut[3], nut[4], nut[5]}));

            // Bezel and recess: round, centred, one inside the other, the shading split along
            // the diagonal from the lower left to the upper right.
            const Box bezel = SwitchBezelBox(m), recess = SwitchRecessBox(m);
            for (const Box& box : {bezel, recess}) {
                EXPECT_TRUE(CentredX(box, cx) && CentredY(box, cy));
                EXPECT_EQ(box.Width(), box.Height());
            }
            EXPECT_TRUE(bezel.left <= recess.left && recess.right <= bezel.right);
            const SwitchArcRadials radials = SwitchShadingRadials(m);
            EXPECT_GT(cx - radials.lowerLeft.x, 0);
            EXPECT_EQ(cx - radials.lowerLeft.x, radials.lowerLeft.y - cy);
            EXPECT_EQ(FlipY(FlipX(std::array{radials.lowerLeft}, cx), cy)[0], radials.upperRight);

            // Up: the shaft meets the knob's inner edge; the highlight runs up the left edges
            // of shaft and knob, then along its outer edge. Down is its mirror image.
            const SwitchLever up = SwitchLeverShape(m, SwitchUp);
            EXPECT_TRUE(SamePoints(FlipX(up.shaft, cx), up.shaft));
            EXPECT_TRUE(CentredX(up.knob, cx));
            EXPECT_EQ(up.shaft[1], (Point{up.knob.left, up.knob.bottom}));
            EXPECT_EQ(up.highlight,
                      (SwitchQuad{up.shaft[0], up.shaft[1], Point{up.knob.left, up.knob.top},
                                  Point{up.knob.right - 1, up.knob.top}}));
            const SwitchLever down = SwitchLeverShape(m, SwitchDown);
            EXPECT_EQ(down.shaft, FlipY(up.shaft, cy));
            EXPECT_EQ(down.knob, FlipY(up.knob, cy));
            EXPECT_EQ(down.highlight, FlipY(up.highlight, cy));

            // Middle: the knob seen end-on in the centre, shafts from the recess's edge to it.
            const SwitchLever middle = SwitchLeverShape(m, SwitchMiddle);
            EXPECT_TRUE(CentredX(middle.knob, cx) && CentredY(middle.knob, cy));
            EXPECT_TRUE(SamePoints(FlipX(middle.shaft, cx), middle.shaft));
            EXPECT_EQ(middle.shaft[0].y, recess.top);
            EXPECT_EQ(middle.shaft[1], (Point{middle.knob.left, middle.knob.top}));
            EXPECT_EQ(middle.lowerShaft, FlipY(middle.shaft, cy));
            for (int position : {3, -1, INT_MIN, INT_MAX})
                EXPECT_TRUE(Fields(SwitchLeverShape(m, position)) == Fields(middle)) << position;
        }
    }
}

// The hexagon's factors are the five-digit decimals, truncated toward zero.
TEST(SwitchGeometry, HexagonFactorsAreFiveDigitDecimalsTruncated) {
    // Width 2704: centreX - 1 = 1351 gives 779 and 1559, where exact roots would give 780 and
    // 1560. Width 0: -1 gives 0 and -1, not -1 and -2.
    const SwitchMetrics wide = ComputeSwitchMetrics(2704, 1600);
    EXPECT_EQ(wide.nutHalfSide, 779);
    EXPECT_EQ(wide.nutRadius, 1559);
    const SwitchMetrics m = ComputeSwitchMetrics(0, 0);
    EXPECT_EQ(m.nutHalfSide, 0);
    EXPECT_EQ(m.nutRadius, -1);
    EXPECT_EQ(SwitchLeverShape(m, SwitchDown).knob, (Box{0, -1, 1, -1}));
}

// A press moves the lever towards the half pressed, through the middle on a three-way switch;
// outside positions never move, and flag bits other than three-way are ignored.
TEST(SwitchGeometry, ClickRule) {
    const std::optional<int> none;
    const unsigned three = SwitchThreeWay;
    const struct {
        int position;
        unsigned flags;
        std::optional<int> upper, lower; // after a press at row 5 or 45 of 60
    } presses[] = {{SwitchUp, 0, none, SwitchDown},
                   {SwitchUp, three, none, SwitchMiddle},
                   {SwitchDown, 0, SwitchUp, none},
                   {SwitchDown, three, SwitchMiddle, none},
                   {SwitchMiddle, 0, SwitchUp, SwitchDown},
                   {SwitchMiddle, three, SwitchUp, SwitchDown},
                   {3, three, none, none},
                   {-1, 0, none, none},
                   {SwitchUp, ~three, none, SwitchDown},
                   {SwitchUp, SwitchNoDraw | three, none, SwitchMiddle}};
    for (const auto& p : presses) {
        EXPECT_EQ(SwitchPositionAfterPress(p.position, p.flags, 5, 60), p.upper)
            << p.position << " flags " << p.flags;
        EXPECT_EQ(SwitchPositionAfterPress(p.position, p.flags, 45, 60), p.lower)
            << p.position << " flags " << p.flags;
    }
    // The dividing row, half the height rounded down, belongs to the lower half.
    for (int height : {20, 21}) {
        EXPECT_EQ(SwitchPositionAfterPress(SwitchMiddle, 0, 9, height), SwitchUp) << height;
        EXPECT_EQ(SwitchPositionAfterPress(SwitchMiddle, 0, 10, height), SwitchDown) << height;
    }
}

} // namespace
