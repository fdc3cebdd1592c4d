#include "window_capture.h"

#include "gdi_guard.h"

#include <gdiplus.h>

#include <memory>
#include <type_traits>

namespace host {

WindowPixels CaptureWindow(HWND window, bool withFrame) {
    WindowPixels image;
    RECT area;
    if (!IsWindow(window) ||
        !(withFrame ? GetWindowRect(window, &area) : GetClientRect(window, &area)))
        return image;
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return image;
    HDC source = withFrame ? GetWindowDC(window) : GetDC(window);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    // Declared before the guards, so deleted after they have put the memory DC's bitmap back.
    const std::unique_ptr<std::remove_pointer_t<HBITMAP>, decltype(&DeleteObject)> bitmap(
        CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0), &DeleteObject);
    MemoryDC memory(source);
    SelectedObject selected(memory.get(), bitmap.get());
    if (bitmap && BitBlt(memory.get(), 0, 0, width, height, source, 0, 0, SRCCOPY)) {
        GdiFlush();
        const DWORD* first = static_cast<const DWORD*>(bits);
        image.pixels.assign(first, first + static_cast<std::size_t>(width) * height);
        image.width = width;
        image.height = height;
    }
    ReleaseDC(window, source);
    return image;
}

namespace {

namespace gdip = Gdiplus::DllExports;

// GDI+ for the lifetime of the process, started at the first use.
bool StartGdiplus() {
    static const bool started = [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    return started;
}

bool PngEncoder(CLSID* encoder) {
    UINT count = 0, bytes = 0;
    if (gdip::GdipGetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0)
        return false;
    std::vector<unsigned char> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (gdip::GdipGetImageEncoders(count, bytes, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i)
        if (lstrcmpiW(codecs[i].MimeType, L"image/png") == 0) {
            *encoder = codecs[i].Clsid;
            return true;
        }
    return false;
}

} // namespace

bool SavePng(const WindowPixels& image, const std::string& path) {
    CLSID encoder;
    if (image.pixels.empty() || !StartGdiplus() || !PngEncoder(&encoder))
        return false;
    std::wstring widePath(path.size() + 1, L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &widePath[0],
                                           static_cast<int>(widePath.size()));
    // The bitmap reads the pixels in place: 0x00RRGGBB little-endian is GDI+'s 32bppRGB.
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (length == 0 || gdip::GdipCreateBitmapFromScan0(
                           image.width, image.height, image.width * 4, PixelFormat32bppRGB,
                           reinterpret_cast<BYTE*>(const_cast<DWORD*>(image.pixels.data())),
                           &bitmap) != Gdiplus::Ok)
        return false;
    const bool saved =
        gdip::GdipSaveImageToFile(bitmap, widePath.c_str(), &encoder, nullptr) == Gdiplus::Ok;
    gdip::GdipDisposeImage(bitmap);
    return saved;
}

} // namespace host
