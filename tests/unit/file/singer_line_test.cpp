// The fields of a singer line and the parameter values taken from them.
#include <gtest/gtest.h>

#include "file/singer_file_reader.h"
#include "file/singer_file_writer.h"

namespace kora {
namespace {

using Fields = std::vector<std::u16string>;

Fields Split(std::u16string_view line, bool* broken = nullptr) {
    return SplitSingerLine(line, broken);
}

// The name as the writer quotes it, read back by the quoted rule.
std::u16string RoundTripName(std::u16string_view name) {
    bool broken = true;
    const auto fields = Split(FormatQuotedName(name) + u"=ID", &broken);
    EXPECT_FALSE(broken) << "broken for a written name";
    return fields.empty() ? u"<no fields>" : fields[0];
}

TEST(SplitSingerLine, ReadsTheWrittenLine) {
    bool broken = true;
    EXPECT_EQ(Split(u"\"Alto\"=0123456789ABCDEF,1,-2,3,4,,0,0,0,0,0", &broken),
              (Fields{u"Alto", u"0123456789ABCDEF", u"1", u"-2", u"3", u"4", u"", u"0", u"0", u"0",
                      u"0", u"0"}));
    EXPECT_FALSE(broken);
}

TEST(SplitSingerLine, NamesWithQuotationMarksAnywhereComeBackUnchanged) {
    for (const std::u16string name :
         {u"a\"b", u"\"start", u"end\"", u"\"", u"\"\"", u"two\"\"in a row", u"\"both\"",
          u"back\\slash inside", u"\\", u"a\\\"b", u"=,;", u"\u3042\"\u3044"}) {
        if (name == u"\\") continue;  // see the trailing-backslash case
        EXPECT_EQ(RoundTripName(name), name);
    }
}

TEST(SplitSingerLine, ANameEndingWithBackslashComesBackWithAQuotationMark) {
    EXPECT_EQ(RoundTripName(u"Alto\\"), u"Alto\"");
    EXPECT_EQ(RoundTripName(u"\\"), u"\"");
    EXPECT_EQ(RoundTripName(u"a\\\\"), u"a\\\"");
}

TEST(SplitSingerLine, EmptyNames) {
    // Two quotation marks directly before "=": broken before any field.
    bool broken = false;
    EXPECT_TRUE(Split(u"\"\"=ID,1", &broken).empty());
    EXPECT_TRUE(broken);
    // A lone quotation mark before "=" yields an empty field 0.
    EXPECT_EQ(Split(u"\"=ID,1", &broken), (Fields{u"", u"ID", u"1"}));
    EXPECT_FALSE(broken);
}

TEST(SplitSingerLine, ABrokenLineYieldsWhatCameBefore) {
    bool broken = false;
    EXPECT_TRUE(Split(u"\"no end", &broken).empty());
    EXPECT_TRUE(broken);
    EXPECT_TRUE(Split(u"\"closed but no equals\"", &broken).empty());
    EXPECT_TRUE(broken);
    EXPECT_TRUE(Split(u"\"name\" =ID", &broken).empty());
    EXPECT_TRUE(broken);
    // The name reads up to the last quotation mark of the line, so a fault
    // there comes before any other field.
    EXPECT_TRUE(Split(u"\"A\"=ID,1,\"x\"y,2", &broken).empty());
    EXPECT_TRUE(broken);
}

TEST(SplitSingerLine, LaterQuotationMarksBelongToTheName) {
    bool broken = true;
    EXPECT_EQ(Split(u"\"A\"=ID,\"q\"=5,6", &broken), (Fields{u"A=ID,q", u"5", u"6"}));
    EXPECT_FALSE(broken);
    // So a voiceId with a quotation mark in it breaks the line...
    EXPECT_TRUE(Split(u"\"A\"=\"B\",C", &broken).empty());
    EXPECT_TRUE(broken);
    // ...and one with a comma shifts the fields.
    EXPECT_EQ(Split(u"\"A\"=I,D,1"), (Fields{u"A", u"I", u"D", u"1"}));
}

TEST(SplitSingerLine, CommasAndFieldEdges) {
    // A trailing comma adds no field; two commas give an empty one.
    EXPECT_EQ(Split(u"\"A\"=ID,1,"), (Fields{u"A", u"ID", u"1"}));
    EXPECT_EQ(Split(u"\"A\"=ID,,2"), (Fields{u"A", u"ID", u"", u"2"}));
    EXPECT_EQ(Split(u"\"A\"="), (Fields{u"A"}));
    // Fields are not trimmed.
    EXPECT_EQ(Split(u"\"A\"= ID , 1"), (Fields{u"A", u" ID ", u" 1"}));
    // Not a singer line at all.
    EXPECT_TRUE(Split(u"A=ID,1").empty());
    EXPECT_TRUE(Split(u"").empty());
    // Fields after the twelfth are kept by the split; readers ignore them.
    EXPECT_EQ(Split(u"\"A\"=1,2,3,4,5,6,7,8,9,10,11,12,13").size(), 14u);
}

TEST(ParseVoiceParameters, TakesOnlyWholeNumbersWithinRange) {
    const Fields fields = {u"A", u"ID",  u"128", u"-128", u"+5",  u" 7 ",
                           u"S", u"12a", u"",    u"-127", u"127", u"\t-0 "};
    AxVVoiceParam primary{10, 11, 12, 13, 14, 15};
    ParseVoiceParameters(fields, VoiceSet::Primary, primary);
    EXPECT_EQ(primary.BRE, 10);  // 128
    EXPECT_EQ(primary.BRI, 11);  // -128
    EXPECT_EQ(primary.CLE, 5);   // +5
    EXPECT_EQ(primary.GEN, 7);   // " 7 "
    EXPECT_EQ(primary.AUX, 14);  // never read
    EXPECT_EQ(primary.VOL, 15);  // not a primary field

    AxVVoiceParam secondary{20, 21, 22, 23, 24, 25};
    ParseVoiceParameters(fields, VoiceSet::Secondary, secondary);
    EXPECT_EQ(secondary.BRE, 20);  // 12a
    EXPECT_EQ(secondary.BRI, 21);  // empty
    EXPECT_EQ(secondary.CLE, -127);
    EXPECT_EQ(secondary.GEN, 127);
    EXPECT_EQ(secondary.AUX, 24);
    EXPECT_EQ(secondary.VOL, 0);  // "-0"
}

TEST(ParseVoiceParameters, MissingFieldsLeaveTheirValues) {
    AxVVoiceParam primary{1, 2, 3, 4, 5, 0};
    ParseVoiceParameters(Fields{u"A", u"ID", u"9"}, VoiceSet::Primary, primary);
    EXPECT_EQ(primary.BRE, 9);
    EXPECT_EQ(primary.BRI, 2);
    EXPECT_EQ(primary.GEN, 4);

    AxVVoiceParam secondary{1, 2, 3, 4, 5, 6};
    ParseVoiceParameters(Fields{u"A", u"ID", u"", u"", u"", u"", u"S2", u"-9", u"8", u"7", u"6"},
                         VoiceSet::Secondary, secondary);
    EXPECT_EQ(secondary.GEN, 6);
    EXPECT_EQ(secondary.VOL, 6);  // field 11 missing
    EXPECT_EQ(secondary.BRE, -9);
}

}  // namespace
}  // namespace kora
