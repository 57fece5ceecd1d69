// Lookups of installed voices by voiceId. The display name is found without
// regard to case; the defaults only by the exact id.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/records.h"

namespace kora {

// The installed voices in the database's order, with an index of their ids
// made at the first look-up after a change: each look-up then costs the
// same whatever the number of voices. Where ids repeat, the first wins.
class InstalledVoiceList {
public:
    InstalledVoiceList() = default;
    InstalledVoiceList(std::initializer_list<InstalledVoice> voices) : voices_(voices) {}

    void push_back(InstalledVoice voice) {
        voices_.push_back(std::move(voice));
        indexed_ = false;
    }
    void clear() {
        voices_.clear();
        indexed_ = false;
    }
    std::size_t size() const { return voices_.size(); }
    bool empty() const { return voices_.empty(); }
    const InstalledVoice& operator[](std::size_t i) const { return voices_[i]; }
    const InstalledVoice& at(std::size_t i) const { return voices_.at(i); }
    auto begin() const { return voices_.begin(); }
    auto end() const { return voices_.end(); }

    // The first voice whose id equals `voiceId` exactly, or without regard
    // to case; null when none does.
    const InstalledVoice* FindExact(std::u16string_view voiceId) const;
    const InstalledVoice* FindIgnoringCase(std::u16string_view voiceId) const;

private:
    void Index() const;

    std::vector<InstalledVoice> voices_;
    mutable bool indexed_ = false;
    mutable std::unordered_map<std::u16string, std::size_t> exact_;
    mutable std::unordered_map<std::u16string, std::size_t> folded_;
};

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
