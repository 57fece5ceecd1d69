// Encodings of the file: marks, UTF-16LE, and how ill-formed bytes read.
#include <gtest/gtest.h>

#include "file/singer_file_reader.h"
#include "file_test_support.h"

namespace kora {
namespace {

using namespace std::string_literals;

TEST(DecodeFileText, MarksAndIllFormedInput) {
    const struct {
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"caf\xC3\xA9 \xE3\x81\x82 \xF0\x9F\x8E\xB5", u"café あ 🎵"},
        {"\xEF\xBB\xBF"
         "caf\xC3\xA9",
         u"café"},
        {"\xEF\xBB\xBF\xEF\xBB\xBFx", u"\uFEFFx"},  // only one mark is taken away
        {"\xFF\xFE"
         "a\0b\0"s,
         u"ab"},
        {"\xFE\xFF\0a"s, u"\uFFFD\uFFFD\0a"s},  // no big-endian mark
        // UTF-16: lone high before a plain unit, lone low, high at the end.
        {"\xFF\xFE\x00\xD8x\0\x00\xDCy\0\x3D\xD8"s, u"\uFFFDx\uFFFDy\uFFFD"},
        {"\xFF\xFE\x00\xD8\x3C\xD8\xB5\xDF"s, u"\uFFFD\U0001F3B5"},
        {"\xFF\xFE"
         "a\0b"s,
         u"a\uFFFD"},
        {"\xFF\xFE", u""},
        // UTF-8: one replacement per maximal ill-formed subpart.
        {"a\x80\xBF"
         "b",
         u"a\uFFFD\uFFFDb"},
        {"\xC0\xAF\xC1\xF5\xFF", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xE3\x81"
         "a",
         u"\uFFFDa"},
        {"\xE3\x81", u"\uFFFD"},
        {"\xF0\x9F\x8E", u"\uFFFD"},
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        {"\xC3\xC3\xA9", u"\uFFFD\u00E9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        EXPECT_EQ(DecodeFileText(test::Bytes(c.bytes)), c.text);
    }
    EXPECT_EQ(DecodeFileText(test::Utf16LeWithMark(u"a\u3042\U0001F3B5")), u"a\u3042\U0001F3B5");
}

TEST(DecodeFileText, InvalidBytesInASingerNameDoNotDisturbTheStructure) {
    const auto content =
        ReadSingerFile(test::Bytes("[general]\nversion=1\n[MySingerList]\ncount=1\n\"A\xFF"
                                   "B\"=ID,1,2,3,4,\n"));
    ASSERT_FALSE(content.fault);
    ASSERT_EQ(content.singerLines.size(), 1u);
    EXPECT_EQ(content.singerLines[0].fields[0], u"A\uFFFDB");
}

TEST(EncodeUtf8, RoundTripsAndReplacesUnpairedSurrogates) {
    const std::u16string text = u"a\u00E9\u3042\U0001F3B5";
    EXPECT_EQ(DecodeFileText(test::Bytes(EncodeUtf8(text))), text);
    EXPECT_EQ(EncodeUtf8(u"x\xD800y"), "x\xEF\xBF\xBDy");
    EXPECT_EQ(EncodeUtf8(u"\xDC00"), "\xEF\xBF\xBD");
}

TEST(TrimWhiteSpace, TakesUnicodeSpacesFromBothEndsOnly) {
    EXPECT_EQ(TrimWhiteSpace(u" \t\r\u3000a b\u00A0\v\f"), u"a b");
    EXPECT_EQ(TrimWhiteSpace(u"   "), u"");
    EXPECT_EQ(TrimWhiteSpace(u"\uFEFFa"), u"\uFEFFa");  // a stray mark is no space
}

}  // namespace
}  // namespace kora
