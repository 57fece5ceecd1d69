// One run of kora4-singers on its arguments (after the program name): the
// command's reports go to `out`, the reason for a non-zero exit to `err`.
// Returns the exit code; nothing is thrown.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kora::singers {

int RunTool(const std::vector<std::u16string>& args, std::ostream& out, std::ostream& err);

}  // namespace kora::singers
