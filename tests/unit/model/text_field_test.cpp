#include "model/text_field.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "kora4/vbank4.h"

namespace kora {
namespace {

constexpr char16_t kCanary = u'\uBEEF';

// A field of kDbmTextField units between two guard areas.
struct GuardedField {
    std::array<char16_t, 8> before;
    char16_t field[kDbmTextField];
    std::array<char16_t, 8> after;

    GuardedField() {
        before.fill(kCanary);
        after.fill(kCanary);
        std::fill(std::begin(field), std::end(field), u'x');
    }
    bool GuardsIntact() const {
        for (char16_t c : before) {
            if (c != kCanary) return false;
        }
        for (char16_t c : after) {
            if (c != kCanary) return false;
        }
        return true;
    }
};

TEST(TextField, LongestTextThatFitsIsCopiedWhole) {
    GuardedField g;
    const std::u16string text(kDbmTextField - 1, u'n');
    EXPECT_TRUE(CopyToField(g.field, text));
    EXPECT_EQ(ReadField(g.field), text);
    EXPECT_EQ(g.field[kDbmTextField - 1], u'\0');
    EXPECT_TRUE(g.GuardsIntact());
}

TEST(TextField, OverLongTextIsCutTerminatedAndReported) {
    for (std::size_t length : {kDbmTextField, kDbmTextField + 1, std::size_t{5000}}) {
        GuardedField g;
        const std::u16string text(length, u'n');
        EXPECT_FALSE(CopyToField(g.field, text)) << length;
        EXPECT_EQ(ReadField(g.field), text.substr(0, kDbmTextField - 1));
        EXPECT_EQ(g.field[kDbmTextField - 1], u'\0');
        EXPECT_TRUE(g.GuardsIntact()) << length;
    }
}

TEST(TextField, ShortTextClearsTheRestOfTheField) {
    GuardedField g;
    EXPECT_TRUE(CopyToField(g.field, u"Alto"));
    EXPECT_EQ(ReadField(g.field), u"Alto");
    for (std::size_t i = 4; i < kDbmTextField; ++i) ASSERT_EQ(g.field[i], u'\0') << i;
}

TEST(TextField, CutNeverSplitsASurrogatePair) {
    std::u16string text(kDbmTextField - 2, u'n');
    text += u"\U0001F3B5";  // two units at 258 and 259: the second has no room
    GuardedField g;
    EXPECT_FALSE(CopyToField(g.field, text));
    EXPECT_EQ(ReadField(g.field), std::u16string(kDbmTextField - 2, u'n'));
}

TEST(TextField, EmptyFieldTakesNothing) {
    std::array<char16_t, 1> guard{kCanary};
    EXPECT_FALSE(CopyToField(std::span<char16_t>(guard.data(), 0), u"a"));
    EXPECT_EQ(guard[0], kCanary);
    char16_t one[1] = {u'x'};
    EXPECT_TRUE(CopyToField(one, u""));
    EXPECT_EQ(one[0], u'\0');
    EXPECT_FALSE(CopyToField(one, u"a"));
}

TEST(TextField, ReadingAnUnterminatedFieldStopsAtItsEnd) {
    GuardedField g;  // all 'x', no terminator
    EXPECT_EQ(ReadField(g.field), std::u16string(kDbmTextField, u'x'));
}

}  // namespace
}  // namespace kora
