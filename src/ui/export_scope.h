// Put at the top of every exported function: for its duration the module's
// own activation context is active and the common controls of that context
// (version 6, whatever the host's manifest says) are loaded and registered,
// so the module's dialogs get them. Never throws; when the context cannot be
// had the dialogs still work, with the host's common controls.
#pragma once

#include <cstdint>

namespace kora::ui {

class ExportScope {
public:
    ExportScope() noexcept;
    ~ExportScope();
    ExportScope(const ExportScope&) = delete;
    ExportScope& operator=(const ExportScope&) = delete;

private:
    void* context_ = nullptr;
    std::uintptr_t cookie_ = 0;
    bool active_ = false;
    void* controls_ = nullptr;  // the context's common-controls library
};

}  // namespace kora::ui
