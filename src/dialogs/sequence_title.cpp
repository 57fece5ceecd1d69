#include "dialogs/sequence_title.h"

namespace kora::dialogs {

std::optional<std::u16string> SequenceTitle(std::u16string_view path) {
    path = path.substr(0, kSequencePathUnits - 1);
    if (path.size() >= 2 && path[1] == u':') path.remove_prefix(2);
    const std::size_t slash = path.find_last_of(u"\\/");
    const std::u16string_view last =
        slash == std::u16string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = last.rfind(u'.');
    if (dot == std::u16string_view::npos || dot == 0) return std::nullopt;
    // The extension holds at least its dot, so only the name can be empty.
    return std::u16string(last);
}

}  // namespace kora::dialogs
