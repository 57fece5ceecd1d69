#include "capture.h"

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <string_view>
#include <vector>

namespace kora::demo {
namespace {

BOOL CALLBACK TakeDialog(HWND window, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (IsWindowVisible(window) && std::wstring_view(name) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The first visible dialog window of the thread.
HWND FindDialog(DWORD thread) {
    HWND found = nullptr;
    EnumThreadWindows(thread, TakeDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

DWORD WINAPI WatchForDialog(void* capture);

class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_ != nullptr) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

class MemoryDc {
public:
    explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDc() {
        if (dc_ != nullptr) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

class Bitmap {
public:
    Bitmap(HDC like, int width, int height)
        : bitmap_(CreateCompatibleBitmap(like, width, height)) {}
    ~Bitmap() {
        if (bitmap_ != nullptr) DeleteObject(bitmap_);
    }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    HBITMAP get() const { return bitmap_; }

private:
    HBITMAP bitmap_;
};

class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

template <class T>
void Put(std::ofstream& out, T value) {
    out.write(reinterpret_cast<const char*>(&value), sizeof value);
}

bool SaveWindow(HWND window, const std::filesystem::path& path) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) return false;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;

    ScreenDc screen;
    MemoryDc memory(screen.get());
    Bitmap bitmap(screen.get(), width, height);
    if (memory.get() == nullptr || bitmap.get() == nullptr) return false;
    {
        Selection selected(memory.get(), bitmap.get());
        if (!PrintWindow(window, memory.get(), 0)) return false;
    }

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as the file stores it
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    std::vector<uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
    if (GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(),
                  reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) != height) {
        return false;
    }

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const uint32_t offset = sizeof(BITMAPFILEHEADER) + sizeof header;
    Put<uint16_t>(out, 0x4D42);  // "BM"
    Put<uint32_t>(out, offset + static_cast<uint32_t>(pixels.size()));
    Put<uint32_t>(out, 0);
    Put<uint32_t>(out, offset);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(pixels.data()),
              static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

}  // namespace

DialogCapture::DialogCapture(unsigned long uiThread, std::filesystem::path bitmap, int timeoutMs)
    : uiThread_(uiThread), bitmap_(std::move(bitmap)), timeoutMs_(timeoutMs) {
    thread_ = CreateThread(nullptr, 0, WatchForDialog, this, 0, nullptr);
}

DialogCapture::~DialogCapture() { Join(); }

void DialogCapture::Join() {
    if (thread_ == nullptr) return;
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
}

bool DialogCapture::Saved() {
    stop_ = true;
    Join();
    return saved_;
}

void DialogCapture::Watch() {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(timeoutMs_);
    HWND dialog = nullptr;
    while (dialog == nullptr && !stop_ && steady_clock::now() < deadline) {
        Sleep(100);
        dialog = FindDialog(uiThread_);
    }
    if (dialog == nullptr) return;
    // Let the lists fill and the window paint before the picture.
    Sleep(1500);
    saved_ = SaveWindow(dialog, bitmap_);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

namespace {

DWORD WINAPI WatchForDialog(void* capture) {
    static_cast<DialogCapture*>(capture)->Watch();
    return 0;
}

}  // namespace

}  // namespace kora::demo
