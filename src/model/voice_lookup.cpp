#include "model/voice_lookup.h"

#include "model/text_compare.h"

namespace kora {

namespace {

std::u16string Folded(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded) c = FoldCase(c);
    return folded;
}

}  // namespace

void InstalledVoiceList::Index() const {
    if (indexed_) return;
    exact_.clear();
    folded_.clear();
    for (std::size_t i = 0; i < voices_.size(); ++i) {
        exact_.try_emplace(voices_[i].voiceId, i);  // the first of equal ids stays
        folded_.try_emplace(Folded(voices_[i].voiceId), i);
    }
    indexed_ = true;
}

const InstalledVoice* InstalledVoiceList::FindExact(std::u16string_view voiceId) const {
    Index();
    const auto found = exact_.find(std::u16string(voiceId));
    return found == exact_.end() ? nullptr : &voices_[found->second];
}

const InstalledVoice* InstalledVoiceList::FindIgnoringCase(std::u16string_view voiceId) const {
    Index();
    const auto found = folded_.find(Folded(voiceId));
    return found == folded_.end() ? nullptr : &voices_[found->second];
}

std::u16string InstalledVoiceName(const InstalledVoiceList& voices, std::u16string_view voiceId) {
    if (voiceId.empty()) return std::u16string(kNoVoiceName);
    const InstalledVoice* found = voices.FindIgnoringCase(voiceId);
    return found == nullptr ? std::u16string(kNoVoiceName) : found->name;
}

const InstalledVoice* FindInstalledVoice(const InstalledVoiceList& voices,
                                         std::u16string_view voiceId) {
    return voices.FindExact(voiceId);
}

std::optional<std::array<int32_t, 5>> FindVoiceDefaults(const InstalledVoiceList& voices,
                                                        std::u16string_view voiceId) {
    const InstalledVoice* voice = FindInstalledVoice(voices, voiceId);
    if (voice == nullptr) return std::nullopt;
    return voice->defaults;
}

}  // namespace kora
