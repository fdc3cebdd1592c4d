// The calculator's window: clicks, typed keys, the clipboard and the right-click menu, all
// ending in the one calculator.
#include "calculator_dialog.h"

#include "calculator.h"
#include "host_api.h"
#include "module.h"
#include "resource.h"

#include <windowsx.h>

#include <cstring>

namespace {

// Commands of the right-click menu; no control has these identifiers.
enum MenuCommand : UINT { MenuCopy = 100, MenuPaste = 101 };

// The button that shows a typed key pressed, and the key (its scan code) whose release ends it.
struct TypedPress {
    HWND button;
    UINT scanCode;
};
TypedPress g_typedPress = {};

UINT ScanCodeOf(LPARAM keyData) {
    return (static_cast<UINT>(keyData) >> 16) & 0x1FF; // with the extended-key bit
}

void EndTypedPress() {
    if (g_typedPress.button)
        SendMessageA(g_typedPress.button, BM_SETSTATE, FALSE, 0);
    g_typedPress = {};
}

// A typed key is a click of its button, which shows pressed while the key is down.
void TypeKey(HWND dialog, Key key, LPARAM keyData) {
    HWND button = GetDlgItem(dialog, key);
    EndTypedPress();
    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    g_typedPress = {button, ScanCodeOf(keyData)};
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(key, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void CopyDisplay(const Calculator& calculator, HWND dialog) {
    const std::size_t size = std::strlen(calculator.Display()) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    bool copied = false;
    if (void* bytes = memory ? GlobalLock(memory) : nullptr) {
        std::memcpy(bytes, calculator.Display(), size);
        GlobalUnlock(memory);
        if (OpenClipboard(dialog)) {
            EmptyClipboard();
            copied = SetClipboardData(CF_TEXT, memory) != nullptr; // the clipboard owns it now
            CloseClipboard();
        }
    }
    if (!copied) {
        GlobalFree(memory);
        MessageBeep(MB_ICONWARNING);
    }
}

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

void Paste(Calculator& calculator, HWND dialog) {
    Calculator::Entry entry = Calculator::Entry::Refused;
    UseClipboardText(dialog, [&](const char* text, std::size_t length) {
        entry = calculator.EnterNumber(text, length);
    });
    if (entry == Calculator::Entry::Refused)
        MessageBeep(MB_ICONWARNING);
    RefreshDisplay(dialog, calculator.Display());
}

// Copy and Paste at the pointer, or under the focused control when the menu was asked for
// from the keyboard.
void ShowMenu(Calculator& calculator, HWND dialog, LPARAM where) {
    POINT at = {GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (where == -1) {
        RECT box;
        GetWindowRect(GetFocus() ? GetFocus() : dialog, &box);
        at = {box.left, box.bottom};
    }
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    AppendMenuA(menu, MF_STRING, MenuCopy, "&Copy\tCtrl+C");
    AppendMenuA(menu, MF_STRING | (ClipboardHoldsANumber(dialog) ? 0 : MF_GRAYED), MenuPaste,
                "&Paste\tCtrl+V");
    const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x,
                                       at.y, 0, dialog, nullptr);
    DestroyMenu(menu);
    if (chosen == MenuCopy)
        CopyDisplay(calculator, dialog);
    else if (chosen == MenuPaste)
        Paste(calculator, dialog);
}

bool KeyIsDown(int virtualKey) {
    return GetKeyState(virtualKey) < 0;
}

// A key message that reached the dialog or one of its keys; true when it was the calculator's.
// Tab, the arrows and Esc arrive here only when the host's loop leaves the dialog manager out,
// so they get the dialog manager's meaning here.
bool HandleKeyboard(Calculator& calculator, HWND dialog, UINT message, WPARAM wParam,
                    LPARAM lParam) {
    if (message == WM_CHAR) {
        const std::optional<Key> key = KeyForCharacter(static_cast<char>(wParam));
        if (key)
            TypeKey(dialog, *key, lParam);
        return key.has_value();
    }
    if (message == WM_KEYUP || message == WM_KILLFOCUS) {
        if (message == WM_KILLFOCUS || ScanCodeOf(lParam) == g_typedPress.scanCode)
            EndTypedPress();
        return false;
    }
    if (message != WM_KEYDOWN)
        return false;
    // AltGr is Ctrl+Alt: its characters are typed, not shortcuts.
    const bool control = KeyIsDown(VK_CONTROL) && !KeyIsDown(VK_MENU);
    const bool shift = KeyIsDown(VK_SHIFT);
    switch (wParam) {
    case VK_DELETE:
        TypeKey(dialog, KeyAllClear, lParam);
        return true;
    case 'C':
    case 'V':
    case VK_INSERT: {
        const bool copy = control && wParam != 'V';
        const bool paste = (control && wParam == 'V') || (shift && wParam == VK_INSERT);
        if (copy)
            CopyDisplay(calculator, dialog);
        else if (paste)
            Paste(calculator, dialog);
        return copy || paste;
    }
    case VK_ESCAPE:
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    case VK_TAB:
        SendMessageA(dialog, WM_NEXTDLGCTL, shift, FALSE);
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        const bool back = wParam == VK_LEFT || wParam == VK_UP;
        HWND next = GetNextDlgGroupItem(dialog, GetFocus(), back);
        if (next)
            SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
        return true;
    }
    default:
        return false;
    }
}

// The keys' buttons, subclassed: they take the typed characters and Enter for the calculator,
// whichever of them has the focus, with or without the dialog manager in the host's loop.
LRESULT CALLBACK KeyButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto buttonProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(button, GWLP_USERDATA));
    if (message == WM_GETDLGCODE) {
        LRESULT code =
            CallWindowProcA(buttonProc, button, message, wParam, lParam) | DLGC_WANTCHARS;
        const MSG* queued = reinterpret_cast<const MSG*>(lParam);
        if (queued && queued->message == WM_KEYDOWN && queued->wParam == VK_RETURN)
            code |= DLGC_WANTMESSAGE; // Enter is equals, not a press of the focused key
        return code;
    }
    if (g_calculator && HandleKeyboard(*g_calculator, GetParent(button), message, wParam, lParam))
        return 0;
    return CallWindowProcA(buttonProc, button, message, wParam, lParam);
}

