#include "model/pair_map.h"

#include <gtest/gtest.h>

namespace kora {
namespace {

TEST(PairPacking, BankInLowHalfProgramInHighHalf) {
    EXPECT_EQ(PackPair(0, 0), 0u);
    EXPECT_EQ(PackPair(3, 5), 0x00050003u);
    EXPECT_EQ(PackPair(127, 127), 0x007F007Fu);
    for (int32_t bank : {0, 1, 64, 127}) {
        for (int32_t program : {0, 1, 99, 127}) {
            EXPECT_EQ(UnpackPair(PackPair(bank, program)), (Pair{bank, program}));
        }
    }
}

TEST(PairPacking, NoWishUnpacksToNoValidPair) {
    const Pair none = UnpackPair(0xFFFFFFFFu);
    EXPECT_EQ(none, (Pair{0xFFFF, 0xFFFF}));
    EXPECT_FALSE(IsValidPair(none.bank, none.program));
}

TEST(PairMap, StartsEmptyAndKeepsEachPairApart) {
    PairMap map;
    EXPECT_EQ(map.Count(), 0u);
    EXPECT_TRUE(map.Set(1, 2));
    EXPECT_TRUE(map.Test(1, 2));
    EXPECT_FALSE(map.Test(2, 1));
    EXPECT_FALSE(map.Test(1, 3));
    EXPECT_TRUE(map.Set(127, 127));
    EXPECT_EQ(map.Count(), 2u);
    EXPECT_TRUE(map.Reset(1, 2));
    EXPECT_FALSE(map.Test(1, 2));
    map.Clear();
    EXPECT_EQ(map.Count(), 0u);
}

TEST(PairMap, PairsOutsideTheRangeAreNeverSet) {
    PairMap map;
    for (const Pair p : {Pair{-1, 0}, Pair{0, -1}, Pair{128, 0}, Pair{0, 128}, Pair{1 << 20, 5}}) {
        EXPECT_FALSE(map.Set(p.bank, p.program));
        EXPECT_FALSE(map.Test(p.bank, p.program));
    }
    EXPECT_EQ(map.Count(), 0u);
}

TEST(FreeProgram, LowestUnusedProgramOfTheBank) {
    PairMap inUse;
    EXPECT_EQ(FindFreeProgram(inUse, 4), 0);
    inUse.Set(4, 0);
    inUse.Set(4, 1);
    inUse.Set(4, 3);
    inUse.Set(5, 2);  // another bank does not count
    EXPECT_EQ(FindFreeProgram(inUse, 4), 2);
}

TEST(FreeProgram, FullBankHasNone) {
    PairMap inUse;
    for (int32_t program = 0; program < kPairLimit; ++program) inUse.Set(9, program);
    EXPECT_EQ(FindFreeProgram(inUse, 9), std::nullopt);
    EXPECT_EQ(FindFreeProgram(inUse, 8), 0);
    inUse.Reset(9, 127);
    EXPECT_EQ(FindFreeProgram(inUse, 9), 127);
}

TEST(FreeProgram, BankOutsideTheRangeHasNone) {
    PairMap inUse;
    EXPECT_EQ(FindFreeProgram(inUse, -1), std::nullopt);
    EXPECT_EQ(FindFreeProgram(inUse, 128), std::nullopt);
}

}  // namespace
}  // namespace kora
