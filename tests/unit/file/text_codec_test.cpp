// Encodings of the file: marks, UTF-16LE, and how ill-formed bytes read.
#include <gtest/gtest.h>

#include "file/singer_file_reader.h"
#include "file_test_support.h"
#include "model/text_codec.h"

namespace kora {
namespace {

using test::Bytes;
using namespace std::string_literals;

std::u16string Decode(std::initializer_list<uint8_t> bytes) {
    const std::vector<uint8_t> data(bytes);
    return DecodeFileText(data);
}

TEST(DecodeFileText, Utf8WithAndWithoutMarkReadTheSame) {
    const std::string text = "caf\xC3\xA9 \xE3\x81\x82 \xF0\x9F\x8E\xB5";
    const std::u16string expected = u"café あ 🎵";
    EXPECT_EQ(DecodeFileText(Bytes(text)), expected);
    EXPECT_EQ(DecodeFileText(test::WithUtf8Mark(text)), expected);
    // Only one mark is taken away; a second one is text.
    EXPECT_EQ(DecodeFileText(test::WithUtf8Mark("\xEF\xBB\xBFx")), u"\uFEFFx");
}

TEST(DecodeFileText, Utf16LeMarkDecides) {
    EXPECT_EQ(DecodeFileText(test::Utf16LeWithMark(u"a\u3042\U0001F3B5")), u"a\u3042\U0001F3B5");
    // FF FE decides even when the rest would be valid UTF-8 read as bytes.
    EXPECT_EQ(Decode({0xFF, 0xFE, 'a', 0, 'b', 0}), u"ab");
    // A big-endian mark is not recognised: its two bytes are ill-formed UTF-8.
    EXPECT_EQ(Decode({0xFE, 0xFF, 0, 'a'}), u"\uFFFD\uFFFD\0a"s);
}

TEST(DecodeFileText, UnpairedSurrogatesAndOddByteInUtf16BecomeReplacement) {
    // Lone high surrogate before a plain unit, lone low surrogate, high at the end.
    EXPECT_EQ(Decode({0xFF, 0xFE, 0x00, 0xD8, 'x', 0, 0x00, 0xDC, 'y', 0, 0x3D, 0xD8}),
              u"\uFFFDx\uFFFDy\uFFFD");
    // Two high surrogates in a row: the first is lone, the second pairs.
    EXPECT_EQ(Decode({0xFF, 0xFE, 0x00, 0xD8, 0x3C, 0xD8, 0xB5, 0xDF}), u"\uFFFD\U0001F3B5");
    EXPECT_EQ(Decode({0xFF, 0xFE, 'a', 0, 'b'}), u"a\uFFFD");
    EXPECT_EQ(Decode({0xFF, 0xFE}), u"");
}

TEST(DecodeFileText, EachMaximalIllFormedUtf8SubsequenceBecomesOneReplacement) {
    // Stray continuation bytes and bytes that never start a sequence.
    EXPECT_EQ(Decode({'a', 0x80, 0xBF, 'b'}), u"a\uFFFD\uFFFDb");
    EXPECT_EQ(Decode({0xC0, 0xAF, 0xC1, 0xF5, 0xFF}), u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
    // A truncated three-byte sequence is one subpart; the next byte starts afresh.
    EXPECT_EQ(Decode({0xE3, 0x81, 'a'}), u"\uFFFDa");
    EXPECT_EQ(Decode({0xE3, 0x81}), u"\uFFFD");
    EXPECT_EQ(Decode({0xF0, 0x9F, 0x8E}), u"\uFFFD");
    // Overlong forms, encoded surrogates and values above U+10FFFF.
    EXPECT_EQ(Decode({0xE0, 0x80, 0xAF}), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(Decode({0xED, 0xA0, 0x80}), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(Decode({0xF4, 0x90, 0x80, 0x80}), u"\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(Decode({0xF4, 0x8F, 0xBF, 0xBF}), u"\U0010FFFF");
    // A lead byte followed by a new lead byte.
    EXPECT_EQ(Decode({0xC3, 0xC3, 0xA9}), u"\uFFFD\u00E9");
}

TEST(DecodeFileText, InvalidBytesInASingerNameDoNotDisturbTheStructure) {
    const auto content =
        ReadSingerFile(Bytes("[general]\nversion=1\n[MySingerList]\ncount=1\n\"A\xFF"
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
