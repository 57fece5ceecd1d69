// Sizes that the module states in pixels are pixels at 96 DPI (Windows'
// 100 % setting); a dialog laid out at another DPI scales them by its own.
#pragma once

#include <cstdint>

namespace kora::ui {

inline constexpr int kDefaultDpi = 96;

// `pixels` at 96 DPI in pixels at `dpi`, rounded to the nearest (halves
// away from zero) as MulDiv rounds: the same value at 96 DPI.
constexpr int ScaleForDpi(int pixels, int dpi) {
    const int64_t product = int64_t{pixels} * dpi;
    const int64_t half = kDefaultDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kDefaultDpi
                                         : (product - half) / kDefaultDpi);
}

}  // namespace kora::ui
