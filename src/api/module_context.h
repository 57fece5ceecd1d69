// The module context that KORA_Init creates and KORA_Delete releases, and
// the guarded call through which every database call of the module goes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "api/dbm_binding.h"

class LumiM17NModule;

namespace kora::api {

struct ModuleContext {
    explicit ModuleContext(DbmBinding bound) : status(bound.Status()), binding(std::move(bound)) {}

    int32_t status;                              // the binding's status when the context was made
    DbmBinding binding;                          // owned, released with the context
    bool initialized = false;                    // true only when KORA_Init succeeded
    const LumiM17NModule* textModule = nullptr;  // the host's, not owned

    // The database's default virtual voice: kContextNotInitialized when the
    // context is not initialized, 0xFFFFFFFF when the entry point is missing
    // (or an out-pointer is null), else the library's own result with the
    // out-values written by it.
    int32_t GetDefaultVirtualVoice(int32_t* outBank, int32_t* outProgram) const;
};

// The module-wide context slot, owning: empty before KORA_Init and after
// KORA_Delete.
std::unique_ptr<ModuleContext>& ContextSlot();

// Calls a database entry point for the module. Nothing comes back, and the
// library is not called, when there is no context, it is not initialized or
// the entry point is not bound: the call counts as failed.
template <DbmEntry E, class... Args>
auto CallDbm(const ModuleContext* context, Args&&... args)
    -> decltype(context->binding.Call<E>(std::forward<Args>(args)...)) {
    if (context == nullptr || !context->initialized) return std::nullopt;
    return context->binding.Call<E>(std::forward<Args>(args)...);
}

// A guarded call's outcome as the module reads it: only a result of 0 from
// the library is success.
inline bool DbmSucceeded(const std::optional<int32_t>& result) {
    return result.has_value() && *result == 0;
}

}  // namespace kora::api
