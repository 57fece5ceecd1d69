// Single strings: the string table, the host's replacements and formatting.
#include <gtest/gtest.h>

#include "res/string_res.h"
#include "text_module_fake.h"
#include "ui/format_text.h"
#include "ui/lumi_m17n_string.h"

namespace kora::ui {
namespace {

using test::MapTextModule;
using test::TextModuleScope;

TEST(TranslateString, ReplacesOnlyOnAnExactSignedDecimalKey) {
    MapTextModule texts({{u"05", u"leading zero"},
                         {u" 5", u"blank"},
                         {u"5+", u"suffix"},
                         {u"6", u""},
                         {u"-1", u"minus one"},
                         {u"4294967295", u"unsigned"}});
    TextModuleScope scope(&texts);
    std::u16string text = u"kept";
    EXPECT_TRUE(TranslateString(&text, 5));
    EXPECT_EQ(text, u"kept");
    EXPECT_TRUE(TranslateString(&text, 0xFFFFFFFFu));
    EXPECT_EQ(text, u"minus one");
    EXPECT_TRUE(TranslateString(&text, 6));  // an empty entry empties the text
    EXPECT_EQ(text, u"");
    EXPECT_FALSE(TranslateString(nullptr, 5));
    TextModuleScope none(nullptr);
    text = u"kept";
    EXPECT_TRUE(TranslateString(&text, 6));
    EXPECT_EQ(text, u"kept");
}

TEST(LoadString, GivesTheTableTextOrTheHostsEvenEmptyButNeverForAMissingId) {
    CLumiM17NString s;
    ASSERT_TRUE(s.LoadString(IDS_CONFIRM_DELETE));
    EXPECT_EQ(s, u"Do you really want to delete the singer? ");  // trailing blank kept
    MapTextModule texts({{u"23077", u"名前"}, {u"5", u""}, {u"4", u"not in the table"}});
    TextModuleScope scope(&texts);
    ASSERT_TRUE(s.LoadString(IDS_COLUMN_NAME));
    EXPECT_EQ(s, u"名前");
    ASSERT_TRUE(s.LoadString(IDS_ENTER_SINGER_NAME));
    EXPECT_EQ(s, u"");
    texts.lookups = 0;
    CLumiM17NString kept(u"before");
    EXPECT_FALSE(kept.LoadString(4));
    EXPECT_EQ(kept, u"before");
    EXPECT_EQ(texts.lookups, 0);
}

TEST(Format, FormatsTheTableTextOrTheHostsWhenItFits) {
    CLumiM17NString s(u"previous");
    s.Format(9999, 1);  // no such string
    EXPECT_EQ(s, u"");
    s.Format(IDS_ERROR_OCCURRED, -12345);
    EXPECT_EQ(s, u"Error occurred. (-12345)");
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"エラー (%d) 100%%", u"エラー (7) 100%"},
        {u"Something went wrong.", u"Something went wrong."},  // the argument is ignored
        {u"Error %s", u"Error occurred. (7)"},  // what does not fit falls back to the table's
        {u"Error %d %d", u"Error occurred. (7)"},
        {u"Error %x", u"Error occurred. (7)"},
        {u"Error %", u"Error occurred. (7)"},
        {u"%n", u"Error occurred. (7)"}};
    for (const auto& [host, expected] : cases) {
        MapTextModule texts({{u"31", host}});
        TextModuleScope scope(&texts);
        s.Format(IDS_ERROR_OCCURRED, 7);
        EXPECT_EQ(s, expected);
    }
}

TEST(FormatText, ChecksEveryPlaceholderAgainstItsArgument) {
    EXPECT_EQ(FormatText(u"%s (%d)", std::u16string(u"Alto"), 2), u"Alto (2)");
    EXPECT_EQ(FormatText(u"%i", int64_t{-9000000000}), u"-9000000000");
    EXPECT_EQ(FormatText(u"%s", static_cast<const char16_t*>(nullptr)), u"");
    EXPECT_EQ(FormatText(u"%d", u"text"), std::nullopt);
    EXPECT_EQ(FormatText(u"%s", 3), std::nullopt);
    EXPECT_EQ(FormatText(u"%d %d", 3), std::nullopt);
    EXPECT_EQ(FormatText(u"%5d", 3), std::nullopt);
    EXPECT_EQ(FormatText(u"trailing %"), std::nullopt);
    EXPECT_EQ(DecimalText(0), u"0");
    EXPECT_EQ(DecimalText(INT64_MIN), u"-9223372036854775808");
    EXPECT_EQ(DecimalText(INT64_MAX), u"9223372036854775807");
}

}  // namespace
}  // namespace kora::ui
