// printf-style formatting of UTF-16 texts with checked arguments.
//
// Integer conversions d, i, u, o, x, X take flags (- + space # 0), a width,
// a precision and a length modifier (hh, h, l, ll, j, z, t, I, I32, I64); s
// takes the - flag, a width and a precision (also as ls or ws); %% is a
// percent sign. Each conversion takes the next argument, which must be of its
// kind and, for integers, of the size its length modifier reads (l is 32 bits
// as on Windows). Arguments left over are ignored. A format that could read a
// missing or mistyped argument (one too few, of the other kind or size, a *
// width, an unknown conversion) gives no text at all instead of reading what
// is not there: formats can come from the host's text module.
#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kora::ui {

class FormatArg {
public:
    enum class Kind { Integer, Text };

    // An integer keeps the size it is passed with after promotion: types
    // narrower than int travel as int.
    template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char> && !std::same_as<T, wchar_t> &&
             !std::same_as<T, char8_t> && !std::same_as<T, char16_t> && !std::same_as<T, char32_t>)
        FormatArg(T value)
        : kind_(Kind::Integer),
          integer_(static_cast<int64_t>(value)),
          size_(sizeof(T) < sizeof(int) ? sizeof(int) : sizeof(T)) {}
    FormatArg(std::u16string_view text) : kind_(Kind::Text), text_(text) {}
    FormatArg(const std::u16string& text) : kind_(Kind::Text), text_(text) {}
    FormatArg(const char16_t* text)
        : kind_(Kind::Text), text_(text ? std::u16string_view(text) : std::u16string_view()) {}

    Kind kind() const { return kind_; }
    int64_t integer() const { return integer_; }
    size_t size() const { return size_; }  // bytes an integer occupies in a call
    std::u16string_view text() const { return text_; }

private:
    Kind kind_;
    int64_t integer_ = 0;
    size_t size_ = 0;
    std::u16string_view text_;
};

// The formatted text, or nothing when the format does not fit the arguments.
std::optional<std::u16string> FormatWith(std::u16string_view format,
                                         std::span<const FormatArg> args);

template <class... Args>
std::optional<std::u16string> FormatText(std::u16string_view format, const Args&... args) {
    const std::array<FormatArg, sizeof...(Args)> list{FormatArg(args)...};
    return FormatWith(format, list);
}

// "%d" of a number: no sign for positives, no padding.
std::u16string DecimalText(int64_t value);

}  // namespace kora::ui
