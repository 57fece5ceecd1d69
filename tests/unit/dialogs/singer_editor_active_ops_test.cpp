// The Active Singers operations through the scripted user: program
// allocation, copy names, states, the pair maps, the refusals and their
// messages; and read-only mode, where no operation changes anything.
#include <gmock/gmock.h>

#include "list_ops_fixture.h"

namespace kora::dialogs::test {
namespace {

using testing::ElementsAre;
using ui::Dialog;
using ui::kIdCancel;
using ui::kIdNo;
using ui::kIdOk;
using ui::kIdYes;

class ActiveOpsTest : public ListOpsTest {
protected:
    // Add in the edit dialog: a name and a primary voice with its defaults.
    void AddInEditDialog(std::u16string name, std::u16string primary) {
        user.Click(IDC_ACTIVE_ADD)
            .ExpectDialog(IDD_SINGER)
            .Type(IDC_SINGER_NAME, std::move(name))
            .ChooseItem(IDC_PRIMARY_SINGER, std::move(primary))
            .Click(kIdOk);
    }

    const SingerEntry& Entry(std::size_t row) const { return dlg->activeSingers.at(row); }

    // A sequence whose bank 0 is full: 128 singers on Anna.
    static trak4::SequenceDocument FullBank() {
        trak4::SequenceDocument full;
        for (int32_t program = 0; program < kPairLimit; ++program) {
            full.voices[{0, program}] = kora::test::SequenceVoiceOf(
                Singer(0, program, u"V" + ui::DecimalText(program), kAnna));
        }
        return full;
    }
};

TEST_F(ActiveOpsTest, AddTakesTheLowestFreeProgramOfThePrimaryVoicesBank) {
    AddInEditDialog(u"Nova", u"Anna");  // bank 0 holds programs 0, 1 and 3
    user.Check([](Dialog& d) {
        ASSERT_EQ(Active(d).ItemCount(), 5);
        EXPECT_THAT(RowTexts(Active(d), 4), ElementsAre(u"Nova", u"Anna", u"1", u"2", u"3", u"4",
                                                        u"-", u"0", u"0", u"0", u"0", u"0"));
        EXPECT_EQ(Active(d).FirstSelectedRow(), 4);
        EXPECT_EQ(Active(d).ItemData(4), static_cast<std::intptr_t>(PackPair(0, 2)));
    });
    AddInEditDialog(u"Deep", u"Cleo");  // bank 2 holds program 0
    EXPECT_EQ(Run(), kIdCancel);

    ASSERT_EQ(dlg->activeSingers.size(), 6u);
    EXPECT_EQ(Entry(4).program, 2);
    EXPECT_EQ(Entry(4).state, kStateAdded);
    EXPECT_EQ(Entry(4).primaryParams, (std::array<int32_t, 5>{1, 2, 3, 4, 0}));
    EXPECT_EQ(Entry(5).bank, 2);
    EXPECT_EQ(Entry(5).program, 1);
    EXPECT_TRUE(dlg->activeInUse.Test(0, 2));
    EXPECT_TRUE(dlg->activeInUse.Test(2, 1));
    EXPECT_EQ(dlg->activeInUse.Count(), 6u);
    EXPECT_TRUE(dlg->activeChanged);
    EXPECT_FALSE(dlg->myChanged);
    // Nothing reaches the database or the sequence while the dialog runs.
    EXPECT_TRUE(Changes().empty());
}

TEST_F(ActiveOpsTest, AFreedProgramIsTakenAgain) {
    user.SelectRow(IDC_ACTIVE_LIST, 2)  // Zed at (0,0); Alto is on Anna too
        .Click(IDC_ACTIVE_DELETE)
        .AnswerMessageBox(kIdYes)
        .Check([&](Dialog& d) {
            EXPECT_THAT(ColumnTexts(Active(d), 0), ElementsAre(u"Alto", u"alto", u"Choir"));
            EXPECT_EQ(Active(d).FirstSelectedRow(), -1);
            EXPECT_FALSE(d.Control(IDC_ACTIVE_DELETE).IsEnabled());
            EXPECT_TRUE(dlg->activeRemoved.Test(0, 0));
            EXPECT_TRUE(dlg->activeDeleted.Test(0, 0));
            EXPECT_FALSE(dlg->activeInUse.Test(0, 0));
        });
    AddInEditDialog(u"Again", u"Anna");
    EXPECT_EQ(Run(), kIdCancel);
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].text, u"Do you really want to delete the singer? ");
    EXPECT_EQ(user.MessageBoxes()[0].style, 0x34u);
    EXPECT_EQ(Entry(3).name, u"Again");
    EXPECT_EQ(Entry(3).program, 0);
    EXPECT_EQ(Entry(3).state, kStateAdded);
    EXPECT_TRUE(dlg->activeInUse.Test(0, 0));
    EXPECT_TRUE(dlg->activeRemoved.Test(0, 0));  // the old voice still goes first
    EXPECT_TRUE(dlg->activeDeleted.Test(0, 0));
    EXPECT_EQ(dlg->activeAtOpen.size(), 4u);
}

