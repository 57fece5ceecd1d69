#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

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

}  // namespace

void SetWriteStageHook(WriteStageHook hook) { g_writeStageHook = hook; }

ReadResult ReadWholeFile(const std::filesystem::path& path) {
    ReadResult result;
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) {
        result.status = errno == ENOENT ? ReadStatus::kMissing : ReadStatus::kFailed;
        return result;
    }
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            result.bytes.clear();
            return result;
        }
        if (n == 0) break;
        result.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    result.status = ReadStatus::kOk;
    return result;
}

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
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
