// The calculator window, opened through the stand-in host and driven by clicking its keys.
#include "calculator_window.h"
#include "host_api.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

using kelvo_test::PumpMessages;

const char kCommand[] = "Calculator Kelvo";

int CountCalls(const char* function) {
    return static_cast<int>(kelvo_test::CallsTo(function).size());
}

class CalculatorDialog : public testing::Test, protected kelvo_test::CalculatorWindow {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, module.instance());
        Open();
    }
    void TearDown() override { host::HostOverrides() = host::Overrides(); }

    // The dialog procedure that the module handed to the host.
    OapiDialogProc Procedure() const {
        for (const host::ModuleDialog& d : host::Dialogs())
            if (d.window == window)
                return d.proc;
        return nullptr;
    }
};

TEST_F(CalculatorDialog, OpensTemplate102ShowingZero) {
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ("0", Display());
    // The host was asked for the module's template 102 with flags 0 and a context.
    for (const host::HostCall& call : host::CallLog()) {
        if (call.function == "oapiOpenDialogEx") {
            EXPECT_EQ(reinterpret_cast<long>(module.instance()), call.arguments[0]);
            EXPECT_EQ(IDD_CALCULATOR, call.arguments[1]);
            EXPECT_EQ(0, call.arguments[3]);
            EXPECT_NE(0, call.arguments[4]);
        }
    }
}

// Every button reaches the engine as its own key, and the module's own runtime formats and
// reads numbers: two-digit exponents, infinity and not-a-number spelled so that they read back
// as themselves (the key rules themselves are the engine's tests').
TEST_F(CalculatorDialog, ClickedKeysReachTheEngineAndTheModuleFormatsNumbers) {
    Click("7,8,9,C,X,4,5,6,-,1,2,3,/,.,5,+,0,=");
    EXPECT_EQ("70890", Display());
    Click("AC,1,2,3,4,5,6,7,+,1,=");
    EXPECT_EQ("1.23457e+06", Display());
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
        PumpMessages();
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
            EXPECT_EQ(reinterpret_cast<long>(closed), call.arguments[0]);
        }
    }
}

// The close box ends in the cancel command (Esc does too: the keyboard tests).
TEST_F(CalculatorDialog, CloseBoxEndsInCancel) {
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages();
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
        const std::vector<long> expected = {reinterpret_cast<long>(window),
                                            static_cast<long>(c.message),
                                            static_cast<long>(c.wParam), c.lParam};
        EXPECT_EQ(expected, call.arguments);
    }
    EXPECT_EQ("0", Display());
    // WM_INITDIALOG and key commands are the module's own.
    host::CallLog().clear();
    EXPECT_EQ(1, proc(window, WM_INITDIALOG, 0, 0));
    EXPECT_EQ(1, proc(window, WM_COMMAND, MAKEWPARAM(IDC_KEY_7, BN_CLICKED), 0));
    for (const host::HostCall& call : kelvo_test::CallsTo("oapiDefDialogProc")) {
        // Only what the display's repaint sends the dialog (WM_CTLCOLORSTATIC) may pass.
        EXPECT_NE(static_cast<long>(WM_INITDIALOG), call.arguments[1]);
        EXPECT_NE(static_cast<long>(WM_COMMAND), call.arguments[1]);
    }
    EXPECT_EQ("7", Display());
    // The notification code is not looked at.
    proc(window, WM_COMMAND, MAKEWPARAM(IDC_KEY_3, 0x1234), 0);
    EXPECT_EQ("73", Display());
    // The second WM_INITDIALOG left the keys as they were: one still takes a typed digit.
    SendDlgItemMessageA(window, IDC_KEY_0, WM_CHAR, '5', 0);
    EXPECT_EQ("735", Display());
}

TEST_F(CalculatorDialog, PickingTheCommandAgainKeepsOneWindow) {
    Click("4,2");
    ASSERT_TRUE(host::RunCommand(kCommand));
    PumpMessages();
    EXPECT_EQ(1u, host::Dialogs().size());
    EXPECT_EQ(window, host::FindDialog(module.instance(), IDD_CALCULATOR));
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
