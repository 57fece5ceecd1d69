#include "demo_options.h"

#include "standins/utf.h"

namespace kora::demo {

std::optional<DemoOptions> ParseDemoOptions(const std::vector<std::u16string>& args,
                                            std::string* error) {
    DemoOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::u16string& arg = args[i];
        auto value = [&]() -> std::optional<std::filesystem::path> {
            if (i + 1 >= args.size()) return std::nullopt;
            return std::filesystem::path(args[++i]);
        };
        std::optional<std::filesystem::path>* target = nullptr;
        if (arg == u"--read-only") {
            options.readOnly = true;
        } else if (arg == u"--reset") {
            options.reset = true;
        } else if (arg == u"--help" || arg == u"-h") {
            options.help = true;
        } else if (arg == u"--lang") {
            target = &options.translation;
        } else if (arg == u"--work") {
            target = &options.work;
        } else if (arg == u"--screenshot") {
            target = &options.screenshot;
        } else {
            if (error != nullptr) *error = "unknown option " + standins::Utf16ToUtf8(arg);
            return std::nullopt;
        }
        if (target != nullptr) {
            *target = value();
            if (!target->has_value()) {
                if (error != nullptr) *error = standins::Utf16ToUtf8(arg) + " needs a value";
                return std::nullopt;
            }
        }
    }
    return options;
}

}  // namespace kora::demo
