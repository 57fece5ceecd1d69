// The My Singers operations through the scripted user: what reaches the
// database, what the list shows afterwards, the default mark, the copy
// names, every refusal with its message and style.
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
using Calls = kora::test::Calls;

constexpr char16_t kConfirmText[] = u"Do you really want to delete the singer? ";

class MyOpsTest : public ListOpsTest {
protected:
    // The edit dialog as opened by Add: a name, a primary voice, Bert's
    // partner Anna as secondary, a changed BRE and VOL.
    void ScriptNovaInEditDialog() {
        user.ExpectDialog(IDD_SINGER)
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

    int Marks(Dialog& d) {
        int marks = 0;
        for (const std::u16string& text : ColumnTexts(My(d), 0)) marks += text == u"*" ? 1 : 0;
        return marks;
    }
};

TEST_F(MyOpsTest, TheWorldIsAsTheFixtureSays) {
    user.Check([](Dialog& d) {
        EXPECT_THAT(ColumnTexts(My(d), 1),
                    ElementsAre(u"Alto", u"alto (2)", u"another", u"Mine", u"Other"));
        EXPECT_THAT(ColumnTexts(My(d), 0), ElementsAre(u"", u"", u"", u"*", u""));
        EXPECT_THAT(ColumnTexts(Active(d), 0), ElementsAre(u"Alto", u"alto", u"Zed", u"Choir"));
    });
    EXPECT_EQ(Run(), kIdCancel);
}

TEST_F(MyOpsTest, AddCreatesTheVoiceInTheDatabaseAndAppendsItsRow) {
    user.Click(IDC_MY_ADD);
    ScriptNovaInEditDialog();
    user.ExpectDialog(IDD_SINGER_EDITOR).Check([&](Dialog& d) {
        ASSERT_EQ(My(d).ItemCount(), 6);
        EXPECT_THAT(RowTexts(My(d), 5), ElementsAre(u"", u"Nova", u"Bert", u"12", u"-2", u"-3",
                                                    u"-4", u"Anna", u"1", u"2", u"3", u"4", u"-9"));
        EXPECT_EQ(My(d).FirstSelectedRow(), 5);
        EXPECT_EQ(My(d).ItemData(5), static_cast<std::intptr_t>(PackPair(0, 1)));
    });
    EXPECT_EQ(Run(), kIdCancel);

    // The database chose program 1 of Bert's bank.
    EXPECT_EQ(Changes(),
              (Calls{"DBM_CreateVirtualVoice(77,0)", "DBM_SetVirtualVoiceInfo(77(0,1))"}));
    const DBM_VVOICE_INFO* stored = Stored(0, 1);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(ReadField(stored->name), u"Nova");
    EXPECT_EQ(ReadField(stored->primaryVoiceId), kBert);
    EXPECT_EQ(ReadField(stored->secondaryVoiceId), kAnna);
    EXPECT_EQ(ReadField(stored->primaryName), u"");
    EXPECT_THAT(stored->primaryParams, ElementsAre(12, -2, -3, -4, 0));
    EXPECT_THAT(stored->secondaryParams, ElementsAre(1, 2, 3, 4, 0, -9));

    ASSERT_EQ(dlg->mySingers.size(), 6u);
    const SingerEntry& added = dlg->mySingers[5];
    EXPECT_EQ(added.state, kStateAdded);
    EXPECT_EQ(added.primaryName, u"Bert");
    EXPECT_EQ(added.secondaryName, u"Anna");
    EXPECT_TRUE(dlg->myChanged);
    EXPECT_FALSE(dlg->activeChanged);
    EXPECT_TRUE(user.MessageBoxes().empty());
}

TEST_F(MyOpsTest, AddWithAnEmptyListOpensNothing) {
    dlg->mySingers.clear();
    user.Click(IDC_MY_ADD).ExpectDialog(IDD_SINGER_EDITOR).Check([](Dialog& d) {
        EXPECT_EQ(My(d).ItemCount(), 0);
    });
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_TRUE(Changes().empty());
    EXPECT_FALSE(dlg->myChanged);
}

TEST_F(MyOpsTest, AddCancelledInTheEditDialogChangesNothing) {
    user.Click(IDC_MY_ADD).ExpectDialog(IDD_SINGER).Type(IDC_SINGER_NAME, u"Nova").Click(kIdCancel);
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_TRUE(Changes().empty());
    EXPECT_EQ(dlg->mySingers.size(), 5u);
    EXPECT_FALSE(dlg->myChanged);
}

TEST_F(MyOpsTest, AddRefusedByTheDatabaseShowsStringSevenAndAddsNothing) {
    refusing.createRefusal = -3;
    user.Click(IDC_MY_ADD);
    ScriptNovaInEditDialog();
    user.AnswerMessageBox(kIdOk).Check([](Dialog& d) { EXPECT_EQ(My(d).ItemCount(), 5); });
    EXPECT_EQ(Run(), kIdCancel);
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].text,
              u"Failed to add singer, or cannot add any more singers!");
    EXPECT_EQ(user.MessageBoxes()[0].style, 0x10u);
    EXPECT_EQ(Changes(), (Calls{"DBM_CreateVirtualVoice refused"}));
    EXPECT_EQ(dlg->mySingers.size(), 5u);
    EXPECT_FALSE(dlg->myChanged);
}

