#include "trak4/trak_manager.h"

namespace trak4 {
namespace {

bool InRange(int32_t bank, int32_t program) {
    return bank >= 0 && bank <= 127 && program >= 0 && program <= 127;
}

bool IsParam(int32_t v) { return v >= -127 && v <= 127; }

bool ValidParams(const AxVVoiceParam& p) {
    return IsParam(p.BRE) && IsParam(p.BRI) && IsParam(p.CLE) && IsParam(p.GEN) && IsParam(p.AUX) &&
           IsParam(p.VOL);
}

}  // namespace

TrakManager::TrakManager(const SequenceDocument& document)
    : library_(document.library), filePath_(document.filePath) {
    for (const auto& [pair, voice] : document.voices) {
        voices_.emplace(pair, std::make_unique<SequenceVVoice>(voice));
    }
}

IAxVVoice* TrakManager::vvoiceGetVVoice(int32_t bank, int32_t program) const {
    const auto it = voices_.find({bank, program});
    return it == voices_.end() ? nullptr : it->second.get();
}

int32_t TrakManager::vvoiceInsertVVoiceV4(int32_t bank, int32_t program, const char16_t* primaryId,
                                          const char16_t* secondaryId, const char16_t* name,
                                          const AxVVoiceParam& primary,
                                          const AxVVoiceParam& secondary) {
    if (!InRange(bank, program) || primaryId == nullptr || *primaryId == u'\0' ||
        secondaryId == nullptr || name == nullptr || *name == u'\0' || !ValidParams(primary) ||
        !ValidParams(secondary)) {
        return 0;
    }
    if (voices_.count({bank, program}) != 0) return 0;
    const SequenceVoice voice{bank, program, primaryId, secondaryId, name, primary, secondary};
    voices_.emplace(AxVVoiceLibKey{bank, program}, std::make_unique<SequenceVVoice>(voice));
    return 1;
}

int32_t TrakManager::vvoiceUpdateVVoiceV4(int32_t bank, int32_t program, const char16_t* name,
                                          const char16_t* secondaryId, const AxVVoiceParam& primary,
                                          const AxVVoiceParam& secondary) {
    if (!InRange(bank, program) || name == nullptr || *name == u'\0' || secondaryId == nullptr ||
        !ValidParams(primary) || !ValidParams(secondary)) {
        return 0;
    }
    const auto it = voices_.find({bank, program});
    if (it == voices_.end()) return 0;
    SequenceVoice voice = it->second->Voice();
    voice.name = name;
    voice.secondaryId = secondaryId;
    voice.primary = primary;
    voice.secondary = secondary;
    // In place: a pointer handed out by vvoiceGetVVoice stays valid.
    it->second->Assign(voice);
    return 1;
}

int32_t TrakManager::vvoiceRemoveVVoice(int32_t bank, int32_t program) {
    if (!InRange(bank, program)) return 0;
    voices_.erase({bank, program});
    return 1;
}

void TrakManager::vvoiceInitializeUpdateContext() { ++updateContextCount_; }

void TrakManager::vvoiceNotifyObserversOfUpdates() { ++notifyCount_; }

int32_t TrakManager::sysReplaceVVoiceLibTable(const AxVVoiceLibTable& table) {
    for (const auto& [key, record] : table) {
        if (!InRange(key.first, key.second) || key.first != record.bank ||
            key.second != record.program) {
            return 0;
        }
    }
    library_ = table;
    return 1;
}

std::u16string TrakManager::fileGetCurrentFilePath() const { return filePath_.u16string(); }

SequenceDocument TrakManager::Document() const {
    SequenceDocument document;
    for (const auto& [pair, voice] : voices_) document.voices.emplace(pair, voice->Voice());
    document.library = library_;
    document.filePath = filePath_;
    return document;
}

}  // namespace trak4
