// The five exports: argument checks, the module context's lifetime and the
// status codes the host sees. No exception leaves any of them.
#include <memory>
#include <utility>

#include "api/dbm_binding.h"
#include "api/editor_invocation.h"
#include "api/module_context.h"
#include "kora4/kora4.h"
#include "ui/text_module_slot.h"

using namespace kora4;
using kora::api::ContextSlot;
using kora::api::DbmBinding;
using kora::api::DbmEntry;
using kora::api::ModuleContext;

namespace {

// KORA_Init's answer for a binding status.
uint32_t InitResult(int32_t status) {
    switch (status) {
        case 1:
            return kOk;
        case -4:
            return kNotInitialized;
        case -3:
            return kDbmInitFailedMinus3;
        case -2:
            return kDbmInitFailedMinus2;
        case -1:
            return kDbmInitFailedMinus1;
        default:
            return kOtherFailure;
    }
}

template <class Body>
uint32_t Guarded(uint32_t onException, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return onException;
    }
}

ModuleContext* InitializedContext() {
    ModuleContext* context = ContextSlot().get();
    return context != nullptr && context->initialized ? context : nullptr;
}

}  // namespace

extern "C" {

uint32_t KORA_CALL KORA_Init(void) {
    return Guarded(kOtherFailure, [] {
        std::unique_ptr<ModuleContext>& slot = ContextSlot();
        // A second call binds nothing more and answers as the first did.
        if (slot != nullptr) return InitResult(slot->status);
        auto context =
            std::make_unique<ModuleContext>(DbmBinding::Bind(kora::api::DbmLibraryPath()));
        const uint32_t result = InitResult(context->status);
        context->initialized = result == kOk;
        // Kept whatever the result, so that KORA_Delete releases a half-bound
        // library.
        slot = std::move(context);
        return result;
    });
}

uint32_t KORA_CALL KORA_Delete(void) {
    return Guarded(kDeleteFailed, [] {
        std::unique_ptr<ModuleContext> context = std::move(ContextSlot());
        // The host may free its text module once the module is shut down.
        kora::ui::TextModuleSlot() = nullptr;
        if (context == nullptr) return kDeleteFailed;
        DbmBinding& binding = context->binding;
        binding.Call<DbmEntry::Delete>();
        if (binding.Status() <= 0) {
            // Never fully bound: report it. The library, if loaded, still goes
            // with the context rather than staying in the host's process.
            return kDeleteFailed;
        }
        if (!binding.ReleaseLibrary()) {
            binding.SetStatus(static_cast<int32_t>(kBindReleaseFailed));
            return kDeleteFailed;
        }
        return kOk;
    });
}

uint32_t KORA_CALL KORA_SetLumiM17NModule(const LumiM17NModule* module) {
    kora::ui::TextModuleSlot() = module;
    if (ModuleContext* context = ContextSlot().get()) context->textModule = module;
    return kOk;
}

uint32_t KORA_CALL KORA_OpenDefDialog(uint32_t hostHandle, CAxTrakManagerIF* trakManager,
                                      uint32_t initialSelection) {
    return Guarded(kOtherFailure, [&] {
        if (hostHandle == 0) return kNoHostHandle;
        if (trakManager == nullptr) return kNoTrakManager;
        ModuleContext* context = InitializedContext();
        if (context == nullptr) return kNotInitialized;
        return kora::api::RunEditorInvocation(*context, trakManager, initialSelection);
    });
}

uint32_t KORA_CALL KORA_OpenDefDialog_ReadOnly(uint32_t hostHandle, CAxTrakManagerIF* trakManager,
                                               int32_t* outBank, int32_t* outProgram) {
    return Guarded(kOtherFailure, [&] {
        if (hostHandle == 0) return kNoHostHandle;
        if (trakManager == nullptr) return kNoTrakManager;
        if (outBank == nullptr) return kNoBankPointer;
        if (outProgram == nullptr) return kNoProgramPointer;
        ModuleContext* context = InitializedContext();
        if (context == nullptr) return kNotInitialized;
        return kora::api::RunEditorReadOnlyInvocation(*context, trakManager, outBank, outProgram);
    });
}

}  // extern "C"
