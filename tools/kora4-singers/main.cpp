// kora4-singers: checks, imports and exports My Singer information files
// against the voice database, for people who share singer files.
#include <iostream>
#include <string>
#include <vector>

#include "model/text_codec.h"
#include "platform.h"
#include "run_tool.h"

using kora::singers::PrepareConsole;
using kora::singers::RunTool;

#if defined(_WIN32)
int wmain(int argc, wchar_t** argv) {
    PrepareConsole();
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        args.emplace_back(arg.begin(), arg.end());
    }
    return RunTool(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
    PrepareConsole();
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) args.push_back(kora::DecodeUtf8(std::string_view(argv[i])));
    return RunTool(args, std::cout, std::cerr);
}
#endif
