#include "file_io.h"

#include <array>
#include <cerrno>
#include <memory>
#include <system_error>
#include <utility>

#include "model/text_codec.h"

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kora {
namespace {

namespace fs = std::filesystem;

FileWriteFault& Fault() {
    static FileWriteFault fault;
    return fault;
}

bool Fails(FileWriteStep step) { return Fault() && Fault()(step); }

std::optional<fs::path> ToPath(const std::u16string& path) {
    if (path.empty() || path.find(u'\0') != std::u16string::npos) return std::nullopt;
#if defined(_WIN32)
    return fs::path(std::wstring(path.begin(), path.end()));
#else
    return fs::path(EncodeUtf8(path));
#endif
}

std::FILE* OpenForReading(const fs::path& path) {
#if defined(_WIN32)
    return _wfopen(path.c_str(), L"rb");
#else
    return std::fopen(path.c_str(), "rb");
#endif
}

std::FILE* OpenInPlace(const fs::path& path) {
#if defined(_WIN32)
    return _wfopen(path.c_str(), L"wb");
#else
    return std::fopen(path.c_str(), "wb");
#endif
}

// A file that did not exist, opened for writing; null when the name is
// taken (errno EEXIST) or the file cannot be made. On POSIX it takes the
// permissions of the file it is to replace.
std::FILE* CreateNew(const fs::path& path, const fs::path& replacing) {
#if defined(_WIN32)
    (void)replacing;
    int fd = -1;
    if (_wsopen_s(&fd, path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYNO,
                  _S_IREAD | _S_IWRITE) != 0) {
        return nullptr;
    }
    std::FILE* file = _wfdopen(fd, L"wb");
    if (file == nullptr) _close(fd);
    return file;
#else
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    struct stat existing {};
    if (::stat(replacing.c_str(), &existing) == 0) ::fchmod(fd, existing.st_mode & 07777);
    std::FILE* file = ::fdopen(fd, "wb");
    if (file == nullptr) ::close(fd);
    return file;
#endif
}

// A file the user may not write is not replaced behind their back either.
bool IsWritable(const fs::path& path) {
#if defined(_WIN32)
    return _waccess(path.c_str(), 2) == 0;
#else
    return ::access(path.c_str(), W_OK) == 0;
#endif
}

bool SyncToDisk(std::FILE* file) {
#if defined(_WIN32)
    return _commit(_fileno(file)) == 0;
#else
    return ::fsync(::fileno(file)) == 0;
#endif
}

// Puts `from` in the place of `to` in one step.
bool ReplaceFile(const fs::path& from, const fs::path& to) {
#if defined(_WIN32)
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    if (std::rename(from.c_str(), to.c_str()) != 0) return false;
    // The new name lasts once the folder is on the disk too.
    const fs::path folder = to.has_parent_path() ? to.parent_path() : fs::path(".");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return true;
#endif
}

// Where a path really leads: the file a symbolic link names is the one
// replaced, not the link.
fs::path Resolved(const fs::path& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) return path;
    fs::path real = fs::weakly_canonical(path, error);
    return error ? path : real;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

FileRead ReadFileBytes(const std::u16string& path, std::size_t limit) {
    FileRead read;
    const auto native = ToPath(path);
    std::unique_ptr<std::FILE, FileCloser> file(native ? OpenForReading(*native) : nullptr);
    if (!file) {
        read.error = FileReadError::CannotRead;
        return read;
    }
    // A file that says it is too large is refused before a byte is read;
    // one that grows while read (or tells no size) is refused at the limit.
    std::error_code error;
    if (const auto size = fs::file_size(*native, error); !error && size > limit) {
        read.error = FileReadError::TooLarge;
        return read;
    }
    std::array<uint8_t, std::size_t{64} * 1024> chunk{};
    for (;;) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
        if (got > limit - read.bytes.size()) {
            read = {{}, FileReadError::TooLarge};
            return read;
        }
        read.bytes.insert(read.bytes.end(), chunk.begin(),
                          chunk.begin() + static_cast<std::ptrdiff_t>(got));
        if (got < chunk.size()) break;
    }
    if (std::ferror(file.get())) read = {{}, FileReadError::CannotRead};
    return read;
}

void SetFileWriteFaultForTesting(FileWriteFault fault) { Fault() = std::move(fault); }

SingerFileWriter::~SingerFileWriter() { Discard(); }

bool SingerFileWriter::Open(const std::u16string& path) {
    Discard();
    failed_ = false;
    const auto native = ToPath(path);
    if (!native || Fails(FileWriteStep::Create)) return false;
    target_ = Resolved(*native);
    std::error_code error;
    const fs::file_status status = fs::status(target_, error);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        file_ = OpenInPlace(target_);
    } else if (!fs::exists(status) || IsWritable(target_)) {
        // A name of our own beside the target, never one that exists.
        for (unsigned attempt = 0; attempt < 100 && file_ == nullptr; ++attempt) {
            fs::path candidate = target_;
            candidate += ".kora4-" + std::to_string(attempt) + ".tmp";
            file_ = CreateNew(candidate, target_);
            if (file_ != nullptr) temporary_ = std::move(candidate);
            if (file_ == nullptr && errno != EEXIST) break;
        }
    }
    if (file_ == nullptr) return false;
    static constexpr unsigned char kByteOrderMark[] = {0xEF, 0xBB, 0xBF};
    return WriteBytes(kByteOrderMark, sizeof kByteOrderMark);
}

bool SingerFileWriter::WriteBytes(const void* data, std::size_t size) {
    if (file_ == nullptr || failed_) return false;
    if (Fails(FileWriteStep::Write) || std::fwrite(data, 1, size, file_) != size) failed_ = true;
    return !failed_;
}

bool SingerFileWriter::Write(std::u16string_view piece) {
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
    return WriteBytes(bytes.data(), bytes.size());
}

bool SingerFileWriter::CloseFile() {
    std::FILE* file = std::exchange(file_, nullptr);
    if (file == nullptr) return true;
    const bool refused = Fails(FileWriteStep::Close);
    const bool closed = std::fclose(file) == 0;
    return closed && !refused;
}

bool SingerFileWriter::Commit() {
    if (file_ == nullptr) return false;
    // Bytes still buffered reach the file here: a failure now is a failed write.
    const bool flushed = !failed_ && !Fails(FileWriteStep::Flush) && std::fflush(file_) == 0 &&
                         (temporary_.empty() || SyncToDisk(file_));
    const bool closed = CloseFile();
    if (!flushed || !closed) {
        Discard();
        return false;
    }
    if (temporary_.empty()) return true;
    if (Fails(FileWriteStep::Replace) || !ReplaceFile(temporary_, target_)) {
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void SingerFileWriter::Discard() {
    CloseFile();
    if (!temporary_.empty()) {
        std::error_code error;
        fs::remove(temporary_, error);
        temporary_.clear();
    }
}

}  // namespace kora
