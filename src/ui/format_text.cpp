#include "ui/format_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace kora::ui {
namespace {

// Wider fields than this come only from a hostile or broken format; they
// would make texts no message box can show.
constexpr int kMaxFieldWidth = 1024;

enum class Length { None, Hh, H, L, Ll, J, Z, T, I, I32, I64, W };

struct Directive {
    bool left = false;       // -
    bool plus = false;       // +
    bool space = false;      // ' '
    bool alternate = false;  // #
    bool zero = false;       // 0
    int width = 0;
    int precision = -1;  // -1: none given
    Length length = Length::None;
    char16_t conversion = 0;
};

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// A run of digits at `i`; false when it is wider than any field may be.
bool ReadNumber(std::u16string_view format, size_t& i, int& number) {
    number = 0;
    while (i < format.size() && IsDigit(format[i])) {
        number = number * 10 + (format[i++] - u'0');
        if (number > kMaxFieldWidth) return false;
    }
    return true;
}

Length ReadLength(std::u16string_view format, size_t& i) {
    static constexpr std::pair<std::u16string_view, Length> kLengths[] = {
        {u"hh", Length::Hh}, {u"ll", Length::Ll}, {u"I64", Length::I64}, {u"I32", Length::I32},
        {u"h", Length::H},   {u"l", Length::L},   {u"j", Length::J},     {u"z", Length::Z},
        {u"t", Length::T},   {u"I", Length::I},   {u"w", Length::W}};
    for (const auto& [text, length] : kLengths) {
        if (format.substr(i, text.size()) == text) {
            i += text.size();
            return length;
        }
    }
    return Length::None;
}

// Bytes an integer conversion reads with this length modifier (l: 32 bits,
// as on Windows); 0 when no integer conversion takes the modifier.
size_t IntegerSize(Length length) {
    switch (length) {
        case Length::None:
        case Length::Hh:
        case Length::H:
        case Length::L:
        case Length::I32:
            return sizeof(int32_t);
        case Length::Ll:
        case Length::I64:
            return sizeof(int64_t);
        case Length::J:
            return sizeof(intmax_t);
        case Length::Z:
        case Length::I:
            return sizeof(size_t);
        case Length::T:
            return sizeof(ptrdiff_t);
        case Length::W:
            break;
    }
    return 0;
}

// hh and h print the argument converted to a char or short.
int PrintedBits(Length length) {
    if (length == Length::Hh) return 8;
    if (length == Length::H) return 16;
    return 8 * static_cast<int>(IntegerSize(length));
}

// The conversion directive after a '%'; nothing for any that might
// read an argument we cannot vouch for.
std::optional<Directive> ReadDirective(std::u16string_view format, size_t& i) {
    Directive directive;
    for (; i < format.size(); ++i) {
        const char16_t c = format[i];
        if (c == u'-') {
            directive.left = true;
        } else if (c == u'+') {
            directive.plus = true;
        } else if (c == u' ') {
            directive.space = true;
        } else if (c == u'#') {
            directive.alternate = true;
        } else if (c == u'0') {
            directive.zero = true;
        } else {
            break;
        }
    }
    if (!ReadNumber(format, i, directive.width)) return std::nullopt;
    if (i < format.size() && format[i] == u'.') {
        ++i;
        if (!ReadNumber(format, i, directive.precision)) return std::nullopt;
    }
    directive.length = ReadLength(format, i);
    if (i >= format.size()) return std::nullopt;
    directive.conversion = format[i];
    return directive;
}

bool IsIntegerConversion(char16_t c) {
    return c == u'd' || c == u'i' || c == u'u' || c == u'o' || c == u'x' || c == u'X';
}

std::u16string Digits(uint64_t magnitude, unsigned base, bool upper) {
    const char16_t* digits = upper ? u"0123456789ABCDEF" : u"0123456789abcdef";
    std::u16string text;
    do {
        text.push_back(digits[magnitude % base]);
        magnitude /= base;
    } while (magnitude != 0);
    std::reverse(text.begin(), text.end());
    return text;
}

void Pad(std::u16string& out, std::u16string_view body, const Directive& directive, char16_t fill,
         size_t prefixLength) {
    const size_t width = static_cast<size_t>(directive.width);
    if (body.size() >= width) {
        out += body;
    } else if (directive.left) {
        out += body;
        out.append(width - body.size(), u' ');
    } else if (fill == u'0') {
        // Zeros go between the sign or radix prefix and the digits.
        out += body.substr(0, prefixLength);
        out.append(width - body.size(), u'0');
        out += body.substr(prefixLength);
    } else {
        out.append(width - body.size(), u' ');
        out += body;
    }
}

void FormatInteger(std::u16string& out, const Directive& directive, int64_t value) {
    const bool isSigned = directive.conversion == u'd' || directive.conversion == u'i';
    const int bits = PrintedBits(directive.length);
    // The bits the callee reads: the argument's low `bits`, signed or not.
    const uint64_t mask = bits >= 64 ? ~uint64_t{0} : (uint64_t{1} << bits) - 1;
    uint64_t raw = static_cast<uint64_t>(value) & mask;
    bool negative = false;
    if (isSigned && bits < 64 && (raw >> (bits - 1)) != 0) {
        negative = true;
        raw = (~raw + 1) & mask;
    } else if (isSigned && bits == 64 && value < 0) {
        negative = true;
        raw = 0 - static_cast<uint64_t>(value);
    }
    const unsigned base = directive.conversion == u'o'                 ? 8
                          : (directive.conversion == u'u' || isSigned) ? 10
                                                                       : 16;

    std::u16string digits = directive.precision == 0 && raw == 0
                                ? std::u16string()
                                : Digits(raw, base, directive.conversion == u'X');
    if (directive.precision > 0 && digits.size() < static_cast<size_t>(directive.precision)) {
        digits.insert(0, static_cast<size_t>(directive.precision) - digits.size(), u'0');
    }
    std::u16string prefix;
    if (negative) {
        prefix = u"-";
    } else if (isSigned && directive.plus) {
        prefix = u"+";
    } else if (isSigned && directive.space) {
        prefix = u" ";
    }
    if (directive.alternate && base == 8 && (digits.empty() || digits.front() != u'0')) {
        digits.insert(0, 1, u'0');
    } else if (directive.alternate && base == 16 && raw != 0) {
        prefix += directive.conversion == u'X' ? u"0X" : u"0x";
    }
    const char16_t fill =
        directive.zero && !directive.left && directive.precision < 0 ? u'0' : u' ';
    Pad(out, prefix + digits, directive, fill, prefix.size());
}

void FormatText(std::u16string& out, const Directive& directive, std::u16string_view text) {
    if (directive.precision >= 0) text = text.substr(0, static_cast<size_t>(directive.precision));
    Pad(out, text, directive, u' ', 0);
}

}  // namespace

