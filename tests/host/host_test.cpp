// Windows-side tests of the host's own parts that need no module: the guards of the host
// functions and the window capture behind the screenshots.
#include "host_api.h"
#include "host_core.h"
#include "window_capture.h"

#include <gdiplus.h>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

constexpr char kPaintClass[] = "HostTestPaintedWindow";
constexpr RECT kRedBox = {10, 5, 30, 25}; // client coordinates, right and bottom exclusive

// White client area with a red box at kRedBox.
LRESULT CALLBACK PaintedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &kRedBox, red);
    DeleteObject(red);
    EndPaint(window, &paint);
    return 0;
}

HWND CreatePainted(DWORD style, int width, int height) {
    host::RegisterHostClass(kPaintClass, PaintedProc,
                            static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HWND window =
        CreateWindowExA(WS_EX_TOPMOST, kPaintClass, "Painted", style | WS_VISIBLE, 100, 100, width,
                        height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(window);
    return window;
}

// The pixel at (x, y) of an image as 0xRRGGBB.
unsigned long PixelAt(const host::WindowPixels& image, int x, int y) {
    return image.pixels[static_cast<std::size_t>(y) * image.width + x] & 0xFFFFFF;
}

// Dialogs 1 and 2 (nested_dialogs.rc): the outer one opens the inner one from its
// WM_INITDIALOG and then, still being created, sends itself WM_APP.
HWND g_inner = nullptr;
int g_outerGotWmApp = 0;

int CALLBACK InnerProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

int CALLBACK OuterProc(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        g_inner = oapiOpenDialogEx(GetModuleHandleA(nullptr), 2, InnerProc, 0, nullptr);
        SendMessageA(window, WM_APP, 0, 0);
    }
    g_outerGotWmApp += message == WM_APP;
    return FALSE;
}

} // namespace

TEST(HostCore, DialogOpenedDuringAnotherOnesCreationLeavesItsProcedureToIt) {
    HWND outer = oapiOpenDialogEx(GetModuleHandleA(nullptr), 1, OuterProc, 0, nullptr);
    ASSERT_TRUE(outer);
    ASSERT_TRUE(g_inner);
    EXPECT_EQ(g_outerGotWmApp, 1);
    oapiCloseDialog(g_inner);
    oapiCloseDialog(outer);
}

TEST(HostCore, CloseDialogLeavesWindowsThatItDidNotOpen) {
    // A handle that never came from oapiOpenDialogEx, as a stale one may be after Windows
    // has given it to another window.
    HWND other = CreateWindowExA(0, "STATIC", "not a dialog", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(other);
    oapiCloseDialog(other);
    EXPECT_TRUE(IsWindow(other));
    ASSERT_FALSE(host::CallLog().empty());
    EXPECT_EQ(host::CallLog().back().function, "oapiCloseDialog");
    DestroyWindow(other);
}

TEST(HostCore, HostFunctionsKeepExceptionsFromTheModule) {
    host::HostOverrides().date2Int = [](const char*) -> int { throw std::runtime_error("x"); };
    host::HostOverrides().defDialogProc = [](HWND, UINT, WPARAM, LPARAM) -> int {
        throw std::bad_alloc();
    };
    host::HostOverrides().openDialog = [](HINSTANCE, int) -> HWND { throw 1; };
    char date[] = "Aug 28 2016";
    EXPECT_EQ(Date2Int(date), 0);
    EXPECT_EQ(oapiDefDialogProc(nullptr, WM_USER, 1, 2), FALSE);
    EXPECT_EQ(oapiOpenDialogEx(GetModuleHandleA(nullptr), 102, nullptr, 0, nullptr), nullptr);
    host::HostOverrides() = host::Overrides{};
    // Each call was still logged, in order.
    const auto& log = host::CallLog();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[log.size() - 3].function, "Date2Int");
    EXPECT_EQ(log[log.size() - 3].text, "Aug 28 2016");
    EXPECT_EQ(log[log.size() - 2].function, "oapiDefDialogProc");
    EXPECT_EQ(log[log.size() - 1].function, "oapiOpenDialogEx");
}

