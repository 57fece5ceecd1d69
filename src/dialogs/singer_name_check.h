// Which singer names the edit dialog accepts. Only emptiness, blankness and
// control characters are refused; uniqueness is the lists' matter.
#pragma once

#include <string_view>

namespace kora::dialogs {

// Longest name the edit dialog accepts, in UTF-16 units.
inline constexpr int kMaxSingerNameLength = 255;

enum class SingerNameVerdict {
    Ok,
    Empty,    // nothing at all
    Invalid,  // blank after trimming, or holds a control character
};

// A control code unit: C0, DEL and C1.
bool IsControlUnit(char16_t unit);

// Blank: nothing but spaces, tabs and ideographic spaces (U+3000), which is
// what trimming both ends of them leaves empty. A control unit anywhere
// outside a surrogate pair (a high surrogate followed by a low one) makes
// the name invalid, a tab included.
SingerNameVerdict CheckSingerName(std::u16string_view name);

}  // namespace kora::dialogs
