#include "calculator_dialog.h"

#include "calculator.h"
#include "host_api.h"
#include "module.h"
#include "resource.h"

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
    return g_calculator->HandleMessage(window, message, wParam, lParam);
}

void RefreshDisplay(HWND window, const char* text) {
    if (!window)
        return;
    HWND display = GetDlgItem(window, IDC_DISPLAY);
    if (display)
        SetWindowTextA(display, text);
}

int Calculator::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        // May arrive before the host has returned the handle: nothing here uses it.
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDCANCEL) {
            if (dialog) {
                oapiCloseDialog(dialog);
                dialog = nullptr;
            }
            return TRUE;
        }
        if (id >= FirstKey && id <= LastKey) {
            // A key that runs out of memory clears the calculator; nothing reaches the host.
            PressKey(static_cast<Key>(id));
            RefreshDisplay(window, Display());
            return TRUE;
        }
        break;
    }
    default:
        break;
    }
    return oapiDefDialogProc(window, message, wParam, lParam);
}
