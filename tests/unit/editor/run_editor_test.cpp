// After the dialog: Cancel rolls back, OK applies the Active changes,
// commits and replaces the library table, and every failure gives its
// status, its message and the sequence back as it was where the steps say.
#include "editor/run_editor.h"

#include <gmock/gmock.h>

#include <functional>

#include "editor_fixture.h"
#include "kora4/kora4.h"

namespace kora::test {
namespace {

using namespace kora4;
using editor::DialogEnding;
using editor::EditorSession;

std::size_t IndexOf(const EditorSession& s, std::u16string_view name) {
    for (std::size_t i = 0; i < s.activeSingers.size(); ++i) {
        if (s.activeSingers[i].name == name) return i;
    }
    ADD_FAILURE() << "no Active singer " << Narrow(name);
    return 0;
}

// Edits Zed (0,0); deletes alto (0,1) and adds New, which takes its program;
// deletes Alto (0,3) and adds Newer, which takes program 2.
DialogEnding EditAddDelete(EditorSession& s) {
    EditActive(s, IndexOf(s, u"Zed"), u"Zed edited", 99);
    DeleteActive(s, IndexOf(s, u"alto"));
    EXPECT_EQ(AddActive(s, Singer(0, 0, u"New", kCleo, kAnna, 5)), (Pair{0, 1}));
    DeleteActive(s, IndexOf(s, u"Alto"));
    EXPECT_EQ(AddActive(s, Singer(0, 0, u"Newer", kBert, u"", 6)), (Pair{0, 2}));
    return DialogEnding::Ok;
}

const Calls kAppliedChanges = {"vvoiceInitializeUpdateContext", "vvoiceUpdateVVoiceV4(0,0)",
                               "vvoiceRemoveVVoice(0,1)",       "vvoiceInsertVVoiceV4(0,1)",
                               "vvoiceInsertVVoiceV4(0,2)",     "vvoiceRemoveVVoice(0,3)"};

// OK without a change to the sequence.
const Calls kNoChange = {"dialog", "vvoiceInitializeUpdateContext", "sysReplaceVVoiceLibTable(3)",
                         "vvoiceNotifyObserversOfUpdates"};

// What RestoreSequence does after kAppliedChanges.
const Calls kRestore = {"vvoiceRemoveVVoice(0,1)", "vvoiceInsertVVoiceV4(0,1)",
                        "vvoiceInsertVVoiceV4(0,3)", "vvoiceUpdateVVoiceV4(0,0)",
                        "vvoiceRemoveVVoice(0,2)"};

class RunEditorTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        original = trak->Document();
    }
    // Whether the sequence's voices are still those the host opened.
    bool SequenceUntouched() const { return SameVoices(trak->Document(), original); }
    trak4::SequenceDocument original;
};

TEST_F(RunEditorTest, ADialogThatCouldNotRunOrThrewRollsBackAndFails) {
    // Whether or not the roll-back succeeds, the host never reads such an
    // ending as a Cancel.
    for (const int32_t rollBackResult : {0, 3}) {
        database.rollBackResult = rollBackResult;
        for (const bool throws : {false, true}) {
            dialog.user = [throws](EditorSession& s) {
                s.myChanged = true;
                if (throws) throw std::runtime_error("a handler");
                return DialogEnding::Other;
            };
            log.Clear();
            EXPECT_EQ(Run(), kOtherFailure);
            EXPECT_EQ(AfterDialog(), (Calls{"dialog", "DBM_RollBackEditor(77)"}));
        }
    }
}

TEST_F(RunEditorTest, OkWithoutAnActiveChangeCallsNoVoiceFunctionButReplacesTheTable) {
    const std::function<DialogEnding(EditorSession&)> users[] = {
        [](EditorSession&) { return DialogEnding::Ok; },
        [](EditorSession& s) {  // marked added and edited, but no change recorded
            s.activeSingers[0].state = kStateAdded;
            s.activeSingers[1].state = kStateEdited;
            s.activeRemoved.Set(0, 0);
            return DialogEnding::Ok;
        },
        [](EditorSession& s) {  // added and deleted again: never inserted nor removed
            EXPECT_EQ(AddActive(s, Singer(2, 0, u"Brief", kCleo)), (Pair{2, 1}));
            DeleteActive(s, IndexOf(s, u"Brief"));
            return DialogEnding::Ok;
        }};
    for (const auto& user : users) {
        dialog.user = user;
        Session() = {};  // one invocation per session
        log.Clear();
        EXPECT_EQ(Run(), kOk);
        EXPECT_EQ(AfterDialog(), kNoChange);
        EXPECT_TRUE(SequenceUntouched());
    }
    ASSERT_EQ(trak->LibraryTable().size(), 3u);
    const AxVVoiceLib expected{
        0, 0, kAnna, kCleo, u"Mine", {70, 71, 72, 73, 74, 0}, {-70, -71, -72, -73, -74, -75}};
    EXPECT_TRUE(
        trak4::SameLibTable({{{0, 0}, trak->LibraryTable().at({0, 0})}}, {{{0, 0}, expected}}));
    EXPECT_TRUE(trak->LibraryTable().contains({0, 9}) && trak->LibraryTable().contains({2, 4}));
}

