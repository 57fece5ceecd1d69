// The module's texts: the host's replacements, formatting, and whole dialogs
// localized in the singer edit dialog's start-up order (localize, then its
// caption).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "probe_dialog.h"
#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "res/string_res.h"
#include "res/xsynth_group_res.h"
#include "text_module_fake.h"
#include "ui/format_text.h"
#include "ui/headless/gtest_user.h"
#include "ui/headless/resource_tables.h"
#include "ui/localize.h"
#include "ui/lumi_m17n_string.h"

namespace kora::ui {
namespace {

using headless::TestUser;
using test::MapTextModule;
using test::Probe;
using test::TextModuleScope;

TEST(TranslateString, ReplacesOnlyOnAnExactSignedDecimalKey) {
    MapTextModule texts({{u"05", u"x"},
                         {u" 5", u"x"},
                         {u"5+", u"x"},
                         {u"6", u""},
                         {u"-1", u"-1"},
                         {u"4294967295", u"x"}});
    TextModuleScope scope(&texts);
    std::u16string text = u"kept";
    EXPECT_TRUE(TranslateString(&text, 5));
    EXPECT_EQ(text, u"kept");
    EXPECT_TRUE(TranslateString(&text, 0xFFFFFFFFu));
    EXPECT_EQ(text, u"-1");
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

TEST(Format, FormatsTheTableTextOrTheHostsWhenItFitsCheckingEveryPlaceholder) {
    CLumiM17NString s(u"previous");
    s.Format(9999, 1);  // no such string
    EXPECT_EQ(s, u"");
    s.Format(IDS_ERROR_OCCURRED, -12345);
    EXPECT_EQ(s, u"Error occurred. (-12345)");
    const char16_t* const kOwn = u"Error occurred. (-7)";
    // A host's format is used when every conversion reads the int it is
    // given; anything that could read a missing or mistyped argument falls
    // back to the table's text.
    // clang-format off
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"エラー (%d) 100%%", u"エラー (-7) 100%"}, {u"Plain.", u"Plain."},
        {u"[%3d]", u"[ -7]"}, {u"[%-4i]", u"[-7  ]"}, {u"[%05d]", u"[-0007]"}, {u"[%+.3d]", u"[-007]"},
        {u"[%u]", u"[4294967289]"}, {u"[%x]", u"[fffffff9]"}, {u"[%#X]", u"[0XFFFFFFF9]"},
        {u"[%#o]", u"[037777777771]"}, {u"[%ld]", u"[-7]"}, {u"[%I32d]", u"[-7]"},
        {u"[%hd]", u"[-7]"}, {u"[%hhu]", u"[249]"},
        {u"Error %s", kOwn}, {u"Error %d %d", kOwn}, {u"Error %lld", kOwn}, {u"Error %I64d", kOwn},
        {u"Error %*d", kOwn}, {u"Error %.*d", kOwn}, {u"Error %f", kOwn}, {u"Error %c", kOwn},
        {u"Error %p", kOwn}, {u"Error %wd", kOwn}, {u"Error %2000d", kOwn}, {u"Error %", kOwn},
        {u"%n", kOwn}};
    // clang-format on
    for (const auto& [host, expected] : cases) {
        MapTextModule texts({{u"31", host}});
        TextModuleScope scope(&texts);
        s.Format(IDS_ERROR_OCCURRED, -7);
        EXPECT_EQ(s, expected) << std::string(host,
                                              host + std::char_traits<char16_t>::length(host));
    }
    // Sizes follow the argument: a 64-bit value needs ll, a narrow one is an int.
    EXPECT_EQ(FormatText(u"%s (%lld)", std::u16string(u"Alto"), int64_t{-9000000000}),
              u"Alto (-9000000000)");
    EXPECT_EQ(FormatText(u"%d", int64_t{1}), std::nullopt);
    EXPECT_EQ(FormatText(u"%d|%x", int16_t{-2}, uint8_t{255}), u"-2|ff");
    EXPECT_EQ(FormatText(u"%zu", size_t{3}), u"3");
    EXPECT_EQ(FormatText(u"[%-6.2s|%ls|%3s]", u"Alto", u"B", u"C"), u"[Al    |B|  C]");
    EXPECT_EQ(FormatText(u"%s", static_cast<const char16_t*>(nullptr)), u"");
    EXPECT_EQ(FormatText(u"%d", u"text"), std::nullopt);
    EXPECT_EQ(FormatText(u"%hs", u"text"), std::nullopt);
    EXPECT_EQ(FormatText(u"%.0d|%#x|%#.0o", 0, 0, 0), u"|0|0");
    EXPECT_EQ(FormatText(u"%d", INT32_MIN), u"-2147483648");
    EXPECT_EQ(DecimalText(INT64_MIN), u"-9223372036854775808");
    EXPECT_EQ(DecimalText(INT64_MAX), u"9223372036854775807");
}

struct Seen {
    std::u16string caption;
    std::map<int, std::u16string> texts;  // by id; the -1 labels under -1, -2, ...
    int localizeResult = -1;
};

// Opens dialog 23000 the way the singer edit dialog starts: localize with the
// dialog's module, then set the caption from string 23084 ("Add").
Seen OpenSingerDialog(const LumiM17NModule* module) {
    TestUser user;
    TextModuleScope scope(module);
    Seen seen;
    Probe dlg(IDD_SINGER);
    dlg.onInit = [&](Probe& p) {
        if (module) seen.localizeResult = LocalizeDialog(module, &p, IDD_SINGER);
        CLumiM17NString caption;
        caption.LoadString(IDS_CAPTION_ADD);
        p.SetCaption(caption);
        return true;
    };
    user.Check([&](Dialog& d) {
            seen.caption = d.Caption();
            int unnamed = 0;
            d.ForEachChild([&](ChildWindow child) {
                seen.texts[child.Id() < 0 ? --unnamed : child.Id()] = child.Text();
                return true;
            });
        })
        .PressEscape();
    dlg.DoModal();
    return seen;
}

TEST(LocalizeDialog, HostTextsReplaceControlsButTheCaptionIsSetAfterwards) {
    MapTextModule empty({});
    const Seen plain = OpenSingerDialog(nullptr), unchanged = OpenSingerDialog(&empty);
    EXPECT_EQ(plain.texts.size(), 40u);
    EXPECT_EQ(unchanged.texts, plain.texts);  // no entries: the template texts stay
    EXPECT_EQ(std::tie(plain.caption, unchanged.caption), std::tuple(u"Add", u"Add"));
    EXPECT_EQ(unchanged.localizeResult, 1);
    EXPECT_GT(empty.lookups, 30);
    MapTextModule texts({{u"23000", u"歌手"},
                         {u"23107", u"クロスシンセシス グループ"},
                         {u"23112", u"名前"},
                         {u"23096", u""},  // empty: the Reset button keeps its text
                         {u"-1", u"never"},
                         {u"23084", u"追加"}});
    const Seen seen = OpenSingerDialog(&texts);
    EXPECT_EQ(seen.localizeResult, 1);
    EXPECT_EQ(seen.caption, u"追加");  // string 23084 through the host, not template 23000
    EXPECT_EQ(seen.texts.at(IDC_XSYNTH_GROUP_LIST), u"クロスシンセシス グループ");
    EXPECT_EQ(seen.texts.at(IDC_NAME_LABEL), u"名前");
    EXPECT_EQ(seen.texts.at(IDC_PRIMARY_RESET), u"Reset");
    for (int i = -1; i >= -9; --i) EXPECT_EQ(seen.texts.at(i), plain.texts.at(i)) << i;
}

TEST(LocalizeDialog, CaptionTakesEvenAnEmptyHostTextAndNullsChangeNothing) {
    MapTextModule texts({{u"101", u""}, {u"1003", u"マイ シンガー"}, {u"-1", u"x"}});
    EXPECT_EQ(LocalizeDialog(&texts, nullptr, IDD_SINGER_EDITOR), 0);
    LocalizeChildControl(&texts, ChildWindow());  // a null child is passed over
    EXPECT_EQ(texts.lookups, 0);
    TestUser user;
    Probe dlg(IDD_SINGER_EDITOR);
    dlg.onInit = [&](Probe& p) {
        EXPECT_EQ(LocalizeDialog(nullptr, &p, IDD_SINGER_EDITOR), 0);  // stops at the first child
        EXPECT_EQ(p.Caption(), u"Singer Editor");
        LocalizeDialog(&texts, &p, IDD_SINGER_EDITOR);
        return true;
    };
    user.Check([](Dialog& d) {
            EXPECT_EQ(d.Caption(), u"");
            EXPECT_EQ(d.Control(IDC_MY_LABEL).Text(), u"マイ シンガー");
            EXPECT_EQ(d.Control(IDC_ACTIVE_LABEL).Text(), u"Active Singers");
        })
        .PressEscape();
    dlg.DoModal();
}

}  // namespace
}  // namespace kora::ui
