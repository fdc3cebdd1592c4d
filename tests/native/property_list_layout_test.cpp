#include <gtest/gtest.h>

#include "property_list_layout.h"

#include <initializer_list>
#include <vector>

namespace {

// Plain stand-in for a section record: the layout reads only these two fields.
struct Section {
    int itemCount;
    bool expanded;
};

// A list of sections as the layout functions take it.
class Sections {
public:
    Sections(std::initializer_list<Section> sections) : sections_(sections) {
        for (const Section& section : sections_)
            pointers_.push_back(&section);
    }
    const Section* const* data() const { return pointers_.data(); }
    int count() const { return static_cast<int>(pointers_.size()); }

private:
    std::vector<Section> sections_;
    std::vector<const Section*> pointers_;
};

int ContentOf(const Sections& sections) {
    return ContentHeight(sections.data(), sections.count());
}
int TitleAt(const Sections& sections, int y) {
    return TitleRowAt(sections.data(), sections.count(), y);
}

// A WM_VSCROLL request on a list whose scroll bar was set up for its content height.
std::optional<int> Scroll(int code, int current, int contentHeight, int windowHeight,
                          int thumb = 0) {
    const ScrollBarSetting bar = ScrollBarFor(contentHeight, windowHeight);
    return ScrollTarget(
        ScrollRequest{code, thumb, current, bar.minimum, bar.maximum, windowHeight, contentHeight});
}

constexpr int kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3, kThumbPosition = 4,
              kThumbTrack = 5, kTop = 6, kBottom = 7, kEndScroll = 8;

} // namespace

TEST(PropertyListLayout, SectionHeightsAddUpToTheContentHeight) {
    EXPECT_EQ(SectionHeight(10, false), 20);
    EXPECT_EQ(SectionHeight(10, true), 206);
    EXPECT_EQ(SectionHeight(0, true), 26); // title row and gap, no items
    EXPECT_EQ(ExpandedBodyHeight(0), 6);   // what toggling an empty section changes
    EXPECT_EQ(ExpandedBodyHeight(10), 186);
    EXPECT_EQ(ContentOf(Sections{}), 0);
    EXPECT_EQ(ContentOf(Sections{{10, true}}), 206);
    EXPECT_EQ(ContentOf(Sections{{10, false}}), 20);
    EXPECT_EQ(ContentOf(Sections{{2, true}, {3, false}, {0, true}}), 62 + 20 + 26);
}

TEST(PropertyListLayout, TitleRowsCountForEverySectionWithTheirTwoFreePixels) {
    const Sections collapsedFirst{{2, false}, {4, true}};
    EXPECT_EQ(TitleAt(collapsedFirst, 0), 0);
    EXPECT_EQ(TitleAt(collapsedFirst, 19), 0);
    EXPECT_EQ(TitleAt(collapsedFirst, 20), 1);
    EXPECT_EQ(TitleAt(collapsedFirst, 39), 1);
    EXPECT_EQ(TitleAt(collapsedFirst, 40), -1); // first item of the second section
    EXPECT_EQ(TitleAt(collapsedFirst, -1), -1);

    const Sections expandedFirst{{2, true}, {4, false}};
    EXPECT_EQ(TitleAt(expandedFirst, 20), -1); // items
    EXPECT_EQ(TitleAt(expandedFirst, 56), -1); // gap 56 .. 61
    EXPECT_EQ(TitleAt(expandedFirst, 61), -1);
    EXPECT_EQ(TitleAt(expandedFirst, 62), 1);
    EXPECT_EQ(TitleAt(expandedFirst, 81), 1);
    EXPECT_EQ(TitleAt(expandedFirst, 82), -1); // below the last section

    EXPECT_EQ(TitleAt(Sections{}, 0), -1);
}

TEST(PropertyListLayout, OnlyTheIconStripLeftOfTheFramesTakesClicks) {
    const Sections sections{{2, false}, {4, true}};
    EXPECT_EQ(ClickedSection(sections.data(), sections.count(), 0, 5), 0);
    EXPECT_EQ(ClickedSection(sections.data(), sections.count(), 17, 25), 1);
    EXPECT_EQ(ClickedSection(sections.data(), sections.count(), 18, 5), -1);
    EXPECT_EQ(ClickedSection(sections.data(), sections.count(), 200, 25), -1);
}

TEST(PropertyListLayout, ScrollBarRangeCoversTheOverhangInWholeRows) {
    // 100 pixels high, one expanded section of 10 items: 206 high, page 5, 6 rows over.
    EXPECT_EQ(ScrollPage(100), 5);
    EXPECT_EQ(OverhangRows(206, 100), 6);
    ScrollBarSetting bar = ScrollBarFor(206, 100);
    EXPECT_EQ(bar.minimum, 0);
    EXPECT_EQ(bar.maximum, 10);
    EXPECT_EQ(bar.page, 5);
    EXPECT_EQ(bar.maximum - bar.page + 1, 6); // the largest position: the overhang

    // Collapsed there: 20 high, nothing overhangs.
    bar = ScrollBarFor(20, 100);
    EXPECT_EQ(bar.maximum, 4);
    EXPECT_EQ(bar.page, 5);

    // No sections: nMax page - 1, no scrolling.
    bar = ScrollBarFor(0, 90);
    EXPECT_EQ(bar.maximum, 4);
    EXPECT_EQ(bar.page, 5);

    // A part of a row counts as a whole one.
    EXPECT_EQ(OverhangRows(101, 100), 1);
    EXPECT_EQ(OverhangRows(118, 100), 1);
    EXPECT_EQ(OverhangRows(119, 100), 2);
    EXPECT_EQ(OverhangRows(100, 100), 0);
}

