#include "property_list.h"

#include "drawing_objects.h"

namespace {
constexpr int TextLeft = 20;             // labels and title texts
constexpr int FrameRightInset = 4;       // title frames and separators end this far from the right
constexpr int IconSize = 14;             // one icon cell of SectionIcons
constexpr int IconInset = 2;             // from the title row's left and top edges
constexpr int ExpandedIconX = 28;        // cell of an expanded section
constexpr int CollapsedIconX = 42;       // cell of a collapsed section
constexpr COLORREF TitleText = 0xB00000; // dark blue
constexpr COLORREF TitleBackground = 0xFFE0E0; // pale blue
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
    // An untitled section keeps its whole title row, frame and icon, so that it still shows
    // where to click and the picture agrees with the click test and the content height.
    if (section.title) {
        SelectObject(paint.dc, list.titleFont);
        SetTextColor(paint.dc, TitleText);
        SetBkColor(paint.dc, TitleBackground);
        TextAt(paint.dc, TextLeft, y + 1, section.title);
        SetTextColor(paint.dc, ItemText);
        SelectObject(paint.dc, list.itemFont);
        SetBkColor(paint.dc, ItemBackground);
    }
    // Without the host's bitmap the icon cell stays as the frame row left it.
    if (paint.icons)
        BitBlt(paint.dc, IconInset, y + IconInset, IconSize, IconSize, paint.icons,
               section.expanded ? ExpandedIconX : CollapsedIconX, 0, SRCCOPY);
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

LRESULT OnSizeMessage(HWND window, LPARAM lParam) {
    if (PropertyList* list = AttachedList(window))
        list->OnSize(LOWORD(lParam), HIWORD(lParam));
    return 0;
}

LRESULT OnPaintMessage(HWND window) {
    if (PropertyList* list = AttachedList(window)) {
        list->Paint(window);
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
        list->OnVScroll(LOWORD(wParam), HIWORD(wParam));
    return 0;
}

LRESULT OnLButtonDownMessage(HWND window, LPARAM lParam) {
    if (PropertyList* list = AttachedList(window))
        list->OnLButtonDown(LOWORD(lParam), HIWORD(lParam));
    return 0;
}
} // namespace

PropertyItem* PropertySection::GetItem(int index) const {
    if (index < 0 || index >= itemCount)
        return nullptr;
    return items[index];
}

void PropertyList::Paint(HWND window) {
    if (!GetUpdateRect(window, nullptr, FALSE))
        return;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    Draw(dc, ps.rcPaint.top, ps.rcPaint.bottom);
    EndPaint(window, &ps);
}

void PropertyList::Draw(HDC dc, int clipTop, int clipBottom) const {
    HGDIOBJ oldFont = SelectObject(dc, itemFont);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);

    PaintContext paint = {dc, nullptr, clipTop, clipBottom, 0, 0};
    SelectObject(dc, titleFont);
    paint.titleExtent = TitleRowExtent(TextHeight(dc));
    SelectObject(dc, itemFont);
    paint.itemExtent = ItemRowExtent(TextHeight(dc));
    SetTextColor(dc, ItemText);
    SetBkColor(dc, ItemBackground);

    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ oldBitmap = nullptr;
    if (SectionIcons) {
        oldBitmap = SelectObject(memory, SectionIcons);
        paint.icons = memory;
    }

    int y = -scrollOffset;
    for (int i = 0; i < sectionCount; ++i)
        y = DrawSection(*this, *sections[i], y, paint);

    if (oldBitmap)
        SelectObject(memory, oldBitmap);
    DeleteDC(memory);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

void PropertyList::OnVScroll(int code, int thumbPosition) {
    ScrollRequest request = {code,   thumbPosition, GetScrollPos(hwnd, SB_VERT), 0, 0,
                             height, contentHeight};
    GetScrollRange(hwnd, SB_VERT, &request.minimum, &request.maximum);
    const std::optional<int> target = ScrollTarget(request);
    if (!target)
        return;
    scrollOffset = *target * ItemRowHeight;
    ScrollWindow(hwnd, 0, (request.current - *target) * ItemRowHeight, nullptr, nullptr);
    SetScrollPos(hwnd, SB_VERT, *target, TRUE);
    UpdateWindow(hwnd);
}

void PropertyList::ScrollToRow(int row) {
    const int old = scrollOffset / ItemRowHeight;
    scrollOffset = row * ItemRowHeight;
    ScrollWindow(hwnd, 0, (old - row) * ItemRowHeight, nullptr, nullptr);
    SetScrollPos(hwnd, SB_VERT, row, TRUE);
    UpdateWindow(hwnd);
}

void PropertyList::Invalidate() {
    InvalidateRect(hwnd, nullptr, TRUE);
}

void PropertyList::SetContentHeight(int newContentHeight, bool force) {
    if (newContentHeight == contentHeight && !force)
        return;
    contentHeight = newContentHeight;
    const ScrollBarSetting setting = ScrollBarFor(contentHeight, height);
    const int old = GetScrollPos(hwnd, SB_VERT);
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = setting.minimum;
    info.nMax = setting.maximum;
    info.nPage = static_cast<UINT>(setting.page);
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    const int now = GetScrollPos(hwnd, SB_VERT);
    if (now != old)
        ScrollToRow(now);
}

void PropertyList::OnSize(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
    SetContentHeight(contentHeight, true);
}

bool PropertyList::ExpandSection(PropertySection* section, bool expand) {
    if (expand == section->expanded)
        return false;
    section->SetExpanded(expand);
    const int change = ExpandedBodyHeight(section->itemCount);
    SetContentHeight(expand ? contentHeight + change : contentHeight - change, false);
    Invalidate();
    return true;
}

void PropertyList::OnLButtonDown(int x, int y) {
    const int index = ClickedSection(sections, sectionCount, x, y + scrollOffset);
    if (index >= 0)
        ExpandSection(sections[index], !sections[index]->expanded);
}

LRESULT CALLBACK PropertyListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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

void RegisterPropertyListClass(HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = PropertyListProc;
    wc.cbWndExtra = 16;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = PropertyListClassName;
    RegisterClassA(&wc);
    SectionIcons = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(286));
}

void UnregisterPropertyListClass(HINSTANCE instance) {
    UnregisterClassA(PropertyListClassName, instance);
    DeleteObject(SectionIcons);
    SectionIcons = nullptr;
}
