#include "screenshot.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace kora::testhost {
namespace {

uint32_t Crc32(const uint8_t* data, size_t size) {
    uint32_t crc = ~0u;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return ~crc;
}

void PutBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PutBig32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBig32(out, Crc32(out.data() + start, out.size() - start));
}

// PNG of stored (uncompressed) deflate blocks: no library needed.
std::vector<uint8_t> Png(int width, int height, const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t pos = 0;
    do {
        const size_t n = std::min<size_t>(65535, raw.size() - pos);
        z.insert(z.end(), {static_cast<uint8_t>(pos + n == raw.size()), static_cast<uint8_t>(n),
                           static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(~n),
                           static_cast<uint8_t>(~n >> 8)});
        z.insert(z.end(), raw.begin() + static_cast<long>(pos),
                 raw.begin() + static_cast<long>(pos + n));
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(z, (b << 16) | a);
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBig32(header, static_cast<uint32_t>(width));
    PutBig32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", {});
    return png;
}

}  // namespace

bool SaveScreenshot(HWND window, const std::wstring& folder, const std::wstring& name) {
    RECT rect = {};
    if (!GetWindowRect(window, &rect)) return false;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    for (int i = 0; i < 10; ++i) {  // the display catches up with the painting
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(20);
    }
    const std::unique_ptr<HDC__, void (*)(HDC)> screen(GetDC(nullptr),
                                                       [](HDC dc) { ReleaseDC(nullptr, dc); });
    const std::unique_ptr<HDC__, decltype(&DeleteDC)> memory(CreateCompatibleDC(screen.get()),
                                                             DeleteDC);
    const std::unique_ptr<HBITMAP__, void (*)(HBITMAP)> bitmap(
        CreateCompatibleBitmap(screen.get(), width, height), [](HBITMAP b) { DeleteObject(b); });
    if (!memory || !bitmap) return false;
    HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
    // A shown window as the screen has it, children included (Wine's
    // PrintWindow paints the background only); a hidden one paints itself.
    if (!IsWindowVisible(window) ||
        !BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY))
        PrintWindow(window, memory.get(), 0);
    SelectObject(memory.get(), old);  // GetDIBits wants the bitmap unselected
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint8_t> bgra(static_cast<size_t>(width) * height * 4);
    if (!GetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(height), bgra.data(), &info,
                   DIB_RGB_COLORS))
        return false;
    std::vector<uint8_t> raw;  // rows of filter 0 and RGB
    for (size_t i = 0; i < bgra.size(); i += 4) {
        if (i % (static_cast<size_t>(width) * 4) == 0) raw.push_back(0);
        raw.insert(raw.end(), {bgra[i + 2], bgra[i + 1], bgra[i]});
    }
    const std::vector<uint8_t> png = Png(width, height, raw);
    CreateDirectoryW(folder.c_str(), nullptr);
    FILE* file = _wfopen((folder + L"\\" + name + L".png").c_str(), L"wb");
    if (!file) return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace kora::testhost
