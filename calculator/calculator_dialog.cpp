// The calculator's window: clicks, typed keys, the clipboard and the right-click menu, all
// ending in the one calculator.
#include "calculator_dialog.h"

#include "calculator.h"
#include "floating_point_guard.h"
#include "host_api.h"
#include "module.h"
#include "resource.h"

#include <windowsx.h>

#include <cstring>

namespace {

// Commands of the right-click menu; no control has these identifiers.
enum MenuCommand : UINT { MenuCopy = 100, MenuPaste = 101 };

// A key message's lParam holds the key's scan code from this bit on, the extended-key bit
// included: the editing block's keys and the arrows have it, their twins on the keypad do not.
constexpr int ScanCodeShift = 16;
constexpr UINT ScanCodeMask = 0x1FF;
constexpr UINT ExtendedKeyBit = 0x100; // of a scan code as ScanCodeOf gives it

UINT ScanCodeOf(LPARAM keyData) {
    return (static_cast<UINT>(keyData) >> ScanCodeShift) & ScanCodeMask;
}

bool KeyIsDown(int virtualKey) {
    return GetKeyState(virtualKey) < 0;
}

// The button that shows a typed key pressed, and the key (its scan code) whose release ends it.
struct TypedPress {
    HWND button;
    UINT scanCode;
};
TypedPress g_typedPress = {};

// The key that went down last in the window, so that a character can tell whether its key is
// still held.
struct KeyDown {
    int virtualKey;
    UINT scanCode;
};
KeyDown g_keyDown = {};

void EndTypedPress() {
    if (g_typedPress.button)
        SendMessageA(g_typedPress.button, BM_SETSTATE, FALSE, 0);
    g_typedPress = {};
}

// A typed key is a click of its button, which shows pressed while the key is held. A key that is
// not held (a character posted by another program, made with Alt and the keypad or by an input
// method) has no release to come: its click shows no lasting press.
void TypeKey(HWND dialog, Key key, LPARAM keyData) {
    HWND button = GetDlgItem(dialog, key);
    EndTypedPress();
    if (ScanCodeOf(keyData) == g_keyDown.scanCode && KeyIsDown(g_keyDown.virtualKey)) {
        SendMessageA(button, BM_SETSTATE, TRUE, 0);
        g_typedPress = {button, ScanCodeOf(keyData)};
    }
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(key, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

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

// Copy and Paste at the pointer, or under the focused control when the menu was asked for
// from the keyboard. Paste is greyed where a paste would change nothing.
void ShowMenu(Calculator& calculator, HWND dialog, LPARAM where) {
    POINT at = {GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (FromKeyboard(where)) {
        RECT box;
        GetWindowRect(GetFocus() ? GetFocus() : dialog, &box);
        at = {box.left, box.bottom};
    }
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    const bool pastes = calculator.State() != Error && ClipboardHoldsANumber(dialog);
    AppendMenuA(menu, MF_STRING, MenuCopy, "&Copy\tCtrl+C");
    AppendMenuA(menu, MF_STRING | (pastes ? 0 : MF_GRAYED), MenuPaste, "&Paste\tCtrl+V");
    // The menu takes the keyboard: the release of a key held now would not be seen.
    EndTypedPress();
    const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x,
                                       at.y, 0, dialog, nullptr);
    DestroyMenu(menu);
    if (chosen == MenuCopy)
        CopyDisplay(calculator, dialog);
    else if (chosen == MenuPaste)
        Paste(calculator, dialog);
}

// The keys that are not characters of the calculator: a key, the modifiers (ModifierBit) that
// it needs, and what it does.
enum ModifierBit : unsigned {
    NoModifier = 0,
    ControlHeld = 1, // without Alt: AltGr (Ctrl+Alt) types characters on many layouts
    ShiftHeld = 2,
    EditingBlockKey = 4, // the extended-key bit: not the keypad's twin of the key
};

enum class Action {
    AllClear,
    Copy,
    Paste,
    Cancel,
    NextTab,
    PreviousTab,
    NextInGroup,
    PreviousInGroup
};

struct Shortcut {
    WPARAM virtualKey;
    unsigned modifiers; // all of these held; others may be too
    Action action;
};

// The first row that matches is taken. The keypad's point with NumLock off is a Delete without
// the extended-key bit: it does nothing, as the keypad's digits type nothing then.
const Shortcut Shortcuts[] = {
    {VK_DELETE, EditingBlockKey, Action::AllClear}, {'C', ControlHeld, Action::Copy},
    {VK_INSERT, ControlHeld, Action::Copy},         {'V', ControlHeld, Action::Paste},
    {VK_INSERT, ShiftHeld, Action::Paste},          {VK_ESCAPE, NoModifier, Action::Cancel},
    {VK_TAB, ShiftHeld, Action::PreviousTab},       {VK_TAB, NoModifier, Action::NextTab},
    {VK_LEFT, NoModifier, Action::PreviousInGroup}, {VK_UP, NoModifier, Action::PreviousInGroup},
    {VK_RIGHT, NoModifier, Action::NextInGroup},    {VK_DOWN, NoModifier, Action::NextInGroup},
};

// Tab, the arrows and Esc arrive here only when the host's loop leaves the dialog manager out,
// so they get the dialog manager's meaning here.
void Run(Action action, Calculator& calculator, HWND dialog, LPARAM keyData) {
    switch (action) {
    case Action::AllClear:
        TypeKey(dialog, KeyAllClear, keyData);
        break;
    case Action::Copy:
        CopyDisplay(calculator, dialog);
        break;
    case Action::Paste:
        Paste(calculator, dialog);
        break;
    case Action::Cancel:
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        break;
    case Action::NextTab:
    case Action::PreviousTab:
        SendMessageA(dialog, WM_NEXTDLGCTL, action == Action::PreviousTab, FALSE);
        break;
    case Action::NextInGroup:
    case Action::PreviousInGroup:
        if (HWND next = GetNextDlgGroupItem(dialog, GetFocus(), action == Action::PreviousInGroup))
            SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
        break;
    }
}

// A key message that reached the dialog or one of its keys; true when it was the calculator's.
bool HandleKeyboard(Calculator& calculator, HWND dialog, UINT message, WPARAM wParam,
                    LPARAM lParam) {
    switch (message) {
    case WM_CHAR: {
        const std::optional<Key> key = KeyForCharacter(static_cast<char>(wParam));
        if (key)
            TypeKey(dialog, *key, lParam);
        return key.has_value();
    }
    case WM_KEYDOWN: {
        g_keyDown = {static_cast<int>(wParam), ScanCodeOf(lParam)};
        const unsigned held =
            (KeyIsDown(VK_CONTROL) && !KeyIsDown(VK_MENU) ? ControlHeld : NoModifier) |
            (KeyIsDown(VK_SHIFT) ? ShiftHeld : NoModifier) |
            (ScanCodeOf(lParam) & ExtendedKeyBit ? EditingBlockKey : NoModifier);
        for (const Shortcut& shortcut : Shortcuts)
            if (shortcut.virtualKey == wParam &&
                (held & shortcut.modifiers) == shortcut.modifiers) {
                Run(shortcut.action, calculator, dialog, lParam);
                return true;
            }
        return false;
    }
    case WM_KEYUP:
        if (ScanCodeOf(lParam) == g_typedPress.scanCode)
            EndTypedPress();
        return false;
    case WM_KILLFOCUS:
        // The release of a held key goes elsewhere now.
        EndTypedPress();
        return false;
    default:
        return false;
    }
}

// The keys' buttons' own window procedures, by key: kept by the module, where no other code
// writes (the buttons' user data is free for others), and looked up without a call to the
// window server, which a window property would cost at every message.
WNDPROC g_buttonProcs[LastKey - FirstKey + 1] = {};

// The keys' buttons, subclassed: they take the typed characters and Enter for the calculator,
// whichever of them has the focus, with or without the dialog manager in the host's loop.
LRESULT CALLBACK KeyButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC buttonProc = g_buttonProcs[GetDlgCtrlID(button) - FirstKey];
    if (message == WM_NCDESTROY) {
        // The button goes: its own procedure back.
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(buttonProc));
    } else if (message == WM_GETDLGCODE) {
        LRESULT code =
            CallWindowProcA(buttonProc, button, message, wParam, lParam) | DLGC_WANTCHARS;
        const MSG* queued = reinterpret_cast<const MSG*>(lParam);
        if (queued && queued->message == WM_KEYDOWN && queued->wParam == VK_RETURN)
            code |= DLGC_WANTMESSAGE; // Enter is equals, not a press of the focused key
        return code;
    } else if (g_calculator) {
        const FloatingPointGuard guard;
        if (HandleKeyboard(*g_calculator, GetParent(button), message, wParam, lParam))
            return 0;
    }
    return CallWindowProcA(buttonProc, button, message, wParam, lParam);
}

void SubclassKeyButtons(HWND dialog) {
    for (int id = FirstKey; id <= LastKey; ++id) {
        HWND button = GetDlgItem(dialog, id);
        const LONG_PTR proc = GetWindowLongPtrA(button, GWLP_WNDPROC);
        // Once only: a second WM_INITDIALOG must not make the buttons call themselves.
        if (!button || proc == reinterpret_cast<LONG_PTR>(KeyButtonProc))
            continue;
        g_buttonProcs[id - FirstKey] = reinterpret_cast<WNDPROC>(proc);
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeyButtonProc));
    }
}

