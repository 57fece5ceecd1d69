// kora4-singers: checks, imports and exports My Singer information files
// against the voice database, for people who share singer files.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "command_line.h"
#include "commands.h"
#include "model/text_codec.h"
#include "platform.h"
#include "tool_error.h"

namespace {

using namespace kora::singers;

int Run(const std::vector<std::u16string>& args) {
    try {
        const CommandLine line = ParseCommandLine(args);
        switch (line.kind) {
            case CommandKind::Help:
                std::cout << UsageText();
                return kExitOk;
            case CommandKind::Check:
                return RunCheck(line, std::cout, std::cerr);
            case CommandKind::Import:
                return RunImport(line, std::cout, std::cerr);
            case CommandKind::Export:
                return RunExport(line, std::cout, std::cerr);
        }
        return kExitUsage;
    } catch (const ToolError& error) {
        std::cout.flush();
        std::cerr << "kora4-singers: " << error.what() << "\n";
        return error.ExitCode();
    } catch (const std::exception& error) {
        std::cout.flush();
        std::cerr << "kora4-singers: unexpected failure: " << error.what() << "\n";
        return kExitInternal;
    }
}

}  // namespace

#if defined(_WIN32)
int wmain(int argc, wchar_t** argv) {
    PrepareConsole();
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        args.emplace_back(arg.begin(), arg.end());
    }
    return Run(args);
}
#else
int main(int argc, char** argv) {
    PrepareConsole();
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) args.push_back(kora::DecodeUtf8(std::string_view(argv[i])));
    return Run(args);
}
#endif
