// The tests' own handle on a purpose-made database library: it keeps the
// library loaded while the module binds and releases it, so its call log
// and answers stay readable.
#pragma once

#include <dlfcn.h>

#include <cstdint>
#include <stdexcept>
#include <string>

class FakeLibrary {
public:
    explicit FakeLibrary(std::string path, int32_t initResult = 0) : path_(std::move(path)) {
        handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle_ == nullptr) throw std::runtime_error("cannot load " + path_);
        Get<void (*)(int32_t)>("FakeDbm_Reset")(initResult);
    }
    FakeLibrary(const FakeLibrary&) = delete;
    FakeLibrary& operator=(const FakeLibrary&) = delete;
    ~FakeLibrary() { Close(); }

    const std::string& Path() const { return path_; }
    std::string CallLog() const { return Get<const char* (*)()>("FakeDbm_CallLog")(); }
    void SetDefaultVirtualVoice(int32_t bank, int32_t program, int32_t result) const {
        Get<void (*)(int32_t, int32_t, int32_t)>("FakeDbm_SetDefaultVirtualVoice")(bank, program,
                                                                                   result);
    }
    void SetThrowing(bool init, bool del) const {
        Get<void (*)(int32_t, int32_t)>("FakeDbm_SetThrowing")(init, del);
    }
    // Gives up the test's handle, so that only the module's keeps it loaded.
    void Close() {
        if (handle_ != nullptr) dlclose(handle_);
        handle_ = nullptr;
    }

    static bool IsLoaded(const std::string& path) {
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (handle == nullptr) return false;
        dlclose(handle);
        return true;
    }

private:
    template <class Fn>
    Fn Get(const char* name) const {
        void* symbol = dlsym(handle_, name);
        if (symbol == nullptr) throw std::runtime_error(std::string("no ") + name);
        return reinterpret_cast<Fn>(symbol);
    }

    std::string path_;
    void* handle_ = nullptr;
};
