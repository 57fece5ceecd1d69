// Text fields, case folding, pairs, free programs, voice lookups,
// cross-synthesis partners.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "kora4/vbank4.h"
#include "model/pair_map.h"
#include "model/singer_order.h"
#include "model/text_compare.h"
#include "model/text_field.h"
#include "model/voice_lookup.h"
#include "model/xsynth_partners.h"

namespace kora {
namespace {

TEST(TextField, CopiesWhatFitsCutsTheRestAndNeverOverruns) {
    const std::u16string n258(kDbmTextField - 2, u'n'), n259 = n258 + u"n";
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"Alto", u"Alto"},
        {n259, n259},
        {n259 + u"n", n259},
        {std::u16string(5000, u'n'), n259},
        {n258 + u"\U0001F3B5", n258}};  // the cut never splits a surrogate pair
    for (const auto& [text, stored] : cases) {
        char16_t guarded[kDbmTextField + 16];
        std::fill(std::begin(guarded), std::end(guarded), u'x');
        const std::span<char16_t> field(guarded + 8, kDbmTextField);
        EXPECT_EQ(CopyToField(field, text), text == stored) << text.size();
        EXPECT_EQ(ReadField(field), stored);
        EXPECT_EQ(std::u16string(guarded + 8 + stored.size(), kDbmTextField - stored.size()),
                  std::u16string(kDbmTextField - stored.size(), u'\0'));
        EXPECT_EQ(std::u16string(guarded, 8) + std::u16string(guarded + 8 + kDbmTextField, 8),
                  std::u16string(16, u'x'));
    }
    char16_t full[kDbmTextField];
    std::fill(std::begin(full), std::end(full), u'x');  // no terminator
    EXPECT_EQ(ReadField(full), std::u16string(kDbmTextField, u'x'));
    EXPECT_FALSE(CopyToField(std::span<char16_t>(full, 0), u"a"));
    EXPECT_EQ(full[0], u'x');
    char16_t one[1] = {u'x'};
    EXPECT_TRUE(CopyToField(one, u""));
    EXPECT_EQ(one[0], u'\0');
    EXPECT_FALSE(CopyToField(one, u"a"));
}

TEST(TextCompare, FoldsCaseAcrossScriptsAndBreaksTiesUpperFirst) {
    // À Þ Ā Ĺ Ÿ Dž ẞ Α Ώ ς Ё Я Ӂ Ａ and their lower-case forms.
    const std::u16string upper =
        u"AZ\u00C0\u00DE\u0100\u0139\u0178\u01C5\u1E9E\u0391\u038F\u03C2"
        u"\u0401\u042F\u04C1\uFF21";
    const std::u16string lower =
        u"az\u00E0\u00FE\u0101\u013A\u00FF\u01C6\u00DF\u03B1\u03CE\u03C3"
        u"\u0451\u044F\u04C2\uFF41";
    const std::u16string uncased = u"@[_0\u00D7\u00F7\u3042\u30A2\u4E00\xD800\xDC00\uFFFF";
    for (std::size_t i = 0; i < upper.size(); ++i) {
        EXPECT_EQ(FoldCase(upper[i]), lower[i]) << std::hex << int(upper[i]);
        EXPECT_EQ(FoldCase(lower[i]), lower[i]) << std::hex << int(lower[i]);
    }
    for (const char16_t c : uncased) EXPECT_EQ(FoldCase(c), c) << std::hex << int(c);
    EXPECT_TRUE(EqualsIgnoreCase(u"ÄÖÜ", u"äöü"));
    EXPECT_FALSE(EqualsIgnoreCase(u"abc", u"abcd"));
    EXPECT_FALSE(EqualsIgnoreCase(u"grüße", u"GRÜSSE"));  // no expansions
    EXPECT_LT(CompareIgnoreCase(u"_x", u"Ax"), 0);        // '_' sorts before lower case
    EXPECT_LT(CompareIgnoreCase(u"abc", u"ABD"), 0);
    EXPECT_GT(CompareIgnoreCase(u"b", u"A"), 0);
    EXPECT_LT(CompareIgnoreCase(u"ab", u"ABC"), 0);
    EXPECT_LT(CompareNames(u"Alto", u"alto"), 0);
    EXPECT_GT(CompareNames(u"alto", u"Alto"), 0);
    EXPECT_LT(CompareNames(u"alto", u"Bass"), 0);   // case is only a tie-break
    EXPECT_LT(CompareOrdinal(u"a", u"\uFF41"), 0);  // unsigned code units
}

