#include "model/singer_order.h"

#include <gtest/gtest.h>

namespace kora {
namespace {

SingerEntry Singer(int32_t bank, int32_t program, std::u16string name) {
    SingerEntry s;
    s.bank = bank;
    s.program = program;
    s.name = std::move(name);
    return s;
}

std::vector<std::u16string> Names(const std::vector<SingerEntry>& singers) {
    std::vector<std::u16string> names;
    for (const auto& s : singers) names.push_back(s.name);
    return names;
}

TEST(SingerOrder, BankComesBeforeAnyName) {
    std::vector<SingerEntry> singers{Singer(1, 0, u"Aaron"), Singer(0, 5, u"zoe"),
                                     Singer(-1, 0, u"neg")};
    SortSingers(singers);
    EXPECT_EQ(Names(singers), (std::vector<std::u16string>{u"neg", u"zoe", u"Aaron"}));
}

TEST(SingerOrder, NamesCompareWithoutCaseThenUpperCaseFirst) {
    std::vector<SingerEntry> singers{Singer(2, 0, u"bass"), Singer(2, 1, u"alto"),
                                     Singer(2, 2, u"Bass"), Singer(2, 3, u"Alto")};
    SortSingers(singers);
    EXPECT_EQ(Names(singers), (std::vector<std::u16string>{u"Alto", u"alto", u"Bass", u"bass"}));
}

TEST(SingerOrder, ProgramIsNoKey) {
    const SingerEntry a = Singer(3, 0, u"Same");
    const SingerEntry b = Singer(3, 9, u"Same");
    EXPECT_FALSE(SingerOrder(a, b));
    EXPECT_FALSE(SingerOrder(b, a));
    EXPECT_TRUE(SingerOrder(Singer(3, 9, u"A"), Singer(3, 0, u"B")));
}

}  // namespace
}  // namespace kora
