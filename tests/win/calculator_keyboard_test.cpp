// The calculator window under real keyboard input: keys sent with SendInput reach the focused
// key through this host's message loop, once with the dialog manager in the loop and once
// without it. (Each test has a Wine session to itself, so the foreground window is its own.)
#include "calculator_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One key of the keyboard. Keypad keys are sent with their scan codes, which MapVirtualKey
// does not give for them.
struct Stroke {
    WORD virtualKey;
    WORD scanCode;
    bool extended;
};

const Stroke kControl = {VK_CONTROL, 0x1D, false};
const Stroke kShift = {VK_SHIFT, 0x2A, false};

Stroke Keypad(char c) {
    static const struct {
        char c;
        Stroke stroke;
    } keys[] = {{'0', {VK_NUMPAD0, 0x52, false}},  {'1', {VK_NUMPAD1, 0x4F, false}},
                {'2', {VK_NUMPAD2, 0x50, false}},  {'3', {VK_NUMPAD3, 0x51, false}},
                {'4', {VK_NUMPAD4, 0x4B, false}},  {'5', {VK_NUMPAD5, 0x4C, false}},
                {'6', {VK_NUMPAD6, 0x4D, false}},  {'7', {VK_NUMPAD7, 0x47, false}},
                {'8', {VK_NUMPAD8, 0x48, false}},  {'9', {VK_NUMPAD9, 0x49, false}},
                {'.', {VK_DECIMAL, 0x53, false}},  {'+', {VK_ADD, 0x4E, false}},
                {'-', {VK_SUBTRACT, 0x4A, false}}, {'*', {VK_MULTIPLY, 0x37, false}},
                {'/', {VK_DIVIDE, 0x35, true}},    {'=', {VK_RETURN, 0x1C, true}}};
    for (const auto& key : keys)
        if (key.c == c)
            return key.stroke;
    ADD_FAILURE() << "no keypad key " << c;
    return {};
}

Stroke Named(WORD virtualKey) {
    const bool extended = virtualKey == VK_DELETE || virtualKey == VK_INSERT ||
                          (virtualKey >= VK_LEFT && virtualKey <= VK_DOWN);
    return {virtualKey, static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)), extended};
}

