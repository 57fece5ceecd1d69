// Text conversions every part shares: UTF-8 and UTF-16, the My Singer
// information file's bytes, white space and decimal numbers.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kora {

inline constexpr char16_t kReplacementCharacter = u'\uFFFD';

// The text of a file's bytes. FF FE at the start: UTF-16LE; otherwise
// UTF-8, with its mark EF BB BF skipped when present. Ill-formed input
// never fails: each maximal ill-formed UTF-8 subsequence, each unpaired
// UTF-16 surrogate and a final odd byte become one U+FFFD.
std::u16string DecodeFileText(std::span<const uint8_t> bytes);

// UTF-16 of UTF-8 bytes, no mark looked for; ill-formed input as above.
std::u16string DecodeUtf8(std::span<const uint8_t> bytes);
std::u16string DecodeUtf8(std::string_view text);

// UTF-8 of a UTF-16 text; an unpaired surrogate becomes U+FFFD.
std::string EncodeUtf8(std::u16string_view text);

// Unicode White_Space (tabs, line ends, spaces of every width).
bool IsWhiteSpace(char16_t c);

// The text without white space at either end.
std::u16string_view TrimWhiteSpace(std::u16string_view text);

// A 32-bit value as signed decimal text.
std::u16string DecimalText(int32_t value);

}  // namespace kora
