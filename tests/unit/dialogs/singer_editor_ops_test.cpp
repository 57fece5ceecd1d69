// The list operations of both lists through the scripted user: programs,
// copy names, states and pair maps, what reaches the database, the default
// mark, every refusal with its message and style, and read-only mode.
#include <functional>

#include "editor_dlg_fixture.h"

namespace kora::dialogs::test {
namespace {

const std::u16string kConfirm = u"Do you really want to delete the singer? ";
const std::u16string kAddFailed = u"Failed to add singer, or cannot add any more singers!";
const std::u16string kCopyFailed = u"Failed to copy singer, or cannot copy any more singers!";
const std::u16string kDeleteFailed = u"Cannot delete the singer!";

class OpsTest : public EditorDlgTest {
protected:
    const SingerEntry& Entry(std::size_t row) const { return dlg->activeSingers.at(row); }

    void AddActiveInDialog(std::u16string name, std::u16string primary) {
        user.Click(IDC_ACTIVE_ADD)
            .ExpectDialog(IDD_SINGER)
            .Type(IDC_SINGER_NAME, std::move(name))
            .ChooseItem(IDC_PRIMARY_SINGER, std::move(primary))
            .Click(kIdOk);
    }
};

using User = ui::headless::TestUser;

// My Add: Nova on Bert with Anna as secondary, a changed BRE and VOL.
void AddNova(User& user) {
    user.Click(IDC_MY_ADD)
        .ExpectDialog(IDD_SINGER)
        .Check([](Dialog& d) { EXPECT_EQ(d.Caption(), u"Add"); })
        .Type(IDC_SINGER_NAME, u"Nova")
        .ChooseItem(IDC_PRIMARY_SINGER, u"Bert")
        .ChooseItem(IDC_SECONDARY_SINGER, u"Anna")
        .Type(IDC_PRIMARY_BRE, u"12")
        .Leave(IDC_PRIMARY_BRE)
        .Type(IDC_SECONDARY_VOL, u"-9")
        .Leave(IDC_SECONDARY_VOL)
        .Click(kIdOk);
}

TEST_F(OpsTest, ActiveAddAndCopyTakeTheLowestFreeProgramAndTouchNoDatabase) {
    AddActiveInDialog(u"Nova", u"Anna");  // bank 0 holds programs 0, 1 and 3
    AddActiveInDialog(u"Deep", u"Cleo");  // bank 2 holds program 0
    user.SelectRow(IDC_ACTIVE_LIST, 0)
        .Click(IDC_ACTIVE_COPY)
        .SelectRow(IDC_ACTIVE_LIST, 2)  // alto: its (2) is taken in another case
        .Click(IDC_ACTIVE_COPY)
        .Check([](Dialog& d) {
            EXPECT_THAT(ColumnTexts(Active(d), 0),
                        ElementsAre(u"Alto", u"Alto (2)", u"alto", u"alto (3)", u"Zed", u"Choir",
                                    u"Nova", u"Deep"));
            EXPECT_EQ(Active(d).FirstSelectedRow(), 3);
            EXPECT_EQ(Active(d).ItemData(6), static_cast<std::intptr_t>(PackPair(0, 2)));
        });
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_EQ(Entry(6).primaryParams, (std::array<int32_t, 5>{1, 2, 3, 4, 0}));
    EXPECT_EQ((Pair{Entry(7).bank, Entry(7).program}), (Pair{2, 1}));
    EXPECT_EQ(Entry(1).program, 4);  // programs in the order of the copies
    EXPECT_EQ(Entry(3).program, 5);
    EXPECT_EQ(Entry(3).secondaryParams, (std::array<int32_t, 6>{-20, -21, -22, -23, -24, -25}));
    for (std::size_t row : {1, 3, 6, 7}) EXPECT_EQ(Entry(row).state, kStateAdded) << row;
    EXPECT_TRUE(dlg->activeInUse.Test(0, 2) && dlg->activeInUse.Test(2, 1));
    EXPECT_TRUE(dlg->activeChanged);
    EXPECT_FALSE(dlg->myChanged);
    EXPECT_TRUE(Changes().empty());
}

TEST_F(OpsTest, ActiveDeleteKeepsTheLastOnAPrimaryAsksAndFreesTheProgramForTheNextAdd) {
    user.SelectRow(IDC_ACTIVE_LIST, 3)  // Choir, the only one on Cleo
        .Click(IDC_ACTIVE_DELETE)
        .AnswerMessageBox(kIdOk)
        .SelectRow(IDC_ACTIVE_LIST, 1)  // alto, the only one on Bert
        .Click(IDC_ACTIVE_DELETE)
        .AnswerMessageBox(kIdOk)
        .Check([&](Dialog&) { EXPECT_FALSE(dlg->activeChanged); })
        .SelectRow(IDC_ACTIVE_LIST, 2)  // Zed at (0,0); Alto is on Anna too
        .Click(IDC_ACTIVE_DELETE)
        .AnswerMessageBox(kIdNo)
        .Click(IDC_ACTIVE_DELETE)
        .AnswerMessageBox(kIdYes)
        .Check([&](Dialog& d) {
            EXPECT_THAT(ColumnTexts(Active(d), 0), ElementsAre(u"Alto", u"alto", u"Choir"));
            EXPECT_EQ(Active(d).FirstSelectedRow(), -1);
            EXPECT_FALSE(d.Control(IDC_ACTIVE_DELETE).IsEnabled());
            EXPECT_FALSE(dlg->activeInUse.Test(0, 0));
        });
    AddActiveInDialog(u"Again", u"Anna");
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_THAT(Messages(), ElementsAre(kDeleteFailed, kDeleteFailed, kConfirm, kConfirm));
    EXPECT_THAT(Styles(), ElementsAre(0x10u, 0x10u, 0x34u, 0x34u));
    EXPECT_EQ(Entry(3).name, u"Again");
    EXPECT_EQ(Entry(3).program, 0);
    EXPECT_TRUE(dlg->activeInUse.Test(0, 0));
    // The old voice still goes first.
    EXPECT_TRUE(dlg->activeRemoved.Test(0, 0) && dlg->activeDeleted.Test(0, 0));
    EXPECT_EQ(dlg->activeRemoved.Count(), 1u);
}

TEST_F(OpsTest, AFullBankRefusesActiveAddCopyAndCopyToActiveAnotherBankTakesTheCopy) {
    trak4::SequenceDocument full;
    for (int32_t program = 0; program < kPairLimit; ++program) {
        full.voices[{0, program}] =
            kora::test::SequenceVoiceOf(Singer(0, program, u"V" + ui::DecimalText(program), kAnna));
    }
    Load(full);
    AddActiveInDialog(u"One too many", u"Anna");
    user.AnswerMessageBox(kIdOk)
        .SelectRow(IDC_ACTIVE_LIST, 5)
        .Click(IDC_ACTIVE_COPY)
        .AnswerMessageBox(kIdOk)
        .SelectRow(IDC_MY_LIST, 3)  // Mine, bank 0
        .Click(IDC_COPY_TO_ACTIVE)
        .AnswerMessageBox(kIdOk)
        .SelectRow(IDC_MY_LIST, 4)  // Other, bank 2: room there
        .Click(IDC_COPY_TO_ACTIVE)
        .Check([](Dialog& d) {  // appended with its name and values
            EXPECT_EQ(Active(d).ItemText(128, 0), u"Other");
            EXPECT_EQ(Active(d).FirstSelectedRow(), 128);
        });
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_THAT(Messages(),
                ElementsAre(u"Cannot add any more singers!", u"Cannot copy any more singers!",
                            u"Cannot copy any more singers!"));
    EXPECT_THAT(Styles(), ElementsAre(0u, 0u, 0u));
    ASSERT_EQ(dlg->activeSingers.size(), 129u);
    const SingerEntry& other = dlg->activeSingers.back();
    EXPECT_EQ((Pair{other.bank, other.program}), (Pair{2, 0}));
    EXPECT_EQ(other.primaryParams, (std::array<int32_t, 5>{80, 81, 82, 83, 84}));
    EXPECT_EQ(other.state, kStateAdded);
    EXPECT_TRUE(Changes().empty());
}

TEST_F(OpsTest, ActiveEditMarksLoadedSingersEditedAndKeepsPairPrimaryAndAux) {
    user.DoubleClickRow(IDC_ACTIVE_LIST, 1, 3)  // alto: Bert with Anna
        .ExpectDialog(IDD_SINGER)
        .Check([](Dialog& d) {
            EXPECT_EQ(d.Caption(), u"Edit");
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
            EXPECT_EQ(Active(d).ItemText(1, 0) + Active(d).ItemText(1, 4), u"alto two-5");
        });
    AddActiveInDialog(u"Nova", u"Anna");
    user.Click(IDC_ACTIVE_EDIT).Type(IDC_SINGER_NAME, u"Nova 2").Click(kIdOk);
    user.SelectRow(IDC_ACTIVE_LIST, 2)
        .Click(IDC_ACTIVE_EDIT)
        .Type(IDC_SINGER_NAME, u"x")
        .Click(kIdCancel);
    EXPECT_EQ(Run(), kIdCancel);
    const SingerEntry& entry = Entry(1);
    EXPECT_EQ(entry.state, kStateEdited);
    EXPECT_EQ((Pair{entry.bank, entry.program}), (Pair{0, 1}));
    EXPECT_EQ(entry.primaryId, kBert);
    EXPECT_EQ(entry.secondaryId, u"");
    EXPECT_EQ(entry.secondaryName, u"-");
    EXPECT_EQ(entry.primaryParams, (std::array<int32_t, 5>{20, 21, -5, 23, 24}));
    EXPECT_EQ(entry.secondaryParams, (std::array<int32_t, 6>{0, 0, 0, 0, -24, 0}));
    EXPECT_EQ(Entry(4).name, u"Nova 2");
    EXPECT_EQ(Entry(4).state, kStateAdded);  // a new singer stays new
    EXPECT_EQ(Entry(2).name, u"Zed");        // cancelled
    EXPECT_EQ(Entry(2).state, kStateLoaded);
    EXPECT_TRUE(Changes().empty());
}

// The editing buttons are disabled (the view's test); double clicks stay.
TEST_F(OpsTest, ReadOnlyModeChangesNothingWhateverIsDoubleClicked) {
    dlg->readOnly = true;
    user.DoubleClickRow(IDC_MY_LIST, 0, 0).DoubleClickRow(IDC_MY_LIST, 0, 2);
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_TRUE(user.MessageBoxes().empty());
    EXPECT_TRUE(Changes().empty());
    EXPECT_EQ(dlg->activeSingers.size(), 4u);
    EXPECT_EQ(dlg->mySingers.size(), 5u);
    EXPECT_EQ(dlg->activeRemoved.Count() + dlg->activeDeleted.Count(), 0u);
    EXPECT_FALSE(dlg->activeChanged || dlg->myChanged);
}

TEST_F(OpsTest, MyAddCreatesTheVoiceInTheDatabaseAndAppendsItsRow) {
    user.Click(IDC_MY_ADD).ExpectDialog(IDD_SINGER).Type(IDC_SINGER_NAME, u"Gone").Click(kIdCancel);
    AddNova(user);
    user.ExpectDialog(IDD_SINGER_EDITOR).Check([&](Dialog& d) {
        EXPECT_EQ(ColumnTexts(My(d), 1).back(), u"Nova");
        EXPECT_EQ(My(d).FirstSelectedRow(), 5);
        EXPECT_EQ(My(d).ItemData(5), static_cast<std::intptr_t>(PackPair(0, 1)));
    });
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_EQ(Changes(),
              (Calls{"DBM_CreateVirtualVoice(77,0)", "DBM_SetVirtualVoiceInfo(77(0,1))"}));
    const DBM_VVOICE_INFO* stored = Stored(0, 1);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(ReadField(stored->name), u"Nova");
    EXPECT_EQ(ReadField(stored->primaryVoiceId), kBert);
    EXPECT_EQ(ReadField(stored->secondaryVoiceId), kAnna);
    EXPECT_THAT(stored->primaryParams, ElementsAre(12, -2, -3, -4, 0));
    EXPECT_THAT(stored->secondaryParams, ElementsAre(1, 2, 3, 4, 0, -9));
    EXPECT_EQ(dlg->mySingers.at(5).state, kStateAdded);
    EXPECT_TRUE(dlg->myChanged);
    EXPECT_FALSE(dlg->activeChanged);

    dlg->mySingers.clear();  // an empty list opens no edit dialog at all
    user.Click(IDC_MY_ADD).ExpectDialog(IDD_SINGER_EDITOR);
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_EQ(log.Count("DBM_CreateVirtualVoice"), 1);
}

// A refused My operation: its message, the database calls (a half-made voice
// deleted again), and neither the list nor the changed flag touched.
struct Refusal {
    const char* label;
    std::function<void(kora::test::FakeDatabase&)> refuse;
    std::function<void(User&)> act;
    std::u16string message;
    Calls calls;
};
void PrintTo(const Refusal& r, std::ostream* os) { *os << r.label; }

class MyRefusal : public OpsTest, public testing::WithParamInterface<Refusal> {};

TEST_P(MyRefusal, ShowsItsMessageAndLeavesNothingBehind) {
    GetParam().refuse(database);
    const auto stored = database.VirtualVoices().size();
    GetParam().act(user);
    user.AnswerMessageBox(kIdOk);
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_EQ(Messages().back(), GetParam().message);
    EXPECT_EQ(Styles().back(), 0x10u);
    EXPECT_EQ(Changes(), GetParam().calls);
    EXPECT_EQ(database.VirtualVoices().size(), stored);
    EXPECT_EQ(Names(dlg->mySingers),
              (std::vector<std::u16string>{u"Alto", u"alto (2)", u"another", u"Mine", u"Other"}));
    EXPECT_FALSE(dlg->myChanged);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MyRefusal,
    testing::Values(
        Refusal{"AddCreate", [](kora::test::FakeDatabase& db) { db.createRefusal = -3; }, AddNova,
                kAddFailed, Calls{"DBM_CreateVirtualVoice refused"}},
        Refusal{"AddRecord", [](kora::test::FakeDatabase& db) { db.setInfoRefusal = -4; }, AddNova,
                kAddFailed,
                Calls{"DBM_CreateVirtualVoice(77,0)", "DBM_SetVirtualVoiceInfo refused",
                      "DBM_DeleteVirtualVoice(77(0,1))"}},
        Refusal{"CopyRecord", [](kora::test::FakeDatabase& db) { db.setInfoRefusal = -4; },
                [](User& u) { u.SelectRow(IDC_MY_LIST, 3).Click(IDC_MY_COPY); }, kCopyFailed,
                Calls{"DBM_CreateVirtualVoice(77,0)", "DBM_SetVirtualVoiceInfo refused",
                      "DBM_DeleteVirtualVoice(77(0,1))"}},
        Refusal{"CopyOutsideTheBank", [](kora::test::FakeDatabase& db) { db.createdProgram = 128; },
                [](User& u) { u.SelectRow(IDC_MY_LIST, 2).Click(IDC_MY_COPY); }, kCopyFailed,
                Calls{"DBM_CreateVirtualVoice gives 128", "DBM_DeleteVirtualVoice(77(0,128))"}},
        Refusal{"CopyToMy", [](kora::test::FakeDatabase& db) { db.createRefusal = -1; },
                [](User& u) { u.SelectRow(IDC_ACTIVE_LIST, 0).Click(IDC_COPY_TO_MY); }, kCopyFailed,
                Calls{"DBM_CreateVirtualVoice refused"}},
        Refusal{"Edit", [](kora::test::FakeDatabase& db) { db.setInfoRefusal = -2; },
                [](User& u) {
                    u.SelectRow(IDC_MY_LIST, 2)
                        .Click(IDC_MY_EDIT)
                        .Type(IDC_SINGER_NAME, u"renamed")
                        .Click(kIdOk);
                },
                u"Failed to change voice parameters!", Calls{"DBM_SetVirtualVoiceInfo refused"}},
        Refusal{"Delete", [](kora::test::FakeDatabase& db) { db.deleteRefusal = -9; },
                [](User& u) {
                    u.SelectRow(IDC_MY_LIST, 2).Click(IDC_MY_DELETE).AnswerMessageBox(kIdYes);
                },
                kDeleteFailed, Calls{"DBM_DeleteVirtualVoice refused"}}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(OpsTest, MyCopyNumbersTheNameWithoutRegardToCaseBelowItsSource) {
    user.SelectRow(IDC_MY_LIST, 2)
        .Click(IDC_MY_COPY)
        .SelectRow(IDC_MY_LIST, 0)  // "alto (2)" is taken in another case
        .Click(IDC_MY_COPY)
        .Check([](Dialog& d) { EXPECT_EQ(My(d).FirstSelectedRow(), 1); });
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_EQ(Names(dlg->mySingers),
              (std::vector<std::u16string>{u"Alto", u"Alto (3)", u"alto (2)", u"another",
                                           u"another (2)", u"Mine", u"Other"}));
    const SingerEntry& copy = dlg->mySingers[4];  // the programs the database handed out
    EXPECT_EQ((Pair{copy.bank, copy.program}), (Pair{0, 1}));
    EXPECT_EQ(dlg->mySingers[1].program, 2);
    EXPECT_EQ(copy.state, kStateAdded);
    ASSERT_NE(Stored(0, 1), nullptr);
    EXPECT_EQ(ReadField(Stored(0, 1)->name), u"another (2)");
    EXPECT_THAT(Stored(0, 1)->primaryParams, ElementsAre(90, 91, 92, 93, 94));
    EXPECT_TRUE(dlg->myChanged);
}

TEST_F(OpsTest, MyEditWritesTheRecordAndKeepsPairPrimaryAuxAndPlace) {
    user.SelectRow(IDC_MY_LIST, 3)
        .Click(IDC_MY_EDIT)
        .ExpectDialog(IDD_SINGER)
        .Check([](Dialog& d) {
            EXPECT_EQ(d.Control(IDC_SINGER_NAME).Text(), u"Mine");
            EXPECT_FALSE(d.Control(IDC_PRIMARY_SINGER).IsEnabled());
            EXPECT_EQ(d.Control(IDC_SECONDARY_VOL).Text(), u"-75");
        })
        .Type(IDC_SINGER_NAME, u"Mine again")
        .Type(IDC_PRIMARY_GEN, u"-100")
        .Leave(IDC_PRIMARY_GEN)
        .ChooseItem(IDC_SECONDARY_SINGER, u"Bert")
        .Click(kIdOk)
        .Check([](Dialog& d) {
            EXPECT_EQ(My(d).ItemText(3, 0) + My(d).ItemText(3, 1), u"*Mine again");
            EXPECT_EQ(My(d).FirstSelectedRow(), 3);
        })
        // Confirmed unchanged: written all the same.
        .DoubleClickRow(IDC_MY_LIST, 2, 1)
        .Click(kIdOk)
        .SelectRow(IDC_MY_LIST, 4)
        .Click(IDC_MY_EDIT)
        .Click(kIdCancel);
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_EQ(Changes(),
              (Calls{"DBM_SetVirtualVoiceInfo(77(0,0))", "DBM_SetVirtualVoiceInfo(77(0,9))"}));
    const DBM_VVOICE_INFO* stored = Stored(0, 0);
    EXPECT_EQ(ReadField(stored->name), u"Mine again");
    EXPECT_EQ(ReadField(stored->secondaryVoiceId), kBert);
    // AUX is never shown, so an edit keeps it.
    EXPECT_THAT(stored->primaryParams, ElementsAre(70, 71, 72, -100, 74));
    EXPECT_THAT(stored->secondaryParams, ElementsAre(-1, -2, -3, -4, -74, 0));
    const SingerEntry& entry = dlg->mySingers[3];
    EXPECT_EQ((Pair{entry.bank, entry.program}), (Pair{0, 0}));
    EXPECT_EQ(entry.secondaryName, u"Bert");
    EXPECT_EQ(entry.state, kStateLoaded);
    EXPECT_TRUE(dlg->myChanged);
}

TEST_F(OpsTest, MyDeleteAsksThenRemovesVoiceRowAndEntry) {
    user.SelectRow(IDC_MY_LIST, 2)
        .Click(IDC_MY_DELETE)
        .AnswerMessageBox(kIdNo)
        .Click(IDC_MY_DELETE)
        .AnswerMessageBox(kIdYes)
        .Check([](Dialog& d) {
            EXPECT_THAT(ColumnTexts(My(d), 1),
                        ElementsAre(u"Alto", u"alto (2)", u"Mine", u"Other"));
            EXPECT_EQ(My(d).FirstSelectedRow(), -1);
            for (int id : {IDC_MY_COPY, IDC_MY_EDIT, IDC_MY_DELETE, IDC_COPY_TO_ACTIVE})
                EXPECT_FALSE(d.Control(id).IsEnabled()) << id;
            EXPECT_EQ(ColumnTexts(My(d), 0)[2], u"*");  // the mark stays on Mine
        });
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_THAT(Messages(), ElementsAre(kConfirm, kConfirm));
    EXPECT_THAT(Styles(), ElementsAre(0x34u, 0x34u));
    EXPECT_EQ(Changes(), (Calls{"DBM_DeleteVirtualVoice(77(0,9))"}));
    EXPECT_EQ(Stored(0, 9), nullptr);
    EXPECT_EQ(dlg->mySingers.size(), 4u);
    EXPECT_TRUE(dlg->myChanged);
    EXPECT_FALSE(dlg->activeChanged);
}

TEST_F(OpsTest, DeletingTheDefaultMovesTheMarkToTheDatabasesNewDefault) {
    user.SelectRow(IDC_MY_LIST, 3)
        .Check([&](Dialog&) {  // the database names Other once Mine is gone
            database.defaultBank = 2;
            database.defaultProgram = 4;
        })
        .Click(IDC_MY_DELETE)
        .AnswerMessageBox(kIdYes)
        .Check([&](Dialog& d) {
            EXPECT_THAT(ColumnTexts(My(d), 0), ElementsAre(u"", u"", u"", u"*"));
        })
        .SelectRow(IDC_MY_LIST, 3)
        .Check([&](Dialog&) { database.defaultResult = kDbmNoVirtualVoice; })
        .Click(IDC_MY_DELETE)
        .AnswerMessageBox(kIdYes)
        .Check([&](Dialog& d) { EXPECT_THAT(ColumnTexts(My(d), 0), testing::Each(u"")); });
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_EQ(Changes(), (Calls{"DBM_DeleteVirtualVoice(77(0,0))", "DBM_GetDefaultVirtualVoice",
                                "DBM_DeleteVirtualVoice(77(2,4))", "DBM_GetDefaultVirtualVoice"}));
    EXPECT_EQ(dlg->defaultBank, 0x7FFFFFFF);
    EXPECT_EQ(dlg->defaultProgram, 0x7FFFFFFF);
}

TEST_F(OpsTest, ADoubleClickOnTheMarkColumnMakesTheDefaultUnlessRefused) {
    database.setDefaultRefusal = -1;
    user.DoubleClickRow(IDC_MY_LIST, 0, 0).Check([&](Dialog& d) {
        EXPECT_THAT(ColumnTexts(My(d), 0), ElementsAre(u"", u"", u"", u"*", u""));
        EXPECT_EQ(dlg->defaultProgram, 0);
        EXPECT_FALSE(dlg->myChanged);
        database.setDefaultRefusal.reset();
    });
    user.DoubleClickRow(IDC_MY_LIST, 0, 0).Check([&](Dialog& d) {
        EXPECT_THAT(ColumnTexts(My(d), 0), ElementsAre(u"*", u"", u"", u"", u""));
    });
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_TRUE(user.MessageBoxes().empty());
    EXPECT_EQ(Changes(), (Calls{"DBM_SetDefaultVirtualVoice refused",
                                "DBM_SetDefaultVirtualVoice(77(0,20))"}));
    EXPECT_EQ(dlg->defaultProgram, 20);
    EXPECT_TRUE(dlg->myChanged);
}

TEST_F(OpsTest, CopyToMyAppendsCutsALongNameBeforeASurrogatePairAndRefusesALongId) {
    // 258 units, then a pair that would straddle the record's last unit.
    const std::u16string longName = std::u16string(258, u'n') + u"\U0001F600" + u"tail";
    trak4::SequenceDocument sequence = document;
    sequence.voices[{0, 3}] = kora::test::SequenceVoiceOf(Singer(0, 3, longName, kAnna, u"", 30));
    sequence.voices[{0, 1}] = kora::test::SequenceVoiceOf(
        Singer(0, 1, u"alto", kBert, kAnna + std::u16string(300, u'x'), 20));
    Load(sequence);
    const std::u16string cut(258, u'n');
    user.SelectRow(IDC_ACTIVE_LIST, 0)  // alto with the long secondary id
        .Click(IDC_COPY_TO_MY)
        .AnswerMessageBox(kIdOk)
        .SelectRow(IDC_ACTIVE_LIST, 1)
        .Click(IDC_COPY_TO_MY)
        .Check([&](Dialog& d) {
            EXPECT_EQ(My(d).ItemText(5, 0) + My(d).ItemText(5, 1), cut);
            EXPECT_EQ(My(d).FirstSelectedRow(), 5);
        });
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_THAT(Messages(), ElementsAre(kCopyFailed));
    // Only the long name reached the database.
    EXPECT_EQ(Changes(),
              (Calls{"DBM_CreateVirtualVoice(77,0)", "DBM_SetVirtualVoiceInfo(77(0,1))"}));
    EXPECT_EQ(ReadField(Stored(0, 1)->name), cut);
    EXPECT_THAT(Stored(0, 1)->primaryParams, ElementsAre(30, 31, 32, 33, 34));
    EXPECT_EQ(dlg->mySingers.back().name,
              cut);  // the list shows what the database holds
    EXPECT_TRUE(dlg->myChanged);
    EXPECT_FALSE(dlg->activeChanged);
}

}  // namespace
}  // namespace kora::dialogs::test
