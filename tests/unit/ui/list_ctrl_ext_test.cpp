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
using test::Probe;
using ::testing::ElementsAre;

struct Notice {
    uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    int topIndexThen;
};

class RecordingTarget final : public MessageTarget {
public:
    explicit RecordingTarget(const ListView& list) : list_(list) {}
    std::intptr_t Send(uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
        notices.push_back({message, wParam, lParam, list_.TopIndex()});
        return 1;
    }
    std::vector<Notice> notices;

private:
    const ListView& list_;
};

class EditorWithLists : public Probe {
public:
    EditorWithLists() : Probe(IDD_SINGER_EDITOR) {
        myList.Attach(*this, IDC_MY_LIST);
        onInit = [this](Probe&) {
            myList.InsertColumn(0, u"Name", kLvcfmtLeft, 100);
            for (int i = 0; i < 40; ++i) myList.InsertItem(i, u"row");
            auto active = Control<ListView>(IDC_ACTIVE_LIST);
            active.InsertColumn(0, u"Name", kLvcfmtLeft, 100);
            for (int i = 0; i < 40; ++i) active.InsertItem(i, u"row");
            return true;
        };
    }
    CListCtrlExt myList;
};

TEST(CListCtrlExt, WithoutNotifyWndScrollingAndTheWheelDoTheirDefaultWork) {
    TestUser user;
    EditorWithLists dlg;
    EXPECT_EQ(dlg.myList.notifyWnd, nullptr);
    user.Scroll(IDC_MY_LIST, true, 2)
        .Check([](Dialog& d) { EXPECT_EQ(d.Control<ListView>(IDC_MY_LIST).TopIndex(), 2); })
        .TurnWheel(IDC_MY_LIST, WheelTurn::Down)
        .Check([](Dialog& d) {
            EXPECT_EQ(d.Control<ListView>(IDC_MY_LIST).TopIndex(), 5);
            EXPECT_EQ(d.FocusedControlId(), IDC_ACTIVE_LIST);  // the wheel took no focus
        })
        .PressEscape();
    dlg.DoModal();
}

TEST(CListCtrlExt, NotifyWndHearsEachScrollStepAndWheelTurnBeforeTheListMoves) {
    TestUser user;
    EditorWithLists dlg;
    RecordingTarget target(dlg.myList);
    dlg.myList.notifyWnd = &target;
    user.Scroll(IDC_MY_LIST, true, 1)
        .Scroll(IDC_MY_LIST, true, 1)
        .Scroll(IDC_MY_LIST, false, 1)
        .TurnWheel(IDC_MY_LIST, WheelTurn::Down)
        .Check([](Dialog& d) {
            EXPECT_EQ(d.Control<ListView>(IDC_MY_LIST).TopIndex(), 5);
            EXPECT_EQ(d.FocusedControlId(), IDC_MY_LIST);  // the wheel gave the list the focus
        })
        .TurnWheel(IDC_MY_LIST, WheelTurn::Up)
        .PressEscape();
    dlg.DoModal();
    ASSERT_EQ(target.notices.size(), 5u);
    const int topBefore[] = {0, 1, 2, 2, 5};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(target.notices[i].message, 0x47Du);
        EXPECT_EQ(target.notices[i].wParam, 0u);
        EXPECT_EQ(target.notices[i].lParam, 0);
        EXPECT_EQ(target.notices[i].topIndexThen, topBefore[i]) << i;
    }
}

TEST(CListCtrlExt, OnlyTheBoundListNotifiesAndADialogCanBeTheTarget) {
    TestUser user;
    EditorWithLists dlg;
    dlg.myList.notifyWnd = &dlg;  // the dialog takes the private message itself
    user.Scroll(IDC_ACTIVE_LIST, true, 1)
        .TurnWheel(IDC_ACTIVE_LIST, WheelTurn::Down)
        .Check([](Dialog& d) { EXPECT_EQ(d.Control<ListView>(IDC_ACTIVE_LIST).TopIndex(), 4); })
        .Scroll(IDC_MY_LIST, true, 1)
        .PressEscape();
    dlg.DoModal();
    EXPECT_THAT(dlg.messages, ElementsAre(0x47Du));
}

TEST(CListCtrlExt, WrapsItsControlLikeAnyListView) {
    TestUser user;
    EditorWithLists dlg;
    user.Check([&](Dialog&) {
            EXPECT_EQ(dlg.myList.Id(), IDC_MY_LIST);
            EXPECT_EQ(dlg.myList.ItemCount(), 40);
            EXPECT_EQ(dlg.myList.ColumnText(0), u"Name");
        })
        .PressEscape();
    dlg.DoModal();
    EXPECT_EQ(dlg.myList.ItemCount(), 0);  // closed: nothing to count
}

}  // namespace
}  // namespace kora::ui

namespace kora::ui {
namespace {

TEST(CListCtrlExt, ADestroyedControlNoLongerHearsItsList) {
    TestUser user;
    Probe dlg(IDD_SINGER_EDITOR);
    dlg.onInit = [](Probe& p) {
        for (int i = 0; i < 20; ++i) p.Control<ListView>(IDC_MY_LIST).InsertItem(i, u"row");
        return true;
    };
    {
        CListCtrlExt gone;
        gone.Attach(dlg, IDC_MY_LIST);
        gone.notifyWnd = &dlg;
    }
    user.Scroll(IDC_MY_LIST, true, 1)
        .Check([](Dialog& d) { EXPECT_EQ(d.Control<ListView>(IDC_MY_LIST).TopIndex(), 1); })
        .PressEscape();
    dlg.DoModal();
    EXPECT_TRUE(dlg.messages.empty());
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
