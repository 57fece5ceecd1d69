#include "recording_trak_manager.h"

#include <ostream>

namespace kora::test {
namespace {

std::array<int32_t, 6> Values(const AxVVoiceParam& p) {
    return {p.BRE, p.BRI, p.CLE, p.GEN, p.AUX, p.VOL};
}

std::string Call(const char* name, int32_t bank, int32_t program) {
    return std::string(name) + "(" + std::to_string(bank) + "," + std::to_string(program) + ")";
}

}  // namespace

StoredVoice::StoredVoice(const SingerEntry& singer)
    : bank(singer.bank),
      program(singer.program),
      primaryId(singer.primaryId),
      secondaryId(singer.secondaryId),
      name(singer.name) {
    std::copy(singer.primaryParams.begin(), singer.primaryParams.end(), primary.begin());
    secondary = singer.secondaryParams;
}

void PrintTo(const StoredVoice& v, std::ostream* os) {
    *os << "(" << v.bank << "," << v.program << ") " << Narrow(v.name) << " ["
        << Narrow(v.primaryId) << "|" << Narrow(v.secondaryId) << "] p=";
    for (int32_t x : v.primary) *os << x << ' ';
    *os << "s=";
    for (int32_t x : v.secondary) *os << x << ' ';
}

IAxVVoice* RecordingTrakManager::vvoiceGetVVoice(int32_t bank, int32_t program) const {
    log_.Add("vvoiceGetVVoice");
    const auto found = voices.find(Pair{bank, program});
    // The manager owns its voices and hands them out for reading.
    return found == voices.end() ? nullptr : const_cast<StoredVoice*>(&found->second);
}

int32_t RecordingTrakManager::vvoiceInsertVVoiceV4(
    int32_t bank, int32_t program, const char16_t* primaryId, const char16_t* secondaryId,
    const char16_t* name, const AxVVoiceParam& primary, const AxVVoiceParam& secondary) {
    log_.Add(Call("vvoiceInsertVVoiceV4", bank, program));
    const Pair pair{bank, program};
    if (refuseInsert.contains(pair) || voices.contains(pair)) return 0;
    StoredVoice voice;
    voice.bank = bank;
    voice.program = program;
    voice.primaryId = primaryId;
    voice.secondaryId = secondaryId;
    voice.name = name;
    voice.primary = Values(primary);
    voice.secondary = Values(secondary);
    voices[pair] = voice;
    return 1;
}

int32_t RecordingTrakManager::vvoiceUpdateVVoiceV4(int32_t bank, int32_t program,
                                                   const char16_t* name,
                                                   const char16_t* secondaryId,
                                                   const AxVVoiceParam& primary,
                                                   const AxVVoiceParam& secondary) {
    log_.Add(Call("vvoiceUpdateVVoiceV4", bank, program));
    const Pair pair{bank, program};
    const auto found = voices.find(pair);
    if (refuseUpdate.contains(pair) || found == voices.end()) return 0;
    found->second.name = name;
    found->second.secondaryId = secondaryId;
    found->second.primary = Values(primary);
    found->second.secondary = Values(secondary);
    return 1;
}

int32_t RecordingTrakManager::vvoiceRemoveVVoice(int32_t bank, int32_t program) {
    log_.Add(Call("vvoiceRemoveVVoice", bank, program));
    const Pair pair{bank, program};
    if (refuseRemove.contains(pair)) return 0;
    return voices.erase(pair) == 1 ? 1 : 0;
}

void RecordingTrakManager::vvoiceInitializeUpdateContext() {
    log_.Add("vvoiceInitializeUpdateContext");
}

void RecordingTrakManager::vvoiceNotifyObserversOfUpdates() {
    log_.Add("vvoiceNotifyObserversOfUpdates");
}

int32_t RecordingTrakManager::sysReplaceVVoiceLibTable(const AxVVoiceLibTable& table) {
    log_.Add("sysReplaceVVoiceLibTable(" + std::to_string(table.size()) + ")");
    if (tableResult == 1) libraryTable = table;
    return tableResult;
}

std::u16string RecordingTrakManager::fileGetCurrentFilePath() const {
    log_.Add("fileGetCurrentFilePath");
    return filePath;
}

}  // namespace kora::test
