// The calculator's keyboard: typed characters and shortcuts, taken by the window and by its keys'
// buttons, which are subclassed for them; a typed key shows its button pressed while it is held.
#include "calculator_keyboard.h"

#include "calculator.h"
#include "calculator_clipboard.h"
#include "module.h"

namespace {

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

} // namespace

void EndTypedPress() {
    if (g_typedPress.button)
        SendMessageA(g_typedPress.button, BM_SETSTATE, FALSE, 0);
    g_typedPress = {};
}

namespace {

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

} // namespace

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

namespace {

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
    } else if (g_calculator &&
               HandleKeyboard(*g_calculator, GetParent(button), message, wParam, lParam)) {
        return 0;
    }
    return CallWindowProcA(buttonProc, button, message, wParam, lParam);
}

} // namespace

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
