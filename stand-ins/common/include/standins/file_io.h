// Whole-file reads, crash-safe whole-file writes and appends.
//
// A write goes to "<target>.tmp", is flushed to the disk, and then renamed
// over the target in one step, so a crash at any moment leaves either the old
// or the new file whole under the target's name. A target that is a symbolic
// link stays one: the file it leads to is replaced.
//
// A name that exists but leads to no file (a dangling link) reads as a
// failure, never as a missing file.
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

// Largest file the stand-ins read: far above any real catalog, store or
// sequence (a sequence of 16,384 voices takes about 14 MB), and small enough
// for a 32-bit process to hold.
inline constexpr std::uint64_t kMaxFileBytes = std::uint64_t{64} << 20;

enum class ReadStatus { kOk, kMissing, kFailed, kTooLarge };

struct ReadResult {
    ReadStatus status = ReadStatus::kFailed;
    std::string bytes;
};

// A file larger than `maxBytes` is refused (kTooLarge) before it is read.
ReadResult ReadWholeFile(const std::filesystem::path& path, std::uint64_t maxBytes = kMaxFileBytes);

// A regular file open for reading at any offset. It stays the file that was
// opened, whatever is renamed over its name meanwhile.
class FileReader {
public:
    static ReadStatus Open(const std::filesystem::path& path, std::optional<FileReader>& out);
    FileReader(FileReader&& other) noexcept;
    FileReader& operator=(FileReader&& other) noexcept;
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;
    ~FileReader();

    std::uint64_t Size() const { return size_; }  // when opened
    // Exactly `length` bytes from `offset`, or nullopt.
    std::optional<std::string> ReadAt(std::uint64_t offset, std::size_t length) const;

private:
    FileReader(std::intptr_t handle, std::uint64_t size) : handle_(handle), size_(size) {}
    std::intptr_t handle_;
    std::uint64_t size_;
};

// False when any step fails; the target is then untouched and the
// temporary file removed.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// Writes `bytes` at offset `at` of an existing file, which ends there
// afterwards (whatever followed `at` is cut off first), and flushes them. The
// file must be at least `at` long. False when any step fails; a failed append
// cuts off what it wrote when it can.
bool AppendToFile(const std::filesystem::path& target, std::uint64_t at, std::string_view bytes);

// Points of a write at which a test may stop the process, to show that the
// target survives a crash there.
enum class WriteStage {
    kPartlyWritten,  // half of the new bytes are in the temporary file, or appended
    kFlushed,        // the temporary file, or the append, is complete and on the disk
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
