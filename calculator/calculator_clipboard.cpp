// The calculator's clipboard: its display copied, a number pasted, and the right-click menu that
// offers both.
#include "calculator_clipboard.h"

#include "calculator.h"
#include "calculator_dialog.h"

#include <windowsx.h>

#include <cstring>

namespace {

// Commands of the right-click menu; no control has these identifiers.
enum MenuCommand : UINT { MenuCopy = 100, MenuPaste = 101 };

// Calls use(text, length) with the clipboard's text, when it holds any, read no further than
// one character past the longest that a calculator takes.
template <typename Use> void UseClipboardText(HWND dialog, Use use) {
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(dialog))
        return;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr) {
        const std::size_t size = GlobalSize(data);
        std::size_t length = 0;
        while (length < size && length <= LongestEntry && text[length] != '\0')
            ++length;
        use(text, length);
        GlobalUnlock(data);
    }
    CloseClipboard();
}

bool ClipboardHoldsANumber(HWND dialog) {
    bool number = false;
    UseClipboardText(dialog, [&number](const char* text, std::size_t length) {
        number = IsEnterableNumber(text, length);
    });
    return number;
}

// A WM_CONTEXTMENU asked for from the keyboard (Shift+F10 or the menu key) has no position.
bool FromKeyboard(LPARAM where) {
    return GET_X_LPARAM(where) == -1 && GET_Y_LPARAM(where) == -1;
}

// Our menu is asked for from the keyboard or by a right-click in the client area (on a key or
// the display too); the title bar's right-click is the window menu's.
bool AsksForOurMenu(HWND dialog, LPARAM where) {
    POINT at = {GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    RECT client;
    return FromKeyboard(where) ||
           (ScreenToClient(dialog, &at) && GetClientRect(dialog, &client) && PtInRect(&client, at));
}

} // namespace

// Everything that can fail is done before the clipboard is emptied, so that a copy that cannot
// be made leaves it as it was; only the system's taking of the copy can fail after that.
void CopyDisplay(const Calculator& calculator, HWND dialog) {
    const std::size_t size = std::strlen(calculator.Display()) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    void* bytes = memory ? GlobalLock(memory) : nullptr;
    if (bytes) {
        std::memcpy(bytes, calculator.Display(), size);
        GlobalUnlock(memory);
    }
    bool copied = false;
    if (bytes && OpenClipboard(dialog)) {
        // The clipboard owns the memory once it has taken it.
        copied = EmptyClipboard() && SetClipboardData(CF_TEXT, memory) != nullptr;
        CloseClipboard();
    }
    if (!copied) {
        GlobalFree(memory);
        MessageBeep(MB_ICONWARNING);
    }
}

void Paste(Calculator& calculator, HWND dialog) {
    Calculator::Entry entry = Calculator::Entry::Refused;
    UseClipboardText(dialog, [&](const char* text, std::size_t length) {
        entry = calculator.EnterNumber(text, length);
    });
    if (entry == Calculator::Entry::Refused)
        MessageBeep(MB_ICONWARNING);
    RefreshDisplay(dialog, calculator.Display());
}

// At the pointer, or under the focused control when the menu was asked for from the keyboard.
// Paste is greyed where a paste would change nothing.
bool ShowMenu(Calculator& calculator, HWND dialog, LPARAM where) {
    if (!AsksForOurMenu(dialog, where))
        return false;
    POINT at = {GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (FromKeyboard(where)) {
        RECT box;
        GetWindowRect(GetFocus() ? GetFocus() : dialog, &box);
        at = {box.left, box.bottom};
    }
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return true;
    const bool pastes = calculator.State() != Error && ClipboardHoldsANumber(dialog);
    AppendMenuA(menu, MF_STRING, MenuCopy, "&Copy\tCtrl+C");
    AppendMenuA(menu, MF_STRING | (pastes ? 0 : MF_GRAYED), MenuPaste, "&Paste\tCtrl+V");
    const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x,
                                       at.y, 0, dialog, nullptr);
    DestroyMenu(menu);
    if (chosen == MenuCopy)
        CopyDisplay(calculator, dialog);
    else if (chosen == MenuPaste)
        Paste(calculator, dialog);
    return true;
}
