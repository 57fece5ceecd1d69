// Texts into the fixed fields of DBM_VVOICE_INFO.
#pragma once

#include <string_view>

#include "kora4/vbank4.h"

namespace kora {

// Copies the text and its terminator, zeroing the rest of the field. A
// text of kDbmTextField units or more, or one with a null unit in it, would
// not come back as it went in: nothing is written and false is returned.
bool CopyTextToField(std::u16string_view text, char16_t (&field)[kDbmTextField]);

}  // namespace kora
