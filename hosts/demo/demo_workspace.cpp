#include "demo_workspace.h"

#include <system_error>

namespace kora::demo {
namespace fs = std::filesystem;

namespace {

bool CopyIn(const fs::path& from, const fs::path& to, bool reset, std::string* error) {
    std::error_code ec;
    if (!reset && fs::exists(to, ec)) return true;
    if (!fs::is_regular_file(from, ec)) {
        *error = "sample missing: " + from.string();
        return false;
    }
    // Removed first: the mingw runtime's overwriting copy refuses an
    // existing target.
    fs::remove(to, ec);
    fs::copy_file(from, to, ec);
    if (ec) *error = "cannot copy " + from.string() + " to " + to.string() + ": " + ec.message();
    return !ec;
}

}  // namespace

std::optional<Workspace> PrepareWorkspace(const fs::path& samples, const fs::path& work, bool reset,
                                          std::string* error) {
    std::string ignored;
    if (error == nullptr) error = &ignored;
    Workspace workspace{work / kSequenceFileName, work / "vbank4"};
    std::error_code ec;
    if (reset) {
        // Only what the demo and the database put there: the folder may hold
        // anything else of the user's.
        for (const char* name : {"store.backup.json", "registry.json", "store.lock",
                                 "store.json.tmp", "registry.json.tmp", "store.backup.json.tmp"}) {
            fs::remove(workspace.database / name, ec);
        }
    }
    fs::create_directories(workspace.database, ec);
    if (ec) {
        *error = "cannot create " + workspace.database.string() + ": " + ec.message();
        return std::nullopt;
    }
    if (!CopyIn(samples / "sequence.json", workspace.sequence, reset, error) ||
        !CopyIn(samples / "vbank4" / "catalog.json", workspace.database / "catalog.json", reset,
                error) ||
        !CopyIn(samples / "vbank4" / "store.json", workspace.database / "store.json", reset,
                error)) {
        return std::nullopt;
    }
    return workspace;
}

}  // namespace kora::demo
