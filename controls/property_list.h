// The property list control (window class "OrbiterCtrl_PropertyList"): read-only label/value
// pairs in two columns, grouped into sections that expand and collapse by a click on the icon
// left of their title, scrolling vertically in item rows.
//
// A window of the class reaches its PropertyList through GWL_USERDATA. The records are plain
// data; property_list_api.h creates, fills and frees them.
#pragma once

#include <windows.h>

#include "property_list_layout.h"

constexpr char PropertyListClassName[] = "OrbiterCtrl_PropertyList";

struct PropertyItem {
    char* label; // left column, drawn at x 20; null: nothing drawn
    char* value; // right column, drawn at valueX; null: nothing drawn
};

struct PropertySection {
    PropertyItem** items; // rows, top to bottom
    int itemCount;
    char* title;   // null: the title row keeps its frame and icon but shows no text
    bool expanded; // the items show under the title

    // The item at index, or null when index is out of range.
    PropertyItem* GetItem(int index) const;
    // Stores the flag only: content height, scroll bar and picture are the list's business.
    void SetExpanded(bool expand) { expanded = expand; }
};

static_assert(sizeof(PropertySection::expanded) == 1, "expanded is an 8-bit flag");

struct PropertyList {
    HWND hwnd;
    HFONT titleFont;
    HFONT itemFont;
    HPEN pen;     // title frame outlines and separators
    HBRUSH brush; // title frame fill
    int width;    // client size as last reported by WM_SIZE
    int height;
    int contentHeight; // always the layout height of the sections
    int valueX;        // left edge of the value column
    int scrollOffset;  // content y at the window's top edge: scroll position x ItemRowHeight
    PropertySection** sections;
    int sectionCount;

    // WM_PAINT: draws what the update region needs; no paint at all when nothing is invalid.
    void Paint(HWND window);
    // Draws the rows that reach window rows clipTop .. clipBottom - 1 into dc.
    void Draw(HDC dc, int clipTop, int clipBottom) const;
    // WM_VSCROLL.
    void OnVScroll(int code, int thumbPosition);
    // Moves the view to scroll position row without checking the range.
    void ScrollToRow(int row);
    // Repaints the whole client area, background erased.
    void Invalidate();
    // Stores the content height and sets the scroll bar's range and page (always when force).
    void SetContentHeight(int newContentHeight, bool force);
    // WM_SIZE.
    void OnSize(int newWidth, int newHeight);
    // Expands or collapses one section; false when it already was in that state.
    bool ExpandSection(PropertySection* section, bool expand);
    // WM_LBUTTONDOWN: toggles the section whose icon strip was clicked.
    void OnLButtonDown(int x, int y);
};

LRESULT CALLBACK PropertyListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The class and the section icons (bitmap 286 of the process's executable, null when it has
// none: the icon cells then stay blank).
void RegisterPropertyListClass(HINSTANCE instance);
void UnregisterPropertyListClass(HINSTANCE instance);
