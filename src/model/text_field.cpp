#include "model/text_field.h"

#include <algorithm>

namespace kora {
namespace {

constexpr bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

bool CopyToField(std::span<char16_t> field, std::u16string_view text) {
    if (field.empty()) return false;
    const std::size_t room = field.size() - 1;
    std::size_t length = std::min(text.size(), room);
    const bool fits = length == text.size();
    if (!fits && length > 0 && IsHighSurrogate(text[length - 1])) --length;
    std::copy_n(text.data(), length, field.data());
    std::fill(field.begin() + static_cast<std::ptrdiff_t>(length), field.end(), u'\0');
    return fits;
}

std::u16string ReadField(std::span<const char16_t> field) {
    const auto end = std::find(field.begin(), field.end(), u'\0');
    return std::u16string(field.begin(), end);
}

}  // namespace kora