TEST_F(MyOpsTest, ARefusedRecordDeletesTheHalfCreatedVoiceAgain) {
    refusing.setInfoRefusal = -4;
    const auto before = database.VirtualVoices().size();
    user.Click(IDC_MY_ADD);
    ScriptNovaInEditDialog();
    user.AnswerMessageBox(kIdOk);
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_EQ(Changes(), (Calls{"DBM_CreateVirtualVoice(77,0)", "DBM_SetVirtualVoiceInfo refused",
                                "DBM_DeleteVirtualVoice(77(0,1))"}));
    EXPECT_EQ(database.VirtualVoices().size(), before);
    EXPECT_EQ(Stored(0, 1), nullptr);
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].style, 0x10u);
    EXPECT_EQ(dlg->mySingers.size(), 5u);
}

TEST_F(MyOpsTest, AProgramOutsideTheBankIsGivenBack) {
    refusing.createdProgram = 128;
    user.SelectRow(IDC_MY_LIST, 2).Click(IDC_MY_COPY).AnswerMessageBox(kIdOk);
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_EQ(Changes(),
              (Calls{"DBM_CreateVirtualVoice gives 128", "DBM_DeleteVirtualVoice(77(0,128))"}));
    EXPECT_EQ(dlg->mySingers.size(), 5u);
    EXPECT_EQ(user.MessageBoxes().size(), 1u);
}

TEST_F(MyOpsTest, CopyNumbersTheNameAndPlacesTheCopyBelowItsSource) {
    user.SelectRow(IDC_MY_LIST, 2)
        .Click(IDC_MY_COPY)
        .Check([](Dialog& d) {
            EXPECT_THAT(ColumnTexts(My(d), 1), ElementsAre(u"Alto", u"alto (2)", u"another",
                                                           u"another (2)", u"Mine", u"Other"));
            EXPECT_EQ(My(d).FirstSelectedRow(), 3);
        })
        .SelectRow(IDC_MY_LIST, 2)
        .Click(IDC_MY_COPY)
        .SelectRow(IDC_MY_LIST, 4)  // another (2)
        .Click(IDC_MY_COPY)
        .Check([](Dialog& d) {
            EXPECT_THAT(ColumnTexts(My(d), 1),
                        ElementsAre(u"Alto", u"alto (2)", u"another", u"another (3)",
                                    u"another (2)", u"another (2) (2)", u"Mine", u"Other"));
        });
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_EQ(Names(dlg->mySingers),
              (std::vector<std::u16string>{u"Alto", u"alto (2)", u"another", u"another (3)",
                                           u"another (2)", u"another (2) (2)", u"Mine", u"Other"}));
    // Same bank, the programs the database handed out, the source's values.
    const SingerEntry& copy = dlg->mySingers[4];
    EXPECT_EQ(copy.bank, 0);
    EXPECT_EQ(copy.program, 1);
    EXPECT_EQ(dlg->mySingers[3].program, 2);
    EXPECT_EQ(copy.primaryId, kBert);
    EXPECT_EQ(copy.primaryParams, (std::array<int32_t, 5>{90, 91, 92, 93, 94}));
    EXPECT_EQ(copy.secondaryParams, (std::array<int32_t, 6>{-90, -91, -92, -93, -94, -95}));
    EXPECT_EQ(copy.state, kStateAdded);
    const DBM_VVOICE_INFO* stored = Stored(0, 1);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(ReadField(stored->name), u"another (2)");
    EXPECT_THAT(stored->primaryParams, ElementsAre(90, 91, 92, 93, 94));
    EXPECT_TRUE(dlg->myChanged);
}

