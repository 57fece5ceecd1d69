// Put at the top of every exported function: for its duration the module's
// own activation context is active (version 6 common controls, whatever the
// host's manifest says) and the common controls are registered. Never
// throws; when the context cannot be had the dialogs still work, unstyled.
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
};

}  // namespace kora::ui
