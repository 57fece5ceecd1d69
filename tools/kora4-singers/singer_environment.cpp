#include "singer_environment.h"

#include <utility>

#include "model/conversions.h"
#include "model/text_field.h"
#include "model/xsynth_partners.h"

namespace kora::singers {

LoadedImportEnvironment::LoadedImportEnvironment(const InstalledVoiceList& voices,
                                                 const XSynthGroupList& groups,
                                                 std::vector<SingerEntry> mySingers,
                                                 SingerCreator create)
    : voices_(voices),
      groups_(groups),
      mySingers_(std::move(mySingers)),
      create_(std::move(create)) {}

const InstalledVoice* LoadedImportEnvironment::FindInstalledVoice(
    std::u16string_view voiceId) const {
    return kora::FindInstalledVoice(voices_, voiceId);
}

std::set<std::u16string> LoadedImportEnvironment::CollectXSynthPartners(
    std::u16string_view voiceId) const {
    return kora::CollectXSynthPartners(groups_, std::u16string(voiceId));
}

bool LoadedImportEnvironment::CreateAndInsert(DBM_VVOICE_INFO& record, const AxVVoiceParam& primary,
                                              const AxVVoiceParam& secondary) {
    if (!create_(record)) return false;
    // As the Singer Editor appends an added singer: the parameter sets as
    // given (AUX is the voices' default), names looked up without regard to case.
    mySingers_.push_back(AddedSinger(voices_, record.bank, record.program, ReadField(record.name),
                                     ReadField(record.primaryVoiceId),
                                     ReadField(record.secondaryVoiceId), primary, secondary));
    return true;
}

DryRunCreator::DryRunCreator(const std::vector<SingerEntry>& mySingers) {
    for (const SingerEntry& singer : mySingers) inUse_.Set(singer.bank, singer.program);
}

bool DryRunCreator::operator()(DBM_VVOICE_INFO& record) {
    const auto program = FindFreeProgram(inUse_, record.bank);
    if (!program) {
        fullBank_ = record.bank;
        return false;
    }
    record.program = *program;
    inUse_.Set(record.bank, *program);
    return true;
}

}  // namespace kora::singers