// Rows come in bank order, then by name without regard to case (upper case
// first on a tie), and entries equal in both keep the order the comparison
// gives them, as a sort of the entries with SingerOrder would.
TEST(SortSingers, BankThenNameAndTheSamePermutationAsSortingTheEntries) {
    const std::u16string names[] = {u"b",  u"B", u"a", u"\u00C9t\u00E9", u"\u00E9T\u00C9",
                                    u"ab", u"A"};
    std::vector<SingerEntry> singers;
    for (int i = 0; i < 600; ++i) {
        SingerEntry singer;
        singer.bank = (i * 7) % 3;
        singer.program = i;  // tells equal entries apart
        singer.name = names[(i * 5) % std::size(names)];
        singers.push_back(singer);
    }
    std::vector<SingerEntry> expected = singers;
    std::sort(expected.begin(), expected.end(), SingerOrder);
    SortSingers(singers);
    ASSERT_EQ(singers.size(), expected.size());
    for (std::size_t i = 0; i < singers.size(); ++i) {
        ASSERT_EQ(singers[i].program, expected[i].program) << "row " << i;
        if (i > 0) {
            ASSERT_FALSE(SingerOrder(singers[i], singers[i - 1])) << "row " << i;
        }
    }
    EXPECT_EQ(singers.front().name, u"A");
    EXPECT_EQ(singers.back().bank, 2);
}

TEST(PairMap, PacksKeepsPairsApartAndFindsTheLowestFreeProgram) {
    EXPECT_EQ(PackPair(3, 5), 0x00050003u);
    EXPECT_EQ(UnpackPair(PackPair(127, 99)), (Pair{127, 99}));
    EXPECT_EQ(UnpackPair(0xFFFFFFFFu), (Pair{0xFFFF, 0xFFFF}));  // no wish
    EXPECT_FALSE(IsValidPair(0xFFFF, 0xFFFF));
    PairMap map;
    EXPECT_TRUE(map.Set(1, 2));
    EXPECT_FALSE(map.Test(2, 1));
    EXPECT_TRUE(map.Reset(1, 2));
    for (const Pair p : {Pair{-1, 0}, Pair{0, -1}, Pair{128, 0}, Pair{0, 128}, Pair{1 << 20, 5}}) {
        EXPECT_FALSE(map.Set(p.bank, p.program));
        EXPECT_FALSE(map.Test(p.bank, p.program));
    }
    EXPECT_EQ(map.Count(), 0u);

    EXPECT_EQ(FindFreeProgram(map, 4), 0);
    for (const int32_t program : {0, 1, 3}) map.Set(4, program);
    map.Set(5, 2);  // another bank does not count
    EXPECT_EQ(FindFreeProgram(map, 4), 2);
    for (int32_t program = 0; program < kPairLimit; ++program) map.Set(9, program);
    EXPECT_EQ(FindFreeProgram(map, 9), std::nullopt);
    map.Reset(9, 127);
    EXPECT_EQ(FindFreeProgram(map, 9), 127);
    EXPECT_EQ(FindFreeProgram(map, 128), std::nullopt);
}

TEST(VoiceLookup, NamesIgnoreCaseDefaultsNeedTheExactIdPartnersTooNeedIt) {
    const InstalledVoiceList voices = {{0, u"Alto", {1, 2, 3, 4, 5}, u"VoiceAltoABCDEF0"},
                                       {1, u"Bass", {6, 7, 8, 9, 10}, u"VoiceBassABCDEF1"},
                                       {2, u"Bass two", {11, 12, 13, 14, 15}, u"voicebassabcdef1"}};
    EXPECT_EQ(InstalledVoiceName(voices, u"VOICEALTOABCDEF0"), u"Alto");
    EXPECT_EQ(InstalledVoiceName(voices, u"voicebassabcdef1"), u"Bass");  // the first match
    for (const char16_t* id : {u"", u"NotInstalled0000", u"VoiceAltoABCDEF"}) {
        EXPECT_EQ(InstalledVoiceName(voices, id), u"-");
    }
    EXPECT_EQ(FindVoiceDefaults(voices, u"voicebassabcdef1"), (std::array{11, 12, 13, 14, 15}));
    EXPECT_EQ(FindVoiceDefaults(voices, u"VOICEALTOABCDEF0"), std::nullopt);
    EXPECT_EQ(FindVoiceDefaults(voices, u""), std::nullopt);
    InstalledVoiceList grown = voices;  // indexed already: a new voice must still be found
    grown.push_back({3, u"Cleo", {}, u"VoiceCleoABCDEF2"});
    EXPECT_EQ(InstalledVoiceName(grown, u"VOICECLEOABCDEF2"), u"Cleo");

    const XSynthGroupList groups{{u"Choir", {u"A", u"B", u"C"}},
                                 {u"Duet", {u"C", u"D"}},
                                 {u"Loners", {}},
                                 {u"Other", {u"E", u"F", u"E"}}};
    using Set = std::set<std::u16string>;
    EXPECT_EQ(CollectXSynthPartners(groups, u"C"), (Set{u"A", u"B", u"D"}));
    EXPECT_EQ(CollectXSynthPartners(groups, u"E"), (Set{u"F"}));
    EXPECT_EQ(CollectXSynthPartners(groups, u"c"), Set{});
    EXPECT_EQ(CollectXSynthPartners(groups, u"Z"), Set{});
}

}  // namespace
}  // namespace kora
