#include "property_list_api.h"

#include "control_window.h"

#include <cstring>
#include <new>

namespace {
// Window property of the lists made here: the class's window procedure, which OwnedListProc
// forwards to. It also tells this code's lists from windows that it must not free.
constexpr char BaseProcProperty[] = "KelvoPropertyListProc";

// Returns a copy of text that the list owns, or null.
char* CopyText(const char* text) {
    if (!text)
        return nullptr;
    const size_t size = std::strlen(text) + 1;
    char* copy = new (std::nothrow) char[size];
    if (copy)
        std::memcpy(copy, text, size);
    return copy;
}

// Appends to a pointer array whose capacity follows from its count: 4, then doubling. Returns
// false when memory runs out, leaving the array as it was.
template <typename T> bool Append(T**& array, int& count, T* element) {
    const bool full = count == 0 || (count >= 4 && (count & (count - 1)) == 0);
    if (full) {
        T** grown = new (std::nothrow) T*[count == 0 ? 4 : 2 * count];
        if (!grown)
            return false;
        for (int i = 0; i < count; ++i)
            grown[i] = array[i];
        delete[] array;
        array = grown;
    }
    array[count++] = element;
    return true;
}

void FreeItem(PropertyItem* item) {
    delete[] item->label;
    delete[] item->value;
    delete item;
}

void FreeSection(PropertySection* section) {
    for (int i = 0; i < section->itemCount; ++i)
        FreeItem(section->items[i]);
    delete[] section->items;
    delete[] section->title;
    delete section;
}

int IndexOf(const PropertyList& list, const PropertySection* section) {
    for (int i = 0; i < list.sectionCount; ++i)
        if (list.sections[i] == section)
            return i;
    return -1;
}

// Has the window set its scroll range and page from the content height, as it does whenever
// it is told its size.
void UpdateScrollBar(PropertyList& list) {
    SendMessageA(list.hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(list.width, list.height));
}

// Brings the scroll bar in step with the sections (when their height changed) and repaints.
void Relayout(PropertyList& list) {
    const int height = ContentHeight(list.sections, list.sectionCount);
    if (height != list.contentHeight) {
        list.contentHeight = height;
        UpdateScrollBar(list);
    }
    InvalidateRect(list.hwnd, nullptr, TRUE);
}

// Detaches the list from its window and frees everything that it owns.
void ReleaseList(HWND window) {
    PropertyList* list = GetPropertyList(window);
    if (!list)
        return;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    for (int i = 0; i < list->sectionCount; ++i)
        FreeSection(list->sections[i]);
    delete[] list->sections;
    DeleteObject(list->titleFont);
    DeleteObject(list->itemFont);
    DeleteObject(list->pen);
    DeleteObject(list->brush);
    delete list;
}

// Window procedure of the lists made here: the class's own, which also frees the list when the
// window goes away with its parent.
LRESULT CALLBACK OwnedListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto base = reinterpret_cast<WNDPROC>(GetPropA(window, BaseProcProperty));
    if (!base)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ReleaseList(window);
        RemovePropA(window, BaseProcProperty);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
    }
    return CallWindowProcA(base, window, message, wParam, lParam);
}

// The dialog font's face and size: bold for titles, regular for items.
HFONT CreateListFont(int weight) {
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, "Microsoft Sans Serif");
}

PropertyList* NewList(HWND window, int valueX) {
    auto* list = new (std::nothrow) PropertyList{};
    if (!list)
        return nullptr;
    list->hwnd = window;
    list->titleFont = CreateListFont(FW_BOLD);
    list->itemFont = CreateListFont(FW_NORMAL);
    list->pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    list->brush = CreateSolidBrush(PropertyTitleBackground);
    RECT client;
    GetClientRect(window, &client);
    list->width = client.right;
    list->height = client.bottom;
    list->valueX = valueX;
    return list;
}
} // namespace

HWND CreatePropertyList(HINSTANCE module, HWND parent, int id, int x, int y, int width, int height,
                        int valueX) {
    HWND window = CreateControlWindow(PropertyListClassName, WS_BORDER | WS_VSCROLL, module, parent,
                                      id, x, y, width, height);
    if (!window)
        return nullptr;
    PropertyList* list = NewList(window, valueX);
    if (!list) {
        DestroyWindow(window);
        return nullptr;
    }
    SetPropA(window, BaseProcProperty,
             reinterpret_cast<HANDLE>(GetWindowLongPtrA(window, GWLP_WNDPROC)));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OwnedListProc));
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(list));
    UpdateScrollBar(*list);
    InvalidateRect(window, nullptr, TRUE);
    return window;
}

PropertyList* GetPropertyList(HWND list) {
    if (!list || !GetPropA(list, BaseProcProperty))
        return nullptr;
    return reinterpret_cast<PropertyList*>(GetWindowLongPtrA(list, GWLP_USERDATA));
}

PropertySection* AddPropertySection(HWND window, const char* title, bool expanded) {
    PropertyList* list = GetPropertyList(window);
    if (!list)
        return nullptr;
    auto* section = new (std::nothrow) PropertySection{};
    if (!section)
        return nullptr;
    section->title = CopyText(title);
    section->expanded = expanded;
    if ((title && !section->title) || !Append(list->sections, list->sectionCount, section)) {
        FreeSection(section);
        return nullptr;
    }
    Relayout(*list);
    return section;
}

PropertyItem* AddPropertyItem(HWND window, PropertySection* section, const char* label,
                              const char* value) {
    PropertyList* list = GetPropertyList(window);
    if (!list || IndexOf(*list, section) < 0)
        return nullptr;
    auto* item = new (std::nothrow) PropertyItem{CopyText(label), CopyText(value)};
    if (!item)
        return nullptr;
    if ((label && !item->label) || (value && !item->value) ||
        !Append(section->items, section->itemCount, item)) {
        FreeItem(item);
        return nullptr;
    }
    Relayout(*list);
    return item;
}

void SetPropertyItemText(HWND window, PropertyItem* item, const char* label, const char* value) {
    PropertyList* list = GetPropertyList(window);
    if (!list || !item)
        return;
    // Copy both first, so that running out of memory changes nothing.
    char* newLabel = CopyText(label);
    char* newValue = CopyText(value);
    if ((label && !newLabel) || (value && !newValue)) {
        delete[] newLabel;
        delete[] newValue;
        return;
    }
    if (label) {
        delete[] item->label;
        item->label = newLabel;
    }
    if (value) {
        delete[] item->value;
        item->value = newValue;
    }
    InvalidateRect(list->hwnd, nullptr, TRUE);
}

void SetPropertySectionExpanded(HWND window, PropertySection* section, bool expanded) {
    PropertyList* list = GetPropertyList(window);
    if (list && IndexOf(*list, section) >= 0 && section->expanded != expanded) {
        section->SetExpanded(expanded);
        Relayout(*list);
    }
}

void RemovePropertySection(HWND window, PropertySection* section) {
    PropertyList* list = GetPropertyList(window);
    if (!list)
        return;
    const int index = IndexOf(*list, section);
    if (index < 0)
        return;
    for (int i = index + 1; i < list->sectionCount; ++i)
        list->sections[i - 1] = list->sections[i];
    if (--list->sectionCount == 0) {
        delete[] list->sections;
        list->sections = nullptr;
    }
    FreeSection(section);
    Relayout(*list);
}

void DestroyPropertyList(HWND window) {
    if (!GetPropertyList(window))
        return;
    ReleaseList(window);
    DestroyWindow(window);
}
