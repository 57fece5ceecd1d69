// What a status of the module's exports means, for the demo's report.
#pragma once

#include <cstdint>
#include <string>

namespace kora::demo {

// "0x83094000" and the like: eight upper-case hexadecimal digits.
std::string StatusHex(uint32_t status);

// A short meaning of every status the exports return; "unknown status" for
// any other value.
std::string StatusMeaning(uint32_t status);

}  // namespace kora::demo
