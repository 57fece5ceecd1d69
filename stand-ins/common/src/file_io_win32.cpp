#include <windows.h>

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

}  // namespace

void SetWriteStageHook(WriteStageHook hook) { g_writeStageHook = hook; }

ReadResult ReadWholeFile(const std::filesystem::path& path) {
    ReadResult result;
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = ::GetLastError();
        result.status = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                            ? ReadStatus::kMissing
                            : ReadStatus::kFailed;
        return result;
    }
    char buffer[64 * 1024];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr)) {
            result.bytes.clear();
            return result;
        }
        if (n == 0) break;
        result.bytes.append(buffer, n);
    }
    result.status = ReadStatus::kOk;
    return result;
}

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
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
