#include "win_test_support.h"

#include "host_core.h"
#include "window_capture.h"

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <sstream>

namespace kelvo_test {

namespace {

// This thread's floating-point controls and flags: the x87 control word and the exception flags
// of its status word, and the SSE control and status register; and the process's C locale.
struct HostState {
    std::uint16_t x87Control;
    std::uint16_t x87Flags;
    std::uint32_t mxcsr;
    std::string locale;
    std::string decimalPoint;
};

// The six exception flags (invalid, denormal, zero-divide, overflow, underflow, inexact), at the
// bottom of the x87 status word and of the MXCSR alike; the MXCSR has their masks above them.
constexpr std::uint16_t kFlags = 0x3F, kInexact = 0x20, kUnmasked = 0x01 | 0x04 | 0x08;
constexpr int kMxcsrMaskShift = 7;

HostState CurrentHostState() {
    HostState state;
    asm volatile("fnstcw %0\n\tfnstsw %1\n\tstmxcsr %2"
                 : "=m"(state.x87Control), "=m"(state.x87Flags), "=m"(state.mxcsr));
    state.x87Flags &= kFlags;
    state.locale = std::setlocale(LC_ALL, nullptr);
    state.decimalPoint = std::localeconv()->decimal_point;
    return state;
}

// Sets the controls with every flag clear, so that no exception unmasked now is pending.
void SetControls(std::uint16_t x87Control, std::uint32_t mxcsr) {
    mxcsr &= ~std::uint32_t{kFlags};
    asm volatile("fnclex\n\tfldcw %0\n\tldmxcsr %1" : : "m"(x87Control), "m"(mxcsr));
}

// Whether the state is as it was, the flags other than ignoredFlags included.
testing::AssertionResult Kept(const HostState& was, std::uint16_t ignoredFlags) {
    const HostState is = CurrentHostState();
    const std::uint32_t compared = ~std::uint32_t{ignoredFlags};
    if (was.x87Control == is.x87Control && ((was.x87Flags ^ is.x87Flags) & compared) == 0 &&
        ((was.mxcsr ^ is.mxcsr) & compared) == 0 && was.locale == is.locale &&
        was.decimalPoint == is.decimalPoint)
        return testing::AssertionSuccess();
    const auto describe = [](const HostState& s) {
        std::ostringstream text;
        text << std::hex << "x87 control " << s.x87Control << " flags " << s.x87Flags << ", MXCSR "
             << s.mxcsr << ", locale " << s.locale << " (" << s.decimalPoint << ")";
        return text.str();
    };
    return testing::AssertionFailure()
           << "the host's state changed: " << describe(was) << " became " << describe(is);
}

HostState g_hostState; // as the program set it

// The program is a host that set, before loading the module, what KELVO_HOST_STATE names (as a
// host or its other add-ons may): "DecimalComma", a C locale whose decimal point is a comma;
// "ExceptionsUnmasked", overflow, zero-divide and invalid unmasked (x87 and SSE);
// "SinglePrecision", the x87 unit at 24 bits; "TowardZero", truncation (x87 and SSE). Without
// it, the state that the program started with.
class HostileHost : public testing::Environment {
public:
    void SetUp() override {
        saved_ = CurrentHostState();
        const std::string state =
            std::getenv("KELVO_HOST_STATE") ? std::getenv("KELVO_HOST_STATE") : "";
        std::uint16_t x87Control = saved_.x87Control;
        std::uint32_t mxcsr = saved_.mxcsr;
        if (state == "DecimalComma") {
            ASSERT_NE(std::setlocale(LC_ALL, "German_Germany.1252"), nullptr);
            ASSERT_STREQ(std::localeconv()->decimal_point, ",");
        } else if (state == "ExceptionsUnmasked") {
            x87Control &= ~kUnmasked;
            mxcsr &= ~(kUnmasked << kMxcsrMaskShift);
        } else if (state == "SinglePrecision") {
            x87Control &= ~0x300; // precision control: 24 bits
        } else if (state == "TowardZero") {
            x87Control |= 0xC00; // rounding control: toward zero
            mxcsr |= 0x6000;     // the same
        } else {
            ASSERT_EQ(state, "") << "KELVO_HOST_STATE names no state";
        }
        SetControls(x87Control, mxcsr);
        g_hostState = CurrentHostState();
    }
    void TearDown() override {
        EXPECT_TRUE(HostStateKept());
        std::setlocale(LC_ALL, saved_.locale.c_str());
        SetControls(saved_.x87Control, saved_.mxcsr);
    }

private:
    HostState saved_;
};

testing::Environment* const g_hostileHost = testing::AddGlobalTestEnvironment(new HostileHost);

} // namespace

testing::AssertionResult HostStateKept() {
    return Kept(g_hostState, kInexact);
}

testing::AssertionResult KeepsHostStateExactly(const std::function<void()>& call) {
    SetControls(g_hostState.x87Control, g_hostState.mxcsr);
    volatile double denormal = 1e-310;
    denormal = denormal * 2.0; // the host's own flag, in the unit it computes with
    const HostState was = CurrentHostState();
    call();
    const testing::AssertionResult kept = Kept(was, 0);
    SetControls(g_hostState.x87Control, g_hostState.mxcsr);
    return kept;
}

std::string TestFile(const char* name) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string program(path, length);
    return program.substr(0, program.find_last_of("\\/") + 1) + name;
}

std::vector<host::HostCall> CallsTo(const char* function) {
    std::vector<host::HostCall> calls;
    for (const host::HostCall& call : host::CallLog())
        if (call.function == function)
            calls.push_back(call);
    return calls;
}

LoadedModule::LoadedModule() : instance_(nullptr) {
    host::CallLog().clear();
    instance_ = host::LoadModule(TestFile("CalculatorKelvo.dll"));
}