TEST_F(MyOpsTest, CopyComparesNamesWithoutRegardToCase) {
    // "alto (2)" is taken whatever its case: Alto gives Alto (3).
    user.SelectRow(IDC_MY_LIST, 0).Click(IDC_MY_COPY).Check([](Dialog& d) {
        EXPECT_EQ(My(d).ItemText(1, 1), u"Alto (3)");
        EXPECT_EQ(My(d).FirstSelectedRow(), 1);
    });
    EXPECT_EQ(Run(), kIdCancel);
}

TEST_F(MyOpsTest, NumberedNamesNeverExceed255Characters) {
    user.Check([&](Dialog&) {
        const std::u16string a251(251, u'a');
        EXPECT_EQ(dlg->NumberedCopyName(a251, IDC_MY_LIST, 1), a251 + u" (2)");  // 255
        const std::u16string a252(252, u'a');
        EXPECT_EQ(dlg->NumberedCopyName(a252, IDC_MY_LIST, 1), a252);  // 256: unchanged
        // Over the list's other column: "another" is only in column 1.
        EXPECT_EQ(dlg->NumberedCopyName(u"another", IDC_MY_LIST, 2), u"another (2)");
    });
    EXPECT_EQ(Run(), kIdCancel);
}

TEST_F(MyOpsTest, ANumberThatGrowsPastTheLimitKeepsTheSourceName) {
    // (2) .. (9) taken: the next candidate needs one character more.
    const std::u16string base(250, u'b');
    for (int n = 2; n <= 9; ++n) {
        database.AddVirtualVoice(
            Singer(1, n, base + u" (" + static_cast<char16_t>(u'0' + n) + u")", kAnna), u"Anna");
    }
    Load(document);
    user.Check([&](Dialog&) {
        EXPECT_EQ(dlg->NumberedCopyName(base, IDC_MY_LIST, 1), base + u" (10)");  // 255
        EXPECT_EQ(dlg->NumberedCopyName(base + u"b", IDC_MY_LIST, 1), base + u"b (2)");
        // The same name in another case: its numbers are taken too.
        EXPECT_EQ(dlg->NumberedCopyName(base.substr(1) + u"B", IDC_MY_LIST, 1),
                  base.substr(1) + u"B (10)");
    });
    EXPECT_EQ(Run(), kIdCancel);
    const std::u16string longer(251, u'c');
    database.AddVirtualVoice(Singer(1, 20, longer, kAnna), u"Anna");
    for (int n = 2; n <= 9; ++n) {
        database.AddVirtualVoice(
            Singer(1, 20 + n, longer + u" (" + static_cast<char16_t>(u'0' + n) + u")", kAnna),
            u"Anna");
    }
    Load(document);
    user.Check([&](Dialog&) { EXPECT_EQ(dlg->NumberedCopyName(longer, IDC_MY_LIST, 1), longer); });
    EXPECT_EQ(Run(), kIdCancel);
}

TEST_F(MyOpsTest, CopyRefusedShowsStringSixAndLeavesNoVoiceBehind) {
    refusing.setInfoRefusal = -4;
    const auto before = database.VirtualVoices().size();
    user.SelectRow(IDC_MY_LIST, 3).Click(IDC_MY_COPY).AnswerMessageBox(kIdOk);
    EXPECT_EQ(Run(), kIdCancel);
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].text,
              u"Failed to copy singer, or cannot copy any more singers!");
    EXPECT_EQ(user.MessageBoxes()[0].style, 0x10u);
    EXPECT_EQ(Changes(), (Calls{"DBM_CreateVirtualVoice(77,0)", "DBM_SetVirtualVoiceInfo refused",
                                "DBM_DeleteVirtualVoice(77(0,1))"}));
    EXPECT_EQ(database.VirtualVoices().size(), before);
    EXPECT_EQ(dlg->mySingers.size(), 5u);
    EXPECT_FALSE(dlg->myChanged);
}

