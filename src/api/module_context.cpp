#include "api/module_context.h"

#include "kora4/kora4.h"

namespace kora::api {

int32_t ModuleContext::GetDefaultVirtualVoice(int32_t* outBank, int32_t* outProgram) const {
    if (!initialized) return static_cast<int32_t>(kora4::kContextNotInitialized);
    constexpr int32_t kNotCalled = -1;  // 0xFFFFFFFF
    if (outBank == nullptr || outProgram == nullptr) return kNotCalled;
    return CallDbm<DbmEntry::GetDefaultVirtualVoice>(this, outBank, outProgram)
        .value_or(kNotCalled);
}

std::unique_ptr<ModuleContext>& ContextSlot() {
    // Never destroyed: a host that unloads the module without KORA_Delete
    // must not have the database library freed from the loader's unload
    // notification, where freeing a library may deadlock.
    static auto* const slot = new std::unique_ptr<ModuleContext>();
    return *slot;
}

}  // namespace kora::api
