// The three commands of kora4-singers. Each returns its exit code; a failure
// that ends a command early is thrown as ToolError.
#pragma once

#include <ostream>

#include "command_line.h"

namespace kora::singers {

// Reports go to `out`, the reasons for a non-zero exit to `err`.
int RunCheck(const CommandLine& line, std::ostream& out, std::ostream& err);
int RunImport(const CommandLine& line, std::ostream& out, std::ostream& err);
int RunExport(const CommandLine& line, std::ostream& out, std::ostream& err);

}  // namespace kora::singers
