// libFuzzer target: the command line of kora4-singers. The input is the
// argument list, arguments separated by NUL bytes and read as UTF-8. Every
// list either is refused with a usage error or gives a command line that
// keeps the tool's rules and reads back the same from its plain form.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "model/text_codec.h"
#include "tool_error.h"

namespace {

using namespace kora::singers;

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

std::vector<std::u16string> Arguments(std::string_view bytes) {
    std::vector<std::u16string> args;
    while (!bytes.empty()) {
        const auto end = bytes.find('\0');
        args.push_back(kora::DecodeUtf8(bytes.substr(0, end)));
        bytes = end == std::string_view::npos ? std::string_view{} : bytes.substr(end + 1);
    }
    return args;
}

const char16_t* CommandName(CommandKind kind) {
    switch (kind) {
        case CommandKind::Check:
            return u"check";
        case CommandKind::Import:
            return u"import";
        case CommandKind::Export:
            return u"export";
        case CommandKind::Help:
            break;
    }
    return u"";
}

// The same command line with every option in its "--name=value" form and
// the file after "--".
std::vector<std::u16string> PlainForm(const CommandLine& line) {
    std::vector<std::u16string> args = {CommandName(line.kind)};
    if (line.databaseFolder) {
        args.push_back((line.kind == CommandKind::Check ? u"--catalog=" : u"--store=") +
                       *line.databaseFolder);
    }
    if (line.library) args.push_back(u"--library=" + *line.library);
    if (line.force) args.push_back(u"--force");
    args.push_back(u"--");
    args.push_back(line.file);
    return args;
}

bool Same(const CommandLine& a, const CommandLine& b) {
    return a.kind == b.kind && a.file == b.file && a.databaseFolder == b.databaseFolder &&
           a.library == b.library && a.force == b.force;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::vector<std::u16string> args =
        Arguments(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto optionsEnd = std::find(args.begin(), args.end(), u"--");
    const bool asksForHelp = std::any_of(args.begin(), optionsEnd, [](const std::u16string& a) {
        return a == u"--help" || a == u"-h";
    });
    CommandLine line;
    try {
        line = ParseCommandLine(args);
    } catch (const ToolError& error) {
        Require(error.ExitCode() == kExitUsage && !asksForHelp);
        Require(std::string_view(error.what()).ends_with("(see kora4-singers --help)"));
        return 0;
    }
    Require((line.kind == CommandKind::Help) == asksForHelp);
    if (line.kind == CommandKind::Help) return 0;
    Require(args.front() == CommandName(line.kind));
    Require(!line.file.empty() && std::find(args.begin(), args.end(), line.file) != args.end());
    Require(!line.force || line.kind == CommandKind::Export);
    Require(!line.databaseFolder || !line.databaseFolder->empty());
    Require(!line.library || !line.library->empty());
    Require(Same(ParseCommandLine(PlainForm(line)), line));
    return 0;
}
