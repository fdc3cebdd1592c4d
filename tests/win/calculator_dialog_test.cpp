// The calculator window, opened through the stand-in host and driven by clicking its keys, and
// under real keyboard input: keys sent with SendInput reach the focused key through this host's
// message loop, once with the dialog manager in the loop and once without it. (Each test has a
// Wine session to itself, so the foreground window is its own.)
#include "host_api.h"
#include "key_captions.h"
#include "resource.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char kCommand[] = "Calculator Kelvo";

int CountCalls(const char* function) {
    return static_cast<int>(kelvo_test::CallsTo(function).size());
}

class CalculatorDialog : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, module.instance());
        Open();
    }
    void TearDown() override { host::HostOverrides() = host::Overrides(); }

    // The host's loop, with the dialog manager.
    virtual void Pump() { kelvo_test::PumpMessages(); }

    // Picks the module's command and finds the window that it opened (null for none).
    void Open() {
        ASSERT_TRUE(host::RunCommand(kCommand));
        Pump();
        window = host::FindDialog(module.instance(), IDD_CALCULATOR);
    }

    std::string Display() const {
        char text[256] = "";
        GetDlgItemTextA(window, IDC_DISPLAY, text, sizeof text);
        return text;
    }

    // Clicks the keys of a comma-separated caption list, e.g. "1,+,2,=".
    void Click(const std::string& captions) {
        for (const Key key : kelvo_test::KeysCaptioned(captions)) {
            SendDlgItemMessageA(window, key, BM_CLICK, 0, 0);
            Pump();
        }
    }

    // The dialog procedure that the module handed to the host.
    OapiDialogProc Procedure() const {
        for (const host::ModuleDialog& d : host::Dialogs())
            if (d.window == window)
                return d.proc;
        return nullptr;
    }

    kelvo_test::LoadedModule module;
    HWND window = nullptr;
};

TEST_F(CalculatorDialog, OpensTemplate102ShowingZero) {
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ("0", Display());
    // The host was asked for the module's template 102 with flags 0 and a context.
    for (const host::HostCall& call : host::CallLog()) {
        if (call.function == "oapiOpenDialogEx") {
            EXPECT_EQ(reinterpret_cast<LONG_PTR>(module.instance()), call.arguments[0]);
            EXPECT_EQ(IDD_CALCULATOR, call.arguments[1]);
            EXPECT_EQ(0, call.arguments[3]);
            EXPECT_NE(0, call.arguments[4]);
        }
    }
}

TEST_F(CalculatorDialog, IgnoredKeysStillRewriteTheDisplay) {
    HWND display = GetDlgItem(window, IDC_DISPLAY);
    SetWindowTextA(display, "scribble");
    Click("=");
    EXPECT_EQ("0", Display());
    Click("3,+");
    SetWindowTextA(display, "scribble");
    Click("C");
    EXPECT_EQ("3", Display());
}

