// The calculator's window as the tests open and drive it: through the host's command, its keys
// clicked by caption ("1,+,2,="), its display read.
#pragma once

#include "key_captions.h"
#include "resource.h"
#include "win_test_support.h"

#include <string>

namespace kelvo_test {

class CalculatorWindow {
protected:
    // Picks the module's command and finds the window that it opened (null for none).
    void Open(bool dialogManager = true) {
        ASSERT_TRUE(host::RunCommand("Calculator Kelvo"));
        PumpMessages(dialogManager);
        window = host::FindDialog(module.instance(), IDD_CALCULATOR);
    }

    std::string Display() const {
        char text[256] = "";
        GetDlgItemTextA(window, IDC_DISPLAY, text, sizeof text);
        return text;
    }

    void Click(const std::string& captions, bool dialogManager = true) {
        for (const Key key : KeysCaptioned(captions)) {
            SendDlgItemMessageA(window, key, BM_CLICK, 0, 0);
            PumpMessages(dialogManager);
        }
    }

    LoadedModule module;
    HWND window = nullptr;
};

} // namespace kelvo_test
