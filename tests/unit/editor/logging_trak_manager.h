// The trak4 stand-in's recording sequence manager, with every call also
// written to a CallLog, so the order of the sequence manager's and the
// database's calls can be checked together.
#pragma once

#include "call_log.h"
#include "model/records.h"
#include "trak4/recording_trak_manager.h"

namespace kora::test {

class LoggingTrakManager final : public trak4::RecordingTrakManager {
public:
    LoggingTrakManager(CallLog& log, const trak4::SequenceDocument& document);

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
    CallLog& log_;
};

// A sequence voice with the singer's pair, ids, name and parameters (the
// primary set's VOL 0).
trak4::SequenceVoice SequenceVoiceOf(const SingerEntry& singer);

}  // namespace kora::test
