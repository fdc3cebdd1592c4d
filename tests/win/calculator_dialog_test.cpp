// The calculator window, opened through the stand-in host and driven by clicking its keys.
#include "host_api.h"
#include "host_core.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

using kelvo_test::LoadedModule;
using kelvo_test::PumpMessages;

const char kCommand[] = "Calculator Kelvo";

int CountCalls(const char* function) {
    return static_cast<int>(kelvo_test::CallsTo(function).size());
}

class CalculatorDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, module.instance());
        Open();
    }
    void TearDown() override { host::HostOverrides() = host::Overrides(); }

    void Open() {
        ASSERT_TRUE(host::RunCommand(kCommand));
        PumpMessages();
        window = host::FindDialog(module.instance(), 102);
    }

    std::string Display() const {
        char text[256] = "";
        GetWindowTextA(GetDlgItem(window, -1), text, sizeof text);
        return text;
    }

    // Clicks the keys of a comma-separated caption list, e.g. "1,+,2,=".
    void Click(const std::string& captions) {
        size_t start = 0;
        while (start <= captions.size()) {
            const size_t comma = captions.find(',', start);
            const size_t end = comma == std::string::npos ? captions.size() : comma;
            ClickKey(captions.substr(start, end - start));
            start = end + 1;
        }
    }

    void ClickKey(const std::string& caption) {
        for (HWND child = GetWindow(window, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            char text[16] = "";
            char className[16] = "";
            GetWindowTextA(child, text, sizeof text);
            GetClassNameA(child, className, sizeof className);
            if (caption == text && lstrcmpiA(className, "Button") == 0) {
                SendMessageA(child, BM_CLICK, 0, 0);
                PumpMessages();
                return;
            }
        }
        ADD_FAILURE() << "no key captioned " << caption;
    }

    // The dialog procedure that the module handed to the host.
    OapiDialogProc Procedure() const {
        for (const host::ModuleDialog& d : host::Dialogs())
            if (d.window == window)
                return d.proc;
        return nullptr;
    }

    LoadedModule module;
    HWND window = nullptr;
};

TEST_F(CalculatorDialog, OpensTemplate102ShowingZero) {
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(IsWindowVisible(window));
    char caption[64] = "";
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ("Calculator Kelvo", caption);
    EXPECT_EQ("0", Display());
    // The host was asked for the module's template 102 with flags 0 and a context.
    for (const host::HostCall& call : host::CallLog()) {
        if (call.function == "oapiOpenDialogEx") {
            EXPECT_EQ(reinterpret_cast<long>(module.instance()), call.arguments[0]);
            EXPECT_EQ(102, call.arguments[1]);
            EXPECT_EQ(0, call.arguments[3]);
            EXPECT_NE(0, call.arguments[4]);
        }
    }
}

TEST_F(CalculatorDialog, KeysDriveTheDisplay) {
    Click("1,+,2,=");
    EXPECT_EQ("3", Display());
    Click("2,X,3,X");
    EXPECT_EQ("6", Display());
    Click("4,=");
    EXPECT_EQ("24", Display());
    Click("AC,1,2,3,C");
    EXPECT_EQ("12", Display());
    Click("AC,.,5,+,1,=");
    EXPECT_EQ("1.5", Display());
    Click("AC,3,-,5,=");
    EXPECT_EQ("-2", Display());
}

// The module's own runtime formats and reads numbers: two-digit exponents, and infinity
// and not-a-number spelled so that they read back as themselves.
TEST_F(CalculatorDialog, NumbersFormatAndReadBackInsideTheModule) {
    Click("1,2,3,4,5,6,7,+,1,=");
    EXPECT_EQ("1.23457e+06", Display());
    Click("AC,9,9,9,9,9,X,9,9,9,9,9,=");
    EXPECT_EQ("9.9998e+09", Display());
    for (int i = 0; i < 70; ++i)
        Click("X,9,9,9,9,9,=");
    EXPECT_EQ("inf", Display());
    // Read back as infinity, not as 1: inf X 2 stays infinite.
    Click("X,2,=");
    EXPECT_EQ("inf", Display());
    Click("X,0,=");
    const std::string notANumber = Display();
    EXPECT_TRUE(std::isnan(std::strtod(notANumber.c_str(), nullptr))) << notANumber;
    Click("+,1,=");
    EXPECT_EQ(notANumber, Display());
    Click("AC,3,-,5,=,X,0,=");
    EXPECT_EQ("-0", Display());
}

