// The command line of kora4-singers: what to do, on which file, with which
// voice database.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kora::singers {

enum class CommandKind { Help, Check, Import, Export };

struct CommandLine {
    CommandKind kind = CommandKind::Help;
    std::u16string file;
    std::optional<std::u16string> databaseFolder;  // --catalog (check) or --store
    std::optional<std::u16string> library;         // --library
    bool force = false;                            // export: replace an existing file
};

// The arguments after the program name. A wrong command line throws
// ToolError with kExitUsage; --help anywhere asks for the usage text.
CommandLine ParseCommandLine(const std::vector<std::u16string>& args);

std::string UsageText();

}  // namespace kora::singers
