// The file system edge of the My Singer information file. Paths are UTF-16:
// _wfopen on Windows, the UTF-8 path elsewhere.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "singer_file_writer.h"

namespace kora {

// The whole content of a file; nothing when it cannot be opened or read.
std::optional<std::vector<uint8_t>> ReadFileBytes(const std::u16string& path);

// A file being written as UTF-8 with its byte-order mark, every "\n" as
// CR LF. Each piece goes to the C runtime as it comes; a failed write is
// reported by Write, a failed final flush by Close.
class SingerFileWriter final : public SingerFileSink {
public:
    SingerFileWriter() = default;
    ~SingerFileWriter();
    SingerFileWriter(const SingerFileWriter&) = delete;
    SingerFileWriter& operator=(const SingerFileWriter&) = delete;

    // Creates (or replaces) the file and writes the byte-order mark.
    bool Open(const std::u16string& path);
    bool Write(std::u16string_view piece) override;
    bool Close();
    bool IsOpen() const { return file_ != nullptr; }

private:
    std::FILE* file_ = nullptr;
};

}  // namespace kora