TEST_F(RunEditorTest, OkAppliesEditsInsertsAndRemovesThenCommitsAndReplaces) {
    dialog.user = [](EditorSession& s) {
        s.myChanged = true;
        return EditAddDelete(s);
    };
    EXPECT_EQ(Run(), kOk);
    EXPECT_EQ(AfterDialog(),
              Concat({{"dialog"},
                      kAppliedChanges,
                      {"DBM_CommitEditor(77)", "DBM_UpdateUserRegistory(77)",
                       "sysReplaceVVoiceLibTable(3)", "vvoiceNotifyObserversOfUpdates"}}));

    trak4::SequenceDocument expected = original;
    expected.voices.erase({0, 3});
    trak4::SequenceVoice& zed = expected.voices.at({0, 0});
    zed.name = u"Zed edited";
    zed.secondary.BRE = 99;
    expected.voices[{0, 1}] = SequenceVoiceOf(Singer(0, 1, u"New", kCleo, kAnna, 5));
    expected.voices[{0, 2}] = SequenceVoiceOf(Singer(0, 2, u"Newer", kBert, u"", 6));
    EXPECT_TRUE(SameVoices(
        trak->Document(),
        expected));  // also: the voices whose primary voice is not installed are untouched.
}

TEST_F(RunEditorTest, APairFreedByASingerAddedInThisInvocationIsNotClearedFirst) {
    // Nothing of the sequence is at (2,1): the new singer is inserted
    // without a removal that the sequence would refuse.
    dialog.user = [](EditorSession& s) {
        AddActive(s, Singer(2, 0, u"Brief", kCleo));
        DeleteActive(s, IndexOf(s, u"Brief"));
        EXPECT_EQ(AddActive(s, Singer(2, 0, u"Second", kCleo)), (Pair{2, 1}));
        return DialogEnding::Ok;
    };
    EXPECT_EQ(Run(), kOk);
    EXPECT_EQ(AfterDialog(),
              (Calls{"dialog", "vvoiceInitializeUpdateContext", "vvoiceInsertVVoiceV4(2,1)",
                     "sysReplaceVVoiceLibTable(3)", "vvoiceNotifyObserversOfUpdates"}));
    EXPECT_EQ(trak->Document().voices.at({2, 1}).name, u"Second");
}

TEST_F(RunEditorTest, OkWithAnEmptyMyListRestoresTheSequence) {
    dialog.user = [](EditorSession& s) {
        s.mySingers.clear();
        return EditAddDelete(s);
    };
    EXPECT_EQ(Run(), kOtherFailure);
    EXPECT_EQ(AfterDialog(),
              Concat({{"dialog"}, kAppliedChanges, kRestore, {"vvoiceNotifyObserversOfUpdates"}}));
    EXPECT_TRUE(SequenceUntouched());
}

// A refusal while applying: its status, "Failed to edit file!", the
// database rolled back, and what the apply had changed undone.
struct ApplyFailure {
    const char* label;
    trak4::TrakOp op;
    int nth;
    uint32_t status;
    std::size_t appliedCalls;  // of kAppliedChanges, before the message
    Calls undo;                // the calls that give the sequence back
    bool messageThrows = false;
};
void PrintTo(const ApplyFailure& c, std::ostream* os) { *os << c.label; }

class ApplyRefused : public RunEditorTest, public testing::WithParamInterface<ApplyFailure> {};

TEST_P(ApplyRefused, RollsBackUndoesTheChangesAndReportsTheRefusal) {
    trak->RefuseCall(GetParam().op, GetParam().nth);
    dialog.messagesThrow = GetParam().messageThrows;
    dialog.user = [](EditorSession& s) {
        s.myChanged = true;
        return EditAddDelete(s);
    };
    EXPECT_EQ(Run(), GetParam().status);
    const Calls applied(
        kAppliedChanges.begin(),
        kAppliedChanges.begin() + static_cast<std::ptrdiff_t>(GetParam().appliedCalls));
    EXPECT_EQ(AfterDialog(), Concat({{"dialog"},
                                     applied,
                                     {"message(25,16)", "DBM_RollBackEditor(77)"},
                                     GetParam().undo,
                                     {"vvoiceNotifyObserversOfUpdates"}}));
    EXPECT_TRUE(SequenceUntouched());
    EXPECT_TRUE(trak->LibraryTable().empty());
}