TEST(PropertyListLayout, WindowUnderOneRowHighStillReachesTheLastRow) {
    // Page 0: the scroll bar's last position is its maximum, which must be the overhang.
    EXPECT_EQ(ScrollPage(17), 0);
    ScrollBarSetting bar = ScrollBarFor(20, 10); // one collapsed section: one row over
    EXPECT_EQ(bar.page, 0);
    EXPECT_EQ(bar.maximum, 1);
    bar = ScrollBarFor(206, 17); // ceil(189 / 18) = 11 rows over
    EXPECT_EQ(bar.maximum, 11);
    bar = ScrollBarFor(0, 10); // nothing over: a valid range holding position 0 only
    EXPECT_EQ(bar.minimum, 0);
    EXPECT_EQ(bar.maximum, 0);
}

TEST(PropertyListLayout, ScrollCodesStepByRowsPagesAndEnds) {
    // The 206-high list in a 100-high window: positions 0 .. 6, page 5.
    EXPECT_EQ(Scroll(kLineDown, 0, 206, 100), 1);
    EXPECT_EQ(Scroll(kLineUp, 3, 206, 100), 2);
    EXPECT_EQ(Scroll(kPageDown, 0, 206, 100), 5);
    EXPECT_EQ(Scroll(kPageUp, 6, 206, 100), 1);
    EXPECT_EQ(Scroll(kTop, 4, 206, 100), 0);
    EXPECT_EQ(Scroll(kBottom, 0, 206, 100), 6);
    EXPECT_EQ(Scroll(kThumbTrack, 0, 206, 100, 3), 3);

    // Moves that need no step or would leave the range.
    EXPECT_EQ(Scroll(kThumbPosition, 0, 206, 100, 3), std::nullopt);
    EXPECT_EQ(Scroll(kEndScroll, 0, 206, 100), std::nullopt);
    EXPECT_EQ(Scroll(9, 0, 206, 100), std::nullopt);
    EXPECT_EQ(Scroll(kTop, 0, 206, 100), std::nullopt);
    EXPECT_EQ(Scroll(kBottom, 6, 206, 100), std::nullopt);
    EXPECT_EQ(Scroll(kLineUp, 0, 206, 100), std::nullopt);
    EXPECT_EQ(Scroll(kLineDown, 6, 206, 100), std::nullopt);
}

TEST(PropertyListLayout, ScrollTargetsAreClampedToTheRange) {
    EXPECT_EQ(Scroll(kPageDown, 5, 206, 100), 6);
    EXPECT_EQ(Scroll(kPageUp, 1, 206, 100), 0);
    EXPECT_EQ(Scroll(kThumbTrack, 2, 206, 100, 50), 6);
    EXPECT_EQ(Scroll(kThumbTrack, 2, 206, 100, 0), 0);
    // Nothing overhangs: no code moves the view.
    for (int code = kLineUp; code <= kEndScroll; ++code)
        EXPECT_EQ(Scroll(code, 0, 20, 100, 3), std::nullopt) << "code " << code;
}

TEST(PropertyListLayout, WindowUnderOneRowHighScrollsByLinesOnly) {
    // 10 pixels high, one collapsed section (20 high): page 0, positions 0 .. 1.
    EXPECT_EQ(Scroll(kPageDown, 0, 20, 10), std::nullopt);
    EXPECT_EQ(Scroll(kPageUp, 1, 20, 10), std::nullopt);
    EXPECT_EQ(Scroll(kLineDown, 0, 20, 10), 1);
    EXPECT_EQ(Scroll(kLineDown, 1, 20, 10), std::nullopt);
    EXPECT_EQ(Scroll(kLineUp, 1, 20, 10), 0);
    // An empty list there has nothing to scroll.
    EXPECT_EQ(Scroll(kLineDown, 0, 0, 10), std::nullopt);
    EXPECT_EQ(Scroll(kBottom, 0, 0, 10), std::nullopt);
}

TEST(PropertyListLayout, RowsAreDrawnWhenTheirExtentReachesTheUpdateBand) {
    // A row on window rows 10 .. 27.
    EXPECT_TRUE(RowVisible(10, 18, 0, 11));
    EXPECT_FALSE(RowVisible(10, 18, 0, 10));
    EXPECT_TRUE(RowVisible(10, 18, 27, 40));
    EXPECT_FALSE(RowVisible(10, 18, 28, 40));
    EXPECT_TRUE(RowVisible(10, 18, 15, 16));
    EXPECT_TRUE(RowVisible(-17, 18, 0, 100)); // mostly above the window
    EXPECT_FALSE(RowVisible(-18, 18, 0, 100));
    EXPECT_FALSE(RowVisible(0, 18, 5, 5)); // empty band

    // Rows cover their own height, or more when their text is taller.
    EXPECT_EQ(TitleRowExtent(15), TitleRowHeight);
    EXPECT_EQ(TitleRowExtent(25), 26); // text drawn one row down
    EXPECT_EQ(ItemRowExtent(15), ItemRowHeight);
    EXPECT_EQ(ItemRowExtent(30), 30);
}
