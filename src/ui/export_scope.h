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
    // Not trivial on Windows, where it gives the activation context back.
    ~ExportScope();  // NOLINT(performance-trivially-destructible)
    ExportScope(const ExportScope&) = delete;
    ExportScope& operator=(const ExportScope&) = delete;

private:
    // Used only by the Win32 build; the headless one has nothing to activate.
    [[maybe_unused]] void* context_ = nullptr;
    [[maybe_unused]] std::uintptr_t cookie_ = 0;
    [[maybe_unused]] bool active_ = false;
    [[maybe_unused]] void* controls_ = nullptr;  // the context's common-controls library
};

}  // namespace kora::ui
