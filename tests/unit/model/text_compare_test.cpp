#include "model/text_compare.h"

#include <gtest/gtest.h>

namespace kora {
namespace {

TEST(TextCompare, FoldsUpperToLowerAcrossScripts) {
    const std::pair<char16_t, char16_t> pairs[] = {
        {u'A', u'a'},           {u'Z', u'z'}, {u'\u00C0', u'\u00E0'},  // À à
        {u'\u00DE', u'\u00FE'},                                        // Þ þ
        {u'\u0100', u'\u0101'},                                        // Ā ā
        {u'\u0139', u'\u013A'},                                        // Ĺ ĺ (odd upper run)
        {u'\u0178', u'\u00FF'},                                        // Ÿ ÿ
        {u'\u01C5', u'\u01C6'},                                        // Dž dž
        {u'\u1E9E', u'\u00DF'},                                        // ẞ ß
        {u'\u0391', u'\u03B1'},                                        // Α α
        {u'\u038F', u'\u03CE'},                                        // Ώ ώ
        {u'\u03C2', u'\u03C3'},                                        // ς σ
        {u'\u0401', u'\u0451'},                                        // Ё ё
        {u'\u042F', u'\u044F'},                                        // Я я
        {u'\u04C1', u'\u04C2'},                                        // Ӂ ӂ
        {u'\uFF21', u'\uFF41'},                                        // Ａ ａ
    };
    for (const auto& [upper, lower] : pairs) {
        EXPECT_EQ(FoldCase(upper), lower) << std::hex << int(upper);
        EXPECT_EQ(FoldCase(lower), lower) << std::hex << int(lower);
    }
}

TEST(TextCompare, LeavesNonLettersAndUncasedScriptsAlone) {
    for (char16_t c : {u'@', u'[', u'_', u'0', u'\u00D7', u'\u00F7', u'\u3042', u'\u30A2',
                       u'\u4E00', char16_t{0xD800}, char16_t{0xDC00}, u'\uFFFF'}) {
        EXPECT_EQ(FoldCase(c), c) << std::hex << int(c);
    }
}

TEST(TextCompare, EqualityIgnoresCaseButNotLength) {
    EXPECT_TRUE(EqualsIgnoreCase(u"VoiceAbc", u"vOICEaBC"));
    EXPECT_TRUE(EqualsIgnoreCase(u"ÄÖÜ", u"äöü"));
    EXPECT_TRUE(EqualsIgnoreCase(u"", u""));
    EXPECT_FALSE(EqualsIgnoreCase(u"abc", u"abcd"));
    EXPECT_FALSE(EqualsIgnoreCase(u"abc", u"abd"));
}

TEST(TextCompare, IgnoringCaseComparesLowerCaseForms) {
    // Folded to lower case, '_' (0x5F) sorts before the letters.
    EXPECT_LT(CompareIgnoreCase(u"_x", u"Ax"), 0);
    EXPECT_LT(CompareIgnoreCase(u"abc", u"ABD"), 0);
    EXPECT_GT(CompareIgnoreCase(u"b", u"A"), 0);
    EXPECT_LT(CompareIgnoreCase(u"ab", u"ABC"), 0);  // a prefix first
    // Simple folding: no expansions, so sharp s is not "ss".
    EXPECT_FALSE(EqualsIgnoreCase(u"grüße", u"GRÜSSE"));
}

TEST(TextCompare, NamesTieBreakByCodeUnitWithUpperCaseFirst) {
    EXPECT_LT(CompareNames(u"Alto", u"alto"), 0);
    EXPECT_GT(CompareNames(u"alto", u"Alto"), 0);
    EXPECT_EQ(CompareNames(u"alto", u"alto"), 0);
    // Case is only a tie-break: "alto" < "Bass" although 'B' < 'a'.
    EXPECT_LT(CompareNames(u"alto", u"Bass"), 0);
    // Code units above 0x7FFF compare as unsigned.
    EXPECT_LT(CompareOrdinal(u"a", u"\uFF41"), 0);
}

}  // namespace
}  // namespace kora
