// Fixed-size, null-terminated UTF-16 fields such as those of DBM_VVOICE_INFO.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace kora {

// Copies `text` into `field` and terminates it; never writes past the field.
// A text that does not fit is cut to the field's size less one (and never in
// the middle of a surrogate pair); the result then is false. An empty field
// cannot hold even the terminator: nothing is written and the result is
// false.
bool CopyToField(std::span<char16_t> field, std::u16string_view text);

template <std::size_t N>
bool CopyToField(char16_t (&field)[N], std::u16string_view text) {
    return CopyToField(std::span<char16_t>(field, N), text);
}

// The text of a field up to its terminator, or the whole field when it has
// none: a record from outside cannot make the reader run past it.
std::u16string ReadField(std::span<const char16_t> field);

template <std::size_t N>
std::u16string ReadField(const char16_t (&field)[N]) {
    return ReadField(std::span<const char16_t>(field, N));
}

}  // namespace kora
