// The seam and its in-memory toolkit as the dialogs rely on them: controls
// behave as the common controls do (selection and its notices, the selection
// mark, scrolling into view, sorted combo boxes, the up-down buddy rule), the
// scroll-forwarding list, and the scripted user: nested modal runs, message
// boxes, focus, and every way a script can fail.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/singer_rows.h"
#include "probe_dialog.h"
#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "res/string_res.h"
#include "res/xsynth_group_res.h"
#include "ui/headless/gtest_user.h"
#include "ui/list_ctrl_ext.h"
#include "ui/message.h"
#include "ui/toolkit.h"

namespace kora::ui {
namespace {

using headless::ScriptedUser;
using headless::TestUser;
using headless::WheelTurn;
using test::Probe;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// Opens `dlg`, runs `body` inside it, then closes it.
void RunInside(Probe& dlg, const std::function<void(Dialog&)>& body) {
    TestUser user;
    user.Check(body).PressEscape();
    EXPECT_EQ(dlg.DoModal(), kIdCancel);
}

TEST(Controls, WrappersOfAClosedDialogOrTheWrongControlFailSoftly) {
    Probe dlg(IDD_SINGER_EDITOR);
    auto check = [](Dialog& d) {
        EXPECT_EQ(d.Control<ListView>(kIdOk).InsertItem(0, u"x"), -1);
        EXPECT_EQ(d.Control<ComboBox>(IDC_MY_LIST).AddString(u"x"), -1);
        EXPECT_EQ(d.Control<UpDown>(IDC_MY_LIST).BuddyId(), 0);
        EXPECT_EQ(d.Control(9999).Text(), u"");
    };
    check(dlg);  // closed: every wrapper fails softly
    EXPECT_EQ(dlg.Control<ListView>(IDC_MY_LIST).InsertItem(0, u"x"), -1);
    EXPECT_EQ(dlg.Send(0x47D, 0, 0), 0);
    dlg.EndDialog(kIdOk);  // harmless
    RunInside(dlg, check);
}

// The Singer Editor's lists show models; the dialog tests play them through
// every operation, the toolkit probe on real windows.
TEST(Controls, AnOwnerDataListShowsItsModelAndScrolls) {
    std::vector<SingerEntry> singers(30);  // row i's item data packs (0, i)
    for (int i = 0; i < 30; ++i) singers[static_cast<std::size_t>(i)].program = i;
    ActiveRows rows(singers);
    Probe dlg(IDD_SINGER_EDITOR);
    dlg.ShowRows(IDC_ACTIVE_LIST, rows);
    RunInside(dlg, [&](Dialog& d) {
        auto active = d.Control<ListView>(IDC_ACTIVE_LIST);
        EXPECT_EQ(active.ItemData(29), 0x001D'0000);
        EXPECT_EQ(active.InsertItem(0, u"x"), -1);  // the rows are the model's
        ASSERT_EQ(active.CountPerPage(), 7);  // 143 px: border, header, 7 rows, part of an 8th
        // {row, partly shown is enough, top row after}
        const std::tuple<int, bool, int> steps[] = {
            {7, true, 0}, {7, false, 1}, {20, true, 14}, {3, false, 3}};
        for (auto [row, partial, top] : steps) {
            EXPECT_TRUE(active.EnsureVisible(row, partial));
            EXPECT_EQ(active.TopIndex(), top) << row;
        }
        EXPECT_FALSE(active.EnsureVisible(30, true));
    });
}

TEST(Controls, SortedComboBoxUpDownBuddyRuleSpinArrowsAndDisablingTheFocusedField) {
    TestUser user;
    Probe dlg(IDD_SINGER);
    std::vector<int> changes, left;
    dlg.Route(IDC_SECONDARY_SINGER, Notification::SelChange)
        .Route(IDC_SECONDARY_BRE, Notification::KillFocus)
        .onEvent = [&](Probe& p, const NotifyEvent& e) {
        if (e.code == Notification::KillFocus)
            left.push_back(e.controlId);
        else
            changes.push_back(p.Control<ComboBox>(IDC_SECONDARY_SINGER).CurSel());
    };
    dlg.onInit = [](Probe& p) {
        auto box = p.Control<ComboBox>(IDC_SECONDARY_SINGER);
        EXPECT_EQ(box.AddString(u"-"), 0);
        EXPECT_EQ(box.AddString(u"tenor"), 1);
        box.SetItemData(1, 7);
        EXPECT_EQ(box.AddString(u"Alto"), 1);
        EXPECT_EQ(box.AddString(u"alto"), 2);  // equal without case: after the first
        EXPECT_EQ(box.SetCurSel(3), 3);        // from code: no notice
        EXPECT_EQ(box.AddString(u"Bass"), 3);  // the selection moves with its item
        EXPECT_EQ(std::tuple(box.CurSel(), box.Text(), box.ItemData(4)),
                  std::tuple(4, u"tenor", 7));
        EXPECT_EQ(box.SetCurSel(9), -1);
        p.Control<UpDown>(IDC_PRIMARY_GEN_SPIN).SetRange32(-127, 127);
        p.Control<UpDown>(IDC_PRIMARY_GEN_SPIN).SetPos32(126);
        return true;
    };
    user.Check([](Dialog& d) {
            auto spin = d.Control<UpDown>(IDC_SECONDARY_VOL_SPIN);
            auto field = d.Control(IDC_SECONDARY_VOL);
            EXPECT_EQ(spin.BuddyId(), IDC_SECONDARY_VOL);
            EXPECT_EQ(field.Text(), u"");  // nothing shown before a position is set
            spin.SetRange32(-127, 127);
            EXPECT_EQ(spin.SetPos32(12), 0);
            EXPECT_EQ(field.Text(), u"12");
            spin.SetPos32(500);  // clamped to the range
            EXPECT_EQ(field.Text(), u"127");
            const std::pair<std::u16string, int> reads[] = {
                {u"-127", -127}, {u"127", 127}, {u"200", 127}, {u"128", 127},      {u"abc", 127},
                {u"5", 5},       {u"+6", 6},    {u" 7", 7},    {u"8 ", 7},         {u"-", 7},
                {u"1.5", 7},     {u"", 0},      {u"-128", 0},  {u"99999999999", 0}};
            for (const auto& [text, expected] : reads) {
                field.SetText(text);
                EXPECT_EQ(spin.Pos32(), expected) << std::string(text.begin(), text.end());
            }
        })
        .ChooseItem(IDC_SECONDARY_SINGER, u"Alto")
        .ChooseItem(IDC_SECONDARY_SINGER, u"-")
        .Check([](Dialog& d) {
            auto box = d.Control<ComboBox>(IDC_SECONDARY_SINGER);
            box.ResetContent();
            EXPECT_EQ(std::pair(box.Count(), box.CurSel()), std::pair(0, -1));
        })
        .ClickSpin(IDC_PRIMARY_GEN_SPIN, 1)
        .ClickSpin(IDC_PRIMARY_GEN_SPIN, 1)
        .Check([](Dialog& d) {
            EXPECT_EQ(d.Control(IDC_PRIMARY_GEN).Text(), u"127");
            EXPECT_EQ(d.FocusedControlId(), IDC_PRIMARY_GEN);
        })
        .Type(IDC_PRIMARY_GEN, u"-3")
        .ClickSpin(IDC_PRIMARY_GEN_SPIN, -1)
        .Check([](Dialog& d) { EXPECT_EQ(d.Control(IDC_PRIMARY_GEN).Text(), u"-4"); })
        .Type(IDC_SECONDARY_BRE, u"1")
        .Check([](Dialog& d) { d.Control(IDC_SECONDARY_BRE).Enable(false); })
        .Check([](Dialog& d) { EXPECT_EQ(d.FocusedControlId(), 0); })
        .PressEscape();
    dlg.DoModal();
    EXPECT_THAT(changes, ElementsAre(1, 0));
    EXPECT_THAT(left, ElementsAre(IDC_SECONDARY_BRE));
}

int TopOf(Dialog& d, int id) { return d.Control<ListView>(id).TopIndex(); }

TEST(CListCtrlExt, ItsTargetHearsOnlyItsOwnListsScrollingAndWheelBeforeTheListMoves) {
    struct Recorder final : MessageTarget {
        std::intptr_t Send(uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
            if (gone) throw std::runtime_error("target gone");
            EXPECT_EQ(std::tuple(message, wParam, lParam), std::tuple(0x47Du, 0u, 0));
            tops.push_back(list->TopIndex());
            return 1;
        }
        const ListView* list = nullptr;
        std::vector<int> tops;  // the list's top row when each notice came
        bool gone = false;
    } recorder;
    TestUser user;
    Probe dlg(IDD_SINGER_EDITOR);
    CListCtrlExt myList;
    myList.Attach(dlg, IDC_MY_LIST);
    recorder.list = &myList;
    std::vector<SingerEntry> my(40), active(40);  // 40 rows in both lists
    ActiveRows myRows(my), activeRows(active);
    dlg.ShowRows(IDC_MY_LIST, myRows);
    dlg.ShowRows(IDC_ACTIVE_LIST, activeRows);
    {
        CListCtrlExt gone;  // a destroyed control no longer hears its list
        gone.Attach(dlg, IDC_ACTIVE_LIST);
        gone.notifyWnd = &dlg;
    }
    user.Scroll(IDC_MY_LIST, true, 2)  // without a target: only the default work
        .TurnWheel(IDC_MY_LIST, WheelTurn::Down)
        .Check([](Dialog& d) {
            EXPECT_EQ(TopOf(d, IDC_MY_LIST), 5);
            EXPECT_EQ(d.FocusedControlId(), IDC_ACTIVE_LIST);  // the wheel took no focus
        })
        .Check([&](Dialog&) { myList.notifyWnd = &recorder; })
        .Scroll(IDC_ACTIVE_LIST, true, 1)
        .TurnWheel(IDC_ACTIVE_LIST, WheelTurn::Down)
        .Check([](Dialog& d) { EXPECT_EQ(TopOf(d, IDC_ACTIVE_LIST), 4); })
        .Scroll(IDC_MY_LIST, true, 1)
        .Scroll(IDC_MY_LIST, false, 1)  // sideways: heard, the top row stays
        .TurnWheel(IDC_MY_LIST, WheelTurn::Down)
        .Check([](Dialog& d) {
            EXPECT_EQ(TopOf(d, IDC_MY_LIST), 9);
            EXPECT_EQ(d.FocusedControlId(), IDC_MY_LIST);  // the wheel gave the list the focus
        })
        .Check([&](Dialog&) { myList.notifyWnd = &dlg; })  // the dialog takes it itself
        .Scroll(IDC_MY_LIST, true, 1)
        .Check([&](Dialog&) { myList.notifyWnd = &recorder; })
        .Check([&](Dialog&) { recorder.gone = true; })
        .TurnWheel(IDC_MY_LIST, WheelTurn::Down);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_THAT(recorder.tops, ElementsAre(5, 6, 6));
    EXPECT_THAT(dlg.messages, ElementsAre(0x47Du));
    EXPECT_THAT(
        user.TakeFailures(),
        ElementsAre(
            "TurnWheel(23002, down) threw: target gone (dialog 101 \"Singer Editor\" is open)"));
}

TEST(ScriptedUser, NestedDialogsPlayTheirOwnStepsAndFindTheirOwner) {
    TestUser user;
    Probe editor(IDD_SINGER_EDITOR);
    int nestedResult = 0;
    bool ownerSeen = false;
    editor.Route(IDC_ACTIVE_ADD, Notification::Clicked).onEvent = [&](Probe& self, auto&) {
        Probe edit(IDD_SINGER, &self);
        edit.onInit = [&](Probe& p) {
            ownerSeen = p.OwnerAs<Probe>() == &self && p.Owner()->TemplateId() == IDD_SINGER_EDITOR;
            return true;
        };
        edit.Route(IDC_XSYNTH_GROUP_LIST, Notification::Clicked).onEvent = [&](Probe&, auto&) {
            EXPECT_EQ(Probe(IDD_XSYNTH_GROUP).DoModal(), kIdOk);
        };
        nestedResult = edit.DoModal();
    };
    user.ExpectDialog(IDD_SINGER_EDITOR)
        .Click(IDC_ACTIVE_ADD)
        .ExpectDialog(IDD_SINGER)
        .Type(IDC_SINGER_NAME, u"Alto")
        .Click(IDC_XSYNTH_GROUP_LIST)
        .ExpectDialog(IDD_XSYNTH_GROUP)
        .PressEnter()
        .Check([&](Dialog& d) {
            EXPECT_EQ(d.Control(IDC_SINGER_NAME).Text(), u"Alto");
            EXPECT_EQ(user.OpenDialogs().size(), 2u);
        })
        .Click(kIdOk)
        .ExpectDialog(IDD_SINGER_EDITOR)
        .Click(kIdCancel);
    EXPECT_EQ(editor.DoModal(), kIdCancel);
    EXPECT_EQ(nestedResult, kIdOk);
    EXPECT_TRUE(ownerSeen);
    EXPECT_EQ(user.StepsLeft(), 0u);
}

TEST(ScriptedUser, AnswersMessageBoxesInTheFourStylesAndRecordsThem) {
    TestUser user;
    Probe editor(IDD_SINGER_EDITOR);
    std::vector<int> answers;
    editor.Route(IDC_MY_DELETE, Notification::Clicked).onEvent = [&](Probe&, auto&) {
        answers.push_back(ShowMessage(IDS_CONFIRM_DELETE, MessageStyle::ConfirmYesNo));
        answers.push_back(ShowMessage(IDS_EXPORT_FINISHED, MessageStyle::Information));
    };
    user.Click(IDC_MY_DELETE).AnswerMessageBox(kIdYes).AnswerMessageBox(kIdOk);
    user.Click(IDC_MY_DELETE).AnswerMessageBox(kIdNo).AnswerMessageBox(kIdOk).Click(kIdOk);
    EXPECT_EQ(editor.DoModal(), kIdOk);
    user.AnswerMessageBox(kIdOk).AnswerMessageBox(kIdOk).AnswerMessageBox(kIdOk);
    EXPECT_EQ(ShowMessage(u"plain", MessageStyle::Plain), kIdOk);
    ShowMessage(u"error", MessageStyle::Error);
    ShowMessage(9999, MessageStyle::Information);  // no such string: an empty box
    EXPECT_THAT(answers, ElementsAre(kIdYes, kIdOk, kIdNo, kIdOk));
    const auto& boxes = user.MessageBoxes();
    ASSERT_EQ(boxes.size(), 7u);
    EXPECT_EQ(std::tuple(boxes[0].text, boxes[0].dialogId),
              std::tuple(u"Do you really want to delete the singer? ", IDD_SINGER_EDITOR));
    EXPECT_EQ(boxes[1].text, u"Finished exporting my singer information file.");
    EXPECT_EQ(std::tuple(boxes[0].style, boxes[1].style, boxes[4].style, boxes[5].style),
              std::tuple(0x34u, 0x40u, 0x00u, 0x10u));
    EXPECT_EQ(std::tuple(boxes[6].text, boxes[6].dialogId), std::tuple(u"", 0));
}

TEST(ScriptedUser, RunningOutUnansweredBoxesAndThrowingHandlersEndTheDialogsWithAFailure) {
    TestUser user;
    Probe editor(IDD_SINGER_EDITOR);
    int nested = 0, answer = -5;
    editor.Route(IDC_MY_ADD, Notification::Clicked)
        .Route(IDC_MY_DELETE, Notification::Clicked)
        .Route(IDC_IMPORT, Notification::Clicked)
        .onEvent = [&](Probe& self, const NotifyEvent& e) {
        if (e.controlId == IDC_MY_ADD) nested = Probe(IDD_SINGER, &self).DoModal();
        if (e.controlId == IDC_MY_DELETE)
            answer = ShowMessage(IDS_CONFIRM_DELETE, MessageStyle::ConfirmYesNo);
        if (e.controlId == IDC_IMPORT) throw std::runtime_error("disk on fire");
    };
    user.Click(IDC_MY_DELETE).Click(IDC_MY_ADD);  // forgot the answer
    EXPECT_EQ(editor.DoModal(), headless::kScriptRanOut);
    EXPECT_EQ(nested, headless::kScriptRanOut);
    EXPECT_EQ(answer, 0);
    EXPECT_THAT(user.TakeFailures(),
                ElementsAre(HasSubstr("message box \"Do you really want to delete the singer? \" "
                                      "(style 0x34) appeared, but the next step is Click(23038)"),
                            "the script ran out while dialog 23000 \"Edit\" is open",
                            "the script ran out while dialog 101 \"Singer Editor\" is open"));

    user.Check([](Dialog&) { throw std::runtime_error("bad check"); }).Click(IDC_IMPORT);
    EXPECT_EQ(editor.DoModal(), -1);
    Probe failingInit(IDD_SINGER);
    failingInit.onInit = [](Probe&) -> bool { throw std::runtime_error("no voices"); };
    EXPECT_EQ(failingInit.DoModal(), -1);
    EXPECT_EQ(Probe(4711).DoModal(), -1);
    user.AnswerMessageBox(kIdYes);
    EXPECT_EQ(ShowMessage(u"Cannot delete the singer!", MessageStyle::Error), 0);
    EXPECT_THAT(user.TakeFailures(),
                ElementsAre(HasSubstr("Check(...) was skipped: the check threw: bad check"),
                            "the handler of control 23117 in dialog 101 threw: disk on fire",
                            "OnInitDialog of dialog 23000 threw: no voices",
                            "the module has no dialog template 4711",
                            HasSubstr("the answer 6 is no button")));
}

TEST(ScriptedUser, StepsTheDialogCannotTakeAreSkippedAndReported) {
    TestUser user;
    Probe dlg(IDD_SINGER_EDITOR);
    dlg.onInit = [](Probe& p) {
        p.Control(IDC_MY_DELETE).Enable(false);
        return true;
    };
    user.Click(IDC_MY_DELETE)
        .Click(4242)
        .SelectRow(IDC_MY_LIST, 3)
        .AnswerMessageBox(kIdOk)
        .ChooseItem(IDC_MY_LIST, u"x")
        .Leave(IDC_SEQUENCE_NAME)
        .ExpectDialog(IDD_SINGER);
    EXPECT_EQ(dlg.DoModal(), headless::kScriptWrongDialog);
    const std::string open = " (dialog 101 \"Singer Editor\" is open)";
    EXPECT_THAT(
        user.TakeFailures(),
        ElementsAre(
            "Click(23040) was skipped: control 23040 is disabled" + open,
            "Click(4242) was skipped: dialog 101 has no control 4242" + open,
            "SelectRow(23002, 3) was skipped: list 23002 has no row 3 (it has 0)" + open,
            "AnswerMessageBox(1) was skipped: no message box or file dialog is shown" + open,
            "ChooseItem(23002, \"x\") was skipped: control 23002 is not a combo box" + open,
            "Leave(23083) was skipped: control 23083 does not have the focus" + open,
            "expected dialog 23000, but dialog 101 \"Singer Editor\" is open"));
}

TEST(ScriptedUser, LeftoverStepsGoToTheSinkAndWithoutAUserNothingIsShown) {
    std::vector<std::string> reported;
    {
        ScriptedUser user([&](const std::string& f) { reported.push_back(f); });
        EXPECT_THROW(TestUser second, std::logic_error);  // one user at a time
        user.PressEscape().AnswerMessageBox(kIdOk);
        EXPECT_EQ(Probe(IDD_SINGER).DoModal(), kIdCancel);
        user.Click(kIdOk).Check([](Dialog&) {});
    }
    EXPECT_THAT(reported,
                ElementsAre("3 step(s) never played: AnswerMessageBox(1) Click(1) Check(...)"));
    EXPECT_EQ(ScriptedUser::Current(), nullptr);
    EXPECT_EQ(Probe(IDD_SINGER).DoModal(), -1);
    EXPECT_EQ(ShowMessage(u"nobody sees this", MessageStyle::Plain), 0);
}

TEST(ScriptedUser, FocusMovesAsTheUserActsAndFieldsReportLeaving) {
    TestUser user;
    Probe dlg(IDD_SINGER);
    std::vector<int> left;
    dlg.Route(IDC_PRIMARY_BRE, Notification::KillFocus)
        .Route(IDC_PRIMARY_BRI, Notification::KillFocus)
        .onEvent = [&](Probe&, const NotifyEvent& e) { left.push_back(e.controlId); };
    user.Check([](Dialog& d) { EXPECT_EQ(d.FocusedControlId(), IDC_SINGER_NAME); })
        .Type(IDC_PRIMARY_BRE, u"200")
        .Leave(IDC_PRIMARY_BRE)
        .Check([](Dialog& d) {
            EXPECT_EQ(d.FocusedControlId(), IDC_PRIMARY_BRI);  // Tab skips the spin and label
        })
        .Type(IDC_PRIMARY_BRI, u"-127")
        .Click(IDC_PRIMARY_RESET)  // clicking elsewhere leaves the field too
        .Type(IDC_PRIMARY_BRE, u"127")
        .PressEnter();  // Enter does not move the focus: 127 was never left
    EXPECT_EQ(dlg.DoModal(), kIdOk);
    EXPECT_THAT(left, ElementsAre(IDC_PRIMARY_BRE, IDC_PRIMARY_BRI));
}

}  // namespace
}  // namespace kora::ui
