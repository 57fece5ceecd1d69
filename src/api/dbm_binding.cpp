#include "api/dbm_binding.h"

#include "kora4/kora4.h"

namespace kora::api {
namespace {

std::filesystem::path& LibraryPathOverride() {
    static std::filesystem::path path;
    return path;
}

}  // namespace

DbmBinding DbmBinding::Bind(const std::filesystem::path& library) {
    DbmBinding binding;
    binding.library_ = DynamicLibrary::Open(library);
    if (!binding.library_.IsLoaded()) {
        binding.status_ = static_cast<int32_t>(kora4::kBindLoadFailed);
        return binding;
    }
    for (int i = 0; i < kDbmEntryPointCount; ++i) {
        const DynamicLibrary::Proc proc = binding.library_.Symbol(kDbmEntryPointNames[i]);
        if (proc == nullptr) {
            binding.status_ = static_cast<int32_t>(kora4::kBindEntryMissing);
            return binding;
        }
        binding.entries_[static_cast<std::size_t>(i)] = proc;
    }
    // Called unguarded: a DBM_Init that throws leaves nothing bound, and
    // KORA_Init answers it as an unexpected failure.
    const int32_t result = binding.Entry<DbmEntry::Init>()();
    binding.status_ = result == 0 ? 1 : result;
    return binding;
}

DbmBinding::DbmBinding(DbmBinding&& other) noexcept
    : status_(std::exchange(other.status_, 0)),
      library_(std::move(other.library_)),
      entries_(std::exchange(other.entries_, {})) {}

DbmBinding& DbmBinding::operator=(DbmBinding&& other) noexcept {
    if (this != &other) {
        entries_ = std::exchange(other.entries_, {});
        library_ = std::move(other.library_);
        status_ = std::exchange(other.status_, 0);
    }
    return *this;
}

bool DbmBinding::ReleaseLibrary() {
    entries_.fill(nullptr);
    return library_.Release();
}

std::filesystem::path DbmLibraryPath() {
    const std::filesystem::path& path = LibraryPathOverride();
    return path.empty() ? std::filesystem::path(kDbmLibraryName) : path;
}

void SetDbmLibraryPathForTesting(std::filesystem::path path) {
    LibraryPathOverride() = std::move(path);
}

}  // namespace kora::api