LoadedModule::~LoadedModule() {
    Unload();
}

void LoadedModule::Unload() {
    if (instance_)
        host::UnloadModule(instance_);
    instance_ = nullptr;
}

ImportPatch::ImportPatch(HMODULE module, const char* library, const char* function,
                         void* replacement) {
    const auto* base = reinterpret_cast<const char*>(module);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(
        base + nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    for (; d->Name && !slot_; ++d) {
        auto* name = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
        auto* slot = reinterpret_cast<void* const*>(base + d->FirstThunk);
        for (; lstrcmpiA(base + d->Name, library) == 0 && name->u1.AddressOfData; ++name, ++slot)
            if (!IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal) &&
                lstrcmpA(base + name->u1.AddressOfData + 2, function) == 0) // after the hint
                slot_ = const_cast<void**>(slot);
    }
    original_ = slot_ ? *slot_ : nullptr;
    Set(replacement);
}

void ImportPatch::Set(void* target) {
    DWORD access;
    if (slot_ && VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &access)) {
        *slot_ = target;
        VirtualProtect(slot_, sizeof *slot_, access, &access);
    }
}

namespace {
// The queued message being dispatched, so that a window can tell posted from sent messages.
const MSG* g_dispatching = nullptr;

void Dispatch(const MSG& message) {
    const MSG* outer = g_dispatching;
    g_dispatching = &message;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    g_dispatching = outer;
}
} // namespace

void PumpMessages(bool dialogManager) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (dialogManager && host::TranslateDialogMessage(&message))
            continue;
        Dispatch(message);
    }
    EXPECT_TRUE(HostStateKept());
}

void PumpMessagesFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            Dispatch(message);
        Sleep(1);
    } while (GetTickCount() - start < milliseconds);
}

RecordingWindow::RecordingWindow(int width, int height) {
    const char className[] = "KelvoTestRecorder";
    host::RegisterHostClass(className, Proc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    hwnd_ = CreateWindowExA(0, className, "recorder", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                            width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    PumpMessages();
}

RecordingWindow::~RecordingWindow() {
    DestroyWindow(hwnd_);
}

LRESULT CALLBACK RecordingWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && (message == WM_COMMAND || message == WM_HSCROLL || message == WM_VSCROLL ||
                 message == WM_NOTIFY)) {
        const bool posted = g_dispatching && g_dispatching->hwnd == window &&
                            g_dispatching->message == message && g_dispatching->wParam == wParam &&
                            g_dispatching->lParam == lParam;
        self->messages_.push_back(RecordedMessage{window, message, wParam, lParam, posted});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

namespace {
std::string Describe(const Notification& n) {
    const char* name = n.message == WM_HSCROLL   ? "WM_HSCROLL"
                       : n.message == WM_COMMAND ? "WM_COMMAND"
                                                 : "message";
    return std::string(name) + " " + std::to_string(n.code) + " " + std::to_string(n.value);
}
} // namespace

testing::AssertionResult Notified(RecordingWindow& parent, HWND control,
                                  const std::vector<Notification>& expected,
                                  const std::string& context) {
    std::string want;
    for (const Notification& n : expected)
        want += Describe(n) + "\n";
    std::string seen;
    for (const RecordedMessage& m : parent.messages()) {
        if (m.message == WM_HSCROLL) {
            seen += Describe({m.message, LOWORD(m.wParam), static_cast<short>(HIWORD(m.wParam))});
            if (m.lParam != reinterpret_cast<LPARAM>(control))
                seen += " from another window";
            if (m.posted)
                seen += " posted";
        } else if (m.message == WM_COMMAND) {
            seen += Describe({m.message, HIWORD(m.wParam), static_cast<int>(m.lParam)});
            if (LOWORD(m.wParam) != LOWORD(GetDlgCtrlID(control)))
                seen += " from another control";
            if (!m.posted)
                seen += " sent";
        } else {
            seen += Describe({m.message, static_cast<int>(m.wParam), static_cast<int>(m.lParam)});
        }
        seen += "\n";
    }
    parent.Flush();
    if (want == seen)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << context << "\nexpected:\n" << want << "seen:\n" << seen;
}

ClientCapture::ClientCapture(HWND window) {
    host::WindowPixels image = host::CaptureWindow(window, false);
    width_ = image.width;
    height_ = image.height;
    pixels_ = std::move(image.pixels);
}

COLORREF ClientCapture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    const DWORD pixel = pixels_[static_cast<size_t>(y) * width_ + x] & 0xFFFFFF;
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

ClientCapture PaintAndCapture(HWND window) {
    UpdateWindow(window);
    PumpMessages();
    GdiFlush();
    return ClientCapture(window);
}

int IconStripMismatches(const ClientCapture& picture, int top, int cellX) {
    const int inset = 2, size = 14;
    HBITMAP icons = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(286));
    BITMAP info = {};
    GetObjectA(icons, sizeof info, &info);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, icons);
    int mismatches = 0;
    for (int y = 0; y < TitleRowHeight; ++y)
        for (int x = 0; x < TitleFrameLeft; ++x) {
            COLORREF expected = RGB(255, 255, 255);
            if (icons && x >= inset && x < inset + size && y >= inset && y < inset + size) {
                expected = GetPixel(memory, cellX + x - inset, y - inset);
                if (info.bmBitsPixel == 1) // set bits take the background colour
                    expected =
                        expected == RGB(0, 0, 0) ? PropertyTitleText : PropertyTitleBackground;
            }
            mismatches += picture.At(x, top + y) != expected;
        }
    if (old)
        SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(icons);
    return mismatches;
}

} // namespace kelvo_test
