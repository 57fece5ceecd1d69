// The user's virtual voices and the default virtual voice: store.json.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace vbank4 {

using Pair = std::pair<int32_t, int32_t>;  // (bank, program)

inline bool InRange(int32_t value) { return value >= 0 && value <= 127; }
inline bool InRange(Pair pair) { return InRange(pair.first) && InRange(pair.second); }
inline bool IsParam(int32_t value) { return value >= -127 && value <= 127; }

struct VirtualVoice {
    std::u16string name;
    std::u16string primaryVoiceId;             // 16 units
    std::u16string primaryName;                // display name of the primary voice
    std::u16string secondaryVoiceId;           // empty, or 16 units
    std::array<int32_t, 5> primaryParams{};    // BRE, BRI, CLE, GEN, AUX
    std::array<int32_t, 6> secondaryParams{};  // BRE, BRI, CLE, GEN, AUX, VOL

    bool operator==(const VirtualVoice&) const = default;
};

struct StoreState {
    // Counts the commits that made this state; a commit refuses to replace a
    // store whose revision is not the one it started from.
    uint64_t revision = 0;
    std::map<Pair, VirtualVoice> voices;
    std::optional<Pair> defaultVoice;  // names a pair of `voices`

    bool operator==(const StoreState&) const = default;
};

// Throws standins::FormatError when the text is not a whole, valid store.
StoreState ParseStore(std::string_view json);
std::string SerializeStore(const StoreState& state);

// registry.json: what DBM_UpdateUserRegistory records of a committed state.
std::string SerializeRegistry(const StoreState& state);

}  // namespace vbank4
