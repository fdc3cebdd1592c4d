// Window-free arithmetic of the property list: row metrics, the vertical layout of sections
// and items, the scroll bar's range and steps, the expand/collapse hit test and the row
// visibility test of the paint.
//
// The list functions are templates over the section record so that they walk the control's
// own sections as well as plain test data: a section needs an `itemCount` and an `expanded`
// field.
#pragma once

#include <optional>

// Row metrics, shared by every list.
constexpr int TitleRowHeight = 20; // a section's title row
constexpr int ItemRowHeight = 18;  // an item row; also the unit of the scroll position
constexpr int SectionGap = 6;      // after the items of an expanded section

// Left edge of the title frames; clicks left of it expand or collapse a section.
constexpr int TitleFrameLeft = 18;

// Height that an expanded section has beyond its title row: its items and the gap.
inline int ExpandedBodyHeight(int itemCount) {
    return itemCount * ItemRowHeight + SectionGap;
}

// Height of one section in the layout.
inline int SectionHeight(int itemCount, bool expanded) {
    return TitleRowHeight + (expanded ? ExpandedBodyHeight(itemCount) : 0);
}

// Height of the whole content: the sections one under another.
template <typename Section> int ContentHeight(const Section* const* sections, int sectionCount) {
    int height = 0;
    for (int i = 0; i < sectionCount; ++i)
        height += SectionHeight(sections[i]->itemCount, sections[i]->expanded != 0);
    return height;
}

// Index of the section whose title row holds content row contentY, or -1 when it falls
// beside an item, in a gap or below the last section. Every section has a title row.
template <typename Section>
int TitleRowAt(const Section* const* sections, int sectionCount, int contentY) {
    int top = 0;
    for (int i = 0; i < sectionCount; ++i) {
        if (contentY >= top && contentY < top + TitleRowHeight)
            return i;
        top += SectionHeight(sections[i]->itemCount, sections[i]->expanded != 0);
    }
    return -1;
}

// The section that a left-button press at client (x, contentY) toggles, or -1: only the icon
// strip left of the title frames reacts.
template <typename Section>
int ClickedSection(const Section* const* sections, int sectionCount, int x, int contentY) {
    if (x >= TitleFrameLeft)
        return -1;
    return TitleRowAt(sections, sectionCount, contentY);
}

// Whole item rows that fit in a window of the given client height: the scroll bar's page.
inline int ScrollPage(int windowHeight) {
    return windowHeight / ItemRowHeight;
}

// Item rows by which the content overhangs the window, a part of a row counting as a whole
// one: the largest scroll position.
int OverhangRows(int contentHeight, int windowHeight);

// Range and page that the vertical scroll bar gets for a content height: positions 0 to the
// overhang.
struct ScrollBarSetting {
    int minimum;
    int maximum;
    int page;
};
ScrollBarSetting ScrollBarFor(int contentHeight, int windowHeight);

// The request codes of WM_VSCROLL, valued as the system's SB_ codes. A message may carry any
// other value, which moves nothing.
enum ScrollCode : int {
    ScrollLineUp = 0,
    ScrollLineDown = 1,
    ScrollPageUp = 2,
    ScrollPageDown = 3,
    ScrollThumbPosition = 4,
    ScrollThumbTrack = 5,
    ScrollTop = 6,
    ScrollBottom = 7,
    ScrollEnd = 8,
};

// A WM_VSCROLL request and the scroll bar's state when it arrives.
struct ScrollRequest {
    ScrollCode code;
    int thumb;   // thumb position (SB_THUMBTRACK)
    int current; // the scroll bar's position
    int minimum; // and its range
    int maximum;
    int windowHeight;  // client height
    int contentHeight; // the list's content height
};

// The scroll position that a request moves to, or no value when the view stays where it is.
std::optional<int> ScrollTarget(const ScrollRequest& request);

// Whether a row whose drawing covers window rows top .. top + extent - 1 reaches the band
// clipTop .. clipBottom - 1 (the update rectangle of a paint).
inline bool RowVisible(int top, int extent, int clipTop, int clipBottom) {
    return clipTop < clipBottom && top < clipBottom && top + extent > clipTop;
}

// Rows that a title row or an item row draws on, from its top, given the height of the text
// drawn in it: the row itself or the text box, whichever reaches further.
int TitleRowExtent(int titleTextHeight);
int ItemRowExtent(int itemTextHeight);
