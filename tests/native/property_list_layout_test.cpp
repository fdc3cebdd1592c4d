// What the property list fuzz target does not see: the row metrics, the page of the scroll
// bar and the paint's row test. It checks the layout walk, the click test, the scroll range
// and every other scroll code on random lists.
#include <gtest/gtest.h>

#include "property_list_layout.h"

#include <tuple>

namespace {

TEST(PropertyListLayout, SectionHeights) {
    // A title row of 20; when expanded, 18 per item and a gap of 6.
    EXPECT_EQ(SectionHeight(10, false), 20);
    EXPECT_EQ(SectionHeight(10, true), 206);
    EXPECT_EQ(SectionHeight(0, true), 26);
    for (int items : {0, 10})
        EXPECT_EQ(SectionHeight(items, true) - SectionHeight(items, false),
                  ExpandedBodyHeight(items));
}

// The page is the whole item rows in the window, and the page codes step by it; a window under
// one row high has page 0, its range one row longer, and pages that do not move.
TEST(PropertyListLayout, ScrollPage) {
    const struct {
        int content, window, page, maximum;
    } bars[] = {
        {206, 100, 5, 10}, {20, 100, 5, 4}, {20, 10, 0, 1}, {206, 17, 0, 11}, {0, 10, 0, 0}};
    for (const auto& b : bars) {
        const ScrollBarSetting bar = ScrollBarFor(b.content, b.window);
        EXPECT_EQ(std::make_tuple(bar.minimum, bar.page, bar.maximum),
                  std::make_tuple(0, b.page, b.maximum))
            << b.content << " in " << b.window;
    }
    const std::optional<int> stays;
    const struct {
        ScrollCode code;
        int current, content, window;
        std::optional<int> target;
    } pages[] = {{ScrollPageDown, 0, 206, 100, 5},   {ScrollPageUp, 6, 206, 100, 1},
                 {ScrollPageDown, 5, 206, 100, 6},   {ScrollPageUp, 1, 206, 100, 0},
                 {ScrollPageDown, 0, 20, 10, stays}, {ScrollPageUp, 1, 20, 10, stays}};
    for (const auto& p : pages) {
        const ScrollBarSetting bar = ScrollBarFor(p.content, p.window);
        EXPECT_EQ(ScrollTarget(ScrollRequest{p.code, 0, p.current, bar.minimum, bar.maximum,
                                             p.window, p.content}),
                  p.target)
            << "code " << p.code << " at " << p.current << ", " << p.content << " in " << p.window;
    }
}

TEST(PropertyListLayout, RowsAreDrawnWhenTheirExtentReachesTheUpdateBand) {
    const struct {
        int top, extent, clipTop, clipBottom;
        bool visible;
    } rows[] = {{10, 18, 0, 11, true},    {10, 18, 0, 10, false}, {10, 18, 27, 40, true},
                {10, 18, 28, 40, false},  {10, 18, 15, 16, true}, {-17, 18, 0, 100, true},
                {-18, 18, 0, 100, false}, {0, 18, 5, 5, false}};
    for (const auto& r : rows)
        EXPECT_EQ(RowVisible(r.top, r.extent, r.clipTop, r.clipBottom), r.visible)
            << r.top << " + " << r.extent << " in " << r.clipTop << " .. " << r.clipBottom;

    // Rows cover their own height, or more when their text is taller.
    EXPECT_EQ(TitleRowExtent(15), TitleRowHeight);
    EXPECT_EQ(TitleRowExtent(25), 26); // text drawn one row down
    EXPECT_EQ(ItemRowExtent(15), ItemRowHeight);
    EXPECT_EQ(ItemRowExtent(30), 30);
}

} // namespace
