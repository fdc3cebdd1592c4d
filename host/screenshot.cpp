#include "screenshot.h"

namespace host {

namespace {

// A device context from GetWindowDC, released on every path.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~WindowDc() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A memory device context holding a top-down 32-bit DIB section; the bitmap is put back
// out of the context before both are deleted.
class DibCanvas {
public:
    DibCanvas(HDC reference, int width, int height) : dc_(CreateCompatibleDC(reference)) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<const DWORD*>(bits);
        if (dc_ && bitmap_)
            previous_ = SelectObject(dc_, bitmap_);
    }
    ~DibCanvas() {
        if (previous_)
            SelectObject(dc_, previous_);
        if (bitmap_)
            DeleteObject(bitmap_);
        if (dc_)
            DeleteDC(dc_);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;
    bool valid() const { return previous_ != nullptr && bits_ != nullptr; }
    HDC dc() const { return dc_; }
    const DWORD* bits() const { return bits_; } // 0x00RRGGBB

private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    const DWORD* bits_ = nullptr;
};

} // namespace

RgbImage CaptureWindow(HWND window) {
    RgbImage image;
    RECT frame;
    if (!IsWindow(window) || !GetWindowRect(window, &frame))
        return image;
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0)
        return image;
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();

    WindowDc source(window);
    if (!source.get())
        return image;
    DibCanvas canvas(source.get(), width, height);
    if (!canvas.valid() || !BitBlt(canvas.dc(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY))
        return image;
    GdiFlush();

    image.width = width;
    image.height = height;
    image.pixels.reserve(static_cast<std::size_t>(width) * height * 3);
    const DWORD* pixel = canvas.bits();
    for (int i = 0; i < width * height; ++i, ++pixel) {
        image.pixels.push_back(static_cast<std::uint8_t>(*pixel >> 16));
        image.pixels.push_back(static_cast<std::uint8_t>(*pixel >> 8));
        image.pixels.push_back(static_cast<std::uint8_t>(*pixel));
    }
    return image;
}

bool SaveScreenshot(HWND window, const std::string& path) {
    const RgbImage image = CaptureWindow(window);
    return WritePng(image, path);
}

} // namespace host