TEST_F(MyOpsTest, EditWritesTheRecordAndKeepsPairPrimaryAuxAndPlace) {
    user.SelectRow(IDC_MY_LIST, 3)
        .Click(IDC_MY_EDIT)
        .ExpectDialog(IDD_SINGER)
        .Check([](Dialog& d) {
            EXPECT_EQ(d.Caption(), u"Edit");
            EXPECT_EQ(d.Control(IDC_SINGER_NAME).Text(), u"Mine");
            EXPECT_EQ(d.Control(IDC_PRIMARY_SINGER).Text(), u"Anna");
            EXPECT_FALSE(d.Control(IDC_PRIMARY_SINGER).IsEnabled());
            EXPECT_EQ(d.Control(IDC_SECONDARY_SINGER).Text(), u"Cleo");
            EXPECT_EQ(d.Control(IDC_PRIMARY_BRE).Text(), u"70");
            EXPECT_EQ(d.Control(IDC_SECONDARY_VOL).Text(), u"-75");
        })
        .Type(IDC_SINGER_NAME, u"Mine again")
        .Type(IDC_PRIMARY_GEN, u"-100")
        .Leave(IDC_PRIMARY_GEN)
        .ChooseItem(IDC_SECONDARY_SINGER, u"Bert")
        .Click(kIdOk)
        .Check([](Dialog& d) {
            EXPECT_THAT(RowTexts(My(d), 3),
                        ElementsAre(u"*", u"Mine again", u"Anna", u"70", u"71", u"72", u"-100",
                                    u"Bert", u"-1", u"-2", u"-3", u"-4", u"0"));
            EXPECT_EQ(My(d).FirstSelectedRow(), 3);
            EXPECT_EQ(My(d).ItemCount(), 5);
        });
    EXPECT_EQ(Run(), kIdCancel);

    EXPECT_EQ(Changes(), (Calls{"DBM_SetVirtualVoiceInfo(77(0,0))"}));
    const DBM_VVOICE_INFO* stored = Stored(0, 0);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(ReadField(stored->name), u"Mine again");
    EXPECT_EQ(ReadField(stored->primaryVoiceId), kAnna);
    EXPECT_EQ(ReadField(stored->secondaryVoiceId), kBert);
    // AUX is never shown, so an edit keeps it.
    EXPECT_THAT(stored->primaryParams, ElementsAre(70, 71, 72, -100, 74));
    EXPECT_THAT(stored->secondaryParams, ElementsAre(-1, -2, -3, -4, -74, 0));

    const SingerEntry& entry = dlg->mySingers[3];
    EXPECT_EQ(entry.name, u"Mine again");
    EXPECT_EQ(entry.bank, 0);
    EXPECT_EQ(entry.program, 0);
    EXPECT_EQ(entry.primaryId, kAnna);
    EXPECT_EQ(entry.secondaryId, kBert);
    EXPECT_EQ(entry.secondaryName, u"Bert");
    EXPECT_EQ(entry.primaryParams, (std::array<int32_t, 5>{70, 71, 72, -100, 74}));
    EXPECT_EQ(entry.secondaryParams, (std::array<int32_t, 6>{-1, -2, -3, -4, -74, 0}));
    EXPECT_EQ(entry.state, kStateLoaded);
    EXPECT_TRUE(dlg->myChanged);
}

TEST_F(MyOpsTest, EditConfirmedWithoutChangesStillWrites) {
    user.DoubleClickRow(IDC_MY_LIST, 2, 1).ExpectDialog(IDD_SINGER).Click(kIdOk);
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_EQ(Changes(), (Calls{"DBM_SetVirtualVoiceInfo(77(0,9))"}));
    EXPECT_TRUE(dlg->myChanged);
    EXPECT_EQ(dlg->mySingers[2].name, u"another");
}

TEST_F(MyOpsTest, EditCancelledChangesNothing) {
    user.SelectRow(IDC_MY_LIST, 2)
        .Click(IDC_MY_EDIT)
        .Type(IDC_SINGER_NAME, u"x")
        .Click(kIdCancel)
        .Check([](Dialog& d) { EXPECT_EQ(My(d).ItemText(2, 1), u"another"); });
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_TRUE(Changes().empty());
    EXPECT_FALSE(dlg->myChanged);
}