// A message to the calculator window; true when it was the calculator's (its answer is TRUE).
bool HandleMessage(Calculator& calculator, HWND window, UINT message, WPARAM wParam,
                   LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        // May arrive before the host has returned the handle: nothing here uses it.
        SubclassKeyButtons(window);
        return true;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDCANCEL) {
            if (calculator.dialog) {
                oapiCloseDialog(calculator.dialog);
                calculator.dialog = nullptr;
            }
            return true;
        }
        if (id >= FirstKey && id <= LastKey) {
            // A key that finds no memory is ignored; nothing reaches the host.
            calculator.PressKey(static_cast<Key>(id));
            RefreshDisplay(window, calculator.Display());
            return true;
        }
        break;
    }
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_KILLFOCUS:
        // The window itself has the focus, or loses it.
        if (HandleKeyboard(calculator, window, message, wParam, lParam))
            return true;
        break;
    case WM_CONTEXTMENU:
        if (AsksForOurMenu(window, lParam)) {
            ShowMenu(calculator, window, lParam);
            return true;
        }
        break;
    case WM_DESTROY:
        g_typedPress = {};
        break;
    default:
        break;
    }
    return false;
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
    if (g_calculator) {
        const FloatingPointGuard guard;
        if (HandleMessage(*g_calculator, window, message, wParam, lParam))
            return TRUE;
    }
    // In the host's own floating-point state.
    return oapiDefDialogProc(window, message, wParam, lParam);
}

void RefreshDisplay(HWND window, const char* text) {
    if (!window)
        return;
    HWND display = GetDlgItem(window, IDC_DISPLAY);
    if (display)
        SetWindowTextA(display, text);
}
