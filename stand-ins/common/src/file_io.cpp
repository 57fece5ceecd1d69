// The parts of file_io.h that need no system call of their own: built on
// FileReader, which each platform's file implements.
#include <cstddef>
#include <optional>
#include <utility>

#include "standins/file_io.h"

namespace standins {

ReadResult ReadWholeFile(const std::filesystem::path& path, std::uint64_t maxBytes) {
    ReadResult result;
    std::optional<FileReader> file;
    result.status = FileReader::Open(path, file);
    if (result.status != ReadStatus::kOk) return result;
    if (file->Size() > maxBytes) {
        result.status = ReadStatus::kTooLarge;
        return result;
    }
    auto bytes = file->ReadAt(0, static_cast<std::size_t>(file->Size()));
    if (!bytes) {
        result.status = ReadStatus::kFailed;
        return result;
    }
    result.bytes = std::move(*bytes);
    return result;
}

}  // namespace standins