std::u16string DecimalText(int64_t value) {
    // Widen through the unsigned magnitude so the most negative value works.
    const uint64_t magnitude =
        value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    std::u16string text = Digits(magnitude, 10, false);
    if (value < 0) text.insert(text.begin(), u'-');
    return text;
}

std::optional<std::u16string> FormatWith(std::u16string_view format,
                                         std::span<const FormatArg> args) {
    std::u16string out;
    out.reserve(format.size() + 16);
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != u'%') {
            out.push_back(format[i]);
            continue;
        }
        ++i;
        if (i < format.size() && format[i] == u'%') {
            out.push_back(u'%');
            continue;
        }
        const std::optional<Directive> directive = ReadDirective(format, i);
        if (!directive || next == args.size()) return std::nullopt;
        const FormatArg& arg = args[next++];
        const Length length = directive->length;
        if (IsIntegerConversion(directive->conversion) && arg.kind() == FormatArg::Kind::Integer &&
            IntegerSize(length) == arg.size()) {
            FormatInteger(out, *directive, arg.integer());
        } else if (directive->conversion == u's' && arg.kind() == FormatArg::Kind::Text &&
                   (length == Length::None || length == Length::L || length == Length::W)) {
            FormatText(out, *directive, arg.text());
        } else {
            return std::nullopt;
        }
    }
    return out;
}

}  // namespace kora::ui
