// UTF-8 and UTF-16 conversions of the in-memory toolkit (resource script
// text, failure messages). Malformed input becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace kora::ui::headless {

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace kora::ui::headless