void SubclassKeyButtons(HWND dialog) {
    for (int id = FirstKey; id <= LastKey; ++id) {
        HWND button = GetDlgItem(dialog, id);
        const LONG_PTR proc = GetWindowLongPtrA(button, GWLP_WNDPROC);
        // Once only: a second WM_INITDIALOG must not make the buttons call themselves.
        if (!button || proc == reinterpret_cast<LONG_PTR>(KeyButtonProc))
            continue;
        SetWindowLongPtrA(button, GWLP_USERDATA, proc);
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeyButtonProc));
    }
}

int HandleMessage(Calculator& calculator, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        // May arrive before the host has returned the handle: nothing here uses it.
        SubclassKeyButtons(window);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDCANCEL) {
            if (calculator.dialog) {
                oapiCloseDialog(calculator.dialog);
                calculator.dialog = nullptr;
            }
            return TRUE;
        }
        if (id >= FirstKey && id <= LastKey) {
            // A key that finds no memory is ignored; nothing reaches the host.
            calculator.PressKey(static_cast<Key>(id));
            RefreshDisplay(window, calculator.Display());
            return TRUE;
        }
        break;
    }
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_KEYUP:
        // The window itself has the focus.
        if (HandleKeyboard(calculator, window, message, wParam, lParam))
            return TRUE;
        break;
    case WM_CONTEXTMENU:
        ShowMenu(calculator, window, lParam);
        return TRUE;
    case WM_DESTROY:
        g_typedPress = {};
        break;
    default:
        break;
    }
    return oapiDefDialogProc(window, message, wParam, lParam);
}

} // namespace

void OpenCalculatorDialog(void* context) {
    Calculator* calculator = static_cast<Calculator*>(context);
    calculator->dialog =
        oapiOpenDialogEx(calculator->instance, IDD_CALCULATOR, CalculatorDialogProc, 0, calculator);
    RefreshDisplay(calculator->dialog, calculator->Display());
}

int CALLBACK CalculatorDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The host's context pointer is not read back: the module has one calculator.
    if (!g_calculator)
        return oapiDefDialogProc(window, message, wParam, lParam);
    return HandleMessage(*g_calculator, window, message, wParam, lParam);
}

void RefreshDisplay(HWND window, const char* text) {
    if (!window)
        return;
    HWND display = GetDlgItem(window, IDC_DISPLAY);
    if (display)
        SetWindowTextA(display, text);
}