// Closing and reopening the window leaves the calculation where it was, the error state too.
TEST_F(CalculatorDialog, ReopeningShowsTheCalculationWhereItStopped) {
    const struct {
        const char *before, *shown, *after, *result;
    } cases[] = {{"1,2,+,3", "3", "=", "15"}, {"5,/,0,=", "DIV 0", "8,+,=,C", "DIV 0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        Click(std::string("AC,") + c.before);
        SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
        Pump();
        EXPECT_FALSE(IsWindow(window));
        Open();
        ASSERT_NE(nullptr, window);
        EXPECT_EQ(c.shown, Display());
        Click(c.after);
        EXPECT_EQ(c.result, Display());
    }
}

TEST_F(CalculatorDialog, CancelClosesOnceThroughTheHost) {
    OapiDialogProc proc = Procedure();
    ASSERT_NE(nullptr, proc);
    const HWND closed = window;
    EXPECT_EQ(1, proc(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0));
    EXPECT_FALSE(IsWindow(closed));
    ASSERT_EQ(1, CountCalls("oapiCloseDialog"));
    // A second cancel finds the handle forgotten and does not close again.
    EXPECT_EQ(1, proc(closed, WM_COMMAND, IDCANCEL, 0));
    EXPECT_EQ(1, CountCalls("oapiCloseDialog"));
    for (const host::HostCall& call : host::CallLog()) {
        if (call.function == "oapiCloseDialog") {
            EXPECT_EQ(reinterpret_cast<LONG_PTR>(closed), call.arguments[0]);
        }
    }
}

// The close box ends in the cancel command (Esc does too: the keyboard tests).
TEST_F(CalculatorDialog, CloseBoxEndsInCancel) {
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(1, CountCalls("oapiCloseDialog"));
}

TEST_F(CalculatorDialog, OtherCommandsAndMessagesGoToTheHostDefault) {
    OapiDialogProc proc = Procedure();
    ASSERT_NE(nullptr, proc);
    host::HostOverrides().defDialogProc = [](HWND, UINT message, WPARAM, LPARAM) {
        return static_cast<int>(message) + 1000;
    };
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    const Case cases[] = {
        {WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 5}, // just below the keys
        {WM_COMMAND, MAKEWPARAM(1020, 0), 6},          // just above
        {WM_COMMAND, IDOK, 0},
        {WM_USER + 7, 0xDEADBEEF, -42},
        {WM_TIMER, 3, 0},
    };
    for (const Case& c : cases) {
        host::CallLog().clear();
        EXPECT_EQ(static_cast<int>(c.message) + 1000, proc(window, c.message, c.wParam, c.lParam));
        ASSERT_EQ(1u, host::CallLog().size());
        const host::HostCall& call = host::CallLog()[0];
        EXPECT_EQ("oapiDefDialogProc", call.function);
        const std::vector<LONG_PTR> expected = {reinterpret_cast<LONG_PTR>(window),
                                                static_cast<LONG_PTR>(c.message),
                                                static_cast<LONG_PTR>(c.wParam), c.lParam};
        EXPECT_EQ(expected, call.arguments);
    }
    EXPECT_EQ("0", Display());
    // WM_INITDIALOG and key commands are the module's own.
    host::CallLog().clear();
    EXPECT_EQ(1, proc(window, WM_INITDIALOG, 0, 0));
    EXPECT_EQ(1, proc(window, WM_COMMAND, MAKEWPARAM(IDC_KEY_7, BN_CLICKED), 0));
    for (const host::HostCall& call : kelvo_test::CallsTo("oapiDefDialogProc")) {
        // Only what the display's repaint sends the dialog (WM_CTLCOLORSTATIC) may pass.
        EXPECT_NE(static_cast<LONG_PTR>(WM_INITDIALOG), call.arguments[1]);
        EXPECT_NE(static_cast<LONG_PTR>(WM_COMMAND), call.arguments[1]);
    }
    EXPECT_EQ("7", Display());
    // The notification code is not looked at.
    proc(window, WM_COMMAND, MAKEWPARAM(IDC_KEY_3, 0x1234), 0);
    EXPECT_EQ("73", Display());
    // The second WM_INITDIALOG left the keys as they were, and their user data is free for other
    // code: one still takes a typed digit and a click. The digit came with no key held, so no
    // key shows pressed.
    SetWindowLongPtrA(GetDlgItem(window, IDC_KEY_0), GWLP_USERDATA, 1);
    SendDlgItemMessageA(window, IDC_KEY_0, WM_CHAR, '5', 0);
    Click("0");
    // The keys ask for characters themselves (the dialog manager would hand them over anyway).
    EXPECT_TRUE(SendDlgItemMessageA(window, IDC_KEY_0, WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS);
    EXPECT_EQ("7350", Display());
    EXPECT_FALSE(SendDlgItemMessageA(window, IDC_KEY_5, BM_GETSTATE, 0, 0) & BST_PUSHED);
}

TEST_F(CalculatorDialog, PickingTheCommandAgainKeepsOneWindow) {
    Click("4,2");
    ASSERT_TRUE(host::RunCommand(kCommand));
    Pump();
    EXPECT_EQ(1u, host::Dialogs().size());
    EXPECT_EQ(window, host::FindDialog(module.instance(), IDD_CALCULATOR));
    EXPECT_EQ("42", Display());
}

TEST_F(CalculatorDialog, ANullWindowFromTheHostIsTriedAgainLater) {
    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    Pump();
    host::HostOverrides().openDialog = [](HINSTANCE, int) -> HWND { return nullptr; };
    ASSERT_TRUE(host::RunCommand(kCommand));
    EXPECT_TRUE(host::Dialogs().empty());
    host::HostOverrides().openDialog = nullptr;
    Open();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("0", Display());
}

TEST_F(CalculatorDialog, UnloadingClosesTheWindowFirst) {
    ASSERT_TRUE(IsWindow(window));
    module.Unload();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(host::Commands().empty());
    EXPECT_FALSE(host::RunCommand(kCommand));
}

// One key of the keyboard, with the modifiers held around it.
struct Stroke {
    WORD virtualKey;
    WORD scanCode;
    bool extended;
    bool control, shift;
};

void Send(WORD virtualKey, WORD scanCode, bool extended, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    ASSERT_EQ(SendInput(1, &input, sizeof input), 1u);
}

// The strokes of a space-separated list of keys: a character as the layout types it, a key's
// name, "Num..." on the numeric keypad (sent with its scan code, which MapVirtualKey does not
// give), each after "Ctrl+" or "Shift+" when held with it.
std::vector<Stroke> Strokes(const std::string& keys) {
    static const struct {
        const char* name;
        WORD virtualKey, scanCode;
        bool extended;
    } named[] = {{"Enter", VK_RETURN, 0x1C, false},    {"Backspace", VK_BACK, 0x0E, false},
                 {"Delete", VK_DELETE, 0x53, true},    {"Insert", VK_INSERT, 0x52, true},
                 {"Tab", VK_TAB, 0x0F, false},         {"Space", VK_SPACE, 0x39, false},
                 {"Right", VK_RIGHT, 0x4D, true},      {"Esc", VK_ESCAPE, 0x01, false},
                 {"NumLock", VK_NUMLOCK, 0x45, false}, {"Num.", VK_DECIMAL, 0x53, false},
                 {"Num+", VK_ADD, 0x4E, false},        {"Num-", VK_SUBTRACT, 0x4A, false},
                 {"Num*", VK_MULTIPLY, 0x37, false},   {"Num/", VK_DIVIDE, 0x35, true},
                 {"NumEnter", VK_RETURN, 0x1C, true},  {"Left", VK_LEFT, 0x4B, true},
                 {"Menu", VK_APPS, 0x5D, true},        {"NumDel", VK_DELETE, 0x53, false}};
    static const WORD numberScanCodes[] = {0x52, 0x4F, 0x50, 0x51, 0x4B,
                                           0x4C, 0x4D, 0x47, 0x48, 0x49};
    std::vector<Stroke> strokes;
    std::istringstream list(keys);
    for (std::string key; list >> key;) {
        Stroke stroke = {};
        for (const char* prefix : {"Ctrl+", "Shift+"})
            if (key.size() > 1 && key.rfind(prefix, 0) == 0) {
                (prefix[0] == 'C' ? stroke.control : stroke.shift) = true;
                key.erase(0, std::string(prefix).size());
            }
        for (const auto& n : named)
            if (key == n.name)
                stroke = {n.virtualKey, n.scanCode, n.extended, stroke.control, stroke.shift};
        if (key.size() == 4 && key.rfind("Num", 0) == 0 && std::isdigit(key[3])) {
            stroke.virtualKey = static_cast<WORD>(VK_NUMPAD0 + key[3] - '0');
            stroke.scanCode = numberScanCodes[key[3] - '0'];
        }
        if (!stroke.virtualKey) {
            const SHORT scan = VkKeyScanA(key[0]);
            EXPECT_TRUE(key.size() == 1 && scan != -1) << "no key " << key;
            stroke.virtualKey = LOBYTE(scan);
            stroke.scanCode = static_cast<WORD>(MapVirtualKeyA(LOBYTE(scan), MAPVK_VK_TO_VSC));
            stroke.shift = stroke.shift || (HIBYTE(scan) & 1);
        }
        strokes.push_back(stroke);
    }
    return strokes;
}

int g_warningSounds = 0;
BOOL WINAPI RecordSound(UINT type) {
    g_warningSounds += type == MB_ICONWARNING;
    return TRUE;
}
HGLOBAL WINAPI NoMemory(UINT, SIZE_T) {
    return nullptr;
}

class CalculatorKeyboard : public CalculatorDialog, public testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        CalculatorDialog::SetUp();
        ASSERT_NE(window, nullptr);
        SetForegroundWindow(window);
        Pump();
        ASSERT_EQ(GetForegroundWindow(), window);
        // The keypad types digits with NumLock on. A new process reads NumLock as off until it
        // sees the key itself, so a first press may turn it off: a second one turns it on.
        for (int i = 0; i < 2 && !(GetKeyState(VK_NUMLOCK) & 1); ++i)
            Type("NumLock");
        ASSERT_TRUE(GetKeyState(VK_NUMLOCK) & 1);
    }
    ~CalculatorKeyboard() override { DestroyWindow(editor); }

    void Pump() override { kelvo_test::PumpMessages(GetParam()); }
    bool Pushed(Key key) const {
        return (SendDlgItemMessageA(window, key, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    }

    void Press(const Stroke& s, bool up) {
        if (!up && s.control)
            Send(VK_CONTROL, 0x1D, false, false);
        if (!up && s.shift)
            Send(VK_SHIFT, 0x2A, false, false);
        Send(s.virtualKey, s.scanCode, s.extended, up);
        if (up && s.shift)
            Send(VK_SHIFT, 0x2A, false, true);
        if (up && s.control)
            Send(VK_CONTROL, 0x1D, false, true);
        Pump();
    }
    void Type(const std::string& keys) {
        for (const Stroke& stroke : Strokes(keys)) {
            Press(stroke, false);
            Press(stroke, true);
        }
    }

    // The clipboard as a text editor, the system's own edit control, copies to it and pastes
    // from it.
    void SetClipboard(const char* text) const {
        SetWindowTextA(editor, text);
        SendMessageA(editor, EM_SETSEL, 0, -1);
        SendMessageA(editor, WM_COPY, 0, 0);
    }
    std::string Clipboard() const {
        SetWindowTextA(editor, "");
        SendMessageA(editor, WM_PASTE, 0, 0);
        char text[256] = "";
        GetWindowTextA(editor, text, sizeof text);
        return text;
    }

    // The module's warning sounds, counted instead of played.
    kelvo_test::ImportPatch sounds{module.instance(), "USER32.dll", "MessageBeep",
                                   reinterpret_cast<void*>(RecordSound)};
    HWND editor = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 100, 100, nullptr,
                                  nullptr, nullptr, nullptr);
};

// Each row from a cleared calculator, the clipboard set first where given. Typed keys give the
// display that clicks of the same keys give (each showing its button pressed while it is down),
// and the display given; copies leave the clipboard given; a row sounds the warning as often as
// given. Keys held first are let go while the first typed key is down. Esc then closes the window.
// The numbers are the module's own formatting and reading ("1.23457e+06", "inf" and "nan" read
// back as themselves), and they come out the same whatever the host has set (KELVO_HOST_STATE):
// with a point in a decimal-comma locale, in double precision and rounded to nearest (the last
// two rows differ at single precision and with truncation), and without an exception where
// overflow and invalid are unmasked.
TEST_P(CalculatorKeyboard, KeysAndClipboardWorkTheCalculator) {
    const std::string overlong(LongestEntry + 1, '1');
    const struct {
        const char* clipboard; // set before typing, or null
        const char* typed;
        const char* clicked; // the same keys clicked, or null
        const char* display;
        const char* copied; // the clipboard afterwards, or null when not read
        int sounds = 0;
        const char* held = nullptr;
        bool noMemory = false;
    } rows[] = {
        {nullptr, "1 2 + 3 4 * 2 =", "1,2,+,3,4,X,2,=", "92", nullptr},
        {nullptr, "Num9 Num. Num5 Num/ Num4 Num- Num8 Num0 Num+ Num1 Num* Num2 NumEnter",
         "9,.,5,/,4,-,8,0,+,1,X,2,=", "-153.25", nullptr},
        {nullptr, "7 , 5 x 4 - 1 / 9 X 3 Enter", "7,.,5,X,4,-,1,/,9,X,3,=", "9.66666", nullptr},
        {nullptr, "1 2 5 Backspace Backspace 4 + 6 Delete", "1,2,5,C,C,4,+,6,AC", "0", nullptr},
        // Focus from AC: C, /, back to C, right to /, pressed.
        {nullptr, "8 Tab Tab Shift+Tab Right Space 2 =", "8,/,2,=", "4", nullptr},
        {nullptr, "1 2 3 4 5 6 7 + 1 =", "1,2,3,4,5,6,7,+,1,=", "1.23457e+06", nullptr},
        {nullptr, "0 . 1 + 0 . 2 =", "0,.,1,+,0,.,2,=", "0.3", nullptr},
        {nullptr, ". 5 + 1 =", ".,5,+,1,=", "1.5", nullptr},
        {nullptr, "1 . 2 . 3 + 1 =", "1,.,2,.,3,+,1,=", "2.2", nullptr},
        {"old", "1 2 + 3 4 * 2 = Ctrl+c", nullptr, "92", "92"},
        {"old", "1 / 3 = Ctrl+Insert", nullptr, "0.333333", "0.333333"},
        {"92", "7 Ctrl+v + 1 =", nullptr, "93", nullptr},
        {"1e308", "Ctrl+v * 1 0 = * 2 =", nullptr, "inf", nullptr},
        {"1e308", "Ctrl+v * 1 0 = * 0 = + 1 =", nullptr, "nan", nullptr},
        {overlong.c_str(), "Ctrl+v", nullptr, "0", nullptr, 1},
        {" -2.5\r\n", "Shift+Insert * 2 =", nullptr, "-5", nullptr},
        {"abc", "4 + Ctrl+v 5 =", nullptr, "9", "abc", 1},
        {"2.5", "4 + Ctrl+v =", nullptr, "6.5", nullptr},
        {"7", "5 / 0 = Ctrl+v", nullptr, "DIV 0", nullptr},
        {"abc", "5 / 0 = Ctrl+v", nullptr, "DIV 0", nullptr, 1},
        {nullptr, "1 2 NumLock NumDel NumLock + 3 =", nullptr, "15", nullptr},
        // Left's release (scan code 0x4B, extended) is not the keypad's 4's (0x4B).
        {nullptr, "Num4", "4", "4", nullptr, 0, "Left"},
        {"old", "5 Ctrl+c", nullptr, "5", "old", 1, nullptr, true},
        {"1.000025", "Ctrl+v * 1 =", nullptr, "1.00002", nullptr},
        {"2e-16", "1 . 0 0 0 0 2 5 + Ctrl+v =", nullptr, "1.00003", nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        Click("AC");
        if (row.clipboard)
            SetClipboard(row.clipboard);
        g_warningSounds = 0;
        // The module's GlobalAlloc finds no memory where the row says so ("none" is no import).
        kelvo_test::ImportPatch noMemory(module.instance(), "KERNEL32.dll",
                                         row.noMemory ? "GlobalAlloc" : "none",
                                         reinterpret_cast<void*>(NoMemory));
        const std::vector<Stroke> held = Strokes(row.held ? row.held : "");
        for (const Stroke& stroke : held)
            Press(stroke, false);
        const std::vector<Stroke> strokes = Strokes(row.typed);
        const std::vector<Key> keys = kelvo_test::KeysCaptioned(row.clicked ? row.clicked : "");
        // Where each stroke is a key of the calculator, its button shows pressed just so long.
        const bool oneKeyEach = keys.size() == strokes.size();
        for (size_t i = 0; i < strokes.size(); ++i) {
            Press(strokes[i], false);
            for (const Stroke& stroke : i == 0 ? held : std::vector<Stroke>())
                Press(stroke, true);
            EXPECT_TRUE(!oneKeyEach || Pushed(keys[i])) << "while key " << i << " is down";
            Press(strokes[i], true);
            EXPECT_FALSE(oneKeyEach && Pushed(keys[i])) << "after key " << i << " is up";
        }
        const std::string typed = Display();
        EXPECT_EQ(row.display, typed);
        if (row.copied) {
            EXPECT_EQ(row.copied, Clipboard());
        }
        EXPECT_EQ(row.sounds, g_warningSounds);
        if (row.clicked) {
            Click("AC," + std::string(row.clicked));
            EXPECT_EQ(Display(), typed);
        }
    }
    // A key held while the window itself has the focus (a host may leave it there) shows pressed
    // no longer once the window loses the focus.
    host::HostOverrides().defDialogProc = [](HWND, UINT message, WPARAM, LPARAM) {
        return static_cast<int>(message == WM_SETFOCUS);
    };
    SetFocus(window);
    Press(Strokes("5")[0], false);
    EXPECT_TRUE(Pushed(kelvo_test::KeysCaptioned("5")[0]));
    SetFocus(editor);
    EXPECT_FALSE(Pushed(kelvo_test::KeysCaptioned("5")[0]));
    Press(Strokes("5")[0], true);
    SetFocus(window);
    Type("Esc");
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(kelvo_test::CallsTo("oapiCloseDialog").size(), 1u);
}

// What the right-click menu shows, read while it is open, and whether a key of the calculator
// showed pressed then; then it is left by a key.
std::vector<std::string> g_menu;
std::string g_menuKey;
HWND g_calculator = nullptr;
bool g_pushedWhileOpen = false;

std::vector<std::string> MenuTexts(HMENU menu) {
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        texts.push_back(text + std::string(GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED
                                               ? " (greyed)"
                                               : ""));
    }
    return texts;
}

void CALLBACK ReadMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup || !IsWindowVisible(popup))
        return;
    KillTimer(nullptr, timer);
    g_menu = MenuTexts(reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)));
    for (int key = FirstKey; key <= LastKey; ++key)
        g_pushedWhileOpen |=
            (SendDlgItemMessageA(g_calculator, key, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    for (const Stroke& s : Strokes(g_menuKey)) {
        Send(s.virtualKey, s.scanCode, s.extended, false);
        Send(s.virtualKey, s.scanCode, s.extended, true);
    }
}

// A right-click anywhere in the client area, or the menu key, opens Copy and Paste, Paste greyed
// while the clipboard holds no number or the calculator is in its error state; each does what
// its shortcut does. On the title bar the window's own menu opens (no Paste given). Each row
// from a cleared calculator; a key held while the menu opens shows pressed no longer.
TEST_P(CalculatorKeyboard, RightClickMenuCopiesAndPastes) {
    const char* const greyed = "&Paste\tCtrl+V (greyed)";
    const int titleBar = 0, noClick = 1; // no control has these identifiers
    const struct {
        const char* typed;
        int control; // right-clicked, or one of the two below
        const char *clipboard, *key, *paste, *clipboardAfter, *display;
        const char* held = nullptr; // down from before the click until the menu is left
    } rows[] = {{"1 2 + 3 4 * 2 =", IDC_KEY_5, "abc", "c", greyed, "92", "92"},
                {"", IDC_DISPLAY, " 4.5e1 ", "p", "&Paste\tCtrl+V", " 4.5e1 ", "4.5e1"},
                {"5 / 0 =", IDC_KEY_5, "7", "c", greyed, "DIV 0", "DIV 0"},
                {"", titleBar, "7", "Esc", nullptr, "7", "0"},
                {"Menu", noClick, "8", "p", "&Paste\tCtrl+V", "8", "8"},
                {"", IDC_KEY_1, "9", "Esc", "&Paste\tCtrl+V", "9", "6", "6"}};
    g_calculator = window;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.clipboard);
        Click("AC");
        SetClipboard(row.clipboard);
        g_menu.clear();
        g_menuKey = row.key;
        g_pushedWhileOpen = false;
        SetTimer(nullptr, 0, 10, ReadMenu);
        Type(row.typed);
        const std::vector<Stroke> held = Strokes(row.held ? row.held : "");
        for (const Stroke& stroke : held)
            Press(stroke, false);
        POINT at = {3, row.control ? 3 : -5}; // on the title bar: just above the client area
        ClientToScreen(row.control ? GetDlgItem(window, row.control) : window, &at);
        SetCursorPos(at.x, at.y);
        INPUT clicks[2] = {};
        clicks[0].type = clicks[1].type = INPUT_MOUSE;
        clicks[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        if (row.control != noClick) { // else the typed keys asked for the menu
            ASSERT_EQ(SendInput(2, clicks, sizeof(INPUT)), 2u);
        }
        Pump();
        for (const Stroke& stroke : held)
            Press(stroke, true);
        EXPECT_FALSE(g_pushedWhileOpen);
        EXPECT_EQ(g_menu, (row.paste ? std::vector<std::string>{"&Copy\tCtrl+C", row.paste}
                                     : MenuTexts(GetSystemMenu(window, FALSE))));
        EXPECT_EQ(row.clipboardAfter, Clipboard());
        EXPECT_EQ(row.display, Display());
    }
}

INSTANTIATE_TEST_SUITE_P(Loop, CalculatorKeyboard, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "WithDialogManager" : "WithoutDialogManager";
                         });

} // namespace
