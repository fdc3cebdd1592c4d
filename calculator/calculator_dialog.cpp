// The calculator's window: opened through the host, its messages ending in the one calculator;
// the keyboard and the clipboard have files of their own.
#include "calculator_dialog.h"

#include "calculator.h"
#include "calculator_clipboard.h"
#include "calculator_keyboard.h"
#include "floating_point_guard.h"
#include "host_api.h"
#include "module.h"
#include "resource.h"

namespace {

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
        // A menu takes the keyboard: the release of a key held now would not be seen.
        EndTypedPress();
        if (ShowMenu(calculator, window, lParam))
            return true;
        break;
    case WM_DESTROY:
        EndTypedPress();
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
