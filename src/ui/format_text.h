// printf-style formatting of UTF-16 texts with checked arguments.
//
// The format may hold %d (or %i) for a whole number, %s for a text and %%
// for a percent sign; nothing else (no flags, widths or other conversions).
// Each placeholder takes the next argument, which must be of its kind;
// arguments left over are ignored. A format that breaks these rules (a
// placeholder without an argument, of the other kind, or unknown) gives no
// text at all instead of reading what is not there: formats can come from
// the host's text module.
#pragma once

#include <array>
#include <concepts>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kora::ui {

class FormatArg {
public:
    enum class Kind { Integer, Text };

    template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char> && !std::same_as<T, wchar_t> &&
             !std::same_as<T, char8_t> && !std::same_as<T, char16_t> && !std::same_as<T, char32_t>)
        FormatArg(T value)
        : kind_(Kind::Integer), integer_(static_cast<int64_t>(value)) {}
    FormatArg(std::u16string_view text) : kind_(Kind::Text), text_(text) {}
    FormatArg(const std::u16string& text) : kind_(Kind::Text), text_(text) {}
    FormatArg(const char16_t* text)
        : kind_(Kind::Text), text_(text ? std::u16string_view(text) : std::u16string_view()) {}

    Kind kind() const { return kind_; }
    int64_t integer() const { return integer_; }
    std::u16string_view text() const { return text_; }

private:
    Kind kind_;
    int64_t integer_ = 0;
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
