#include "record_text.h"

#include <algorithm>

namespace kora {

bool CopyTextToField(std::u16string_view text, char16_t (&field)[kDbmTextField]) {
    if (text.size() >= kDbmTextField || text.find(u'\0') != std::u16string_view::npos) {
        return false;
    }
    std::fill(std::begin(field), std::end(field), u'\0');
    std::copy(text.begin(), text.end(), field);
    return true;
}

}  // namespace kora
