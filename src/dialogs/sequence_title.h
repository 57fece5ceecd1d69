// The title line of the Singer Editor: the last component of the open
// sequence's path, when it has both a name and an extension.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kora::dialogs {

// Units of the path buffer, terminator included: longer paths are cut.
inline constexpr std::size_t kSequencePathUnits = 780;

// Splits the path (cut to the buffer) as the platform's path splitter does:
// an optional drive "X:", the folders up to the last '\\' or '/', and the
// rest, whose last '.' starts the extension. The name followed by the
// extension when both are non-empty; nothing otherwise.
std::optional<std::u16string> SequenceTitle(std::u16string_view path);

}  // namespace kora::dialogs