TEST_F(ActiveOpsTest, AFullBankRefusesAddCopyAndCopyToActive) {
    Load(FullBank());
    AddInEditDialog(u"One too many", u"Anna");
    user.AnswerMessageBox(kIdOk)
        .SelectRow(IDC_ACTIVE_LIST, 5)
        .Click(IDC_ACTIVE_COPY)
        .AnswerMessageBox(kIdOk)
        .SelectRow(IDC_MY_LIST, 3)  // Mine, bank 0
        .Click(IDC_COPY_TO_ACTIVE)
        .AnswerMessageBox(kIdOk)
        .Check([](Dialog& d) { EXPECT_EQ(Active(d).ItemCount(), 128); })
        .SelectRow(IDC_MY_LIST, 4)  // Other, bank 2: room there
        .Click(IDC_COPY_TO_ACTIVE);
    EXPECT_EQ(Run(), kIdCancel);
    ASSERT_EQ(user.MessageBoxes().size(), 3u);
    EXPECT_EQ(user.MessageBoxes()[0].text, u"Cannot add any more singers!");
    EXPECT_EQ(user.MessageBoxes()[0].style, 0u);
    EXPECT_EQ(user.MessageBoxes()[1].text, u"Cannot copy any more singers!");
    EXPECT_EQ(user.MessageBoxes()[1].style, 0u);
    EXPECT_EQ(user.MessageBoxes()[2].text, u"Cannot copy any more singers!");
    EXPECT_EQ(user.MessageBoxes()[2].style, 0u);
    ASSERT_EQ(dlg->activeSingers.size(), 129u);
    EXPECT_EQ(dlg->activeSingers.back().name, u"Other");
    EXPECT_EQ(dlg->activeSingers.back().bank, 2);
}

TEST_F(ActiveOpsTest, CopyNumbersNamesBelowTheSource) {
    user.SelectRow(IDC_ACTIVE_LIST, 0)
        .Click(IDC_ACTIVE_COPY)
        .Check([](Dialog& d) {
            EXPECT_THAT(ColumnTexts(Active(d), 0),
                        ElementsAre(u"Alto", u"Alto (2)", u"alto", u"Zed", u"Choir"));
            EXPECT_EQ(Active(d).FirstSelectedRow(), 1);
        })
        .SelectRow(IDC_ACTIVE_LIST, 0)
        .Click(IDC_ACTIVE_COPY)
        .SelectRow(IDC_ACTIVE_LIST, 2)  // Alto (2)
        .Click(IDC_ACTIVE_COPY)
        .SelectRow(IDC_ACTIVE_LIST, 4)  // alto: its (2) and (3) are taken in another case
        .Click(IDC_ACTIVE_COPY)
        .Check([](Dialog& d) {
            EXPECT_THAT(ColumnTexts(Active(d), 0),
                        ElementsAre(u"Alto", u"Alto (3)", u"Alto (2)", u"Alto (2) (2)", u"alto",
                                    u"alto (4)", u"Zed", u"Choir"));
            EXPECT_EQ(Active(d).FirstSelectedRow(), 5);
        });
    EXPECT_EQ(Run(), kIdCancel);
    // Programs 2, 4, 5, 6 of bank 0, in the order of the copies.
    EXPECT_EQ(Entry(2).program, 2);
    EXPECT_EQ(Entry(1).program, 4);
    EXPECT_EQ(Entry(3).program, 5);
    const SingerEntry& copy = Entry(5);
    EXPECT_EQ(copy.program, 6);
    EXPECT_EQ(copy.primaryId, kBert);
    EXPECT_EQ(copy.secondaryId, kAnna);
    EXPECT_EQ(copy.secondaryName, u"Anna");
    EXPECT_EQ(copy.primaryParams, (std::array<int32_t, 5>{20, 21, 22, 23, 24}));
    EXPECT_EQ(copy.secondaryParams, (std::array<int32_t, 6>{-20, -21, -22, -23, -24, -25}));
    EXPECT_EQ(copy.state, kStateAdded);
    EXPECT_TRUE(dlg->activeChanged);
}

