#include <windows.h>

#include <algorithm>
#include <optional>

#include "standins/file_io.h"

namespace standins {
namespace {

WriteStageHook g_writeStageHook = nullptr;

void ReachStage(WriteStage stage) {
    if (g_writeStageHook != nullptr) g_writeStageHook(stage);
}

class UniqueHandle {
public:
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() {
        if (valid()) ::CloseHandle(handle_);
    }
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    bool Close() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return ::CloseHandle(handle) != 0;
    }
    HANDLE release() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }

private:
    HANDLE handle_;
};

bool WriteAll(HANDLE file, const char* data, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!::WriteFile(file, data, chunk, &written, nullptr) || written == 0) return false;
        data += written;
        size -= written;
    }
    return true;
}

// The file that a link (a reparse point) leads to, so that replacing it keeps
// the link; anything else as it is.
std::filesystem::path FollowLinks(const std::filesystem::path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return path;
    }
    UniqueHandle file(::CreateFileW(path.c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return path;
    std::wstring resolved(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetFinalPathNameByHandleW(file.get(), resolved.data(),
                                                    static_cast<DWORD>(resolved.size()), 0);
        if (n == 0) return path;
        if (n < resolved.size()) {
            resolved.resize(n);
            return resolved;
        }
        resolved.resize(n);
    }
}

}  // namespace

void SetWriteStageHook(WriteStageHook hook) { g_writeStageHook = hook; }

ReadStatus FileReader::Open(const std::filesystem::path& path, std::optional<FileReader>& out) {
    // Others may append to the file or rename over it while it is open.
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = ::GetLastError();
        // A name that is there but leads nowhere (a dangling link) is not a
        // missing file.
        const bool missing = (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) &&
                             ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
        return missing ? ReadStatus::kMissing : ReadStatus::kFailed;
    }
    LARGE_INTEGER size{};
    if (::GetFileType(file.get()) != FILE_TYPE_DISK || !::GetFileSizeEx(file.get(), &size)) {
        return ReadStatus::kFailed;
    }
    out.emplace(FileReader(reinterpret_cast<std::intptr_t>(file.release()),
                           static_cast<std::uint64_t>(size.QuadPart)));
    return ReadStatus::kOk;
}

FileReader::FileReader(FileReader&& other) noexcept : handle_(other.handle_), size_(other.size_) {
    other.handle_ = -1;
}

FileReader& FileReader::operator=(FileReader&& other) noexcept {
    if (this != &other) {
        if (handle_ != -1) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
        handle_ = other.handle_;
        size_ = other.size_;
        other.handle_ = -1;
    }
    return *this;
}

FileReader::~FileReader() {
    if (handle_ != -1) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

std::optional<std::string> FileReader::ReadAt(std::uint64_t offset, std::size_t length) const {
    std::string bytes(length, '\0');
    std::size_t done = 0;
    while (done < length) {
        const std::uint64_t at = offset + done;
        OVERLAPPED position{};
        position.Offset = static_cast<DWORD>(at);
        position.OffsetHigh = static_cast<DWORD>(at >> 32);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(length - done, 0x40000000));
        DWORD n = 0;
        if (!::ReadFile(reinterpret_cast<HANDLE>(handle_), bytes.data() + done, chunk, &n,
                        &position) ||
            n == 0) {
            return std::nullopt;
        }
        done += n;
    }
    return bytes;
}

bool WriteFileAtomically(const std::filesystem::path& link, std::string_view bytes) {
    const std::filesystem::path target = FollowLinks(link);
    std::filesystem::path temp = target;
    temp += L".tmp";
    bool written = false;
    {
        UniqueHandle file(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) return false;
        const std::size_t half = bytes.size() / 2;
        if (WriteAll(file.get(), bytes.data(), half)) {
            ReachStage(WriteStage::kPartlyWritten);
            written = WriteAll(file.get(), bytes.data() + half, bytes.size() - half) &&
                      ::FlushFileBuffers(file.get()) && file.Close();
        }
    }
    if (!written) {
        ::DeleteFileW(temp.c_str());
        return false;
    }
    ReachStage(WriteStage::kFlushed);
    if (!::MoveFileExW(temp.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temp.c_str());
        return false;
    }
    ReachStage(WriteStage::kReplaced);
    return true;
}

bool AppendToFile(const std::filesystem::path& target, std::uint64_t at, std::string_view bytes) {
    UniqueHandle file(::CreateFileW(target.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.valid() || ::GetFileType(file.get()) != FILE_TYPE_DISK ||
        !::GetFileSizeEx(file.get(), &size) || static_cast<std::uint64_t>(size.QuadPart) < at) {
        return false;
    }
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(at);
    const auto cutAtEnd = [&] {
        return ::SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) &&
               ::SetEndOfFile(file.get());
    };
    if (!cutAtEnd()) return false;
    const std::size_t half = bytes.size() / 2;
    bool written = WriteAll(file.get(), bytes.data(), half);
    if (written) {
        ReachStage(WriteStage::kPartlyWritten);
        written = WriteAll(file.get(), bytes.data() + half, bytes.size() - half) &&
                  ::FlushFileBuffers(file.get());
    }
    if (!written) {
        if (cutAtEnd()) ::FlushFileBuffers(file.get());
        return false;
    }
    ReachStage(WriteStage::kFlushed);
    return true;
}

std::optional<FileLock> FileLock::Acquire(const std::filesystem::path& lockFile,
                                          std::chrono::milliseconds timeout) {
    UniqueHandle file(::CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return std::nullopt;
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(timeout.count());
    for (;;) {
        OVERLAPPED at{};
        if (::LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                         &at)) {
            break;
        }
        if (::GetTickCount64() >= deadline) return std::nullopt;
        ::Sleep(10);
    }
    return FileLock(reinterpret_cast<std::intptr_t>(file.release()));
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
    if (handle_ != -1) {
        ::CloseHandle(reinterpret_cast<HANDLE>(handle_));  // closing drops the lock
        handle_ = -1;
    }
}

}  // namespace standins
