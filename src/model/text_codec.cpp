#include "model/text_codec.h"

#include <cstddef>

namespace kora {
namespace {

bool IsContinuation(uint8_t b) { return (b & 0xC0) == 0x80; }

// Decodes one UTF-8 sequence at bytes[i]; returns the bytes it used. An
// ill-formed start yields U+FFFD for its maximal subpart.
std::size_t DecodeUtf8Sequence(std::span<const uint8_t> bytes, std::size_t i, char32_t& out) {
    const uint8_t lead = bytes[i];
    if (lead < 0x80) {
        out = lead;
        return 1;
    }
    std::size_t length = 0;
    uint8_t low = 0x80;
    uint8_t high = 0xBF;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        out = kReplacementCharacter;
        return 1;
    }
    std::size_t used = 1;
    for (; used < length; ++used) {
        if (i + used >= bytes.size()) break;
        const uint8_t b = bytes[i + used];
        const bool inRange = used == 1 ? (b >= low && b <= high) : IsContinuation(b);
        if (!inRange) break;
        value = (value << 6) | (b & 0x3F);
    }
    out = used == length ? value : kReplacementCharacter;
    return used;
}

void AppendCodePoint(std::u16string& text, char32_t c) {
    if (c < 0x10000) {
        text.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        text.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

std::u16string DecodeUtf16Le(std::span<const uint8_t> bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2 + 1);
    const std::size_t units = bytes.size() / 2;
    auto unitAt = [&](std::size_t k) {
        return static_cast<char16_t>(bytes[2 * k] | (bytes[2 * k + 1] << 8));
    };
    for (std::size_t k = 0; k < units; ++k) {
        const char16_t c = unitAt(k);
        if (IsHighSurrogate(c) && k + 1 < units && IsLowSurrogate(unitAt(k + 1))) {
            text.push_back(c);
            text.push_back(unitAt(++k));
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            text.push_back(kReplacementCharacter);
        } else {
            text.push_back(c);
        }
    }
    if (bytes.size() % 2 != 0) text.push_back(kReplacementCharacter);
    return text;
}

}  // namespace

std::u16string DecodeUtf8(std::span<const uint8_t> bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c = 0;
        i += DecodeUtf8Sequence(bytes, i, c);
        AppendCodePoint(text, c);
    }
    return text;
}

std::u16string DecodeUtf8(std::string_view text) {
    return DecodeUtf8({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

std::u16string DecodeFileText(std::span<const uint8_t> bytes) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        return DecodeUtf16Le(bytes.subspan(2));
    }
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        return DecodeUtf8(bytes.subspan(3));
    }
    return DecodeUtf8(bytes);
}

std::string EncodeUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    for (std::size_t k = 0; k < text.size(); ++k) {
        char32_t c = text[k];
        if (IsHighSurrogate(text[k]) && k + 1 < text.size() && IsLowSurrogate(text[k + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[k + 1] - 0xDC00);
            ++k;
        } else if (IsHighSurrogate(text[k]) || IsLowSurrogate(text[k])) {
            c = kReplacementCharacter;
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

bool IsWhiteSpace(char16_t c) {
    switch (c) {
        case u'\t':
        case u'\n':
        case 0x000B:
        case 0x000C:
        case u'\r':
        case u' ':
        case 0x0085:
        case 0x00A0:
        case 0x1680:
        case 0x2028:
        case 0x2029:
        case 0x202F:
        case 0x205F:
        case 0x3000:
            return true;
        default:
            return c >= 0x2000 && c <= 0x200A;
    }
}

std::u16string_view TrimWhiteSpace(std::u16string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsWhiteSpace(text[begin])) ++begin;
    while (end > begin && IsWhiteSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::u16string DecimalText(int32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace kora
