// The editing transaction: commit keeps, roll back drops, reads see the
// open transaction, program allocation, the default, backup and registry.
#include <gtest/gtest.h>

#include "standins/json_fields.h"
#include "vbank4/store.h"
#include "vbank4_test_support.h"

namespace {

using namespace testing_support;

DBM_VVOICE_INFO Record(int32_t bank, int32_t program, std::u16string_view name,
                       std::u16string_view primaryId, std::u16string_view secondaryId = u"") {
    DBM_VVOICE_INFO info{};
    info.bank = bank;
    info.program = program;
    name.copy(info.name, kDbmTextField - 1);
    primaryId.copy(info.primaryVoiceId, kDbmTextField - 1);
    secondaryId.copy(info.secondaryVoiceId, kDbmTextField - 1);
    info.secondaryParams[5] = 11;
    return info;
}

using TransactionTest = SampleDatabase;

TEST_F(TransactionTest, CommitMakesEveryKindOfChangeLastingAndKeepsTheHandle) {
    const uint32_t editor = DBM_GetEditor();
    const int32_t program = CreateVoice(editor, 0, kSakura, u"Evening");
    ASSERT_EQ(program, 3);  // bank 0 holds programs 0..2
    const DBM_VVOICE_INFO record = Record(0, program, u"Evening ☾", kSakura, kElodie);
    ASSERT_EQ(DBM_SetVirtualVoiceInfo(editor, &record), 0);
    ASSERT_EQ(DBM_DeleteVirtualVoice(editor, 1, 1), 0);
    ASSERT_EQ(DBM_SetDefaultVirtualVoice(editor, 0, program), 0);
    ASSERT_EQ(DBM_CommitEditor(editor), 0);
    ASSERT_EQ(DBM_UpdateUserRegistory(editor), 0);
    CreateVoice(editor, 2, kAurora, u"Dropped later");
    ASSERT_EQ(DBM_RollBackEditor(editor), 0);
    const auto registry = standins::ParseJson(ReadFile(home_ / "registry.json"));
    EXPECT_EQ(registry["format"], "vbank4-registry");
    EXPECT_EQ(registry["revision"], 2);  // the sample is revision 1
    EXPECT_EQ(registry["virtualVoiceCount"], 7);
    EXPECT_EQ(registry["default"]["program"], 3);
    Reload();
    const DBM_VVOICE_INFO info = InfoAt(0, 3).value();  // the primary name from the catalog
    EXPECT_EQ(std::tuple(std::u16string(info.name), std::u16string(info.primaryName),
                         std::u16string(info.secondaryVoiceId), info.secondaryParams[5]),
              std::tuple(u"Evening ☾", u"さくら", kElodie, 11));
    EXPECT_FALSE(InfoAt(1, 1) || InfoAt(2, 1));
    EXPECT_EQ(DefaultPair(), (Pair{0, 3}));
}

TEST_F(TransactionTest, RollBackAndReleaseDropWhatIsPendingAndReadsSeeIt) {
    const std::string before = Store();
    const uint32_t editor = DBM_GetEditor();
    const int32_t program = CreateVoice(editor, 5, kTindra, u"Fresh");
    const auto created = InfoAt(5, program);  // the open transaction is seen
    ASSERT_TRUE(created);
    EXPECT_EQ(std::u16string(created->primaryName), u"Tindra");
    EXPECT_EQ(std::u16string(created->secondaryVoiceId), u"");
    EXPECT_EQ(std::to_array(created->primaryParams), (std::array{30, -5, -15, -10, 0}));
    const DBM_VVOICE_INFO renamed = Record(0, 1, u"Renamed", kSakura);
    ASSERT_EQ(DBM_SetVirtualVoiceInfo(editor, &renamed), 0);
    ASSERT_EQ(DBM_DeleteVirtualVoice(editor, 5, 0), 0);
    ASSERT_EQ(DBM_SetDefaultVirtualVoice(editor, 0, 1), 0);
    EXPECT_EQ(NameAt(0, 1), u"Renamed");
    const auto expectSample = [&] {
        EXPECT_FALSE(InfoAt(5, program));
        EXPECT_EQ(NameAt(0, 1), u"Sakura Soft");
        EXPECT_EQ(NameAt(5, 0), u"Deep Harbor");
        EXPECT_EQ(DefaultPair(), (Pair{0, 0}));
        EXPECT_EQ(Store(), before);
    };
    ASSERT_EQ(DBM_RollBackEditor(editor), 0);
    expectSample();
    CreateVoice(editor, 5, kTindra, u"Fresh");
    Reload();  // releasing with an open editor commits nothing
    expectSample();
    EXPECT_EQ(DBM_CommitEditor(editor), vbank4::kBadHandle);

    // A read-only pick leaves its handle open; the next invocation has read
    // the pending singers before it asks for its own editor.
    const uint32_t first = DBM_GetEditor();
    CreateVoice(first, 2, kAurora, u"Imported in a pick");
    const uint32_t second = DBM_GetEditor();
    EXPECT_EQ(NameAt(2, 1), u"Imported in a pick");
    EXPECT_EQ(DBM_CommitEditor(first), vbank4::kBadHandle);
    ASSERT_EQ(DBM_RollBackEditor(second), 0);
    EXPECT_FALSE(InfoAt(2, 1));
}

TEST_F(TransactionTest, CreateHandsOutTheLowestFreeProgramUntilTheBankIsFull) {
    const uint32_t editor = DBM_GetEditor();
    EXPECT_EQ(CreateVoice(editor, 0, kAurora, u"a"), 3);
    ASSERT_EQ(DBM_DeleteVirtualVoice(editor, 0, 1), 0);
    EXPECT_EQ(CreateVoice(editor, 0, kAurora, u"b"), 1);  // the hole comes first
    EXPECT_EQ(CreateVoice(editor, 0, kAurora, u"c"), 4);
    int32_t program = -7;
    for (const char16_t* id : {u"VB4S09RETIRE0099", u"vb4s00aurora0001"}) {
        EXPECT_EQ(DBM_CreateVirtualVoice(editor, 0, &program, id, u"x"), vbank4::kUnknownVoice);
    }
    for (int32_t expected = 0; expected < 128; ++expected) {
        ASSERT_EQ(CreateVoice(editor, 3, kAurora, u"filler"), expected);  // any bank
    }
    EXPECT_EQ(DBM_CreateVirtualVoice(editor, 3, &program, kAurora, u"x"), vbank4::kBankFull);
    EXPECT_EQ(program, -7);
    ASSERT_EQ(DBM_CommitEditor(editor), 0);
    Reload();
    const uint32_t again = DBM_GetEditor();
    EXPECT_EQ(DBM_CreateVirtualVoice(again, 3, &program, kAurora, u"x"), vbank4::kBankFull);
    ASSERT_EQ(DBM_DeleteVirtualVoice(again, 3, 64), 0);
    EXPECT_EQ(CreateVoice(again, 3, kAurora, u"fits again"), 64);
    // A delete rolled back frees nothing.
    ASSERT_EQ(DBM_DeleteVirtualVoice(again, 3, 65), 0);
    ASSERT_EQ(DBM_RollBackEditor(again), 0);
    const uint32_t third = DBM_GetEditor();
    EXPECT_EQ(DBM_CreateVirtualVoice(third, 3, &program, kAurora, u"x"), vbank4::kBankFull);
    // A create rolled back frees its program again.
    const int32_t next = CreateVoice(third, 0, kAurora, u"y");
    ASSERT_EQ(DBM_RollBackEditor(third), 0);
    EXPECT_EQ(CreateVoice(DBM_GetEditor(), 0, kAurora, u"y again"), next);
}

TEST_F(TransactionTest, EmptyPairsAndTheDefault) {
    const uint32_t editor = DBM_GetEditor();
    const DBM_VVOICE_INFO nowhere = Record(0, 50, u"Nowhere", kAurora);
    EXPECT_EQ(DBM_SetVirtualVoiceInfo(editor, &nowhere), kDbmNoVirtualVoice);
    EXPECT_EQ(DBM_DeleteVirtualVoice(editor, 0, 50), kDbmNoVirtualVoice);
    EXPECT_EQ(DBM_SetDefaultVirtualVoice(editor, 0, 50), kDbmNoVirtualVoice);
    EXPECT_FALSE(InfoAt(0, 50));
    ASSERT_EQ(DBM_SetDefaultVirtualVoice(editor, 1, 0), 0);
    ASSERT_EQ(DBM_DeleteVirtualVoice(editor, 0, 2), 0);
    EXPECT_EQ(DefaultPair(), (Pair{1, 0}));
    ASSERT_EQ(DBM_DeleteVirtualVoice(editor, 1, 0), 0);  // names the first remaining voice
    EXPECT_EQ(DefaultPair(), (Pair{0, 0}));
    for (const auto& [bank, program] : {Pair{0, 0}, {0, 1}, {1, 1}, {2, 0}, {5, 0}}) {
        ASSERT_EQ(DBM_DeleteVirtualVoice(editor, bank, program), 0);
    }
    int32_t bank = 77, program = 77;
    EXPECT_EQ(DBM_GetDefaultVirtualVoice(&bank, &program), kDbmNoVirtualVoice);
    EXPECT_EQ(bank, 77);
    ASSERT_EQ(DBM_CommitEditor(editor), 0);
    Reload();
    EXPECT_EQ(VirtualVoiceCount(), 0);
}

TEST_F(TransactionTest, SetInfoKeepsAGivenPrimaryNameAndTheOldOneOfAnUninstalledVoice) {
    DBM_VVOICE_INFO record = Record(0, 0, u"Given", kAurora);
    std::u16string(u"Shown as").copy(record.primaryName, kDbmTextField - 1);
    ASSERT_EQ(DBM_SetVirtualVoiceInfo(DBM_GetEditor(), &record), 0);
    EXPECT_EQ(std::u16string(InfoAt(0, 0)->primaryName), u"Shown as");
    auto state = vbank4::ParseStore(Store());
    state.voices[{9, 0}] = {u"Orphan", u"VB4S09RETIRE0099", u"Retired", u"", {}, {}};
    WriteFile(home_ / "store.json", vbank4::SerializeStore(state));
    Reload();
    const DBM_VVOICE_INFO orphan = Record(9, 0, u"Orphan edited", u"VB4S09RETIRE0099");
    ASSERT_EQ(DBM_SetVirtualVoiceInfo(DBM_GetEditor(), &orphan), 0);
    EXPECT_EQ(std::u16string(InfoAt(9, 0)->primaryName), u"Retired");
}

TEST_F(TransactionTest, BackupFollowsTheCommittedStateAndFailedOrEmptyCommitsWriteNothing) {
    const auto backup = [&] { return ReadFile(home_ / "store.backup.json"); };
    const auto stamp = std::filesystem::last_write_time(home_ / "store.json");
    const uint32_t editor = DBM_GetEditor();
    CreateVoice(editor, 2, kAurora, u"Pending");
    ASSERT_EQ(DBM_BackupAllVirtualVoice(), 0);
    EXPECT_EQ(backup(), Store());
    ASSERT_EQ(DBM_DeleteVirtualVoice(editor, 2, 1), 0);
    ASSERT_EQ(DBM_CommitEditor(editor), 0);
    EXPECT_EQ(std::filesystem::last_write_time(home_ / "store.json"), stamp);

    // One voice is appended to the store, a full bank rewrites it; the
    // backup follows either way.
    for (const auto& [bank, count] : {Pair{3, 1}, Pair{4, 128}}) {
        for (int k = 0; k < count; ++k) CreateVoice(editor, bank, kAurora, u"Kept");
        ASSERT_EQ(DBM_CommitEditor(editor), 0);
        ASSERT_EQ(DBM_BackupAllVirtualVoice(), 0);
        EXPECT_EQ(backup(), Store()) << count;
    }

    for (int k = 0; k < 256; ++k) CreateVoice(editor, 6 + k / 128, kAurora, u"Waits");
    // A directory where the temporary file must go makes the write fail.
    std::filesystem::create_directories(home_ / "store.json.tmp" / "blocker");
    const std::string before = Store();
    EXPECT_EQ(DBM_CommitEditor(editor), vbank4::kIoError);
    EXPECT_EQ(Store(), before);
    std::filesystem::remove_all(home_ / "store.json.tmp");
    ASSERT_EQ(DBM_CommitEditor(editor), 0);  // still open, still pending
    EXPECT_EQ(vbank4::ParseStore(Store()).voices.size(), 7u + 1u + 128u + 256u);
}

}  // namespace
