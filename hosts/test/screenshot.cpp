#include "screenshot.h"

namespace kora::testhost {
namespace {

class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

class MemoryBitmap {
public:
    MemoryBitmap(HDC screen, int width, int height)
        : dc_(CreateCompatibleDC(screen)), bitmap_(CreateCompatibleBitmap(screen, width, height)) {
        if (dc_ && bitmap_) old_ = SelectObject(dc_, bitmap_);
    }
    ~MemoryBitmap() {
        if (old_) SelectObject(dc_, old_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    MemoryBitmap(const MemoryBitmap&) = delete;
    MemoryBitmap& operator=(const MemoryBitmap&) = delete;
    bool ok() const { return old_ != nullptr; }
    // GetDIBits wants the bitmap outside any device context.
    void Deselect() {
        if (old_) SelectObject(dc_, old_);
        old_ = nullptr;
    }
    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_ = nullptr;
};

}  // namespace

Image CaptureWindow(HWND window) {
    RECT rect = {};
    if (!GetWindowRect(window, &rect)) return {};
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return {};
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // Let the display catch up with the painting.
    for (int i = 0; i < 10; ++i) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(20);
    }

    ScreenDc screen;
    MemoryBitmap memory(screen.get(), width, height);
    if (!memory.ok()) return {};
    // A shown window as the screen has it, its children included (Wine's
    // PrintWindow paints the background only); a hidden one paints itself.
    if (!IsWindowVisible(window) ||
        !BitBlt(memory.dc(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY))
        PrintWindow(window, memory.dc(), 0);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::string bgra(static_cast<size_t>(width) * height * 4, '\0');
    memory.Deselect();
    if (!GetDIBits(screen.get(), memory.bitmap(), 0, static_cast<UINT>(height), bgra.data(), &info,
                   DIB_RGB_COLORS))
        return {};
    Image image{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
    for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) {
        image.rgb[i * 3 + 0] = static_cast<uint8_t>(bgra[i * 4 + 2]);
        image.rgb[i * 3 + 1] = static_cast<uint8_t>(bgra[i * 4 + 1]);
        image.rgb[i * 3 + 2] = static_cast<uint8_t>(bgra[i * 4 + 0]);
    }
    return image;
}

bool SaveScreenshot(HWND window, const std::wstring& folder, const std::wstring& name) {
    const Image image = CaptureWindow(window);
    if (image.rgb.empty()) return false;
    CreateDirectoryW(folder.c_str(), nullptr);
    return WritePng(folder + L"\\" + name + L".png", image);
}

}  // namespace kora::testhost
