// The bound voice database library: its handle, its 29 entry points and the
// status of binding it.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <utility>

#include "api/dbm_entry.h"
#include "api/dynamic_library.h"

namespace kora::api {

class DbmBinding {
public:
    // Nothing loaded, no entry point, status 0.
    DbmBinding() = default;

    // Loads the library, looks the entry points up in table order and calls
    // DBM_Init. Status: kBindLoadFailed when loading fails; kBindEntryMissing
    // at the first missing entry point (those found before it stay bound, the
    // library stays loaded); otherwise DBM_Init's result, 0 stored as 1.
    static DbmBinding Bind(const std::filesystem::path& library);

    // A moved-from binding is left with nothing loaded and nothing bound.
    DbmBinding(DbmBinding&& other) noexcept;
    DbmBinding& operator=(DbmBinding&& other) noexcept;
    DbmBinding(const DbmBinding&) = delete;
    DbmBinding& operator=(const DbmBinding&) = delete;
    ~DbmBinding() = default;

    int32_t Status() const { return status_; }
    void SetStatus(int32_t status) { status_ = status; }

    bool IsLoaded() const { return library_.IsLoaded(); }
    bool IsBound(DbmEntry entry) const {
        return entries_[static_cast<std::size_t>(Index(entry))] != nullptr;
    }

    // Calls an entry point; nothing (and no call) when it is not bound. The
    // only place where the library's functions are called, DBM_Init aside.
    // A library that throws has not done what was asked: nothing comes back
    // either, and the exception goes no further.
    template <DbmEntry E, class... Args>
    auto Call(Args&&... args) const noexcept
        -> std::optional<decltype(std::declval<DbmEntryFn<E>>()(std::forward<Args>(args)...))> {
        const auto fn = Entry<E>();
        if (fn == nullptr) return std::nullopt;
        try {
            return fn(std::forward<Args>(args)...);
        } catch (...) {
            return std::nullopt;
        }
    }

    // Unloads the library and forgets every entry point; false when the
    // platform refused to unload it.
    bool ReleaseLibrary();

private:
    template <DbmEntry E>
    DbmEntryFn<E> Entry() const {
        return reinterpret_cast<DbmEntryFn<E>>(entries_[static_cast<std::size_t>(Index(E))]);
    }

    int32_t status_ = 0;
    DynamicLibrary library_;
    std::array<DynamicLibrary::Proc, kDbmEntryPointCount> entries_{};
};

// Where KORA_Init loads the library from: kDbmLibraryName unless a test set
// another path. Not exported from the module.
std::filesystem::path DbmLibraryPath();
// An empty path goes back to kDbmLibraryName.
void SetDbmLibraryPathForTesting(std::filesystem::path path);

}  // namespace kora::api
