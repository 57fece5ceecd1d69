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
    static std::unique_ptr<ModuleContext> slot;
    return slot;
}

}  // namespace kora::api
