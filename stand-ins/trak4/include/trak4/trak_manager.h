// CAxTrakManagerIF over a SequenceDocument.
//
// Rules beyond the interface's results:
// - every pair must lie in 0..127, every text must be non-null (the name and
//   the primary voiceId also non-empty) and every parameter in -127..127;
//   anything else answers 0 and changes nothing;
// - insert refuses an occupied pair;
// - update refuses an empty pair and never changes the primary voice;
// - removing an empty pair succeeds: the module removes a pair before
//   reusing it for a singer added in the same invocation, and that pair
//   may hold nothing;
// - the library table is replaced whole, or (when a key differs from its
//   record's pair or lies outside 0..127) not at all.
#pragma once

#include <map>
#include <memory>

#include "kora4/trak4.h"
#include "trak4/sequence_document.h"
#include "trak4/sequence_vvoice.h"

namespace trak4 {

class TrakManager : public CAxTrakManagerIF {
public:
    TrakManager() = default;
    explicit TrakManager(const SequenceDocument& document);
    TrakManager(const TrakManager&) = delete;
    TrakManager& operator=(const TrakManager&) = delete;
    virtual ~TrakManager() = default;

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

    // The sequence as it stands, for saving or checking.
    SequenceDocument Document() const;
    void SetFilePath(const std::filesystem::path& path) { filePath_ = path; }
    const AxVVoiceLibTable& LibraryTable() const { return library_; }
    std::size_t VoiceCount() const { return voices_.size(); }

    int UpdateContextCount() const { return updateContextCount_; }
    int NotifyCount() const { return notifyCount_; }

private:
    std::map<AxVVoiceLibKey, std::unique_ptr<SequenceVVoice>> voices_;
    AxVVoiceLibTable library_;
    std::filesystem::path filePath_;
    int updateContextCount_ = 0;
    int notifyCount_ = 0;
};

}  // namespace trak4
