// Owners of a loaded library and of an activated activation context.
#pragma once

#include <windows.h>
// After <windows.h>.
#include <commctrl.h>

#include <utility>

namespace kora::testhost {

class Library {
public:
    explicit Library(const wchar_t* name) : module_(LoadLibraryW(name)) {}
    ~Library() {
        if (module_) FreeLibrary(module_);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    HMODULE get() const { return module_; }
    explicit operator bool() const { return module_ != nullptr; }
    template <class F>
    F Function(const char* name) const {
        return module_ ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)))
                       : nullptr;
    }

private:
    HMODULE module_;
};

// The manifest (resource 2) of a module, active while this object lives,
// with the common controls of that context loaded and registered (the
// host's own import of them stays the host's).
class ModuleStyles {
public:
    explicit ModuleStyles(HMODULE module) {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(module, path, MAX_PATH);
        ACTCTXW request = {};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.hModule = module;
        request.lpSource = path;
        request.lpResourceName = MAKEINTRESOURCEW(2);
        context_ = CreateActCtxW(&request);
        if (context_ != INVALID_HANDLE_VALUE) active_ = ActivateActCtx(context_, &cookie_) != FALSE;
        controls_ = LoadLibraryW(L"comctl32.dll");
        using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        auto init = controls_ ? reinterpret_cast<Init>(reinterpret_cast<void*>(
                                    GetProcAddress(controls_, "InitCommonControlsEx")))
                              : nullptr;
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
        if (init) init(&classes);
    }
    ~ModuleStyles() {
        if (controls_) FreeLibrary(controls_);
        if (active_) DeactivateActCtx(0, cookie_);
        if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
    }
    ModuleStyles(const ModuleStyles&) = delete;
    ModuleStyles& operator=(const ModuleStyles&) = delete;
    bool active() const { return active_; }

private:
    HANDLE context_ = INVALID_HANDLE_VALUE;
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
    HMODULE controls_ = nullptr;
};

}  // namespace kora::testhost