TEST_F(CalculatorDialog, IgnoredKeysStillRewriteTheDisplay) {
    HWND display = GetDlgItem(window, -1);
    SetWindowTextA(display, "scribble");
    Click("=");
    EXPECT_EQ("0", Display());
    Click("3,+");
    SetWindowTextA(display, "scribble");
    Click("C");
    EXPECT_EQ("3", Display());
}

TEST_F(CalculatorDialog, DivisionErrorSurvivesReopening) {
    Click("5,/,0,=");
    EXPECT_EQ("DIV 0", Display());
    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    PumpMessages();
    EXPECT_FALSE(IsWindow(window));
    Open();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("DIV 0", Display());
    Click("8,+,=,C");
    EXPECT_EQ("DIV 0", Display());
    Click("AC");
    EXPECT_EQ("0", Display());
}

TEST_F(CalculatorDialog, CalculationContinuesAfterReopening) {
    Click("1,2,+,3");
    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    PumpMessages();
    Open();
    EXPECT_EQ("3", Display());
    Click("=");
    EXPECT_EQ("15", Display());
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
            EXPECT_EQ(reinterpret_cast<long>(closed), call.arguments[0]);
        }
    }
}

TEST_F(CalculatorDialog, EscapeAndCloseBoxEndInCancel) {
    SetFocus(GetDlgItem(window, 1009));
    PostMessageA(GetDlgItem(window, 1009), WM_KEYDOWN, VK_ESCAPE, 0);
    PumpMessages();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(1, CountCalls("oapiCloseDialog"));

    Open();
    ASSERT_NE(nullptr, window);
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(2, CountCalls("oapiCloseDialog"));
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
        const std::vector<long> expected = {reinterpret_cast<long>(window),
                                            static_cast<long>(c.message),
                                            static_cast<long>(c.wParam), c.lParam};
        EXPECT_EQ(expected, call.arguments);
    }
    EXPECT_EQ("0", Display());
    // WM_INITDIALOG and key commands are the module's own.
    host::CallLog().clear();
    EXPECT_EQ(1, proc(window, WM_INITDIALOG, 0, 0));
    EXPECT_EQ(1, proc(window, WM_COMMAND, MAKEWPARAM(1009, BN_CLICKED), 0));
    for (const host::HostCall& call : kelvo_test::CallsTo("oapiDefDialogProc")) {
        // Only what the display's repaint sends the dialog (WM_CTLCOLORSTATIC) may pass.
        EXPECT_NE(static_cast<long>(WM_INITDIALOG), call.arguments[1]);
        EXPECT_NE(static_cast<long>(WM_COMMAND), call.arguments[1]);
    }
    EXPECT_EQ("7", Display());
}

TEST_F(CalculatorDialog, NotificationCodeIsNotLookedAt) {
    OapiDialogProc proc = Procedure();
    ASSERT_NE(nullptr, proc);
    proc(window, WM_COMMAND, MAKEWPARAM(1005, 0x1234), 0);
    EXPECT_EQ("3", Display());
}

TEST_F(CalculatorDialog, PickingTheCommandAgainKeepsOneWindow) {
    Click("4,2");
    ASSERT_TRUE(host::RunCommand(kCommand));
    PumpMessages();
    EXPECT_EQ(1u, host::Dialogs().size());
    EXPECT_EQ(window, host::FindDialog(module.instance(), 102));
    EXPECT_EQ("42", Display());
}

TEST_F(CalculatorDialog, ANullWindowFromTheHostIsTriedAgainLater) {
    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    PumpMessages();
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

} // namespace
