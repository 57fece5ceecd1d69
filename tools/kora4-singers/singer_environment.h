// The import rules' view of a loaded voice database, with the creation of a
// singer left to the caller: the real database for import, a dry run that
// changes nothing for check.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "file/singer_import.h"
#include "model/pair_map.h"
#include "model/voice_lookup.h"

namespace kora::singers {

// Creates the singer of the record, writing the chosen program into it;
// false when refused.
using SingerCreator = std::function<bool(DBM_VVOICE_INFO& record)>;

class LoadedImportEnvironment final : public ImportEnvironment {
public:
    LoadedImportEnvironment(const InstalledVoiceList& voices, const XSynthGroupList& groups,
                            std::vector<SingerEntry> mySingers, SingerCreator create);

    const InstalledVoice* FindInstalledVoice(std::u16string_view voiceId) const override;
    std::set<std::u16string> CollectXSynthPartners(std::u16string_view voiceId) const override;
    const std::vector<SingerEntry>& MySingers() const override { return mySingers_; }
    bool CreateAndInsert(DBM_VVOICE_INFO& record, const AxVVoiceParam& primary,
                         const AxVVoiceParam& secondary) override;

private:
    const InstalledVoiceList& voices_;
    const XSynthGroupList& groups_;
    std::vector<SingerEntry> mySingers_;
    SingerCreator create_;
};

// Hands out programs as the database does (the lowest free one of the bank)
// without changing anything, and refuses when the bank is full.
class DryRunCreator {
public:
    explicit DryRunCreator(const std::vector<SingerEntry>& mySingers);
    bool operator()(DBM_VVOICE_INFO& record);
    // The bank of the last refusal, or -1.
    int32_t FullBank() const { return fullBank_; }

private:
    PairMap inUse_;
    int32_t fullBank_ = -1;
};

}  // namespace kora::singers