TEST_F(MyOpsTest, EditRefusedShowsStringNineAndKeepsEntryAndRow) {
    refusing.setInfoRefusal = -2;
    user.SelectRow(IDC_MY_LIST, 2)
        .Click(IDC_MY_EDIT)
        .Type(IDC_SINGER_NAME, u"renamed")
        .Click(kIdOk)
        .AnswerMessageBox(kIdOk)
        .Check([](Dialog& d) { EXPECT_EQ(My(d).ItemText(2, 1), u"another"); });
    EXPECT_EQ(Run(), kIdCancel);
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].text, u"Failed to change voice parameters!");
    EXPECT_EQ(user.MessageBoxes()[0].style, 0x10u);
    EXPECT_EQ(dlg->mySingers[2].name, u"another");
    EXPECT_EQ(ReadField(Stored(0, 9)->name), u"another");
    EXPECT_FALSE(dlg->myChanged);
}

TEST_F(MyOpsTest, DeleteAsksFirstAndNoKeepsEverything) {
    user.SelectRow(IDC_MY_LIST, 2).Click(IDC_MY_DELETE).AnswerMessageBox(kIdNo);
    EXPECT_EQ(Run(), kIdCancel);
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].text, kConfirmText);
    EXPECT_EQ(user.MessageBoxes()[0].style, 0x34u);
    EXPECT_TRUE(Changes().empty());
    EXPECT_EQ(dlg->mySingers.size(), 5u);
    EXPECT_FALSE(dlg->myChanged);
}

TEST_F(MyOpsTest, DeleteRemovesVoiceRowAndEntryAndLeavesNothingSelected) {
    const std::vector<SingerEntry> active = dlg->activeSingers;
    user.SelectRow(IDC_MY_LIST, 2)
        .Click(IDC_MY_DELETE)
        .AnswerMessageBox(kIdYes)
        .Check([](Dialog& d) {
            EXPECT_THAT(ColumnTexts(My(d), 1),
                        ElementsAre(u"Alto", u"alto (2)", u"Mine", u"Other"));
            EXPECT_EQ(My(d).FirstSelectedRow(), -1);
            for (int id : {IDC_MY_COPY, IDC_MY_EDIT, IDC_MY_DELETE, IDC_COPY_TO_ACTIVE}) {
                EXPECT_FALSE(d.Control(id).IsEnabled()) << id;
            }
            EXPECT_EQ(ColumnTexts(My(d), 0)[2], u"*");  // the mark stays on Mine
        });
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_EQ(Changes(), (Calls{"DBM_DeleteVirtualVoice(77(0,9))"}));
    EXPECT_EQ(Stored(0, 9), nullptr);
    EXPECT_EQ(Names(dlg->mySingers),
              (std::vector<std::u16string>{u"Alto", u"alto (2)", u"Mine", u"Other"}));
    EXPECT_TRUE(dlg->myChanged);
    EXPECT_EQ(dlg->activeSingers.size(), active.size());  // no Active singer touched
    EXPECT_FALSE(dlg->activeChanged);
}

TEST_F(MyOpsTest, DeleteRefusedShowsStringEight) {
    refusing.deleteRefusal = -9;
    user.SelectRow(IDC_MY_LIST, 2)
        .Click(IDC_MY_DELETE)
        .AnswerMessageBox(kIdYes)
        .AnswerMessageBox(kIdOk)
        .Check([](Dialog& d) { EXPECT_EQ(My(d).ItemCount(), 5); });
    EXPECT_EQ(Run(), kIdCancel);
    ASSERT_EQ(user.MessageBoxes().size(), 2u);
    EXPECT_EQ(user.MessageBoxes()[1].text, u"Cannot delete the singer!");
    EXPECT_EQ(user.MessageBoxes()[1].style, 0x10u);
    EXPECT_EQ(dlg->mySingers.size(), 5u);
    EXPECT_FALSE(dlg->myChanged);
}

TEST_F(MyOpsTest, DeletingTheDefaultMovesTheMarkToTheDatabasesNewDefault) {
    user.SelectRow(IDC_MY_LIST, 3)
        .Check([&](Dialog&) {  // the database names Other once Mine is gone
            database.defaultBank = 2;
            database.defaultProgram = 4;
        })
        .Click(IDC_MY_DELETE)
        .AnswerMessageBox(kIdYes)
        .Check([&](Dialog& d) {
            EXPECT_THAT(ColumnTexts(My(d), 0), ElementsAre(u"", u"", u"", u"*"));
            EXPECT_EQ(My(d).ItemText(3, 1), u"Other");
        });
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_EQ(Changes(), (Calls{"DBM_DeleteVirtualVoice(77(0,0))", "DBM_GetDefaultVirtualVoice"}));
    EXPECT_EQ(dlg->defaultBank, 2);
    EXPECT_EQ(dlg->defaultProgram, 4);
}

