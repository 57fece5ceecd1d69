// The host's sequence manager as the editor invocation calls it: a member
// that throws has not done what was asked, so it counts as a failed call
// and nothing of the host's exception goes further.
#pragma once

#include "kora4/trak4.h"

namespace kora::editor {

class GuardedTrakManager final : public CAxTrakManagerIF {
public:
    explicit GuardedTrakManager(CAxTrakManagerIF& host) : host_(host) {}
    GuardedTrakManager(const GuardedTrakManager&) = delete;
    GuardedTrakManager& operator=(const GuardedTrakManager&) = delete;

    // A throw answers as a refusal does: no voice, 0, an empty path; the two
    // notifications have nothing to answer.
    IAxVVoice* vvoiceGetVVoice(int32_t bank, int32_t program) const override;
    int32_t vvoiceInsertVVoiceV4(int32_t bank, int32_t program, const char16_t* primaryId,
                                 const char16_t* secondaryId, const char16_t* name,
                                 const AxVVoiceParam& primary,
                                 const AxVVoiceParam& secondary) override;
    int32_t vvoiceUpdateVVoiceV4(int32_t bank, int32_t program, const char16_t* name,
                                 const char16_t* secondaryId, const AxVVoiceParam& primary,
                                 const AxVVoiceParam& secondary) override;
    int32_t vvoiceRemoveVVoice(int32_t bank, int32_t program) override;
    void vvoiceInitializeUpdateContext() override;
    void vvoiceNotifyObserversOfUpdates() override;
    int32_t sysReplaceVVoiceLibTable(const AxVVoiceLibTable& table) override;
    std::u16string fileGetCurrentFilePath() const override;

private:
    CAxTrakManagerIF& host_;
};

}  // namespace kora::editor