TEST(HostScreenshot, ReadsTheClientAreaOrTheWholeWindow) {
    HWND window = CreatePainted(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 200, 120);
    ASSERT_TRUE(window);
    RECT frame, client;
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    ASSERT_GT(origin.y, frame.top); // the title bar is above the client area

    const host::WindowPixels whole = host::CaptureWindow(window, true);
    ASSERT_EQ(whole.width, frame.right - frame.left);
    ASSERT_EQ(whole.height, frame.bottom - frame.top);
    const host::WindowPixels inner = host::CaptureWindow(window, false);
    ASSERT_EQ(inner.width, client.right);
    ASSERT_EQ(inner.height, client.bottom);
    // Rows top-down, channels as 0xRRGGBB, the box's edges where it was painted, in both.
    const int dx = origin.x - frame.left, dy = origin.y - frame.top;
    const struct {
        int x, y;
        unsigned long colour;
    } probes[] = {{10, 5, 0xFF0000}, {29, 24, 0xFF0000}, {9, 5, 0xFFFFFF},
                  {10, 4, 0xFFFFFF}, {30, 24, 0xFFFFFF}, {29, 25, 0xFFFFFF}};
    for (const auto& p : probes) {
        EXPECT_EQ(PixelAt(inner, p.x, p.y), p.colour) << p.x << ", " << p.y;
        EXPECT_EQ(PixelAt(whole, p.x + dx, p.y + dy), p.colour) << p.x << ", " << p.y;
    }
    // The title bar is not the client's white.
    EXPECT_NE(PixelAt(whole, whole.width / 2, dy / 2), 0xFFFFFFul);
    DestroyWindow(window);
}

TEST(HostScreenshot, PngFileHoldsExactlyTheCapturedPixels) {
    HWND window = CreatePainted(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 120, 80);
    const host::WindowPixels image = host::CaptureWindow(window, true);
    DestroyWindow(window);
    ASSERT_FALSE(image.pixels.empty());
    DeleteFileA("capture.png");
    ASSERT_TRUE(host::SavePng(image, "capture.png"));

    // Read back through the system's decoder, as an independent reader.
    namespace gdip = Gdiplus::DllExports;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    Gdiplus::GpBitmap* read = nullptr;
    ASSERT_EQ(gdip::GdipCreateBitmapFromFile(L"capture.png", &read), Gdiplus::Ok);
    GUID format;
    gdip::GdipGetImageRawFormat(read, &format);
    EXPECT_TRUE(IsEqualGUID(format, Gdiplus::ImageFormatPNG));
    UINT width = 0, height = 0;
    gdip::GdipGetImageWidth(read, &width);
    gdip::GdipGetImageHeight(read, &height);
    ASSERT_EQ(static_cast<int>(width), image.width);
    ASSERT_EQ(static_cast<int>(height), image.height);
    int differing = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            Gdiplus::ARGB argb = 0;
            gdip::GdipBitmapGetPixel(read, x, y, &argb);
            differing += argb != (0xFF000000 | PixelAt(image, x, y));
        }
    EXPECT_EQ(differing, 0);
    gdip::GdipDisposeImage(read);
    Gdiplus::GdiplusShutdown(token);
    DeleteFileA("capture.png");
}

TEST(HostScreenshot, NothingForAMissingWindow) {
    EXPECT_TRUE(host::CaptureWindow(nullptr, true).pixels.empty());
    HWND window = CreatePainted(WS_POPUP, 20, 20);
    DestroyWindow(window);
    EXPECT_TRUE(host::CaptureWindow(window, false).pixels.empty());
    EXPECT_FALSE(host::SavePng(host::CaptureWindow(window, true), "never-written.png"));
    EXPECT_EQ(GetFileAttributesA("never-written.png"), INVALID_FILE_ATTRIBUTES);
}