TEST_F(MyOpsTest, DeletingTheDefaultWithoutANewOneLeavesNoMark) {
    user.SelectRow(IDC_MY_LIST, 3)
        .Check([&](Dialog&) { database.defaultResult = kDbmNoVirtualVoice; })
        .Click(IDC_MY_DELETE)
        .AnswerMessageBox(kIdYes)
        .Check([&](Dialog& d) { EXPECT_THAT(ColumnTexts(My(d), 0), testing::Each(u"")); });
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_EQ(dlg->defaultBank, 0x7FFFFFFF);
    EXPECT_EQ(dlg->defaultProgram, 0x7FFFFFFF);
}

TEST_F(MyOpsTest, ADoubleClickOnTheMarkColumnMakesTheDefault) {
    user.DoubleClickRow(IDC_MY_LIST, 0, 0)
        .Check([&](Dialog& d) {
            EXPECT_THAT(ColumnTexts(My(d), 0), ElementsAre(u"*", u"", u"", u"", u""));
            EXPECT_EQ(Marks(d), 1);
        })
        // Editing the former and the new default keeps exactly one mark.
        .DoubleClickRow(IDC_MY_LIST, 3, 2)
        .ExpectDialog(IDD_SINGER)
        .Click(kIdOk)
        .SelectRow(IDC_MY_LIST, 0)
        .Click(IDC_MY_EDIT)
        .Click(kIdOk)
        .Check([&](Dialog& d) {
            EXPECT_EQ(Marks(d), 1);
            EXPECT_EQ(My(d).ItemText(0, 0), u"*");
        });
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_EQ(Changes(),
              (Calls{"DBM_SetDefaultVirtualVoice(77(0,20))", "DBM_SetVirtualVoiceInfo(77(0,0))",
                     "DBM_SetVirtualVoiceInfo(77(0,20))"}));
    EXPECT_EQ(dlg->defaultBank, 0);
    EXPECT_EQ(dlg->defaultProgram, 20);
    EXPECT_TRUE(dlg->myChanged);
}

TEST_F(MyOpsTest, ARefusedDefaultChangesNothingAndSaysNothing) {
    refusing.setDefaultRefusal = -1;
    user.DoubleClickRow(IDC_MY_LIST, 0, 0).Check([&](Dialog& d) {
        EXPECT_THAT(ColumnTexts(My(d), 0), ElementsAre(u"", u"", u"", u"*", u""));
    });
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_TRUE(user.MessageBoxes().empty());
    EXPECT_EQ(dlg->defaultProgram, 0);
    EXPECT_FALSE(dlg->myChanged);
}

TEST_F(MyOpsTest, CopyToMyKeepsTheNameAndAppends) {
    // My Singers already has an "Alto": the copy is called Alto all the same.
    user.SelectRow(IDC_ACTIVE_LIST, 0).Click(IDC_COPY_TO_MY).Check([](Dialog& d) {
        ASSERT_EQ(My(d).ItemCount(), 6);
        EXPECT_THAT(RowTexts(My(d), 5),
                    ElementsAre(u"", u"Alto", u"Anna", u"30", u"31", u"32", u"33", u"-", u"-30",
                                u"-31", u"-32", u"-33", u"-35"));
        EXPECT_EQ(My(d).FirstSelectedRow(), 5);
    });
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_EQ(Changes(),
              (Calls{"DBM_CreateVirtualVoice(77,0)", "DBM_SetVirtualVoiceInfo(77(0,1))"}));
    const DBM_VVOICE_INFO* stored = Stored(0, 1);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(ReadField(stored->name), u"Alto");
    EXPECT_THAT(stored->primaryParams, ElementsAre(30, 31, 32, 33, 34));
    EXPECT_THAT(stored->secondaryParams, ElementsAre(-30, -31, -32, -33, -34, -35));
    EXPECT_TRUE(dlg->myChanged);
    EXPECT_FALSE(dlg->activeChanged);
}

