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

TEST(TranslateString, ReplacesOnlyOnAnExactKey) {
    MapTextModule texts(
        {{u"05", u"leading zero"}, {u" 5", u"leading blank"}, {u"5+", u"suffix"}, {u"6", u"six"}});
    TextModuleScope scope(&texts);
    std::u16string five = u"Enter a singer name.";
    EXPECT_TRUE(TranslateString(&five, 5));
    EXPECT_EQ(five, u"Enter a singer name.");
    std::u16string six = u"x";
    EXPECT_TRUE(TranslateString(&six, 6));
    EXPECT_EQ(six, u"six");
}

TEST(TranslateString, EmptyEntryEmptiesTheTextAndNullTargetFails) {
    MapTextModule texts({{u"5", u""}});
    TextModuleScope scope(&texts);
    std::u16string text = u"Enter a singer name.";
    EXPECT_TRUE(TranslateString(&text, 5));
    EXPECT_EQ(text, u"");
    EXPECT_FALSE(TranslateString(nullptr, 5));
}

TEST(TranslateString, KeysIdsAsSignedDecimal) {
    MapTextModule texts({{u"-1", u"minus one"}, {u"4294967295", u"unsigned"}});
    TextModuleScope scope(&texts);
    std::u16string text;
    EXPECT_TRUE(TranslateString(&text, 0xFFFFFFFFu));
    EXPECT_EQ(text, u"minus one");
}

TEST(TranslateString, WithoutTextModuleLeavesTheText) {
    TextModuleScope scope(nullptr);
    std::u16string text = u"kept";
    EXPECT_TRUE(TranslateString(&text, 5));
    EXPECT_EQ(text, u"kept");
}

TEST(LoadString, GivesTheModulesOwnTextsExactly) {
    TextModuleScope scope(nullptr);
    CLumiM17NString s;
    ASSERT_TRUE(s.LoadString(IDS_CONFIRM_DELETE));
    EXPECT_EQ(s, u"Do you really want to delete the singer? ");  // trailing blank kept
    ASSERT_TRUE(s.LoadString(IDS_COPY_OF));
    EXPECT_EQ(s, u"Copy of ");
    ASSERT_TRUE(s.LoadString(IDS_FILE_FILTER));
    EXPECT_EQ(s, u"SingerEditor Setting File (*.dat)|*.dat|All Files (*.*)|*.*||");
}

TEST(LoadString, TakesTheHostsTextIncludingAnEmptyOne) {
    MapTextModule texts({{u"23077", u"名前"}, {u"5", u""}});
    TextModuleScope scope(&texts);
    CLumiM17NString s;
    ASSERT_TRUE(s.LoadString(IDS_COLUMN_NAME));
    EXPECT_EQ(s, u"名前");
    ASSERT_TRUE(s.LoadString(IDS_ENTER_SINGER_NAME));
    EXPECT_EQ(s, u"");
}

TEST(LoadString, MissingIdFailsKeepsTheTextAndIsNeverTranslated) {
    MapTextModule texts({{u"4", u"host text for a number the table lacks"}});
    TextModuleScope scope(&texts);
    CLumiM17NString s;
    EXPECT_FALSE(s.LoadString(4));
    EXPECT_EQ(s, u"");
    EXPECT_EQ(texts.lookups, 0);
    CLumiM17NString kept(u"before");
    EXPECT_FALSE(kept.LoadString(9999));
    EXPECT_EQ(kept, u"before");
}

TEST(Format, FormatsTheTableTextAndTheHostsText) {
    {
        TextModuleScope scope(nullptr);
        CLumiM17NString s;
        s.Format(IDS_ERROR_OCCURRED, 0);
        EXPECT_EQ(s, u"Error occurred. (0)");
        s.Format(IDS_ERROR_OCCURRED, -12345);
        EXPECT_EQ(s, u"Error occurred. (-12345)");
    }
    MapTextModule texts({{u"31", u"エラー (%d) 100%%"}});
    TextModuleScope scope(&texts);
    CLumiM17NString s;
    s.Format(IDS_ERROR_OCCURRED, 1);
    EXPECT_EQ(s, u"エラー (1) 100%");
}

TEST(Format, HostTextThatDoesNotFitFallsBackToTheModulesText) {
    const char16_t* bad[] = {u"Error %s", u"Error %d %d", u"Error %x", u"Error %", u"%n"};
    for (const char16_t* text : bad) {
        SCOPED_TRACE(&text - bad);
        MapTextModule texts({{u"31", text}});
        TextModuleScope scope(&texts);
        CLumiM17NString s;
        s.Format(IDS_ERROR_OCCURRED, 7);
        EXPECT_EQ(s, u"Error occurred. (7)");
    }
}

TEST(Format, HostTextWithoutPlaceholderIgnoresTheArgument) {
    MapTextModule texts({{u"31", u"Something went wrong."}});
    TextModuleScope scope(&texts);
    CLumiM17NString s;
    s.Format(IDS_ERROR_OCCURRED, 7);
    EXPECT_EQ(s, u"Something went wrong.");
}

TEST(Format, MissingStringGivesAnEmptyText) {
    TextModuleScope scope(nullptr);
    CLumiM17NString s(u"previous");
    s.Format(9999, 1);
    EXPECT_EQ(s, u"");
}

TEST(FormatText, ChecksEveryPlaceholderAgainstItsArgument) {
    EXPECT_EQ(FormatText(u"%s (%d)", std::u16string(u"Alto"), 2), u"Alto (2)");
    EXPECT_EQ(FormatText(u"%d%%", 50), u"50%");
    EXPECT_EQ(FormatText(u"%i", int64_t{-9000000000}), u"-9000000000");
    EXPECT_EQ(FormatText(u"none"), u"none");
    EXPECT_EQ(FormatText(u"%s", static_cast<const char16_t*>(nullptr)), u"");
    EXPECT_EQ(FormatText(u"%d", u"text"), std::nullopt);
    EXPECT_EQ(FormatText(u"%s", 3), std::nullopt);
    EXPECT_EQ(FormatText(u"%d %d", 3), std::nullopt);
    EXPECT_EQ(FormatText(u"%5d", 3), std::nullopt);
    EXPECT_EQ(FormatText(u"trailing %"), std::nullopt);
}

TEST(FormatText, DecimalTextCoversTheWholeRange) {
    EXPECT_EQ(DecimalText(0), u"0");
    EXPECT_EQ(DecimalText(INT64_MIN), u"-9223372036854775808");
    EXPECT_EQ(DecimalText(INT64_MAX), u"9223372036854775807");
}

}  // namespace
}  // namespace kora::ui
