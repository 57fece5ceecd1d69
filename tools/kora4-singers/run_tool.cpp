#include "run_tool.h"

#include <exception>

#include "command_line.h"
#include "commands.h"
#include "tool_error.h"

namespace kora::singers {

int RunTool(const std::vector<std::u16string>& args, std::ostream& out, std::ostream& err) {
    try {
        const CommandLine line = ParseCommandLine(args);
        switch (line.kind) {
            case CommandKind::Help:
                out << UsageText();
                return kExitOk;
            case CommandKind::Check:
                return RunCheck(line, out, err);
            case CommandKind::Import:
                return RunImport(line, out, err);
            case CommandKind::Export:
                return RunExport(line, out, err);
        }
        return kExitUsage;
    } catch (const ToolError& error) {
        out.flush();
        err << "kora4-singers: " << error.what() << "\n";
        return error.ExitCode();
    } catch (const std::exception& error) {
        out.flush();
        err << "kora4-singers: unexpected failure: " << error.what() << "\n";
        return kExitInternal;
    } catch (...) {
        out.flush();
        err << "kora4-singers: unexpected failure\n";
        return kExitInternal;
    }
}

}  // namespace kora::singers