TEST_F(MyOpsTest, CopyToMyRefusedShowsStringSix) {
    refusing.createRefusal = -1;
    user.SelectRow(IDC_ACTIVE_LIST, 0).Click(IDC_COPY_TO_MY).AnswerMessageBox(kIdOk);
    EXPECT_EQ(Run(), kIdCancel);
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].text,
              u"Failed to copy singer, or cannot copy any more singers!");
    EXPECT_EQ(user.MessageBoxes()[0].style, 0x10u);
    EXPECT_EQ(dlg->mySingers.size(), 5u);
}

TEST_F(MyOpsTest, ASequenceNameLongerThanTheRecordIsCutBeforeASurrogatePair) {
    // 258 units, then a pair that would straddle the record's last unit.
    const std::u16string longName = std::u16string(258, u'n') + u"\U0001F600" + u"tail";
    trak4::SequenceDocument sequence = document;
    sequence.voices[{0, 3}] = kora::test::SequenceVoiceOf(Singer(0, 3, longName, kAnna, u"", 30));
    Load(sequence);
    user.SelectRow(IDC_ACTIVE_LIST, 1).Check([&](Dialog& d) {
        ASSERT_EQ(Active(d).ItemText(1, 0), longName);
    });
    user.Click(IDC_COPY_TO_MY);
    EXPECT_EQ(Run(), kIdCancel);
    const std::u16string cut(258, u'n');
    const DBM_VVOICE_INFO* stored = Stored(0, 1);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(ReadField(stored->name), cut);
    EXPECT_EQ(dlg->mySingers.back().name, cut);  // the list shows what the database holds
    EXPECT_TRUE(user.MessageBoxes().empty());
}

TEST_F(MyOpsTest, AVoiceIdLongerThanTheRecordIsRefusedNotCut) {
    trak4::SequenceDocument sequence = document;
    sequence.voices[{0, 3}] = kora::test::SequenceVoiceOf(
        Singer(0, 3, u"Alto", kAnna, kAnna + std::u16string(300, u'x'), 30));
    Load(sequence);
    user.SelectRow(IDC_ACTIVE_LIST, 0).Click(IDC_COPY_TO_MY).AnswerMessageBox(kIdOk);
    EXPECT_EQ(Run(), kIdCancel);
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].text,
              u"Failed to copy singer, or cannot copy any more singers!");
    EXPECT_TRUE(Changes().empty());  // nothing asked of the database
    EXPECT_EQ(dlg->mySingers.size(), 5u);
}

TEST_F(MyOpsTest, WithoutAContextMyOperationsDoNothing) {
    dlg->context = nullptr;
    user.Click(IDC_MY_ADD)
        .ExpectDialog(IDD_SINGER_EDITOR)
        .SelectRow(IDC_MY_LIST, 2)
        .Click(IDC_MY_COPY)
        .Click(IDC_MY_EDIT)
        .ExpectDialog(IDD_SINGER_EDITOR)
        .Click(IDC_MY_DELETE)
        .DoubleClickRow(IDC_MY_LIST, 0, 0)
        .Click(IDC_COPY_TO_MY);
    EXPECT_EQ(Run(), kIdCancel);
    EXPECT_TRUE(user.MessageBoxes().empty());
    EXPECT_TRUE(log.Calls().size() <= 1u);  // the title line only
    EXPECT_EQ(dlg->mySingers.size(), 5u);
    EXPECT_FALSE(dlg->myChanged);
}

TEST_F(MyOpsTest, AContextThatIsNotInitializedMakesEveryChangeFail) {
    user.Check([&](Dialog&) { bound->Context().initialized = false; })
        .SelectRow(IDC_MY_LIST, 2)
        .Click(IDC_MY_COPY)
        .AnswerMessageBox(kIdOk)
        .Click(IDC_MY_DELETE)
        .AnswerMessageBox(kIdYes)
        .AnswerMessageBox(kIdOk)
        .DoubleClickRow(IDC_MY_LIST, 0, 0);
    EXPECT_EQ(Run(), kIdCancel);
    ASSERT_EQ(user.MessageBoxes().size(), 3u);
    EXPECT_EQ(user.MessageBoxes()[0].text,
              u"Failed to copy singer, or cannot copy any more singers!");
    EXPECT_EQ(user.MessageBoxes()[2].text, u"Cannot delete the singer!");
    EXPECT_TRUE(Changes().empty());  // nothing reached the database
    EXPECT_EQ(dlg->mySingers.size(), 5u);
    EXPECT_FALSE(dlg->myChanged);
}

}  // namespace
}  // namespace kora::dialogs::test
