#include "platform.h"

#include <cstdlib>
#include <system_error>
#include <vector>

#include "kora4/vbank4.h"
#include "model/text_codec.h"
#include "tool_error.h"

#if defined(_WIN32)
#include <windows.h>  // lean, without min and max: see CMakeLists.txt
#endif

namespace kora::singers {
namespace {

constexpr char16_t kDatabaseFolderVariable[] = u"VBANK4_HOME";

#if defined(_WIN32)
std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
#endif

}  // namespace

std::optional<std::u16string> ExecutablePath() {
#if defined(_WIN32)
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (size == 0) return std::nullopt;
        if (size < buffer.size()) return std::u16string(buffer.begin(), buffer.begin() + size);
        if (buffer.size() >= 32768) return std::nullopt;
        buffer.resize(buffer.size() * 2);
    }
#else
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || path.empty()) return std::nullopt;
    return DecodeUtf8(path.native());
#endif
}

void SetDatabaseFolder(const std::u16string& folder) {
    // The library reads the variable through the C runtime when DBM_Init runs.
#if defined(_WIN32)
    const std::wstring assignment = Wide(kDatabaseFolderVariable) + L"=" + Wide(folder);
    const bool set = ::_wputenv(assignment.c_str()) == 0;
#else
    const bool set =
        folder.find(u'\0') == std::u16string::npos &&
        ::setenv(EncodeUtf8(kDatabaseFolderVariable).c_str(), EncodeUtf8(folder).c_str(), 1) == 0;
#endif
    if (!set) throw ToolError(kExitUsage, "cannot use the folder " + EncodeUtf8(folder));
}

std::filesystem::path ToPath(const std::u16string& path) {
#if defined(_WIN32)
    return std::filesystem::path(Wide(path));
#else
    return std::filesystem::path(EncodeUtf8(path));
#endif
}

std::string PathText(const std::filesystem::path& path) {
#if defined(_WIN32)
    const std::wstring& wide = path.native();
    return EncodeUtf8(std::u16string(wide.begin(), wide.end()));
#else
    return path.native();
#endif
}

std::filesystem::path DefaultLibraryPath() {
    // Beside the program by its full path: a sanitizer's interception of
    // dlopen would otherwise hide the program's own run path.
    std::filesystem::path name(kDbmLibraryName);
    if (const auto program = ExecutablePath()) {
        std::filesystem::path beside = ToPath(*program).parent_path() / name;
        std::error_code error;
        if (std::filesystem::is_regular_file(beside, error)) return beside;
    }
    return name;
}

void PrepareConsole() {
#if defined(_WIN32)
    ::SetConsoleOutputCP(CP_UTF8);
#endif
}

}  // namespace kora::singers
