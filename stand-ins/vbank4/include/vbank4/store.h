// The user's virtual voices and the default virtual voice: store.json.
//
// The file holds the store document, followed by one line per commit made
// since the document was written, each holding only what that commit
// changed. A last line without its line end is a commit cut short by a crash
// and is not part of the store.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

// What one commit changed: a commit line of store.json.
struct StoreChanges {
    uint64_t revision = 0;  // the revision the commit made
    std::vector<Pair> deleted;
    std::map<Pair, VirtualVoice> stored;  // created or replaced
    std::optional<Pair> defaultVoice;     // the default after the commit

    bool Empty() const { return deleted.empty() && stored.empty(); }
};

// Applies changes read from a file; throws standins::FormatError when they
// do not follow from `state`.
void ApplyChanges(StoreState& state, const StoreChanges& changes);

// Where the parts of a store file end.
struct StoreLayout {
    std::size_t documentEnd = 0;  // just past the store document
    std::size_t validEnd = 0;     // just past the last whole commit line
};

// Throws standins::FormatError when the text is not a whole, valid store.
StoreState ParseStore(std::string_view bytes, StoreLayout* layout = nullptr);
// The store document alone.
std::string SerializeStore(const StoreState& state);
// One commit line, with its line end.
std::string SerializeChanges(const StoreChanges& changes);

// registry.json: what DBM_UpdateUserRegistory records of a committed state.
std::string SerializeRegistry(const StoreState& state);

}  // namespace vbank4
