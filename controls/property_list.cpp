// The property list's window class: painting, scrolling by item rows, resizing and the
// expand/collapse click, all on the record attached through GWL_USERDATA.
#include "property_list.h"

#include "control_class.h"
#include "drawing_objects.h"
#include "floating_point_guard.h"
#include "gdi_guard.h"

namespace {
constexpr int TextLeft = 20;       // labels and title texts
constexpr int FrameRightInset = 4; // title frames and separators end this far from the right
constexpr int IconSize = 14;       // one icon cell of SectionIcons
constexpr int IconInset = 2;       // from the title row's left and top edges
constexpr int ExpandedIconX = 28;  // cell of an expanded section
constexpr int CollapsedIconX = 42; // cell of a collapsed section
constexpr COLORREF ItemText = 0x000000;
constexpr COLORREF ItemBackground = 0xFFFFFF;

PropertyList* AttachedList(HWND window) {
    return reinterpret_cast<PropertyList*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

int TextHeight(HDC dc) {
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    return metrics.tmHeight;
}

void TextAt(HDC dc, int x, int y, const char* text) {
    if (text)
        TextOutA(dc, x, y, text, lstrlenA(text));
}

// Everything a paint needs besides the list: the device contexts and the band to fill.
struct PaintContext {
    HDC dc;
    HDC icons; // memory device context holding SectionIcons, or null without icons
    int clipTop;
    int clipBottom;
    int titleExtent; // rows a title row draws on
    int itemExtent;  // rows an item row draws on
};

void DrawTitleRow(const PropertyList& list, const PropertySection& section, int y,
                  const PaintContext& paint) {
    Rectangle(paint.dc, TitleFrameLeft, y, list.width - FrameRightInset, y + TitleRowHeight - 2);
    // The icon is copied while the title colours are set: a monochrome bitmap takes its two
    // colours from them. An untitled section keeps its whole title row, frame and icon, so
    // that it still shows where to click and the picture agrees with the click test and the
    // content height.
    SetTextColor(paint.dc, PropertyTitleText);
    SetBkColor(paint.dc, PropertyTitleBackground);
    if (section.title) {
        SelectObject(paint.dc, list.titleFont);
        TextAt(paint.dc, TextLeft, y + 1, section.title);
        SelectObject(paint.dc, list.itemFont);
    }
    // Without the host's bitmap the icon cell stays as the frame row left it.
    if (paint.icons)
        BitBlt(paint.dc, IconInset, y + IconInset, IconSize, IconSize, paint.icons,
               section.expanded ? ExpandedIconX : CollapsedIconX, 0, SRCCOPY);
    SetTextColor(paint.dc, ItemText);
    SetBkColor(paint.dc, ItemBackground);
}

void DrawItemRow(const PropertyList& list, const PropertyItem& item, bool separator, int y,
                 const PaintContext& paint) {
    TextAt(paint.dc, TextLeft, y, item.label);
    TextAt(paint.dc, list.valueX, y, item.value);
    if (separator) {
        MoveToEx(paint.dc, TextLeft, y + ItemRowHeight - 2, nullptr);
        LineTo(paint.dc, list.width - FrameRightInset, y + ItemRowHeight - 2);
    }
}

// Draws one section whose title row is at window row y; returns the row under the section.
int DrawSection(const PropertyList& list, const PropertySection& section, int y,
                const PaintContext& paint) {
    if (RowVisible(y, paint.titleExtent, paint.clipTop, paint.clipBottom))
        DrawTitleRow(list, section, y, paint);
    y += TitleRowHeight;
    if (!section.expanded)
        return y;
    for (int i = 0; i < section.itemCount; ++i) {
        const PropertyItem* item = section.GetItem(i);
        if (item && RowVisible(y, paint.itemExtent, paint.clipTop, paint.clipBottom))
            DrawItemRow(list, *item, i < section.itemCount - 1, y, paint);
        y += ItemRowHeight;
    }
    return y + SectionGap;
}

// Draws the rows that reach window rows clipTop .. clipBottom - 1 into dc.
void Draw(const PropertyList& list, HDC dc, int clipTop, int clipBottom) {
    SelectedObject font(dc, list.itemFont);
    SelectedObject pen(dc, list.pen);
    SelectedObject brush(dc, list.brush);

    PaintContext paint = {dc, nullptr, clipTop, clipBottom, 0, 0};
    SelectObject(dc, list.titleFont);
    paint.titleExtent = TitleRowExtent(TextHeight(dc));
    SelectObject(dc, list.itemFont);
    paint.itemExtent = ItemRowExtent(TextHeight(dc));
    SetTextColor(dc, ItemText);
    SetBkColor(dc, ItemBackground);

    // One memory device context serves every icon of the paint.
    MemoryDC memory(dc);
    if (SectionIcons && memory.get())
        paint.icons = memory.get();
    SelectedObject icons(memory.get(), SectionIcons);

    int y = -list.scrollOffset;
    for (int i = 0; i < list.sectionCount; ++i)
        y = DrawSection(list, *list.sections[i], y, paint);
}

// WM_PAINT: draws what the update region needs; no paint at all when nothing is invalid.
void Paint(const PropertyList& list, HWND window) {
    if (!GetUpdateRect(window, nullptr, FALSE))
        return;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    Draw(list, dc, ps.rcPaint.top, ps.rcPaint.bottom);
    EndPaint(window, &ps);
}

// Moves the view to scroll position row without checking the range.
void ScrollToRow(PropertyList& list, int row) {
    const int old = list.scrollOffset / ItemRowHeight;
    list.scrollOffset = row * ItemRowHeight;
    ScrollWindow(list.hwnd, 0, (old - row) * ItemRowHeight, nullptr, nullptr);
    SetScrollPos(list.hwnd, SB_VERT, row, TRUE);
    UpdateWindow(list.hwnd);
}

static_assert(ScrollLineUp == SB_LINEUP && ScrollLineDown == SB_LINEDOWN &&
                  ScrollPageUp == SB_PAGEUP && ScrollPageDown == SB_PAGEDOWN &&
                  ScrollThumbPosition == SB_THUMBPOSITION && ScrollThumbTrack == SB_THUMBTRACK &&
                  ScrollTop == SB_TOP && ScrollBottom == SB_BOTTOM && ScrollEnd == SB_ENDSCROLL,
              "the layout's scroll codes are the system's");

void OnVScroll(PropertyList& list, ScrollCode code, int thumbPosition) {
    ScrollRequest request = {code,        thumbPosition,     GetScrollPos(list.hwnd, SB_VERT), 0, 0,
                             list.height, list.contentHeight};
    GetScrollRange(list.hwnd, SB_VERT, &request.minimum, &request.maximum);
    const std::optional<int> target = ScrollTarget(request);
    if (!target)
        return;
    list.scrollOffset = *target * ItemRowHeight;
    ScrollWindow(list.hwnd, 0, (request.current - *target) * ItemRowHeight, nullptr, nullptr);
    SetScrollPos(list.hwnd, SB_VERT, *target, TRUE);
    UpdateWindow(list.hwnd);
}

// Stores the content height and sets the scroll bar's range and page (always when force).
void SetContentHeight(PropertyList& list, int newContentHeight, bool force) {
    if (newContentHeight == list.contentHeight && !force)
        return;
    list.contentHeight = newContentHeight;
    const ScrollBarSetting setting = ScrollBarFor(list.contentHeight, list.height);
    const int old = GetScrollPos(list.hwnd, SB_VERT);
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = setting.minimum;
    info.nMax = setting.maximum;
    info.nPage = static_cast<UINT>(setting.page);
    SetScrollInfo(list.hwnd, SB_VERT, &info, TRUE);
    // The scroll bar pulls its position into a smaller range; the view follows it.
    const int now = GetScrollPos(list.hwnd, SB_VERT);
    if (now != old)
        ScrollToRow(list, now);
}

// Expands or collapses one section (its only caller, the click, always changes its state).
void ExpandSection(PropertyList& list, PropertySection& section, bool expand) {
    section.SetExpanded(expand);
    const int change = ExpandedBodyHeight(section.itemCount);
    SetContentHeight(list, expand ? list.contentHeight + change : list.contentHeight - change,
                     false);
    InvalidateRect(list.hwnd, nullptr, TRUE);
}

LRESULT OnSizeMessage(HWND window, LPARAM lParam) {
    if (PropertyList* list = AttachedList(window)) {
        list->width = LOWORD(lParam);
        list->height = HIWORD(lParam);
        // The page follows the new height even when the content height is unchanged.
        SetContentHeight(*list, list->contentHeight, true);
    }
    return 0;
}

LRESULT OnPaintMessage(HWND window) {
    if (PropertyList* list = AttachedList(window)) {
        Paint(*list, window);
        return 0;
    }
    // Without a list there is nothing to draw, but the update region must still be
    // validated or the system keeps sending WM_PAINT; the background is erased as usual.
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    EndPaint(window, &ps);
    return 0;
}

LRESULT OnVScrollMessage(HWND window, WPARAM wParam) {
    if (PropertyList* list = AttachedList(window))
        OnVScroll(*list, static_cast<ScrollCode>(LOWORD(wParam)), HIWORD(wParam));
    return 0;
}

// Toggles the section whose icon strip was clicked. Both words are unsigned: 0x8000 and above are
// far right of the strip or far below the content, never left of or above it.
LRESULT OnLButtonDownMessage(HWND window, LPARAM lParam) {
    if (PropertyList* list = AttachedList(window)) {
        const int index = ClickedSection(list->sections, list->sectionCount, LOWORD(lParam),
                                         HIWORD(lParam) + list->scrollOffset);
        if (index >= 0)
            ExpandSection(*list, *list->sections[index], !list->sections[index]->expanded);
    }
    return 0;
}

LRESULT CALLBACK PropertyListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const FloatingPointGuard guard;
    switch (message) {
    case WM_SIZE:
        return OnSizeMessage(window, lParam);
    case WM_PAINT:
        return OnPaintMessage(window);
    case WM_VSCROLL:
        return OnVScrollMessage(window, wParam);
    case WM_LBUTTONDOWN:
        return OnLButtonDownMessage(window, lParam);
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
} // namespace

void RegisterPropertyListClass(HINSTANCE instance) {
    RegisterControlClass(instance, PropertyListClassName, PropertyListProc, PropertyListExtraBytes,
                         static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)),
                         LoadCursorA(nullptr, IDC_ARROW));
}

void UnregisterPropertyListClass(HINSTANCE instance) {
    UnregisterClassA(PropertyListClassName, instance);
}
