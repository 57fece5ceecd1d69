// Writes 24-bit RGB images as PNG files (uncompressed deflate blocks: no
// library needed, and screenshots stay small enough).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kora::testhost {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel
};

// False when the file cannot be written.
bool WritePng(const std::wstring& path, const Image& image);

}  // namespace kora::testhost