TEST_F(ActiveOpsTest, EditOfALoadedSingerMarksItEditedAndKeepsPairPrimaryAndAux) {
    user.DoubleClickRow(IDC_ACTIVE_LIST, 1, 3)  // alto: Bert with Anna
        .ExpectDialog(IDD_SINGER)
        .Check([](Dialog& d) {
            EXPECT_EQ(d.Caption(), u"Edit");
            EXPECT_EQ(d.Control(IDC_PRIMARY_SINGER).Text(), u"Bert");
            EXPECT_EQ(d.Control(IDC_SECONDARY_SINGER).Text(), u"Anna");
            EXPECT_EQ(d.Control(IDC_PRIMARY_BRI).Text(), u"21");
        })
        .Type(IDC_SINGER_NAME, u"alto two")
        .Type(IDC_SECONDARY_VOL, u"7")
        .Leave(IDC_SECONDARY_VOL)
        .ChooseItem(IDC_SECONDARY_SINGER, u"-")
        .Type(IDC_PRIMARY_CLE, u"-5")
        .Click(kIdOk)
        .Check([](Dialog& d) {
            EXPECT_THAT(RowTexts(Active(d), 1),
                        ElementsAre(u"alto two", u"Bert", u"20", u"21", u"-5", u"23", u"-", u"0",
                                    u"0", u"0", u"0", u"0"));
            EXPECT_EQ(Active(d).FirstSelectedRow(), 1);
            EXPECT_EQ(Active(d).ItemCount(), 4);
        });
    EXPECT_EQ(Run(), kIdCancel);
    const SingerEntry& entry = Entry(1);
    EXPECT_EQ(entry.state, kStateEdited);
    EXPECT_EQ(entry.bank, 0);
    EXPECT_EQ(entry.program, 1);
    EXPECT_EQ(entry.primaryId, kBert);
    EXPECT_EQ(entry.primaryName, u"Bert");
    EXPECT_EQ(entry.secondaryId, u"");
    EXPECT_EQ(entry.secondaryName, u"-");
    EXPECT_EQ(entry.primaryParams, (std::array<int32_t, 5>{20, 21, -5, 23, 24}));
    EXPECT_EQ(entry.secondaryParams, (std::array<int32_t, 6>{0, 0, 0, 0, -24, 0}));
    EXPECT_TRUE(dlg->activeChanged);
    EXPECT_TRUE(Changes().empty());
}

TEST_F(ActiveOpsTest, EditOfANewSingerKeepsStateOneAndCancelChangesNothing) {
    AddInEditDialog(u"Nova", u"Anna");
    user.Click(IDC_ACTIVE_EDIT).Type(IDC_SINGER_NAME, u"Nova 2").Click(kIdOk);
    user.SelectRow(IDC_ACTIVE_LIST, 2)
        .Click(IDC_ACTIVE_EDIT)
        .Type(IDC_SINGER_NAME, u"x")
        .Click(kIdCancel);
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_EQ(Entry(4).name, u"Nova 2");
    EXPECT_EQ(Entry(4).state, kStateAdded);
    EXPECT_EQ(Entry(2).name, u"Zed");
    EXPECT_EQ(Entry(2).state, kStateLoaded);
}

TEST_F(ActiveOpsTest, TheLastSingerOnAPrimaryVoiceCannotBeDeleted) {
    user.SelectRow(IDC_ACTIVE_LIST, 1)  // alto, the only one on Bert
        .Click(IDC_ACTIVE_DELETE)
        .AnswerMessageBox(kIdOk)
        .SelectRow(IDC_ACTIVE_LIST, 2)  // Zed on Anna: asked, then No
        .Click(IDC_ACTIVE_DELETE)
        .AnswerMessageBox(kIdNo)
        .Click(IDC_ACTIVE_DELETE)  // Yes
        .AnswerMessageBox(kIdYes)
        .SelectRow(IDC_ACTIVE_LIST, 0)  // Alto, now the last on Anna
        .Click(IDC_ACTIVE_DELETE)
        .AnswerMessageBox(kIdOk)
        .Check([](Dialog& d) {
            EXPECT_THAT(ColumnTexts(Active(d), 0), ElementsAre(u"Alto", u"alto", u"Choir"));
        });
    EXPECT_EQ(Run(), kIdCancel);
    ASSERT_EQ(user.MessageBoxes().size(), 4u);
    EXPECT_EQ(user.MessageBoxes()[0].text, u"Cannot delete the singer!");
    EXPECT_EQ(user.MessageBoxes()[0].style, 0x10u);
    EXPECT_EQ(user.MessageBoxes()[1].style, 0x34u);
    EXPECT_EQ(user.MessageBoxes()[2].style, 0x34u);
    EXPECT_EQ(user.MessageBoxes()[3].text, u"Cannot delete the singer!");
    EXPECT_EQ(dlg->activeRemoved.Count(), 1u);
    EXPECT_TRUE(dlg->activeRemoved.Test(0, 0));
}

