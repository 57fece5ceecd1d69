#include "model/voice_lookup.h"

#include <algorithm>

#include "model/text_compare.h"

namespace kora {

std::u16string InstalledVoiceName(const InstalledVoiceList& voices, std::u16string_view voiceId) {
    if (voiceId.empty()) return std::u16string(kNoVoiceName);
    const auto found = std::find_if(voices.begin(), voices.end(), [&](const InstalledVoice& v) {
        return EqualsIgnoreCase(v.voiceId, voiceId);
    });
    return found == voices.end() ? std::u16string(kNoVoiceName) : found->name;
}

const InstalledVoice* FindInstalledVoice(const InstalledVoiceList& voices,
                                         std::u16string_view voiceId) {
    const auto found = std::find_if(voices.begin(), voices.end(),
                                    [&](const InstalledVoice& v) { return v.voiceId == voiceId; });
    return found == voices.end() ? nullptr : &*found;
}

std::optional<std::array<int32_t, 5>> FindVoiceDefaults(const InstalledVoiceList& voices,
                                                        std::u16string_view voiceId) {
    const InstalledVoice* voice = FindInstalledVoice(voices, voiceId);
    if (voice == nullptr) return std::nullopt;
    return voice->defaults;
}

}  // namespace kora
