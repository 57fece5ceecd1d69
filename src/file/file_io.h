// The file system edge of the My Singer information file. Paths are UTF-16:
// _wfopen on Windows, the UTF-8 path elsewhere.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "singer_file_writer.h"

namespace kora {

enum class FileReadError {
    CannotRead,  // cannot be opened or read
    TooLarge,    // holds more bytes than the caller takes
};

struct FileRead {
    std::vector<uint8_t> bytes;
    std::optional<FileReadError> error;  // set: bytes is empty
};

// The whole content of a file of at most `limit` bytes; a larger file is
// refused as soon as its reading passes the limit.
FileRead ReadFileBytes(const std::u16string& path, std::size_t limit);

// The steps of writing a file, as a test may make them fail.
enum class FileWriteStep { Create, Write, Flush, Close, Replace };
// Asked before each step; true makes the step fail as the system would.
using FileWriteFault = std::function<bool(FileWriteStep)>;
// For tests only; an empty function lets every step run.
void SetFileWriteFaultForTesting(FileWriteFault fault);

// A file written as UTF-8 with its byte-order mark, every "\n" as CR LF,
// whole or not at all: the pieces go to a new file beside the target, which
// takes the target's place only when every byte is written, flushed to the
// disk and the file closed. Anything less leaves the target as it was and
// removes the new file. A target that exists and is no regular file (a
// device, a pipe) is written in place, as there is nothing to keep.
class SingerFileWriter final : public SingerFileSink {
public:
    SingerFileWriter() = default;
    // Discards what was not committed.
    ~SingerFileWriter();
    SingerFileWriter(const SingerFileWriter&) = delete;
    SingerFileWriter& operator=(const SingerFileWriter&) = delete;

    // Creates the new file and writes the byte-order mark; false when it
    // cannot be created (IsOpen() false) or the mark cannot be written.
    bool Open(const std::u16string& path);
    bool Write(std::u16string_view piece) override;
    // Flushes, closes and puts the new file in the target's place; false,
    // with the target untouched, when any of that or an earlier write failed.
    bool Commit();
    // Closes and removes the new file.
    void Discard();
    bool IsOpen() const { return file_ != nullptr; }

private:
    bool WriteBytes(const void* data, std::size_t size);
    bool CloseFile();

    std::FILE* file_ = nullptr;
    std::filesystem::path target_;
    std::filesystem::path temporary_;  // empty when writing in place
    bool failed_ = false;
};

}  // namespace kora
