// The in-memory controls behave as the common controls do where the dialogs
// depend on it: selection and its notices, the selection mark, scrolling
// into view, sorted combo boxes, the up-down buddy rule, edit limits.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "probe_dialog.h"
#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "res/xsynth_group_res.h"
#include "ui/headless/gtest_user.h"

namespace kora::ui {
namespace {

using headless::TestUser;
using test::Probe;
using ::testing::ElementsAre;

// Runs `body` inside an open dialog of `templateId`, then closes it.
void WithDialog(int templateId, const std::function<void(Probe&)>& body,
                const std::function<void(Probe&)>& configure = {}) {
    TestUser user;
    Probe dlg(templateId);
    if (configure) configure(dlg);
    user.Check([&](Dialog&) { body(dlg); }).PressEscape();
    EXPECT_EQ(dlg.DoModal(), kIdCancel);
}

TEST(Controls, WrappersOfAClosedDialogDoNothing) {
    Probe dlg(IDD_SINGER_EDITOR);
    auto list = dlg.Control<ListView>(IDC_MY_LIST);
    EXPECT_FALSE(list.Exists());
    EXPECT_EQ(list.InsertItem(0, u"x"), -1);
    EXPECT_EQ(list.ItemCount(), 0);
    EXPECT_EQ(list.FirstSelectedRow(), -1);
    EXPECT_EQ(dlg.Control<ComboBox>(IDC_PRIMARY_SINGER).AddString(u"x"), -1);
    EXPECT_FALSE(dlg.Control(kIdOk).IsEnabled());
    EXPECT_EQ(dlg.Caption(), u"");
    EXPECT_FALSE(dlg.ForEachChild([](ChildWindow) { return true; }));
    EXPECT_EQ(dlg.Send(0x47D, 0, 0), 0);
    dlg.EndDialog(kIdOk);  // harmless
}

TEST(Controls, WrongKindOrUnknownIdFailsSoftly) {
    WithDialog(IDD_SINGER_EDITOR, [](Probe& d) {
        EXPECT_EQ(d.Control<ListView>(kIdOk).InsertItem(0, u"x"), -1);
        EXPECT_EQ(d.Control<ComboBox>(IDC_MY_LIST).Count(), 0);
        EXPECT_EQ(d.Control<UpDown>(IDC_MY_LIST).BuddyId(), 0);
        EXPECT_FALSE(d.Control(9999).Exists());
        EXPECT_EQ(d.Control(9999).Text(), u"");
    });
}

TEST(Controls, ListColumnsInsertAndTheFirstColumnIsCentredOnlyByAnUpdate) {
    WithDialog(IDD_SINGER_EDITOR, [](Probe& d) {
        auto list = d.Control<ListView>(IDC_MY_LIST);
        EXPECT_EQ(list.InsertColumn(0, u"", kLvcfmtCenter, 20), 0);
        EXPECT_EQ(list.InsertColumn(1, u"Name", kLvcfmtLeft, 160), 1);
        EXPECT_EQ(list.InsertColumn(7, u"BRE", kLvcfmtRight, 35), 2);  // beyond the end: appended
        EXPECT_EQ(list.ColumnFormat(0), kLvcfmtLeft);
        EXPECT_TRUE(list.SetColumnFormat(0, list.ColumnFormat(0) | kLvcfmtCenter));
        EXPECT_EQ(list.ColumnFormat(0), kLvcfmtCenter);
        EXPECT_EQ(list.ColumnFormat(2), kLvcfmtRight);
        EXPECT_EQ(list.ColumnFormat(3), -1);
        EXPECT_FALSE(list.SetColumnFormat(3, 0));
        EXPECT_EQ(list.ColumnCount(), 3);
        EXPECT_EQ(list.ColumnWidth(1), 160);
        EXPECT_EQ(list.ColumnText(2), u"BRE");
    });
}

TEST(Controls, ListRowsKeepTextsAndDataInTheirPlace) {
    WithDialog(IDD_SINGER_EDITOR, [](Probe& d) {
        auto list = d.Control<ListView>(IDC_ACTIVE_LIST);
        list.InsertColumn(0, u"Name", kLvcfmtLeft, 180);
        list.InsertColumn(1, u"Primary", kLvcfmtLeft, 130);
        EXPECT_EQ(list.InsertItem(0, u"B"), 0);
        EXPECT_EQ(list.InsertItem(0, u"A"), 0);
        EXPECT_EQ(list.InsertItem(99, u"C"), 2);
        EXPECT_EQ(list.InsertItem(-1, u"x"), -1);
        EXPECT_TRUE(list.SetItemText(1, 1, u"Voice"));
        EXPECT_FALSE(list.SetItemText(1, 2, u"no such column"));
        EXPECT_FALSE(list.SetItemText(3, 0, u"no such row"));
        EXPECT_TRUE(list.SetItemData(2, 0x00050003));
        EXPECT_EQ(list.ItemText(0, 0), u"A");
        EXPECT_EQ(list.ItemText(1, 1), u"Voice");
        EXPECT_EQ(list.ItemData(2), 0x00050003);
        EXPECT_TRUE(list.DeleteItem(0));
        EXPECT_EQ(list.ItemText(0, 0), u"B");
        EXPECT_EQ(list.ItemData(1), 0x00050003);
        EXPECT_FALSE(list.DeleteItem(2));
        EXPECT_TRUE(list.DeleteAllItems());
        EXPECT_EQ(list.ItemCount(), 0);
    });
}

TEST(Controls, SingleSelectionAndItsNotices) {
    std::vector<NotifyEvent> seen;
    WithDialog(
        IDD_SINGER_EDITOR,
        [&](Probe& d) {
            auto list = d.Control<ListView>(IDC_MY_LIST);
            list.InsertColumn(0, u"Name", kLvcfmtLeft, 100);
            for (int i = 0; i < 3; ++i) list.InsertItem(i, u"r");
            const uint32_t both = kLvisSelected | kLvisFocused;
            list.SetItemState(0, both, both);
            list.SetItemState(2, both, both);
            EXPECT_EQ(list.FirstSelectedRow(), 2);
            EXPECT_EQ(list.ItemState(0, both), 0u);
            EXPECT_EQ(list.NextItem(-1, kLvniFocused), 2);
            list.SetItemState(2, both, both);  // no change, no notice
            list.SetItemState(-1, 0, kLvisSelected);
            EXPECT_EQ(list.FirstSelectedRow(), -1);
            EXPECT_EQ(list.ItemState(2, both), kLvisFocused);
        },
        [&](Probe& d) {
            d.Route(IDC_MY_LIST, Notification::ItemChanged);
            d.onEvent = [&](Probe&, const NotifyEvent& e) { seen.push_back(e); };
        });
    std::vector<std::tuple<int, uint32_t, uint32_t>> changes;
    for (const auto& e : seen) changes.emplace_back(e.item, e.oldState, e.newState);
    EXPECT_THAT(changes, ElementsAre(std::tuple(0, 0u, 3u), std::tuple(0, 3u, 0u),
                                     std::tuple(2, 0u, 3u), std::tuple(2, 3u, 1u)));
}

TEST(Controls, SelectionMarkFollowsInsertsAndDeletes) {
    WithDialog(IDD_SINGER_EDITOR, [](Probe& d) {
        auto list = d.Control<ListView>(IDC_MY_LIST);
        for (int i = 0; i < 4; ++i) list.InsertItem(i, u"r");
        EXPECT_EQ(list.SetSelectionMark(2), -1);
        list.InsertItem(0, u"new");
        EXPECT_EQ(list.SelectionMark(), 3);
        list.DeleteItem(1);
        EXPECT_EQ(list.SelectionMark(), 2);
        list.DeleteItem(2);
        EXPECT_EQ(list.SelectionMark(), -1);
    });
}

TEST(Controls, DeletingTheSelectedRowLeavesNothingSelectedAndSendsNoNotice) {
    int notices = 0;
    WithDialog(
        IDD_SINGER_EDITOR,
        [&](Probe& d) {
            auto list = d.Control<ListView>(IDC_MY_LIST);
            for (int i = 0; i < 2; ++i) list.InsertItem(i, u"r");
            list.SetItemState(1, kLvisSelected, kLvisSelected);
            notices = 0;
            list.DeleteItem(1);
            EXPECT_EQ(list.FirstSelectedRow(), -1);
        },
        [&](Probe& d) {
            d.Route(IDC_MY_LIST, Notification::ItemChanged);
            d.onEvent = [&](Probe&, const NotifyEvent&) { ++notices; };
        });
    EXPECT_EQ(notices, 0);
}

TEST(Controls, EnsureVisibleScrollsOnlyAsFarAsNeeded) {
    WithDialog(IDD_SINGER_EDITOR, [](Probe& d) {
        auto list = d.Control<ListView>(IDC_ACTIVE_LIST);
        for (int i = 0; i < 30; ++i) list.InsertItem(i, u"r");
        const int page = list.CountPerPage();
        ASSERT_EQ(page, 7);  // 143 px high: border, header, 7 rows and a part of the 8th
        EXPECT_TRUE(list.EnsureVisible(page, true));  // the partly shown row is accepted
        EXPECT_EQ(list.TopIndex(), 0);
        EXPECT_TRUE(list.EnsureVisible(page, false));
        EXPECT_EQ(list.TopIndex(), 1);
        EXPECT_TRUE(list.EnsureVisible(20, true));
        EXPECT_EQ(list.TopIndex(), 14);
        EXPECT_TRUE(list.EnsureVisible(3, false));
        EXPECT_EQ(list.TopIndex(), 3);
        EXPECT_FALSE(list.EnsureVisible(30, true));
    });
}

TEST(Controls, StylesRedrawAndWidth) {
    WithDialog(IDD_XSYNTH_GROUP, [](Probe& d) {
        auto list = d.Control<ListView>(IDC_XSYNTH_LIST);
        EXPECT_EQ(list.Style() & kLvsShowSelAlways, 0u);
        list.ModifyStyle(0, kLvsShowSelAlways);
        EXPECT_NE(list.Style() & kLvsShowSelAlways, 0u);
        list.SetExtendedStyle(list.ExtendedStyle() | kLvsExGridLines | kLvsExFullRowSelect);
        EXPECT_EQ(list.ExtendedStyle(), 0x21u);
        EXPECT_EQ(list.ClientWidth(), 176 * 3 / 2 - 2);
        list.SetRedraw(false);
        EXPECT_FALSE(headless::HeadlessWindowOf(d)->Find(IDC_XSYNTH_LIST)->redraw);
        list.SetRedraw(true);
        list.InvalidateAndUpdate();
        EXPECT_EQ(headless::HeadlessWindowOf(d)->Find(IDC_XSYNTH_LIST)->repaints, 1);
    });
}

TEST(Controls, SortedComboBoxAddsInOrderAndKeepsDataWithItsItem) {
    std::vector<int> changes;
    TestUser user;
    Probe dlg(IDD_SINGER);
    dlg.Route(IDC_SECONDARY_SINGER, Notification::SelChange);
    dlg.onEvent = [&](Probe& p, const NotifyEvent&) {
        changes.push_back(p.Control<ComboBox>(IDC_SECONDARY_SINGER).CurSel());
    };
    dlg.onInit = [](Probe& p) {
        auto box = p.Control<ComboBox>(IDC_SECONDARY_SINGER);
        EXPECT_EQ(box.AddString(u"-"), 0);
        box.SetItemData(0, -1);
        EXPECT_EQ(box.AddString(u"tenor"), 1);
        box.SetItemData(1, 7);
        EXPECT_EQ(box.AddString(u"Alto"), 1);
        box.SetItemData(1, 3);
        EXPECT_EQ(box.AddString(u"alto"), 2);  // equal without case: after the first
        EXPECT_EQ(box.SetCurSel(3), 3);        // from code: no notice
        EXPECT_EQ(box.AddString(u"Bass"), 3);  // the selection moves with its item
        EXPECT_EQ(box.CurSel(), 4);
        EXPECT_EQ(box.Text(), u"tenor");
        EXPECT_EQ(box.ItemData(4), 7);
        EXPECT_EQ(box.ItemData(0), -1);
        EXPECT_EQ(box.ItemData(9), -1);
        EXPECT_EQ(box.SetCurSel(9), -1);
        EXPECT_EQ(box.CurSel(), 4);
        return true;
    };
    user.ChooseItem(IDC_SECONDARY_SINGER, u"Alto")
        .ChooseItem(IDC_SECONDARY_SINGER, u"-")
        .Check([](Dialog& d) {
            auto box = d.Control<ComboBox>(IDC_SECONDARY_SINGER);
            EXPECT_EQ(box.Count(), 5);
            EXPECT_EQ(box.ItemText(1), u"Alto");
            box.ResetContent();
            EXPECT_EQ(box.Count(), 0);
            EXPECT_EQ(box.CurSel(), -1);
        })
        .PressEscape();
    dlg.DoModal();
    EXPECT_THAT(changes, ElementsAre(1, 0));
}

TEST(Controls, UpDownShowsItsPositionInTheBuddyAndReReadsIt) {
    WithDialog(IDD_SINGER, [](Probe& d) {
        auto spin = d.Control<UpDown>(IDC_SECONDARY_VOL_SPIN);
        auto field = d.Control(IDC_SECONDARY_VOL);
        EXPECT_EQ(spin.BuddyId(), IDC_SECONDARY_VOL);
        EXPECT_EQ(field.Text(), u"");  // nothing shown before a position is set
        spin.SetRange32(-127, 127);
        EXPECT_EQ(spin.Range32(), std::pair(-127, 127));
        EXPECT_EQ(spin.SetPos32(12), 0);
        EXPECT_EQ(field.Text(), u"12");
        spin.SetPos32(500);  // clamped to the range
        EXPECT_EQ(field.Text(), u"127");

        const std::pair<std::u16string, int> reads[] = {
            {u"-127", -127}, {u"127", 127}, {u"200", 127}, {u"128", 127},       {u"abc", 127},
            {u"5", 5},       {u"+6", 6},    {u" 7", 7},    {u"8 ", 7},          {u"-", 7},
            {u"1.5", 7},     {u"", 0},      {u"-128", 0},  {u"99999999999", 0},
        };
        for (const auto& [text, expected] : reads) {
            field.SetText(text);
            EXPECT_EQ(spin.Pos32(), expected) << std::string(text.begin(), text.end());
        }
    });
}

TEST(Controls, SpinArrowsStepFromTheFieldWithinTheRange) {
    TestUser user;
    Probe dlg(IDD_SINGER);
    dlg.onInit = [](Probe& p) {
        p.Control<UpDown>(IDC_PRIMARY_GEN_SPIN).SetRange32(-127, 127);
        p.Control<UpDown>(IDC_PRIMARY_GEN_SPIN).SetPos32(126);
        return true;
    };
    user.ClickSpin(IDC_PRIMARY_GEN_SPIN, 1)
        .ClickSpin(IDC_PRIMARY_GEN_SPIN, 1)
        .Check([](Dialog& d) {
            EXPECT_EQ(d.Control(IDC_PRIMARY_GEN).Text(), u"127");
            EXPECT_EQ(d.FocusedControlId(), IDC_PRIMARY_GEN);
        })
        .Type(IDC_PRIMARY_GEN, u"-3")
        .ClickSpin(IDC_PRIMARY_GEN_SPIN, -1)
        .Check([](Dialog& d) { EXPECT_EQ(d.Control(IDC_PRIMARY_GEN).Text(), u"-4"); })
        .PressEscape();
    dlg.DoModal();
}

TEST(Controls, EditLimitBindsTypingButNotCode) {
    TestUser user;
    Probe dlg(IDD_SINGER);
    dlg.onInit = [](Probe& p) {
        auto name = p.Control<Edit>(IDC_SINGER_NAME);
        EXPECT_EQ(name.LimitText(), 30000);
        name.SetLimitText(255);
        name.SetText(std::u16string(300, u'a'));
        EXPECT_EQ(name.Text().size(), 300u);
        return true;
    };
    user.Type(IDC_SINGER_NAME, std::u16string(300, u'b'))
        .Check([](Dialog& d) {
            EXPECT_EQ(d.Control(IDC_SINGER_NAME).Text(), std::u16string(255, u'b'));
        })
        .PressEscape();
    dlg.DoModal();
}

TEST(Controls, DisablingTheFocusedFieldTakesTheFocusAway) {
    std::vector<int> left;
    TestUser user;
    Probe dlg(IDD_SINGER);
    dlg.Route(IDC_SECONDARY_BRE, Notification::KillFocus)
        .Route(IDC_SECONDARY_SINGER, Notification::SelChange);
    dlg.onEvent = [&](Probe& p, const NotifyEvent& e) {
        if (e.code == Notification::KillFocus) {
            left.push_back(e.controlId);
        } else {
            p.Control(IDC_SECONDARY_BRE).Enable(false);
        }
    };
    dlg.onInit = [](Probe& p) {
        p.Control<ComboBox>(IDC_SECONDARY_SINGER).AddString(u"-");
        return true;
    };
    user.Type(IDC_SECONDARY_BRE, u"1")
        .Check([](Dialog& d) { d.Control(IDC_SECONDARY_BRE).Enable(false); })
        .Check([](Dialog& d) {
            EXPECT_EQ(d.FocusedControlId(), 0);
            EXPECT_FALSE(d.Control(IDC_SECONDARY_BRE).IsEnabled());
            d.Control(IDC_SECONDARY_BRE).Enable(true);
        })
        .PressEscape();
    dlg.DoModal();
    EXPECT_THAT(left, ElementsAre(IDC_SECONDARY_BRE));
}

TEST(Controls, ChildrenAreEveryControlInTemplateOrder) {
    WithDialog(IDD_XSYNTH_GROUP, [](Probe& d) {
        std::vector<int> ids;
        EXPECT_TRUE(d.ForEachChild([&](ChildWindow c) {
            ids.push_back(c.Id());
            return true;
        }));
        EXPECT_THAT(ids, ElementsAre(IDC_XSYNTH_LIST, IDC_OPEN_GROUP_WEB, kIdOk));
        int visited = 0;
        EXPECT_FALSE(d.ForEachChild([&](ChildWindow) { return ++visited < 2; }));
        EXPECT_EQ(visited, 2);
    });
}

}  // namespace
}  // namespace kora::ui