void Send(const Stroke& key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key.virtualKey;
    input.ki.wScan = key.scanCode;
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (key.extended ? KEYEVENTF_EXTENDEDKEY : 0);
    ASSERT_EQ(SendInput(1, &input, sizeof input), 1u);
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
            Tap(Named(VK_NUMLOCK));
        ASSERT_TRUE(GetKeyState(VK_NUMLOCK) & 1);
    }

    void Pump() { kelvo_test::PumpMessages(GetParam()); }

    // Presses and releases a key, with the modifiers held around it.
    void Tap(const Stroke& key, const std::vector<Stroke>& modifiers = {}) {
        Press(key, modifiers);
        Release(key, modifiers);
    }
    void Press(const Stroke& key, const std::vector<Stroke>& modifiers = {}) {
        for (const Stroke& modifier : modifiers)
            Send(modifier, false);
        Send(key, false);
        Pump();
    }
    void Release(const Stroke& key, const std::vector<Stroke>& modifiers = {}) {
        Send(key, true);
        for (const Stroke& modifier : modifiers)
            Send(modifier, true);
        Pump();
    }

    // The strokes that type text: its characters as the layout types them (with Shift where
    // it needs it), but "#c" on the numeric keypad and "~" as the Delete key.
    static std::vector<std::pair<Stroke, std::vector<Stroke>>> Strokes(const std::string& text) {
        std::vector<std::pair<Stroke, std::vector<Stroke>>> strokes;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '#') {
                strokes.push_back({Keypad(text[++i]), {}});
            } else if (text[i] == '~') {
                strokes.push_back({Named(VK_DELETE), {}});
            } else {
                const SHORT scan = VkKeyScanA(text[i]);
                EXPECT_NE(scan, -1) << "no key types " << text[i];
                std::vector<Stroke> modifiers;
                if (HIBYTE(scan) & 1)
                    modifiers.push_back(kShift);
                strokes.push_back({Named(LOBYTE(scan)), modifiers});
            }
        }
        return strokes;
    }
    void Type(const std::string& text) {
        for (const auto& stroke : Strokes(text))
            Tap(stroke.first, stroke.second);
    }

    bool Pushed(Key key) const {
        return (SendDlgItemMessageA(window, key, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    }

    void Click(const std::string& captions) { CalculatorWindow::Click(captions, GetParam()); }

    // The clipboard as a text editor writes and reads it: in UTF-16, which the system converts
    // to and from the module's 8-bit text.
    static void SetClipboard(const char* text) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        const std::wstring wide(text, text + strlen(text));
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
        memcpy(GlobalLock(memory), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
    }
    static std::string Clipboard() {
        std::string text;
        if (!OpenClipboard(nullptr))
            return "(busy)";
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            for (const wchar_t* c = static_cast<const wchar_t*>(GlobalLock(data)); *c; ++c)
                text += static_cast<char>(*c);
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }
};

// Typed keys give the displays that clicks of the same keys give, from the main block and
// from the keypad alike, and each shows its button pressed while it is down.
TEST_P(CalculatorKeyboard, TypedKeysActAsTheirButtons) {
    const struct {
        const char* typed;
        const char* clicked;
    } cases[] = {
        {"12+34*2=", "1,2,+,3,4,X,2,="},
        {"#1#2#+#3#4#*#2#=", "1,2,+,3,4,X,2,="},
        {"7.5x4-1/3\r", "7,.,5,X,4,-,1,/,3,="},
        {"9,25X2", "9,.,2,5,X,2"},
        {"#9#.#5#/#4#-#6#0#8=", "9,.,5,/,4,-,6,0,8,="},
        {"123\b\b4", "1,2,3,C,C,4"},
        {"5+6~", "5,+,6,AC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Click("AC");
        const auto strokes = Strokes(c.typed);
        const std::vector<Key> keys = kelvo_test::KeysCaptioned(c.clicked);
        ASSERT_EQ(strokes.size(), keys.size());
        for (size_t i = 0; i < keys.size(); ++i) {
            Press(strokes[i].first, strokes[i].second);
            EXPECT_TRUE(Pushed(keys[i])) << "while key " << i << " is down";
            Release(strokes[i].first, strokes[i].second);
            EXPECT_FALSE(Pushed(keys[i])) << "after key " << i << " is up";
        }
        const std::string typed = Display();
        Click("AC," + std::string(c.clicked));
        EXPECT_EQ(typed, Display());
    }
    Click("AC");
    Type("12+34*2=");
    EXPECT_EQ("92", Display());
}

// Copy puts the display on the clipboard as shown; paste takes a number from it as the number
// being typed (trimmed); a text that is no number changes nothing.
TEST_P(CalculatorKeyboard, CopyAndPasteThroughTheClipboard) {
    const Stroke insert = Named(VK_INSERT);
    const struct {
        Stroke copy, copyModifier, paste, pasteModifier;
    } shortcuts[] = {{Named('C'), kControl, Named('V'), kControl},
                     {insert, kControl, insert, kShift}};
    for (const auto& s : shortcuts) {
        SCOPED_TRACE("copy key " + std::to_string(s.copy.virtualKey));
        Click("AC");
        Type("12+34*2=");
        SetClipboard("");
        Tap(s.copy, {s.copyModifier});
        EXPECT_EQ("92", Clipboard());
        Click("AC,7");
        Tap(s.paste, {s.pasteModifier});
        EXPECT_EQ("92", Display());
        Type("+1=");
        EXPECT_EQ("93", Display());

        SetClipboard(" -2.5\r\n");
        Click("AC");
        Tap(s.paste, {s.pasteModifier});
        EXPECT_EQ("-2.5", Display());
        Type("*2=");
        EXPECT_EQ("-5", Display());

        SetClipboard("abc");
        Click("AC,4,+");
        Tap(s.paste, {s.pasteModifier});
        EXPECT_EQ("4", Display());
        Type("5=");
        EXPECT_EQ("9", Display());
    }
}

// Tab, the arrows and Space move and press the focused key as the dialog manager does; Esc
// closes the window.
TEST_P(CalculatorKeyboard, DialogKeysWorkAsBefore) {
    ASSERT_EQ(GetFocus(), GetDlgItem(window, IDC_KEY_0));
    Tap(Named(VK_TAB));
    Tap(Named(VK_TAB));
    EXPECT_EQ(GetFocus(), GetDlgItem(window, IDC_KEY_1));
    Tap(Named(VK_TAB), {kShift});
    EXPECT_EQ(GetFocus(), GetDlgItem(window, IDC_KEY_POINT));
    Tap(Named(VK_RIGHT));
    EXPECT_EQ(GetFocus(), GetDlgItem(window, IDC_KEY_1));
    Tap(Named(VK_SPACE));
    EXPECT_EQ("1", Display());
    Tap(Named(VK_ESCAPE));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(kelvo_test::CallsTo("oapiCloseDialog").size(), 1u);
}

// What the right-click menu showed, read while it is open; then it chooses by its mnemonic.
struct MenuVisit {
    std::vector<std::string> items;
    bool pasteGreyed = false;
    char choice = 0;
};
MenuVisit g_menu;

void CALLBACK VisitMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup || !IsWindowVisible(popup))
        return;
    KillTimer(nullptr, timer);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        g_menu.items.push_back(text);
    }
    g_menu.pasteGreyed = GetMenuState(menu, 1, MF_BYPOSITION) & MF_GRAYED;
    const SHORT scan = VkKeyScanA(g_menu.choice);
    Send(Named(LOBYTE(scan)), false);
    Send(Named(LOBYTE(scan)), true);
}

// A right-click anywhere in the window opens Copy and Paste; Paste is greyed while the
// clipboard holds no number.
TEST_P(CalculatorKeyboard, RightClickMenuCopiesAndPastes) {
    Type("12+34*2=");
    const struct {
        int control;
        const char* clipboard;
        char choice;
        bool pasteGreyed;
        const char *clipboardAfter, *display;
    } cases[] = {{IDC_KEY_5, "abc", 'c', true, "92", "92"},
                 {IDC_DISPLAY, " 4.5e1 ", 'p', false, " 4.5e1 ", "4.5e1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clipboard);
        SetClipboard(c.clipboard);
        g_menu = MenuVisit{};
        g_menu.choice = c.choice;
        RECT box;
        GetWindowRect(GetDlgItem(window, c.control), &box);
        SetCursorPos(box.left + 3, box.top + 3);
        SetTimer(nullptr, 0, 10, VisitMenu);
        INPUT clicks[2] = {};
        clicks[0].type = clicks[1].type = INPUT_MOUSE;
        clicks[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        ASSERT_EQ(SendInput(2, clicks, sizeof(INPUT)), 2u);
        Pump();
        EXPECT_EQ(g_menu.items, (std::vector<std::string>{"&Copy\tCtrl+C", "&Paste\tCtrl+V"}));
        EXPECT_EQ(g_menu.pasteGreyed, c.pasteGreyed);
        EXPECT_EQ(c.clipboardAfter, Clipboard());
        EXPECT_EQ(c.display, Display());
    }
}

INSTANTIATE_TEST_SUITE_P(Loop, CalculatorKeyboard, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "WithDialogManager" : "WithoutDialogManager";
                         });

} // namespace
