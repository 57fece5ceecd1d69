#include <gtest/gtest.h>

#include "standins/utf.h"

namespace {

using standins::Utf16ToUtf8;
using standins::Utf8ToUtf16;

TEST(UtfConversion, WellFormedTextRoundTrips) {
    const std::u16string samples[] = {
        u"",
        u"Aurora",
        u"Élodie Søren Zoë",                       // two-byte forms
        u"さくら ハルカ ミナト",                   // three-byte forms
        u"\U0001F3B5 note \U00010000 \U0010FFFF",  // surrogate pairs, both ends of the range
        std::u16string(1, u'\0') + u"x",           // a NUL is data, not an end
    };
    for (const std::u16string& text : samples) {
        EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    }
    EXPECT_EQ(Utf16ToUtf8(u"É\U0001F3B5"), "\xC3\x89\xF0\x9F\x8E\xB5");
    EXPECT_EQ(Utf16ToUtf8(u"\u0800\uFFFF"), "\xE0\xA0\x80\xEF\xBF\xBF");
}

TEST(UtfConversion, IllFormedUtf8BecomesOneReplacementPerMaximalSubpart) {
    struct Case {
        std::string in;
        std::u16string out;
    };
    const Case cases[] = {
        {"a\x80z", u"a\uFFFDz"},                  // lone continuation byte
        {"\xC0\xAF", u"\uFFFD\uFFFD"},            // overlong two-byte form: C0 is never a lead
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},  // overlong three-byte form
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
        {"\xF5\xFF", u"\uFFFD\uFFFD"},                      // bytes that never occur
        {"\xE3\x81", u"\uFFFD"},                            // cut short at the end
        {"\xE3\x81z", u"\uFFFDz"},                          // cut short before ASCII
        {"\xF0\x9F\x8E", u"\uFFFD"},                        // four-byte form cut short
        {"\xE3\x81\xE3\x81\x95", u"\uFFFD\u3055"},          // a bad prefix, then a good sequence
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToUtf16(c.in), c.out) << "input of " << c.in.size() << " bytes";
    }
}

TEST(UtfConversion, UnpairedSurrogatesBecomeReplacementCharacters) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800')), replacement);           // high at the end
    EXPECT_EQ(Utf16ToUtf8(std::u16string{u'\xDC00', u'a'}), replacement + "a");  // lone low
    EXPECT_EQ(Utf16ToUtf8(std::u16string{u'\xDC00', u'\xD800'}), replacement + replacement);
    EXPECT_EQ(Utf16ToUtf8(std::u16string{u'\xD800', u'b'}), replacement + "b");  // high, no low
}

}  // namespace
