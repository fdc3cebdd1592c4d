// The calculator window under real keyboard input: keys sent with SendInput reach the focused
// key through this host's message loop, once with the dialog manager in the loop and once
// without it. (Each test has a Wine session to itself, so the foreground window is its own.)
#include "calculator_window.h"

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

namespace {

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
                 {"NumEnter", VK_RETURN, 0x1C, true}};
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

class CalculatorKeyboard : public testing::TestWithParam<bool>,
                           protected kelvo_test::CalculatorWindow {
protected:
    void SetUp() override {
        Open(GetParam());
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

    void Pump() { kelvo_test::PumpMessages(GetParam()); }
    bool Pushed(Key key) const {
        return (SendDlgItemMessageA(window, key, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    }
    void Click(const std::string& captions) { CalculatorWindow::Click(captions, GetParam()); }

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

    HWND editor = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 100, 100, nullptr,
                                  nullptr, nullptr, nullptr);
};

// Each row from a cleared calculator, the clipboard set first where given. Typed keys give the
// display that clicks of the same keys give (each showing its button pressed while it is down),
// or the display given; copies leave the clipboard given. Esc then closes the window.
TEST_P(CalculatorKeyboard, KeysAndClipboardWorkTheCalculator) {
    const struct {
        const char* clipboard; // set before typing, or null
        const char* typed;
        const char* clicked; // the same keys clicked, or null
        const char* display; // or null
        const char* copied;  // the clipboard afterwards, or null
    } rows[] = {
        {nullptr, "1 2 + 3 4 * 2 =", "1,2,+,3,4,X,2,=", "92", nullptr},
        {nullptr, "Num1 Num2 Num+ Num4 Num* Num2 NumEnter", "1,2,+,4,X,2,=", nullptr, nullptr},
        {nullptr, "7 . 5 x 4 - 1 / 9 Enter", "7,.,5,X,4,-,1,/,9,=", nullptr, nullptr},
        {nullptr, "9 , 2 5 X 2", "9,.,2,5,X,2", nullptr, nullptr},
        {nullptr, "Num9 Num. Num5 Num/ Num4 Num- Num8 Num0 =", "9,.,5,/,4,-,8,0,=", nullptr,
         nullptr},
        {nullptr, "1 2 5 Backspace Backspace 4", "1,2,5,C,C,4", nullptr, nullptr},
        {nullptr, "5 + 6 Delete", "5,+,6,AC", nullptr, nullptr},
        // Focus from AC: C, /, back to C, right to /, pressed.
        {nullptr, "8 Tab Tab Shift+Tab Right Space 2 =", "8,/,2,=", nullptr, nullptr},
        {"old", "1 2 + 3 4 * 2 = Ctrl+c", nullptr, "92", "92"},
        {"old", "1 / 8 = Ctrl+Insert", nullptr, "0.125", "0.125"},
        {"92", "7 Ctrl+v + 1 =", nullptr, "93", nullptr},
        {" -2.5\r\n", "Shift+Insert * 2 =", nullptr, "-5", nullptr},
        {"abc", "4 + Ctrl+v 5 =", nullptr, "9", "abc"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        Click("AC");
        if (row.clipboard)
            SetClipboard(row.clipboard);
        const std::vector<Stroke> strokes = Strokes(row.typed);
        const std::vector<Key> keys = kelvo_test::KeysCaptioned(row.clicked ? row.clicked : "");
        // Where each stroke is a key of the calculator, its button shows pressed just so long.
        const bool oneKeyEach = keys.size() == strokes.size();
        for (size_t i = 0; i < strokes.size(); ++i) {
            Press(strokes[i], false);
            EXPECT_TRUE(!oneKeyEach || Pushed(keys[i])) << "while key " << i << " is down";
            Press(strokes[i], true);
            EXPECT_FALSE(oneKeyEach && Pushed(keys[i])) << "after key " << i << " is up";
        }
        const std::string typed = Display();
        EXPECT_EQ(row.display ? row.display : typed, typed);
        EXPECT_EQ(row.copied ? row.copied : "", row.copied ? Clipboard() : "");
        if (row.clicked) {
            Click("AC," + std::string(row.clicked));
            EXPECT_EQ(Display(), typed);
        }
    }
    Type("Esc");
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(kelvo_test::CallsTo("oapiCloseDialog").size(), 1u);
}

// What the right-click menu shows, read while it is open; then it is left by a key.
std::vector<std::string> g_menu;
std::string g_menuKey;

void CALLBACK ReadMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup || !IsWindowVisible(popup))
        return;
    KillTimer(nullptr, timer);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        g_menu.push_back(text + std::string(GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED
                                                ? " (greyed)"
                                                : ""));
    }
    for (const Stroke& s : Strokes(g_menuKey)) {
        Send(s.virtualKey, s.scanCode, s.extended, false);
        Send(s.virtualKey, s.scanCode, s.extended, true);
    }
}

// A right-click anywhere in the window opens Copy and Paste, Paste greyed while the clipboard
// holds no number; each does what its shortcut does.
TEST_P(CalculatorKeyboard, RightClickMenuCopiesAndPastes) {
    Type("1 2 + 3 4 * 2 =");
    const struct {
        int control;
        const char *clipboard, *key, *paste, *clipboardAfter, *display;
    } rows[] = {{IDC_KEY_5, "abc", "c", "&Paste\tCtrl+V (greyed)", "92", "92"},
                {IDC_DISPLAY, " 4.5e1 ", "p", "&Paste\tCtrl+V", " 4.5e1 ", "4.5e1"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.clipboard);
        SetClipboard(row.clipboard);
        g_menu.clear();
        g_menuKey = row.key;
        RECT box;
        GetWindowRect(GetDlgItem(window, row.control), &box);
        SetCursorPos(box.left + 3, box.top + 3);
        SetTimer(nullptr, 0, 10, ReadMenu);
        INPUT clicks[2] = {};
        clicks[0].type = clicks[1].type = INPUT_MOUSE;
        clicks[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        ASSERT_EQ(SendInput(2, clicks, sizeof(INPUT)), 2u);
        Pump();
        EXPECT_EQ(g_menu, (std::vector<std::string>{"&Copy\tCtrl+C", row.paste}));
        EXPECT_EQ(row.clipboardAfter, Clipboard());
        EXPECT_EQ(row.display, Display());
    }
}

INSTANTIATE_TEST_SUITE_P(Loop, CalculatorKeyboard, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "WithDialogManager" : "WithoutDialogManager";
                         });

} // namespace
