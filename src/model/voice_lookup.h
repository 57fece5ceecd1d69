// Lookups of installed voices by voiceId. The display name is found without
// regard to case; the defaults only by the exact id.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/records.h"

namespace kora {

using InstalledVoiceList = std::vector<InstalledVoice>;

// Shown for a voice that is none or not installed.
inline constexpr std::u16string_view kNoVoiceName = u"-";

// The name of the first voice whose id equals `voiceId` without regard to
// case; "-" for an empty id or when none matches.
std::u16string InstalledVoiceName(const InstalledVoiceList& voices, std::u16string_view voiceId);

// The first voice whose id equals `voiceId` exactly, or null.
const InstalledVoice* FindInstalledVoice(const InstalledVoiceList& voices,
                                         std::u16string_view voiceId);

// The five defaults (BRE, BRI, CLE, GEN, AUX) of the first voice whose id
// equals `voiceId` exactly; nothing when none does.
std::optional<std::array<int32_t, 5>> FindVoiceDefaults(const InstalledVoiceList& voices,
                                                        std::u16string_view voiceId);

}  // namespace kora
