#include "property_list_layout.h"

#include <algorithm>

int OverhangRows(int contentHeight, int windowHeight) {
    if (contentHeight <= windowHeight)
        return 0;
    return (contentHeight - windowHeight + ItemRowHeight - 1) / ItemRowHeight;
}

ScrollBarSetting ScrollBarFor(int contentHeight, int windowHeight) {
    const int page = ScrollPage(windowHeight);
    // The scroll bar stops its position at maximum - page + 1 only for a page of at least one
    // row; with page 0 it stops at maximum. So a window under one row high counts one row
    // more, or the last row of overhang could not be reached.
    const int rows = page > 0 ? page : 1;
    return ScrollBarSetting{0, rows + OverhangRows(contentHeight, windowHeight) - 1, page};
}

namespace {
// The step of a scroll code; 0 for the codes that move nothing (a thumb position, which finds
// the view already at the thumb, the end of scrolling and unknown codes).
int ScrollStep(const ScrollRequest& request, int page, int maxTop) {
    switch (request.code) {
    case ScrollLineUp:
        return -1;
    case ScrollLineDown:
        return 1;
    case ScrollPageUp:
        return -page;
    case ScrollPageDown:
        return page;
    case ScrollThumbTrack:
        return request.thumb - request.current;
    case ScrollTop:
        return -request.current;
    case ScrollBottom:
        return maxTop - request.current;
    default:
        return 0;
    }
}
} // namespace

std::optional<int> ScrollTarget(const ScrollRequest& request) {
    const int page = ScrollPage(request.windowHeight);
    // With page 0 the range reaches one row further (see ScrollBarFor): the overhang of the
    // content is the bound then.
    const int maxTop = std::min(request.maximum - page + 1,
                                OverhangRows(request.contentHeight, request.windowHeight));
    const int step = ScrollStep(request, page, maxTop);
    if (step == 0)
        return std::nullopt;
    int position = request.current + step;
    if (position > maxTop)
        position = maxTop;
    if (position < request.minimum)
        position = request.minimum;
    if (position == request.current)
        return std::nullopt;
    return position;
}

int TitleRowExtent(int titleTextHeight) {
    return std::max(TitleRowHeight, 1 + titleTextHeight);
}

int ItemRowExtent(int itemTextHeight) {
    return std::max(ItemRowHeight, itemTextHeight);
}
