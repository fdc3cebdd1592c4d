// What a key of the calculator costs: a digit typed on the keyboard (SendInput, through the
// host's message loop with its dialog manager) against the same digit's button clicked, from the
// input to the new display, median over many presses in one run. The program is a stand-in host
// with the calculator's window in the foreground.
#include "bench_clock.h"
#include "host_core.h"
#include "resource.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRuns = 201;

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (host::TranslateDialogMessage(&message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Median milliseconds from the press to the display showing "7", each run from "0".
double Median(HWND dialog, const std::function<void()>& press) {
    std::vector<double> times;
    char text[16];
    for (int i = 0; i < kRuns; ++i) {
        SendDlgItemMessageA(dialog, IDC_KEY_ALL_CLEAR, BM_CLICK, 0, 0);
        Pump();
        const double start = Now();
        press();
        do
            Pump();
        while (GetDlgItemTextA(dialog, IDC_DISPLAY, text, sizeof text) != 1 || text[0] != '7');
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Type(WORD virtualKey, DWORD up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up;
    SendInput(1, &input, sizeof input);
}

} // namespace

int main() {
    const HINSTANCE module = host::LoadModule("CalculatorKelvo.dll");
    if (!module || !host::RunCommand("Calculator Kelvo")) {
        std::printf("cannot load CalculatorKelvo.dll or open its calculator\n");
        return 1;
    }
    HWND dialog = host::FindDialog(module, IDD_CALCULATOR);
    SetForegroundWindow(dialog);
    Pump();
    if (GetForegroundWindow() != dialog) {
        std::printf("the calculator is not in the foreground\n");
        return 1;
    }
    const double typed = Median(dialog, [] {
        Type('7', 0);
        Type('7', KEYEVENTF_KEYUP);
    });
    const double clicked =
        Median(dialog, [dialog] { SendDlgItemMessageA(dialog, IDC_KEY_7, BM_CLICK, 0, 0); });
    std::printf("Median milliseconds from the press of 7 to the display showing it (%d presses)\n",
                kRuns);
    std::printf("| typed on the keyboard | %.3f |\n| button clicked        | %.3f |\n", typed,
                clicked);
    host::UnloadModule(module);
    return 0;
}
