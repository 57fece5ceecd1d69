#include "standins/utf.h"

#include <cstdint>

namespace standins {
namespace {

void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// What a lead byte promises: the number of continuation bytes, its payload
// bits, and the range the first continuation byte must fall in (this is what
// excludes overlong forms, surrogates and values above U+10FFFF).
struct LeadByte {
    int continuations = -1;  // -1: not a lead byte
    char32_t bits = 0;
    uint8_t firstLow = 0x80;
    uint8_t firstHigh = 0xBF;
};

LeadByte Classify(uint8_t b) {
    if (b >= 0xC2 && b <= 0xDF) return {1, static_cast<char32_t>(b & 0x1F)};
    if (b == 0xE0) return {2, 0, 0xA0, 0xBF};
    if (b == 0xED) return {2, 0x0D, 0x80, 0x9F};
    if (b >= 0xE1 && b <= 0xEF) return {2, static_cast<char32_t>(b & 0x0F)};
    if (b == 0xF0) return {3, 0, 0x90, 0xBF};
    if (b >= 0xF1 && b <= 0xF3) return {3, static_cast<char32_t>(b & 0x07)};
    if (b == 0xF4) return {3, 4, 0x80, 0x8F};
    return {};
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<uint8_t>(utf8[i]);
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        const LeadByte lead = Classify(b);
        if (lead.continuations < 0) {
            out.push_back(kReplacementCharacter);
            ++i;
            continue;
        }
        char32_t cp = lead.bits;
        std::size_t j = i + 1;
        bool complete = true;
        for (int k = 0; k < lead.continuations; ++k, ++j) {
            if (j >= utf8.size()) {
                complete = false;
                break;
            }
            const auto c = static_cast<uint8_t>(utf8[j]);
            const uint8_t low = k == 0 ? lead.firstLow : 0x80;
            const uint8_t high = k == 0 ? lead.firstHigh : 0xBF;
            if (c < low || c > high) {
                complete = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        if (complete) {
            AppendUtf16(out, cp);
        } else {
            out.push_back(kReplacementCharacter);
        }
        i = j;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t u = utf16[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            const char32_t cp = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) +
                                (static_cast<char32_t>(utf16[i + 1]) - 0xDC00);
            AppendUtf8(out, cp);
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            AppendUtf8(out, kReplacementCharacter);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

}  // namespace standins
