// Shared helpers of the Windows-side tests: the module under test, a recording window,
// message pumping and pixel capture.
#pragma once

#include <windows.h>

#include "gauge.h"
#include "host_core.h"
#include "process_counters.h"
#include "property_list.h"
#include "switch_control.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kelvo_test {

// The module's three control classes.
inline const char* const kControlClasses[] = {GaugeClassName, SwitchClassName,
                                              PropertyListClassName};

// A file in the folder of the test program, where CalculatorKelvo.dll and the test modules lie.
std::string TestFile(const char* name);

// The host calls that the module made to the named function, in order.
std::vector<host::HostCall> CallsTo(const char* function);

// Loads CalculatorKelvo.dll through the stand-in host (entry, then InitModule), with the
// host's call log cleared first, and unloads
// it (closing its dialogs, forgetting its commands, FreeLibrary) when it goes out of scope.
class LoadedModule {
public:
    LoadedModule();
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    HINSTANCE instance() const { return instance_; }
    // An export of the module, by name.
    template <typename Function> Function Export(const char* name) const {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(instance_, name)));
    }
    // Unloads now (idempotent).
    void Unload();

private:
    HINSTANCE instance_;
};

// Points a module's import of `function` from `library` (its slot in the module's import address
// table) at `replacement` while it lives, so that the module's calls reach the test instead.
class ImportPatch {
public:
    ImportPatch(HMODULE module, const char* library, const char* function, void* replacement);
    ~ImportPatch() { Set(original_); }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

private:
    void Set(void* target);
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

// Whether the state that the program set as a host before loading the module (KELVO_HOST_STATE,
// see win_test_support.cpp) is as it was: this thread's floating-point controls and exception
// flags, and the C locale. The inexact flag is left out: the system's own code, which the
// program runs too, raises it all the time. Checked after every message pump and at the end.
testing::AssertionResult HostStateKept();
// Whether a call into the module gives the host its state back exactly, every flag included: the
// host's own denormal-operand flag, which no code of the module raises, is set before the call,
// every other flag clear.
testing::AssertionResult KeepsHostStateExactly(const std::function<void()>& call);

// Dispatches every message waiting in this thread's queue (a timer message only once its
// interval has passed), giving the host's dialogs their keyboard navigation as the host's
// loop does, or, without the dialog manager, as a loop that only translates and dispatches.
void PumpMessages(bool dialogManager = true);
// Pumps messages, timers included, for about the given time.
void PumpMessagesFor(DWORD milliseconds);

// One message as a window received it.
struct RecordedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool posted; // came through the queue (PostMessage) rather than SendMessage
};

// A top-level window that logs the messages that tell a parent something: WM_COMMAND,
// WM_HSCROLL, WM_VSCROLL and WM_NOTIFY (everything else goes to DefWindowProc unlogged).
class RecordingWindow {
public:
    explicit RecordingWindow(int width = 400, int height = 300);
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    const std::vector<RecordedMessage>& messages() const { return messages_; }
    void Flush() { messages_.clear(); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_;
    std::vector<RecordedMessage> messages_;
};

// One notification that a control sent its parent, in the control's terms: WM_HSCROLL with
// its scroll code and the 16-bit value (as signed), or WM_COMMAND with its notification code
// and lParam.
struct Notification {
    UINT message;
    int code;
    int value;
};

// Whether the parent heard exactly the expected notifications from `control`, in order, each
// delivered as the controls deliver it (WM_HSCROLL sent with the control's handle, WM_COMMAND
// posted with its identifier); clears the parent's log. On a mismatch the message shows both
// lists, after `context`. Use as EXPECT_TRUE(Notified(parent, gauge, {{...}, ...})).
testing::AssertionResult Notified(RecordingWindow& parent, HWND control,
                                  const std::vector<Notification>& expected,
                                  const std::string& context = "");

// The client area of a window as the screen shows it, read into 32-bit pixels after the
// window has painted (the window must be visible and not covered).
class ClientCapture {
public:
    explicit ClientCapture(HWND window);
    int width() const { return width_; }
    int height() const { return height_; }
    // The colour at (x, y) as a COLORREF (0x00BBGGRR).
    COLORREF At(int x, int y) const;

private:
    int width_;
    int height_;
    std::vector<DWORD> pixels_; // top-down, 0x00RRGGBB
};

// Paints a window at once and reads its client area.
ClientCapture PaintAndCapture(HWND window);

// Pixels left of the frame of the property list's title row at window row `top` (the row's 20
// rows, 18 columns) that differ from the icon that the list shows there: cell `cellX` of this
// program's bitmap 286 at (2, top + 2), 14 pixels square, a monochrome bitmap in the title
// colours, and white around it or in its place when the program has no bitmap 286.
int IconStripMismatches(const ClientCapture& picture, int top, int cellX);

} // namespace kelvo_test
