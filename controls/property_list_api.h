// Creation API of the property list control, for code that builds dialogs at run time.
//
// A list made here owns its records, a copy of every text and its two fonts, pen and brush.
// All of it is freed by DestroyPropertyList, or when the window is destroyed with its parent
// (so a dialog that simply closes leaks nothing). Every change keeps the scroll bar in step
// with the content and repaints the list.
//
// The functions below accept only windows made by CreatePropertyList; given any other window,
// or a section that is not in the list, they do nothing and return null. Items are not looked
// up (that would cost a walk over the whole list): an item passed in must be one of the list's.
#pragma once

#include <windows.h>

#include "property_list.h"

// Creates a visible child list at (x, y) of the given outer size, with a border and a vertical
// scroll bar that shows only while the content overhangs the window. valueX is the left edge
// of the value column in client pixels. module is the instance that registered the class.
// The list starts empty, scrolled to the top. Returns null when the window cannot be created.
HWND CreatePropertyList(HINSTANCE module, HWND parent, int id, int x, int y, int width, int height,
                        int valueX);

// The record of a list made by CreatePropertyList, or null.
PropertyList* GetPropertyList(HWND list);

// Appends a section, titled or untitled (title null), expanded or collapsed. An untitled
// section still has its title row with the icon, so it can be expanded and collapsed.
PropertySection* AddPropertySection(HWND list, const char* title, bool expanded);

// Appends an item to a section of the list. A null label or value leaves that column empty.
PropertyItem* AddPropertyItem(HWND list, PropertySection* section, const char* label,
                              const char* value);

// Replaces the texts of an item of the list. A null argument keeps that text as it is, so a
// value can be updated alone; pass "" to empty a column.
void SetPropertyItemText(HWND list, PropertyItem* item, const char* label, const char* value);

// Expands or collapses a section, as a click on its icon does.
void SetPropertySectionExpanded(HWND list, PropertySection* section, bool expanded);

// Removes a section with its items.
void RemovePropertySection(HWND list, PropertySection* section);

// Detaches and frees the list (records, texts, fonts, pen, brush) and destroys the window.
void DestroyPropertyList(HWND list);
