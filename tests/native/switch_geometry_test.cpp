#include <gtest/gtest.h>

#include "switch_geometry.h"

#include <vector>

namespace {

using Quad = SwitchQuad;

TEST(SwitchGeometry, Sizes40x60) {
    const SwitchMetrics m = ComputeSwitchMetrics(40, 60);
    const std::vector<int> got{m.b, m.h, m.s, m.r, m.A, m.B, m.P, m.M, m.K, m.E};
    EXPECT_EQ(got, (std::vector<int>{20, 30, 10, 21, 16, 10, 8, 12, 6, 5}));
}

TEST(SwitchGeometry, NutBezelAndRecess40x60) {
    const SwitchMetrics m = ComputeSwitchMetrics(40, 60);
    const std::array<Point, 6> nut{{{1, 20}, {20, 9}, {39, 20}, {39, 40}, {20, 51}, {1, 40}}};
    EXPECT_EQ(SwitchNutPoints(m), nut);
    EXPECT_EQ(SwitchNutShadow(m), (Quad{{{39, 20}, {39, 40}, {20, 51}, {1, 40}}}));
    EXPECT_EQ(SwitchBezelBox(m), (Box{4, 14, 37, 47}));
    EXPECT_EQ(SwitchRecessBox(m), (Box{10, 20, 31, 41}));
    const SwitchArcRadials radials = SwitchShadingRadials(m);
    EXPECT_EQ(radials.lowerLeft, (Point{10, 40}));
    EXPECT_EQ(radials.upperRight, (Point{30, 20}));
}

TEST(SwitchGeometry, LeverUpAndDown40x60) {
    const SwitchMetrics m = ComputeSwitchMetrics(40, 60);
    const SwitchLever up = SwitchLeverShape(m, SwitchUp);
    EXPECT_EQ(up.shaft, (Quad{{{12, 31}, {10, 7}, {30, 7}, {28, 31}}}));
    EXPECT_EQ(up.knob, (Box{10, 1, 31, 7}));
    EXPECT_EQ(up.highlight, (Quad{{{12, 31}, {10, 7}, {10, 1}, {30, 1}}}));
    EXPECT_TRUE(up.hasHighlight);
    EXPECT_FALSE(up.hasLowerShaft);
    EXPECT_EQ(up.shaftFill, SwitchFill::LightGray);
    EXPECT_EQ(up.knobFill, SwitchFill::White);

    const SwitchLever down = SwitchLeverShape(m, SwitchDown);
    EXPECT_EQ(down.shaft, (Quad{{{12, 29}, {10, 53}, {30, 53}, {28, 29}}}));
    EXPECT_EQ(down.knob, (Box{10, 53, 31, 59}));
    EXPECT_EQ(down.highlight, (Quad{{{12, 29}, {10, 53}, {10, 59}, {30, 59}}}));
    EXPECT_TRUE(down.hasHighlight);
    EXPECT_FALSE(down.hasLowerShaft);
    EXPECT_EQ(down.shaftFill, SwitchFill::White);
    EXPECT_EQ(down.knobFill, SwitchFill::LightGray);
}

TEST(SwitchGeometry, LeverMiddleAndOutsidePositions40x60) {
    const SwitchMetrics m = ComputeSwitchMetrics(40, 60);
    for (int position : {int{SwitchMiddle}, 3, -1}) {
        SCOPED_TRACE(position);
        const SwitchLever middle = SwitchLeverShape(m, position);
        EXPECT_EQ(middle.shaft, (Quad{{{12, 20}, {8, 25}, {32, 25}, {28, 20}}}));
        EXPECT_TRUE(middle.hasLowerShaft);
        EXPECT_EQ(middle.lowerShaft, (Quad{{{12, 40}, {8, 35}, {32, 35}, {28, 40}}}));
        EXPECT_EQ(middle.knob, (Box{8, 25, 33, 36}));
        EXPECT_FALSE(middle.hasHighlight);
        EXPECT_EQ(middle.shaftFill, SwitchFill::LightGray);
        EXPECT_EQ(middle.lowerShaftFill, SwitchFill::Gray);
        EXPECT_EQ(middle.knobFill, SwitchFill::White);
    }
}

TEST(SwitchGeometry, ZeroSizeTruncatesTowardZero) {
    // b - 1 = -1: -0.57735 and -1.1547 truncate to 0 and -1, not down to -1 and -2.
    const SwitchMetrics m = ComputeSwitchMetrics(0, 0);
    EXPECT_EQ(m.s, 0);
    EXPECT_EQ(m.r, -1);
    EXPECT_EQ(SwitchLeverShape(m, SwitchDown).knob, (Box{0, -1, 1, -1}));
}

struct Press {
    int position;
    unsigned flags;
    int y;
    int height;
    std::optional<int> expected;
};

TEST(SwitchGeometry, ClickRule) {
    const std::optional<int> none;
    const unsigned two = 0, three = SwitchThreeWay;
    const std::vector<Press> table{
        // up
        {SwitchUp, two, 5, 60, none},
        {SwitchUp, two, 45, 60, SwitchDown},
        {SwitchUp, three, 5, 60, none},
        {SwitchUp, three, 45, 60, SwitchMiddle},
        // down
        {SwitchDown, two, 5, 60, SwitchUp},
        {SwitchDown, two, 45, 60, none},
        {SwitchDown, three, 5, 60, SwitchMiddle},
        {SwitchDown, three, 45, 60, none},
        // middle, two- and three-way alike
        {SwitchMiddle, two, 5, 60, SwitchUp},
        {SwitchMiddle, two, 45, 60, SwitchDown},
        {SwitchMiddle, three, 5, 60, SwitchUp},
        {SwitchMiddle, three, 45, 60, SwitchDown},
        // outside positions never move
        {3, three, 5, 60, none},
        {3, three, 45, 60, none},
        {-1, two, 5, 60, none},
        {-1, two, 45, 60, none},
        // the dividing row belongs to the lower half
        {SwitchMiddle, two, 9, 21, SwitchUp},
        {SwitchMiddle, two, 10, 21, SwitchDown},
        {SwitchMiddle, two, 9, 20, SwitchUp},
        {SwitchMiddle, two, 10, 20, SwitchDown},
        // unknown bits are ignored; no-draw does not stop presses
        {SwitchUp, ~three, 45, 60, SwitchDown},
        {SwitchUp, SwitchNoDraw | three, 45, 60, SwitchMiddle},
        // wide controls: only the height splits the halves
        {SwitchUp, two, 10, 20, SwitchDown},
    };
    for (const Press& press : table) {
        SCOPED_TRACE(testing::Message() << "position " << press.position << " flags " << press.flags
                                        << " y " << press.y << " height " << press.height);
        EXPECT_EQ(SwitchPositionAfterPress(press.position, press.flags, press.y, press.height),
                  press.expected);
    }
}

} // namespace
