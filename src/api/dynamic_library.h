// A loaded shared library (dlopen natively, LoadLibraryW on Windows), owned:
// released when the owner goes unless released before. The module binds the
// database through it; the hosts and the database's smoke load libraries
// through it too.
#pragma once

#include <filesystem>

namespace kora::api {

class DynamicLibrary {
public:
    // The one type symbols are handed out as; callers cast to the real type.
    using Proc = void (*)();

    DynamicLibrary() = default;
    // The library at `path` (a bare file name takes the platform's normal
    // search); not loaded when that fails.
    static DynamicLibrary Open(const std::filesystem::path& path);

    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;
    ~DynamicLibrary();

    bool IsLoaded() const { return handle_ != nullptr; }
    // The exported symbol `name`, or null when it is missing or nothing is
    // loaded.
    Proc Symbol(const char* name) const;
    // The symbol as the function type it has; null as Symbol gives it.
    template <class Fn>
    Fn Function(const char* name) const {
        return reinterpret_cast<Fn>(Symbol(name));
    }
    // The platform's handle (an HMODULE on Windows); null when nothing is
    // loaded.
    void* Handle() const { return handle_; }
    // Unloads the library; false when the platform refused. The handle is
    // given up either way; true when nothing was loaded.
    bool Release();

private:
    explicit DynamicLibrary(void* handle) : handle_(handle) {}
    void* handle_ = nullptr;
};

}  // namespace kora::api
