// The property list control (window class "OrbiterCtrl_PropertyList"): read-only label/value
// pairs in two columns, grouped into sections that expand and collapse by a click on the icon
// left of their title, scrolling vertically in item rows.
//
// A window of the class reaches its PropertyList through GWL_USERDATA. The records are plain
// data; property_list_api.h creates, fills and frees them. Whoever changes them otherwise
// sends the window a WM_SIZE with its client size after any change of the content height
// (it sets the scroll bar's range and page again) and invalidates it.
#pragma once

#include <windows.h>

#include "property_list_layout.h"

constexpr char PropertyListClassName[] = "OrbiterCtrl_PropertyList";
// Window-extra bytes of the class; the list keeps nothing there (its record is in GWL_USERDATA).
constexpr int PropertyListExtraBytes = 16;

// Title rows: dark blue text on the pale blue of the frame fill (a list's `brush`).
constexpr COLORREF PropertyTitleText = 0xB00000;
constexpr COLORREF PropertyTitleBackground = 0xFFE0E0;

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
    PropertyItem* GetItem(int index) const {
        return index < 0 || index >= itemCount ? nullptr : items[index];
    }
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
};
