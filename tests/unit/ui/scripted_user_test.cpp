// The scripted user driving dialogs built on the seam: nested modal runs,
// message boxes, focus, and every way a script can fail.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "probe_dialog.h"
#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "res/string_res.h"
#include "res/xsynth_group_res.h"
#include "ui/headless/gtest_user.h"
#include "ui/message.h"
#include "ui/toolkit.h"

namespace kora::ui {
namespace {

using headless::ScriptedUser;
using headless::TestUser;
using test::Probe;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(ScriptedUser, NestedDialogsPlayTheirOwnStepsAndFindTheirOwner) {
    TestUser user;
    Probe editor(IDD_SINGER_EDITOR);
    int nestedResult = 0;
    bool ownerSeen = false, groupListHasOwner = true;
    editor.Route(IDC_ACTIVE_ADD, Notification::Clicked).onEvent = [&](Probe& self, auto&) {
        Probe edit(IDD_SINGER, &self);
        edit.onInit = [&](Probe& p) {
            ownerSeen = p.OwnerAs<Probe>() == &self && p.Owner()->TemplateId() == IDD_SINGER_EDITOR;
            return true;
        };
        edit.Route(IDC_XSYNTH_GROUP_LIST, Notification::Clicked).onEvent = [&](Probe&, auto&) {
            Probe groups(IDD_XSYNTH_GROUP);  // opened with no owner given
            groupListHasOwner = groups.Owner() != nullptr;
            EXPECT_EQ(groups.DoModal(), kIdOk);
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
    EXPECT_FALSE(groupListHasOwner);
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
    EXPECT_EQ(boxes[0].text, u"Do you really want to delete the singer? ");
    EXPECT_EQ(boxes[0].dialogId, IDD_SINGER_EDITOR);
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
