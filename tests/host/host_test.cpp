// Windows-side tests of the host's own parts that need no module: the guards of the host
// functions and the window capture behind the screenshots.
#include "host_api.h"
#include "host_core.h"
#include "screenshot.h"

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
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PaintedProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kPaintClass;
    RegisterClassA(&windowClass);
    HWND window =
        CreateWindowExA(WS_EX_TOPMOST, kPaintClass, "Painted", style | WS_VISIBLE, 100, 100, width,
                        height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(window);
    return window;
}

// The pixel at (x, y) of an image as 0xRRGGBB.
unsigned long PixelAt(const host::RgbImage& image, int x, int y) {
    const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 3;
    return static_cast<unsigned long>(image.pixels[at]) << 16 | image.pixels[at + 1] << 8 |
           image.pixels[at + 2];
}

} // namespace

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

TEST(HostScreenshot, ReadsAFramelessWindowAsPainted) {
    HWND window = CreatePainted(WS_POPUP, 60, 40);
    ASSERT_TRUE(window);
    const host::RgbImage image = host::CaptureWindow(window);
    ASSERT_EQ(image.width, 60);
    ASSERT_EQ(image.height, 40);
    // Rows top-down, channels in R, G, B order, the box's edges where it was painted.
    EXPECT_EQ(PixelAt(image, 10, 5), 0xFF0000ul);
    EXPECT_EQ(PixelAt(image, 29, 24), 0xFF0000ul);
    EXPECT_EQ(PixelAt(image, 9, 5), 0xFFFFFFul);
    EXPECT_EQ(PixelAt(image, 10, 4), 0xFFFFFFul);
    EXPECT_EQ(PixelAt(image, 30, 24), 0xFFFFFFul);
    EXPECT_EQ(PixelAt(image, 29, 25), 0xFFFFFFul);
    EXPECT_EQ(PixelAt(image, 59, 39), 0xFFFFFFul);
    DestroyWindow(window);
}

TEST(HostScreenshot, TakesTheFrameWithTheClientArea) {
    HWND window = CreatePainted(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 200, 120);
    ASSERT_TRUE(window);
    RECT frame;
    GetWindowRect(window, &frame);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    const int left = origin.x - frame.left, top = origin.y - frame.top;
    ASSERT_GT(top, 0); // the title bar is above the client area

    const host::RgbImage image = host::CaptureWindow(window);
    ASSERT_EQ(image.width, frame.right - frame.left);
    ASSERT_EQ(image.height, frame.bottom - frame.top);
    EXPECT_EQ(PixelAt(image, left + 10, top + 5), 0xFF0000ul);
    EXPECT_EQ(PixelAt(image, left + 29, top + 24), 0xFF0000ul);
    EXPECT_EQ(PixelAt(image, left + 30, top + 25), 0xFFFFFFul);
    // The title bar is not the client's white.
    EXPECT_NE(PixelAt(image, image.width / 2, top / 2), 0xFFFFFFul);
    DestroyWindow(window);
}

TEST(HostScreenshot, NothingForAMissingWindow) {
    EXPECT_TRUE(host::CaptureWindow(nullptr).pixels.empty());
    HWND window = CreatePainted(WS_POPUP, 20, 20);
    DestroyWindow(window);
    EXPECT_TRUE(host::CaptureWindow(window).pixels.empty());
    EXPECT_FALSE(host::SaveScreenshot(window, "never-written.png"));
    EXPECT_EQ(GetFileAttributesA("never-written.png"), INVALID_FILE_ATTRIBUTES);
}
