#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <optional>

#include "standins/file_io.h"

namespace standins {
namespace {

WriteStageHook g_writeStageHook = nullptr;

void ReachStage(WriteStage stage) {
    if (g_writeStageHook != nullptr) g_writeStageHook(stage);
}

class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closing can report a deferred write error, so it is checked on the
    // success path.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Makes the rename itself durable; without it a power cut may bring the
// old directory entry back. A failure here leaves a whole file either way.
void SyncDirectory(const std::filesystem::path& dir) {
    UniqueFd fd(::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) ::fsync(fd.get());
}

// The file a chain of symbolic links leads to (which need not exist), so that
// replacing it keeps the links; nullopt for a loop.
std::optional<std::filesystem::path> FollowLinks(std::filesystem::path path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
            return path;
        }
        const std::filesystem::path next = std::filesystem::read_symlink(path, error);
        if (error) return std::nullopt;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return std::nullopt;
}

}  // namespace

void SetWriteStageHook(WriteStageHook hook) { g_writeStageHook = hook; }

ReadStatus FileReader::Open(const std::filesystem::path& path, std::optional<FileReader>& out) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) {
        // A name that is there but leads nowhere (a dangling link) is not a
        // missing file: reading it as one would stand an empty file in for it.
        struct stat entry {};
        return errno == ENOENT && ::lstat(path.c_str(), &entry) != 0 ? ReadStatus::kMissing
                                                                     : ReadStatus::kFailed;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return ReadStatus::kFailed;
    out.emplace(FileReader(fd.release(), static_cast<std::uint64_t>(info.st_size)));
    return ReadStatus::kOk;
}

FileReader::FileReader(FileReader&& other) noexcept : handle_(other.handle_), size_(other.size_) {
    other.handle_ = -1;
}

FileReader& FileReader::operator=(FileReader&& other) noexcept {
    if (this != &other) {
        if (handle_ >= 0) ::close(static_cast<int>(handle_));
        handle_ = other.handle_;
        size_ = other.size_;
        other.handle_ = -1;
    }
    return *this;
}

FileReader::~FileReader() {
    if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

std::optional<std::string> FileReader::ReadAt(std::uint64_t offset, std::size_t length) const {
    std::string bytes(length, '\0');
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::pread(static_cast<int>(handle_), bytes.data() + done, length - done,
                                  static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return std::nullopt;
        done += static_cast<std::size_t>(n);
    }
    return bytes;
}

bool WriteFileAtomically(const std::filesystem::path& link, std::string_view bytes) {
    const std::optional<std::filesystem::path> resolved = FollowLinks(link);
    if (!resolved) return false;
    const std::filesystem::path& target = *resolved;
    std::filesystem::path temp = target;
    temp += ".tmp";
    bool written = false;
    {
        UniqueFd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (!fd.valid()) return false;
        const std::size_t half = bytes.size() / 2;
        if (WriteAll(fd.get(), bytes.data(), half)) {
            ReachStage(WriteStage::kPartlyWritten);
            written = WriteAll(fd.get(), bytes.data() + half, bytes.size() - half) &&
                      ::fsync(fd.get()) == 0 && fd.Close();
        }
    }
    if (!written) {
        ::unlink(temp.c_str());
        return false;
    }
    ReachStage(WriteStage::kFlushed);
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    ReachStage(WriteStage::kReplaced);
    SyncDirectory(target.parent_path());
    return true;
}

bool AppendToFile(const std::filesystem::path& target, std::uint64_t at, std::string_view bytes) {
    UniqueFd fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    struct stat info {};
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::uint64_t>(info.st_size) < at) {
        return false;
    }
    const auto end = static_cast<off_t>(at);
    if (static_cast<std::uint64_t>(info.st_size) > at && ::ftruncate(fd.get(), end) != 0)
        return false;
    const auto writeAt = [&](std::size_t from, std::size_t count) {
        while (count > 0) {
            const ssize_t n =
                ::pwrite(fd.get(), bytes.data() + from, count, end + static_cast<off_t>(from));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            from += static_cast<std::size_t>(n);
            count -= static_cast<std::size_t>(n);
        }
        return true;
    };
    const std::size_t half = bytes.size() / 2;
    bool written = writeAt(0, half);
    if (written) {
        ReachStage(WriteStage::kPartlyWritten);
        written = writeAt(half, bytes.size() - half) && ::fsync(fd.get()) == 0;
    }
    if (!written) {
        if (::ftruncate(fd.get(), end) == 0) ::fsync(fd.get());
        return false;
    }
    ReachStage(WriteStage::kFlushed);
    return true;
}

std::optional<FileLock> FileLock::Acquire(const std::filesystem::path& lockFile,
                                          std::chrono::milliseconds timeout) {
    UniqueFd fd(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (!fd.valid()) return std::nullopt;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        const timespec pause{0, 10'000'000};
        ::nanosleep(&pause, nullptr);
    }
    return FileLock(fd.release());
}

FileLock::FileLock(FileLock&& other) noexcept : handle_(other.handle_) { other.handle_ = -1; }

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = other.handle_;
        other.handle_ = -1;
    }
    return *this;
}

FileLock::~FileLock() { Release(); }

void FileLock::Release() noexcept {
    if (handle_ >= 0) {
        ::close(static_cast<int>(handle_));  // closing drops the flock
        handle_ = -1;
    }
}

}  // namespace standins
