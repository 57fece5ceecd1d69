// The cross-synthesis group list: its columns, one row per group member,
// the web page in two languages, and the host's texts.
#include "dialogs/xsynth_group_dlg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "dialog_fixtures.h"
#include "res/xsynth_group_res.h"
#include "text_module_fake.h"
#include "ui/headless/gtest_user.h"
#include "ui/headless/headless_window.h"

namespace kora::dialogs {
namespace {

using test::FakeEditor;
using ::testing::ElementsAre;
using ui::Dialog;
using ui::kIdCancel;
using ui::kIdOk;
using ui::ListView;
using ui::headless::TestUser;

// KORA4_EXPECTED_GROUP_LIST_HOST is the build setting, given to this test.
const std::u16string kEnglishPage =
    u"https://" KORA4_EXPECTED_GROUP_LIST_HOST "/en/articles/xsy_group_list";
const std::u16string kJapanesePage =
    u"https://" KORA4_EXPECTED_GROUP_LIST_HOST "/articles/xsy_group_list";

using Row = std::pair<std::u16string, std::u16string>;

std::vector<Row> Rows(Dialog& d) {
    auto list = d.Control<ListView>(IDC_XSYNTH_LIST);
    std::vector<Row> rows;
    for (int i = 0; i < list.ItemCount(); ++i)
        rows.emplace_back(list.ItemText(i, 0), list.ItemText(i, 1));
    return rows;
}

TEST(XSynthGroupDlg, OneRowPerMemberWithTheGroupNameOnItsFirst) {
    TestUser user;
    FakeEditor editor;
    editor.voices = {
        {0, u"Voice P", {}, u"P000000000000001"},
        {0, u"Voice Q", {}, u"Q000000000000002"},
        {1, u"Voice R", {}, u"R000000000000003"},
    };
    editor.groups = {
        {u"A", {u"P000000000000001", u"q000000000000002"}},  // found without regard to case
        {u"Empty", {}},
        {u"B", {u"R000000000000003", u"GONE000000000004", u""}},
    };
    CXSynthGroupDlg dlg;
    dlg.editorDlg = &editor;
    user.Env().verticalScrollBarWidth = 21;
    user.Check([](Dialog& d) {
            EXPECT_THAT(Rows(d),
                        ElementsAre(Row{u"A", u"Voice P"}, Row{u"", u"Voice Q"},
                                    Row{u"B", u"Voice R"}, Row{u"", u"-"}, Row{u"", u"-"}));
            auto list = d.Control<ListView>(IDC_XSYNTH_LIST);
            EXPECT_EQ(list.ColumnCount(), 2);
            EXPECT_EQ(list.ColumnText(0), u"Name");
            EXPECT_EQ(list.ColumnText(1), u"Singer");
            const int width = (list.ClientWidth() - 21) / 2;
            EXPECT_GT(width, 0);
            EXPECT_EQ(list.ColumnWidth(0), width);
            EXPECT_EQ(list.ColumnWidth(1), width);
            EXPECT_EQ(list.ColumnFormat(0) | list.ColumnFormat(1), ui::kLvcfmtLeft);
            EXPECT_EQ(list.ExtendedStyle() & 0x21u, 0x21u);
            EXPECT_EQ(list.ItemData(0), 0);
        })
        .SelectRow(IDC_XSYNTH_LIST, 1)  // nothing reacts
        .Click(kIdOk);
    EXPECT_EQ(dlg.DoModal(), kIdOk);
}

TEST(XSynthGroupDlg, TheWebPageIsJapaneseOnlyForLanguage1041) {
    const ui::test::MapTextModule english{{}, 1033};
    const ui::test::MapTextModule japanese{{}, 1041};
    const std::pair<const LumiM17NModule*, std::u16string> cases[] = {
        {nullptr, kEnglishPage}, {&english, kEnglishPage}, {&japanese, kJapanesePage}};
    for (const auto& [module, address] : cases) {
        TestUser user;
        CXSynthGroupDlg dlg;
        dlg.m17nModule = module;
        user.Check([](Dialog& d) { EXPECT_TRUE(Rows(d).empty()); })  // no editor: no rows
            .Click(IDC_OPEN_GROUP_WEB)
            .Check([](Dialog& d) { EXPECT_TRUE(d.IsOpen()); })  // stays open
            .Click(kIdOk);
        EXPECT_EQ(dlg.DoModal(), kIdOk);
        EXPECT_THAT(user.OpenedAddresses(), ElementsAre(address));
    }
}

TEST(XSynthGroupDlg, TheHostsTextsForButtonCaptionAndHeaders) {
    TestUser user;
    CXSynthGroupDlg plain;
    user.Check([](Dialog& d) { EXPECT_EQ(d.Caption(), u"Cross-Synthesis Group List"); })
        .PressEscape();
    EXPECT_EQ(plain.DoModal(), kIdCancel);
    const ui::test::MapTextModule texts{{u"23001", u"Gruppen"},
                                        {u"23116", u"Im Web öffnen"},
                                        {u"23077", u"Gruppe"},
                                        {u"23080", u"Stimme"},
                                        {u"1", u""}};
    const ui::test::TextModuleScope scope(&texts);
    CXSynthGroupDlg dlg;
    dlg.m17nModule = &texts;
    user.Check([](Dialog& d) {
            EXPECT_EQ(d.Caption(), u"Gruppen");
            EXPECT_EQ(d.Control(IDC_OPEN_GROUP_WEB).Text(), u"Im Web öffnen");
            EXPECT_EQ(d.Control(kIdOk).Text(), u"OK");
            auto list = d.Control<ListView>(IDC_XSYNTH_LIST);
            EXPECT_EQ(list.ColumnText(0), u"Gruppe");
            EXPECT_EQ(list.ColumnText(1), u"Stimme");
        })
        .Click(kIdOk);
    EXPECT_EQ(dlg.DoModal(), kIdOk);
}

}  // namespace
}  // namespace kora::dialogs
