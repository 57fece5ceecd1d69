// Whole-file reads and crash-safe whole-file writes.
//
// A write goes to "<target>.tmp", is flushed to the disk, and then renamed
// over the target in one step, so a crash at any moment leaves either the old
// or the new file whole under the target's name.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace standins {

// A file could not be read or written.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class ReadStatus { kOk, kMissing, kFailed };

struct ReadResult {
    ReadStatus status = ReadStatus::kFailed;
    std::string bytes;
};

ReadResult ReadWholeFile(const std::filesystem::path& path);

// False when any step fails; the target is then untouched and the
// temporary file removed.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// Points of a write at which a test may stop the process, to show that the
// target survives a crash there.
enum class WriteStage {
    kPartlyWritten,  // half of the new bytes are in the temporary file
    kFlushed,        // the temporary file is complete and on the disk
    kReplaced,       // the temporary file has been renamed over the target
};
using WriteStageHook = void (*)(WriteStage stage);

// Test seam: called at every stage of every later write. Null removes it.
void SetWriteStageHook(WriteStageHook hook);

// An exclusive advisory lock on a lock file, held until destruction.
// Serializes the writers of one folder across processes.
class FileLock {
public:
    static std::optional<FileLock> Acquire(const std::filesystem::path& lockFile,
                                           std::chrono::milliseconds timeout);
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

private:
    explicit FileLock(std::intptr_t handle) : handle_(handle) {}
    void Release() noexcept;
    std::intptr_t handle_;
};

}  // namespace standins
