#include "api/dynamic_library.h"

#include <bit>
#include <utility>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace kora::api {
namespace {

#if defined(_WIN32)
HMODULE AsModule(void* handle) { return static_cast<HMODULE>(handle); }
#endif

}  // namespace

DynamicLibrary DynamicLibrary::Open(const std::filesystem::path& path) {
#if defined(_WIN32)
    return DynamicLibrary(static_cast<void*>(LoadLibraryW(path.c_str())));
#else
    return DynamicLibrary(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
#endif
}

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

DynamicLibrary::~DynamicLibrary() { Release(); }

DynamicLibrary::Proc DynamicLibrary::Symbol(const char* name) const {
    if (handle_ == nullptr || name == nullptr) return nullptr;
#if defined(_WIN32)
    return std::bit_cast<Proc>(GetProcAddress(AsModule(handle_), name));
#else
    return std::bit_cast<Proc>(dlsym(handle_, name));
#endif
}

bool DynamicLibrary::Release() {
    void* handle = std::exchange(handle_, nullptr);
    if (handle == nullptr) return true;
#if defined(_WIN32)
    return FreeLibrary(AsModule(handle)) != 0;
#else
    return dlclose(handle) == 0;
#endif
}

}  // namespace kora::api