using trak4::TrakOp;
INSTANTIATE_TEST_SUITE_P(
    Cases, ApplyRefused,
    // A refusal's status and the restore after it, and a message box that
    // fails; the fault flows refuse every call of the apply in turn.
    testing::Values(
        ApplyFailure{"UpdateMessageThrows", TrakOp::kUpdate, 1, kOtherFailure, 2, {}, true},
        ApplyFailure{
            "Insert",
            TrakOp::kInsert,
            2,
            kSequenceInsertRefused,
            5,
            {"vvoiceRemoveVVoice(0,1)", "vvoiceInsertVVoiceV4(0,1)", "vvoiceUpdateVVoiceV4(0,0)"}}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(RunEditorTest, AnEmptyActiveListWithChangesIsRefusedBeforeAnyCall) {
    dialog.user = [](EditorSession& s) {
        while (!s.activeSingers.empty()) DeleteActive(s, 0);
        return DialogEnding::Ok;
    };
    EXPECT_EQ(Run(), kOtherFailure);
    EXPECT_EQ(AfterDialog(), (Calls{"dialog", "vvoiceInitializeUpdateContext", "message(25,16)",
                                    "DBM_RollBackEditor(77)", "vvoiceNotifyObserversOfUpdates"}));
    EXPECT_TRUE(SequenceUntouched());
}

TEST_F(RunEditorTest, RestoreGoesPastAPairThatHeldNothingAtLoad) {
    // (0,2) was taken by a singer added and deleted here: nothing to give
    // back there, but Alto at (0,3) and Zed's old values still are.
    trak->RefuseAll(trak4::TrakOp::kReplaceLibTable);
    dialog.user = [](EditorSession& s) {
        EditActive(s, IndexOf(s, u"Zed"), u"Zed edited", 1);
        DeleteActive(s, IndexOf(s, u"Alto"));
        EXPECT_EQ(AddActive(s, Singer(0, 0, u"Brief", kAnna)), (Pair{0, 2}));
        DeleteActive(s, IndexOf(s, u"Brief"));
        return DialogEnding::Ok;
    };
    EXPECT_EQ(Run(), kLibraryTableRefused);
    EXPECT_EQ(AfterDialog(),
              (Calls{"dialog", "vvoiceInitializeUpdateContext", "vvoiceUpdateVVoiceV4(0,0)",
                     "vvoiceRemoveVVoice(0,3)", "sysReplaceVVoiceLibTable(3)", "message(25,16)",
                     "vvoiceInsertVVoiceV4(0,3)", "vvoiceUpdateVVoiceV4(0,0)",
                     "vvoiceNotifyObserversOfUpdates"}));
    EXPECT_TRUE(SequenceUntouched());
}

TEST_F(RunEditorTest, TwoMySingersOnOnePairGiveTheFirstToTheTable) {
    dialog.user = [](EditorSession& s) {
        SingerEntry twin = s.mySingers[1];  // Mine at (0,0)
        twin.name = u"Twin";
        s.mySingers.push_back(twin);
        return DialogEnding::Ok;
    };
    EXPECT_EQ(Run(), kOk);
    EXPECT_EQ(log.Count("sysReplaceVVoiceLibTable(3)"), 1);
    EXPECT_EQ(trak->LibraryTable().at({0, 0}).name, u"Mine");
}

// The read-only invocation: the picked pair or why there is none; never a
// commit, a roll-back or a change to the sequence.
class ReadOnlyTest : public RunEditorTest {
protected:
    int32_t bank = 55;
    int32_t program = 66;
};

TEST_F(ReadOnlyTest, OkGivesThePickedPairEvenOutOfRange) {
    EXPECT_EQ(RunReadOnly(&bank, &program), kPickOutOfRange);  // no pick at all
    EXPECT_EQ((Pair{bank, program}), (Pair{-1, -1}));
    for (const int32_t picked : {3, 128}) {
        dialog.user = [picked](EditorSession& s) {
            EXPECT_EQ(s.initialSelection, kNoInitialSelection);
            s.pickedBank = 0;
            s.pickedProgram = picked;
            return DialogEnding::Ok;
        };
        log.Clear();
        EXPECT_EQ(RunReadOnly(&bank, &program), picked == 3 ? kOk : kPickOutOfRange);
        EXPECT_EQ((Pair{bank, program}), (Pair{0, picked}));
        EXPECT_EQ(AfterDialog(), Calls{"dialog"});
    }
    EXPECT_TRUE(dialog.readOnlyWhileShown);
}

TEST_F(ReadOnlyTest, CancelAndOtherEndingsWriteNothing) {
    for (const DialogEnding ending : {DialogEnding::Cancel, DialogEnding::Other}) {
        dialog.user = [ending](EditorSession& s) {
            s.pickedBank = 1;
            s.pickedProgram = 1;
            s.myChanged = true;  // an import, say: stays in the open transaction
            return ending;
        };
        EXPECT_EQ(RunReadOnly(&bank, &program),
                  ending == DialogEnding::Cancel ? kPickCancelled : kPickEndedOtherwise);
    }
    EXPECT_EQ((Pair{bank, program}), (Pair{55, 66}));
    EXPECT_EQ(log.Count("DBM_RollBackEditor") + log.Count("DBM_CommitEditor"), 0);
    EXPECT_EQ(log.Count("vvoiceInitializeUpdateContext"), 0);
}

}  // namespace
}  // namespace kora::test
