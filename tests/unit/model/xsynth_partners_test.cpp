#include "model/xsynth_partners.h"

#include <gtest/gtest.h>

namespace kora {
namespace {

const XSynthGroupList kGroups{
    {u"Choir", {u"A", u"B", u"C"}},
    {u"Duet", {u"C", u"D"}},
    {u"Loners", {}},
    {u"Other", {u"E", u"F", u"E"}},
};

TEST(XSynthPartners, AllMembersOfEveryGroupThatListsTheVoice) {
    EXPECT_EQ(CollectXSynthPartners(kGroups, u"C"), (std::set<std::u16string>{u"A", u"B", u"D"}));
    EXPECT_EQ(CollectXSynthPartners(kGroups, u"A"), (std::set<std::u16string>{u"B", u"C"}));
}

TEST(XSynthPartners, NeverTheVoiceItselfAndNoRepeats) {
    EXPECT_EQ(CollectXSynthPartners(kGroups, u"E"), (std::set<std::u16string>{u"F"}));
}

TEST(XSynthPartners, ExactComparisonAndNoGroupMeansNoPartners) {
    EXPECT_TRUE(CollectXSynthPartners(kGroups, u"c").empty());
    EXPECT_TRUE(CollectXSynthPartners(kGroups, u"Z").empty());
    EXPECT_TRUE(CollectXSynthPartners(kGroups, u"").empty());
    EXPECT_TRUE(CollectXSynthPartners({}, u"A").empty());
}

}  // namespace
}  // namespace kora
