#include "editor/guarded_trak_manager.h"

namespace kora::editor {
namespace {

template <class Call>
auto Guarded(Call&& call, decltype(call()) onThrow) noexcept -> decltype(call()) {
    try {
        return call();
    } catch (...) {
        return onThrow;
    }
}

}  // namespace

IAxVVoice* GuardedTrakManager::vvoiceGetVVoice(int32_t bank, int32_t program) const {
    return Guarded([&] { return host_.vvoiceGetVVoice(bank, program); }, nullptr);
}

int32_t GuardedTrakManager::vvoiceInsertVVoiceV4(int32_t bank, int32_t program,
                                                 const char16_t* primaryId,
                                                 const char16_t* secondaryId, const char16_t* name,
                                                 const AxVVoiceParam& primary,
                                                 const AxVVoiceParam& secondary) {
    return Guarded(
        [&] {
            return host_.vvoiceInsertVVoiceV4(bank, program, primaryId, secondaryId, name, primary,
                                              secondary);
        },
        0);
}

int32_t GuardedTrakManager::vvoiceUpdateVVoiceV4(int32_t bank, int32_t program,
                                                 const char16_t* name, const char16_t* secondaryId,
                                                 const AxVVoiceParam& primary,
                                                 const AxVVoiceParam& secondary) {
    return Guarded(
        [&] {
            return host_.vvoiceUpdateVVoiceV4(bank, program, name, secondaryId, primary, secondary);
        },
        0);
}

int32_t GuardedTrakManager::vvoiceRemoveVVoice(int32_t bank, int32_t program) {
    return Guarded([&] { return host_.vvoiceRemoveVVoice(bank, program); }, 0);
}

void GuardedTrakManager::vvoiceInitializeUpdateContext() {
    try {
        host_.vvoiceInitializeUpdateContext();
    } catch (...) {
    }
}

void GuardedTrakManager::vvoiceNotifyObserversOfUpdates() {
    try {
        host_.vvoiceNotifyObserversOfUpdates();
    } catch (...) {
    }
}

int32_t GuardedTrakManager::sysReplaceVVoiceLibTable(const AxVVoiceLibTable& table) {
    return Guarded([&] { return host_.sysReplaceVVoiceLibTable(table); }, 0);
}

std::u16string GuardedTrakManager::fileGetCurrentFilePath() const {
    try {
        return host_.fileGetCurrentFilePath();
    } catch (...) {
        return {};
    }
}

}  // namespace kora::editor
