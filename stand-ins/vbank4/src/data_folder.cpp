#include <cstdlib>

#include "vbank4/database.h"

namespace vbank4 {
namespace {

#if defined(_WIN32)
std::optional<std::filesystem::path> Variable(const wchar_t* name) {
    const wchar_t* value = ::_wgetenv(name);
    if (value == nullptr || *value == L'\0') return std::nullopt;
    return std::filesystem::path(value);
}
#else
std::optional<std::filesystem::path> Variable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::filesystem::path(value);
}
#endif

}  // namespace

std::optional<std::filesystem::path> DataFolder() {
#if defined(_WIN32)
    if (auto home = Variable(L"VBANK4_HOME")) return home;
    if (auto appData = Variable(L"APPDATA")) return *appData / L"vbank4";
#else
    if (auto home = Variable("VBANK4_HOME")) return home;
    if (auto data = Variable("XDG_DATA_HOME"); data && data->is_absolute()) return *data / "vbank4";
    if (auto user = Variable("HOME")) return *user / ".local" / "share" / "vbank4";
#endif
    return std::nullopt;
}

}  // namespace vbank4
