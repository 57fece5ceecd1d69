// The fields of a singer line and the parameter values taken from them.
#include <gtest/gtest.h>

#include "file/singer_file_reader.h"
#include "file/singer_file_writer.h"
#include "file_test_support.h"

namespace kora {
namespace {

using Fields = std::vector<std::u16string>;
using test::Values;

TEST(SplitSingerLine, FieldsAndBrokenLines) {
    const struct {
        std::u16string line;
        Fields fields;
        bool broken;
    } cases[] = {
        {u"\"Alto\"=0123456789ABCDEF,1,-2,3,4,,0,0,0,0,0",
         {u"Alto", u"0123456789ABCDEF", u"1", u"-2", u"3", u"4", u"", u"0", u"0", u"0", u"0", u"0"},
         false},
        // Two quotation marks directly before "=" break the line; one gives an empty name.
        {u"\"\"=ID,1", {}, true},
        {u"\"=ID,1", {u"", u"ID", u"1"}, false},
        {u"\"no end", {}, true},
        {u"\"closed but no equals\"", {}, true},
        {u"\"name\" =ID", {}, true},
        // The name reads up to the last quotation mark of the line.
        {u"\"A\"=ID,1,\"x\"y,2", {}, true},
        {u"\"A\"=ID,\"q\"=5,6", {u"A=ID,q", u"5", u"6"}, false},
        {u"\"A\"=\"B\",C", {}, true},
        {u"\"A\"=I,D,1", {u"A", u"I", u"D", u"1"}, false},
        // A trailing comma adds no field; two commas give an empty one; no trimming.
        {u"\"A\"=ID,1,", {u"A", u"ID", u"1"}, false},
        {u"\"A\"=ID,,2", {u"A", u"ID", u"", u"2"}, false},
        {u"\"A\"=", {u"A"}, false},
        {u"\"A\"= ID , 1", {u"A", u" ID ", u" 1"}, false},
        {u"A=ID,1", {}, false},
        {u"", {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.line));
        bool broken = !c.broken;
        EXPECT_EQ(SplitSingerLine(c.line, &broken), c.fields);
        EXPECT_EQ(broken, c.broken);
    }
    EXPECT_EQ(SplitSingerLine(u"\"A\"=1,2,3,4,5,6,7,8,9,10,11,12,13", nullptr).size(), 14u);
}

TEST(SplitSingerLine, WrittenNamesReadBackExceptATrailingBackslash) {
    const std::pair<std::u16string, std::u16string> names[] = {
        {u"a\"b", u"a\"b"},
        {u"\"start", u"\"start"},
        {u"end\"", u"end\""},
        {u"\"", u"\""},
        {u"\"\"", u"\"\""},
        {u"two\"\"in a row", u"two\"\"in a row"},
        {u"\"both\"", u"\"both\""},
        {u"back\\slash inside", u"back\\slash inside"},
        {u"a\\\"b", u"a\\\"b"},
        {u"=,;", u"=,;"},
        {u"\u3042\"\u3044", u"\u3042\"\u3044"},
        {u"Alto\\", u"Alto\""},
        {u"\\", u"\""},
        {u"a\\\\", u"a\\\""},
    };
    for (const auto& [name, readBack] : names) {
        bool broken = true;
        const auto fields = SplitSingerLine(FormatQuotedName(name) + u"=ID", &broken);
        EXPECT_FALSE(broken);
        EXPECT_EQ(fields, (Fields{readBack, u"ID"}));
    }
}

TEST(ParseVoiceParameters, TakesOnlyWholeNumbersWithinRange) {
    const Fields fields = {u"A", u"ID",  u"128", u"-128", u"+5",  u" 7 ",
                           u"S", u"12a", u"",    u"-127", u"127", u"\t-0 "};
    AxVVoiceParam primary{10, 11, 12, 13, 14, 15};
    ParseVoiceParameters(fields, VoiceSet::Primary, primary);
    EXPECT_EQ(Values(primary),
              (std::array<int32_t, 6>{10, 11, 5, 7, 14, 15}));  // AUX never read, VOL not primary
    AxVVoiceParam secondary{20, 21, 22, 23, 24, 25};
    ParseVoiceParameters(fields, VoiceSet::Secondary, secondary);
    EXPECT_EQ(Values(secondary), (std::array<int32_t, 6>{20, 21, -127, 127, 24, 0}));

    // Missing fields leave their values.
    AxVVoiceParam fewer{1, 2, 3, 4, 5, 6};
    ParseVoiceParameters(Fields{u"A", u"ID", u"9"}, VoiceSet::Primary, fewer);
    EXPECT_EQ(Values(fewer), (std::array<int32_t, 6>{9, 2, 3, 4, 5, 6}));
    ParseVoiceParameters(Fields{u"A", u"ID", u"", u"", u"", u"", u"S2", u"-9", u"8", u"7", u"6"},
                         VoiceSet::Secondary, fewer);
    EXPECT_EQ(Values(fewer), (std::array<int32_t, 6>{-9, 8, 7, 6, 5, 6}));
}

}  // namespace
}  // namespace kora
