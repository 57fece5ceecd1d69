#include "file_io.h"

#include <array>
#include <memory>

#include "model/text_codec.h"

namespace kora {
namespace {

std::FILE* OpenFile(const std::u16string& path, bool forWriting) {
    if (path.empty()) return nullptr;
#if defined(_WIN32)
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    return _wfopen(reinterpret_cast<const wchar_t*>(path.c_str()), forWriting ? L"wb" : L"rb");
#else
    if (path.find(u'\0') != std::u16string::npos) return nullptr;
    return std::fopen(EncodeUtf8(path).c_str(), forWriting ? "wb" : "rb");
#endif
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::u16string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(OpenFile(path, false));
    if (!file) return std::nullopt;
    std::vector<uint8_t> bytes;
    std::array<uint8_t, 64 * 1024> chunk{};
    for (;;) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
        if (got < chunk.size()) break;
    }
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}

SingerFileWriter::~SingerFileWriter() { Close(); }

bool SingerFileWriter::Open(const std::u16string& path) {
    Close();
    file_ = OpenFile(path, true);
    if (!file_) return false;
    static constexpr unsigned char kByteOrderMark[] = {0xEF, 0xBB, 0xBF};
    return std::fwrite(kByteOrderMark, 1, sizeof kByteOrderMark, file_) == sizeof kByteOrderMark;
}

bool SingerFileWriter::Write(std::u16string_view piece) {
    if (!file_) return false;
    std::string bytes;
    bytes.reserve(piece.size() + 8);
    std::size_t start = 0;
    while (start <= piece.size()) {
        const auto end = piece.find(u'\n', start);
        bytes += EncodeUtf8(piece.substr(start, end - start));
        if (end == std::u16string_view::npos) break;
        bytes += "\r\n";
        start = end + 1;
    }
    return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
}

bool SingerFileWriter::Close() {
    if (!file_) return true;
    const bool flushed = std::fflush(file_) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return flushed && closed;
}

}  // namespace kora
