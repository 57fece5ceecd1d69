// Records in which singers and installed voices travel through the editor.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kora {

// Values of SingerEntry::state. Only the Active list's states are read.
inline constexpr uint32_t kStateLoaded = 0;
inline constexpr uint32_t kStateAdded = 1;   // inserted in this invocation
inline constexpr uint32_t kStateEdited = 4;  // Active Edit of an entry that is not new

// Index of each value in a parameter set (primary sets keep 0..4).
enum ParamIndex : int { kBRE = 0, kBRI = 1, kCLE = 2, kGEN = 3, kAUX = 4, kVOL = 5 };

// Every parameter value lies in -kParamLimit..kParamLimit; a voiceId has
// exactly kVoiceIdLength units.
inline constexpr int32_t kParamLimit = 127;
inline constexpr std::size_t kVoiceIdLength = 16;

// One singer as the editor's lists hold it.
struct SingerEntry {
    int32_t bank = 0;
    int32_t program = 0;
    std::u16string name;
    std::u16string primaryId;
    std::u16string primaryName;
    std::array<int32_t, 5> primaryParams{};    // BRE, BRI, CLE, GEN, AUX
    std::u16string secondaryId;                // empty: none
    std::u16string secondaryName;              // "-" when none or not installed
    std::array<int32_t, 6> secondaryParams{};  // BRE, BRI, CLE, GEN, AUX, VOL
    uint32_t state = kStateLoaded;
};

// The editor's record of one installed voice.
struct InstalledVoice {
    int32_t bank = 0;
    std::u16string name;
    std::array<int32_t, 5> defaults{};  // BRE, BRI, CLE, GEN, AUX
    std::u16string voiceId;             // 16 characters
};

}  // namespace kora
