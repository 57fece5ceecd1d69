// UTF-8 <-> UTF-16 conversion for the stand-ins' files.
//
// Both directions are total: an ill-formed sequence becomes U+FFFD, so a bad
// byte never stops a read nor a write. UTF-8 input is decoded by the
// "maximal subpart" rule (each maximal ill-formed prefix of a would-be
// sequence yields one U+FFFD); an unpaired surrogate in UTF-16 input yields
// one U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace standins {

inline constexpr char16_t kReplacementCharacter = u'\uFFFD';

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace standins
