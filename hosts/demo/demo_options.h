// The demo's command line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kora::demo {

struct DemoOptions {
    bool readOnly = false;  // KORA_OpenDefDialog_ReadOnly instead of KORA_OpenDefDialog
    bool reset = false;     // fresh copies of the samples
    std::optional<std::filesystem::path> translation;  // KORA_SetLumiM17NModule with this file
    std::optional<std::filesystem::path> work;         // working folder
    std::optional<std::filesystem::path> screenshot;   // capture the dialog here, then Cancel
    bool help = false;
};

inline constexpr const char* kDemoUsage =
    "usage: kora4_demo [--read-only] [--lang FILE] [--work FOLDER] [--reset]\n"
    "                  [--screenshot FILE.png]\n"
    "  --read-only       pick an Active singer (KORA_OpenDefDialog_ReadOnly)\n"
    "  --lang FILE       hand the module the texts of FILE (key=text lines, UTF-8),\n"
    "                    e.g. demo-data/translations/ja.txt from the demo's folder\n"
    "  --work FOLDER     working folder (default: demo-work beside the demo)\n"
    "  --reset           start again from fresh copies of the samples\n"
    "  --screenshot FILE save a picture of the dialog once it is shown, then cancel it\n";

// Nothing, with `error` set, for an unknown option or one without its value.
std::optional<DemoOptions> ParseDemoOptions(const std::vector<std::u16string>& args,
                                            std::string* error);

}  // namespace kora::demo
