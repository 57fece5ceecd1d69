#include "model/pair_map.h"

namespace kora {

std::optional<int32_t> FindFreeProgram(const PairMap& inUse, int32_t bank) {
    if (bank < 0 || bank >= kPairLimit) return std::nullopt;
    for (int32_t program = 0; program < kPairLimit; ++program) {
        if (!inUse.Test(bank, program)) return program;
    }
    return std::nullopt;
}

}  // namespace kora