TEST_F(ActiveOpsTest, ARefusedOrUnconfirmedDeleteChangesNothing) {
    user.SelectRow(IDC_ACTIVE_LIST, 3)  // Choir, the only one on Cleo
        .Click(IDC_ACTIVE_DELETE)
        .AnswerMessageBox(kIdOk)
        .SelectRow(IDC_ACTIVE_LIST, 0)
        .Click(IDC_ACTIVE_DELETE)
        .AnswerMessageBox(kIdNo);
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_EQ(dlg->activeSingers.size(), 4u);
    EXPECT_EQ(dlg->activeInUse.Count(), 4u);
    EXPECT_EQ(dlg->activeRemoved.Count() + dlg->activeDeleted.Count(), 0u);
    EXPECT_FALSE(dlg->activeChanged);
}

TEST_F(ActiveOpsTest, CopyToActiveKeepsNameAndValuesAndAppends) {
    user.SelectRow(IDC_MY_LIST, 3).Click(IDC_COPY_TO_ACTIVE).Check([](Dialog& d) {
        ASSERT_EQ(Active(d).ItemCount(), 5);
        EXPECT_THAT(RowTexts(Active(d), 4),
                    ElementsAre(u"Mine", u"Anna", u"70", u"71", u"72", u"73", u"Cleo", u"-70",
                                u"-71", u"-72", u"-73", u"-75"));
        EXPECT_EQ(Active(d).FirstSelectedRow(), 4);
    });
    EXPECT_EQ(Run(), kIdCancel);
    const SingerEntry& copy = Entry(4);
    EXPECT_EQ(copy.bank, 0);
    EXPECT_EQ(copy.program, 2);
    EXPECT_EQ(copy.primaryParams, (std::array<int32_t, 5>{70, 71, 72, 73, 74}));
    EXPECT_EQ(copy.secondaryParams, (std::array<int32_t, 6>{-70, -71, -72, -73, -74, -75}));
    EXPECT_EQ(copy.state, kStateAdded);
    EXPECT_TRUE(dlg->activeChanged);
    EXPECT_FALSE(dlg->myChanged);
    EXPECT_TRUE(Changes().empty());
}

TEST_F(ActiveOpsTest, ReadOnlyModeChangesNothingWhateverIsSelected) {
    dlg->readOnly = true;
    const std::vector<SingerEntry> active = dlg->activeSingers;
    const std::vector<SingerEntry> mine = dlg->mySingers;
    user.SelectRow(IDC_ACTIVE_LIST, 2).SelectRow(IDC_MY_LIST, 2).Check([&](Dialog&) {
        // The buttons are disabled; the operations refuse all the same.
        dlg->OnActiveAdd();
        dlg->OnActiveCopy();
        dlg->OnActiveEdit();
        dlg->OnActiveDelete();
        dlg->OnCopyToActive();
        dlg->OnMyAdd();
        dlg->OnMyCopy();
        dlg->OnMyEdit();
        dlg->OnMyDelete();
        dlg->OnCopyToMy();
        dlg->SetDefaultSinger(0);
    });
    user.DoubleClickRow(IDC_MY_LIST, 0, 0).DoubleClickRow(IDC_MY_LIST, 0, 2).Check([](Dialog& d) {
        EXPECT_EQ(Active(d).ItemCount(), 4);
        EXPECT_EQ(My(d).ItemCount(), 5);
        EXPECT_EQ(My(d).ItemText(3, 0), u"*");
    });
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_TRUE(user.MessageBoxes().empty());
    EXPECT_TRUE(Changes().empty());
    EXPECT_EQ(Names(dlg->activeSingers), Names(active));
    EXPECT_EQ(Names(dlg->mySingers), Names(mine));
    EXPECT_EQ(dlg->activeInUse.Count(), 4u);
    EXPECT_EQ(dlg->activeRemoved.Count() + dlg->activeDeleted.Count(), 0u);
    EXPECT_FALSE(dlg->activeChanged);
    EXPECT_FALSE(dlg->myChanged);
}

}  // namespace
}  // namespace kora::dialogs::test
