// The list control that tells another window about scrolling and the wheel.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "probe_dialog.h"
#include "res/singer_editor_res.h"
#include "ui/headless/gtest_user.h"
#include "ui/list_ctrl_ext.h"

namespace kora::ui {
namespace {

using headless::TestUser;
using headless::WheelTurn;
using ::testing::ElementsAre;

// Both lists of the editor hold 40 rows; the My list is a CListCtrlExt.
class EditorWithLists : public test::Probe {
public:
    EditorWithLists() : Probe(IDD_SINGER_EDITOR) {
        myList.Attach(*this, IDC_MY_LIST);
        onInit = [](Probe& p) {
            for (int id : {IDC_MY_LIST, IDC_ACTIVE_LIST})
                for (int i = 0; i < 40; ++i) p.Control<ListView>(id).InsertItem(i, u"row");
            return true;
        };
    }
    CListCtrlExt myList;
};

int TopOf(Dialog& d, int id) { return d.Control<ListView>(id).TopIndex(); }

TEST(CListCtrlExt, WithoutNotifyWndScrollingAndTheWheelDoTheirDefaultWork) {
    TestUser user;
    EditorWithLists dlg;
    user.Scroll(IDC_MY_LIST, true, 2)
        .Check([](Dialog& d) { EXPECT_EQ(TopOf(d, IDC_MY_LIST), 2); })
        .TurnWheel(IDC_MY_LIST, WheelTurn::Down)
        .Check([](Dialog& d) {
            EXPECT_EQ(TopOf(d, IDC_MY_LIST), 5);
            EXPECT_EQ(d.FocusedControlId(), IDC_ACTIVE_LIST);  // the wheel took no focus
        })
        .PressEscape();
    dlg.DoModal();
}

TEST(CListCtrlExt, NotifyWndHearsEachScrollStepAndWheelTurnBeforeTheListMoves) {
    struct Recorder final : MessageTarget {
        std::intptr_t Send(uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
            EXPECT_EQ(std::tuple(message, wParam, lParam), std::tuple(0x47Du, 0u, 0));
            tops.push_back(list->TopIndex());
            return 1;
        }
        const ListView* list = nullptr;
        std::vector<int> tops;  // the list's top row when each notice came
    } target;
    TestUser user;
    EditorWithLists dlg;
    target.list = &dlg.myList;
    dlg.myList.notifyWnd = &target;
    user.Scroll(IDC_MY_LIST, true, 1)
        .Scroll(IDC_MY_LIST, true, 1)
        .Scroll(IDC_MY_LIST, false, 1)
        .TurnWheel(IDC_MY_LIST, WheelTurn::Down)
        .Check([](Dialog& d) {
            EXPECT_EQ(TopOf(d, IDC_MY_LIST), 5);
            EXPECT_EQ(d.FocusedControlId(), IDC_MY_LIST);  // the wheel gave the list the focus
        })
        .TurnWheel(IDC_MY_LIST, WheelTurn::Up)
        .PressEscape();
    dlg.DoModal();
    EXPECT_THAT(target.tops, ElementsAre(0, 1, 2, 2, 5));
}

TEST(CListCtrlExt, OnlyABoundLiveControlNotifiesAndADialogCanBeTheTarget) {
    TestUser user;
    EditorWithLists dlg;
    dlg.myList.notifyWnd = &dlg;  // the dialog takes the private message itself
    {
        CListCtrlExt gone;  // a destroyed control no longer hears its list
        gone.Attach(dlg, IDC_ACTIVE_LIST);
        gone.notifyWnd = &dlg;
    }
    user.Scroll(IDC_ACTIVE_LIST, true, 1)
        .TurnWheel(IDC_ACTIVE_LIST, WheelTurn::Down)
        .Check([](Dialog& d) { EXPECT_EQ(TopOf(d, IDC_ACTIVE_LIST), 4); })
        .Scroll(IDC_MY_LIST, true, 1)
        .PressEscape();
    dlg.DoModal();
    EXPECT_THAT(dlg.messages, ElementsAre(0x47Du));
}

TEST(CListCtrlExt, AThrowingTargetEndsTheDialogAndIsReported) {
    struct Throwing final : MessageTarget {
        std::intptr_t Send(uint32_t, std::uintptr_t, std::intptr_t) override {
            throw std::runtime_error("target gone");
        }
    } target;
    TestUser user;
    EditorWithLists dlg;
    dlg.myList.notifyWnd = &target;
    user.TurnWheel(IDC_MY_LIST, WheelTurn::Down);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_THAT(
        user.TakeFailures(),
        ElementsAre(
            "TurnWheel(23002, down) threw: target gone (dialog 101 \"Singer Editor\" is open)"));
}

}  // namespace
}  // namespace kora::ui
