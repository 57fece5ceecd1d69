// The failures that end a command, each with the exit code that names its
// kind; main turns them into a message on standard error.
#pragma once

#include <stdexcept>
#include <string>

namespace kora::singers {

// Exit codes, also listed by --help.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRejected = 1;  // the singer file is rejected at a line
inline constexpr int kExitUsage = 2;     // the command line is wrong
inline constexpr int kExitFile = 3;      // a file cannot be read or written
inline constexpr int kExitDatabase = 4;  // the voice database failed or refused a change
inline constexpr int kExitInternal = 5;  // anything else (out of memory, say)

class ToolError : public std::runtime_error {
public:
    ToolError(int exitCode, const std::string& message)
        : std::runtime_error(message), exitCode_(exitCode) {}
    int ExitCode() const { return exitCode_; }

private:
    int exitCode_;
};

}  // namespace kora::singers
