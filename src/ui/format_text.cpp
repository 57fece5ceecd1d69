#include "ui/format_text.h"

namespace kora::ui {

std::u16string DecimalText(int64_t value) {
    // Widen through the unsigned magnitude so the most negative value works.
    uint64_t magnitude =
        value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    char16_t digits[24];
    size_t n = 0;
    do {
        digits[n++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    std::u16string text;
    if (value < 0) text.push_back(u'-');
    while (n > 0) text.push_back(digits[--n]);
    return text;
}

std::optional<std::u16string> FormatWith(std::u16string_view format,
                                         std::span<const FormatArg> args) {
    std::u16string out;
    out.reserve(format.size() + 16);
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        char16_t c = format[i];
        if (c != u'%') {
            out.push_back(c);
            continue;
        }
        if (++i == format.size()) return std::nullopt;
        char16_t conversion = format[i];
        if (conversion == u'%') {
            out.push_back(u'%');
            continue;
        }
        if (next == args.size()) return std::nullopt;
        const FormatArg& arg = args[next++];
        if ((conversion == u'd' || conversion == u'i') && arg.kind() == FormatArg::Kind::Integer) {
            out += DecimalText(arg.integer());
        } else if (conversion == u's' && arg.kind() == FormatArg::Kind::Text) {
            out += arg.text();
        } else {
            return std::nullopt;
        }
    }
    return out;
}

}  // namespace kora::ui
