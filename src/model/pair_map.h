// The (bank, program) pair that identifies every virtual voice, its packed
// form in list item data, and the editor's 128 by 128 maps of pairs.
#pragma once

#include <bitset>
#include <compare>
#include <cstdint>
#include <optional>

namespace kora {

inline constexpr int32_t kPairLimit = 128;  // banks and programs run 0..127

struct Pair {
    int32_t bank = 0;
    int32_t program = 0;
    friend constexpr auto operator<=>(const Pair&, const Pair&) = default;
};

constexpr bool IsValidPair(int32_t bank, int32_t program) {
    return bank >= 0 && bank < kPairLimit && program >= 0 && program < kPairLimit;
}

// Item data of a list row: bank in the low 16 bits, program in the high 16.
constexpr uint32_t PackPair(int32_t bank, int32_t program) {
    return (static_cast<uint32_t>(bank) & 0xFFFFu) |
           ((static_cast<uint32_t>(program) & 0xFFFFu) << 16);
}

// The halves come back as 0..65535, so a value that no valid pair packs to
// (0xFFFFFFFF, say) unpacks to a pair that matches no row.
constexpr Pair UnpackPair(uint32_t packed) {
    return Pair{static_cast<int32_t>(packed & 0xFFFFu), static_cast<int32_t>(packed >> 16)};
}

// One boolean per pair, all false at the start. Pairs outside 0..127 are
// never set: reading one gives false, writing one changes nothing.
class PairMap {
public:
    bool Test(int32_t bank, int32_t program) const {
        return IsValidPair(bank, program) && bits_.test(Index(bank, program));
    }
    // False (and no change) when the pair lies outside the map.
    bool Set(int32_t bank, int32_t program, bool value = true) {
        if (!IsValidPair(bank, program)) return false;
        bits_.set(Index(bank, program), value);
        return true;
    }
    bool Reset(int32_t bank, int32_t program) { return Set(bank, program, false); }
    void Clear() { bits_.reset(); }
    std::size_t Count() const { return bits_.count(); }

private:
    static std::size_t Index(int32_t bank, int32_t program) {
        return static_cast<std::size_t>(bank) * kPairLimit + static_cast<std::size_t>(program);
    }
    std::bitset<std::size_t{kPairLimit} * kPairLimit> bits_;
};

// The lowest program of `bank` whose entry in `inUse` is false; none when
// all 128 are taken or the bank lies outside 0..127.
std::optional<int32_t> FindFreeProgram(const PairMap& inUse, int32_t bank);

}  // namespace kora
