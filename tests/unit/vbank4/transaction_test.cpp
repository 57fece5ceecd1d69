// The editing transaction: commit keeps, roll back drops, reads see the
// open transaction, program allocation, the default, backup and registry.
#include <gtest/gtest.h>

#include <cstring>

#include "standins/json_fields.h"
#include "vbank4/store.h"
#include "vbank4_test_support.h"

namespace {

using namespace testing_support;
using Pair = std::pair<int32_t, int32_t>;

DBM_VVOICE_INFO Record(int32_t bank, int32_t program, const char16_t* name,
                       const char16_t* primaryId, const char16_t* secondaryId) {
    DBM_VVOICE_INFO info{};
    info.bank = bank;
    info.program = program;
    std::u16string(name).copy(info.name, kDbmTextField - 1);
    std::u16string(primaryId).copy(info.primaryVoiceId, kDbmTextField - 1);
    std::u16string(secondaryId).copy(info.secondaryVoiceId, kDbmTextField - 1);
    const int32_t primary[5] = {1, -2, 3, -4, 5};
    const int32_t secondary[6] = {-6, 7, -8, 9, -10, 11};
    std::memcpy(info.primaryParams, primary, sizeof primary);
    std::memcpy(info.secondaryParams, secondary, sizeof secondary);
    return info;
}

class TransactionTest : public SampleDatabase {};

TEST_F(TransactionTest, CommitMakesEveryKindOfChangeLasting) {
    const uint32_t editor = DBM_GetEditor();
    ASSERT_NE(editor, 0u);
    const int32_t program = CreateVoice(editor, 0, kSakura, u"Evening");
    ASSERT_EQ(program, 3);  // bank 0 holds programs 0..2
    const DBM_VVOICE_INFO record = Record(0, program, u"Evening ☾", kSakura, kElodie);
    ASSERT_EQ(DBM_SetVirtualVoiceInfo(editor, &record), 0);
    ASSERT_EQ(DBM_DeleteVirtualVoice(editor, 1, 1), 0);
    ASSERT_EQ(DBM_SetDefaultVirtualVoice(editor, 0, program), 0);
    ASSERT_EQ(DBM_CommitEditor(editor), 0);

    Reload();
    const auto info = InfoAt(0, 3);
    ASSERT_TRUE(info);
    EXPECT_EQ(std::u16string(info->name), u"Evening ☾");
    EXPECT_EQ(std::u16string(info->primaryName), u"さくら");  // filled in from the catalog
    EXPECT_EQ(std::u16string(info->secondaryVoiceId), kElodie);
    EXPECT_EQ(info->secondaryParams[5], 11);
    EXPECT_FALSE(InfoAt(1, 1));
    EXPECT_EQ(DefaultPair(), (Pair{0, 3}));
    EXPECT_EQ(VirtualVoiceCount(), 7);
}

TEST_F(TransactionTest, RollBackDropsCreateEditDeleteAndDefault) {
    const std::string before = ReadFile(home_ / "store.json");
    const uint32_t editor = DBM_GetEditor();
    CreateVoice(editor, 2, kSakura, u"Dropped");
    const DBM_VVOICE_INFO renamed = Record(0, 1, u"Renamed", kSakura, u"");
    ASSERT_EQ(DBM_SetVirtualVoiceInfo(editor, &renamed), 0);
    ASSERT_EQ(DBM_DeleteVirtualVoice(editor, 5, 0), 0);
    ASSERT_EQ(DBM_SetDefaultVirtualVoice(editor, 2, 0), 0);
    ASSERT_EQ(NameAt(0, 1), u"Renamed");

    ASSERT_EQ(DBM_RollBackEditor(editor), 0);
    const auto check = [&] {
        EXPECT_FALSE(InfoAt(2, 1));
        EXPECT_EQ(NameAt(0, 1), u"Sakura Soft");
        EXPECT_EQ(NameAt(5, 0), u"Deep Harbor");
        EXPECT_EQ(DefaultPair(), (Pair{0, 0}));
        EXPECT_EQ(VirtualVoiceCount(), 7);
    };
    check();
    EXPECT_EQ(ReadFile(home_ / "store.json"), before);
    Reload();
    check();
}

TEST_F(TransactionTest, ReadsSeeTheOpenTransactionOnly) {
    const uint32_t editor = DBM_GetEditor();
    const int32_t program = CreateVoice(editor, 5, kTindra, u"Fresh");
    const auto created = InfoAt(5, program);
    ASSERT_TRUE(created);
    // What creation records: the name, the primary voice and its defaults.
    EXPECT_EQ(std::u16string(created->name), u"Fresh");
    EXPECT_EQ(std::u16string(created->primaryVoiceId), kTindra);
    EXPECT_EQ(std::u16string(created->primaryName), u"Tindra");
    EXPECT_EQ(std::u16string(created->secondaryVoiceId), u"");
    EXPECT_EQ(std::vector<int32_t>(created->primaryParams, created->primaryParams + 5),
              (std::vector<int32_t>{30, -5, -15, -10, 0}));

    // The store on disk and a fresh load know nothing of it.
    const auto onDisk = vbank4::ParseStore(ReadFile(home_ / "store.json"));
    EXPECT_EQ(onDisk.voices.count({5, program}), 0u);
    Reload();
    EXPECT_FALSE(InfoAt(5, program));
}

TEST_F(TransactionTest, CommitKeepsTheHandleForTheRegistryAndLaterChanges) {
    const uint32_t editor = DBM_GetEditor();
    CreateVoice(editor, 2, kAurora, u"Kept");
    ASSERT_EQ(DBM_CommitEditor(editor), 0);
    ASSERT_EQ(DBM_UpdateUserRegistory(editor), 0);
    CreateVoice(editor, 2, kAurora, u"Dropped later");
    ASSERT_EQ(DBM_RollBackEditor(editor), 0);
    EXPECT_EQ(NameAt(2, 1), u"Kept");
    EXPECT_FALSE(InfoAt(2, 2));

    const auto registry = standins::ParseJson(ReadFile(home_ / "registry.json"));
    EXPECT_EQ(registry["format"], "vbank4-registry");
    EXPECT_EQ(registry["revision"], 2);  // the sample is revision 1
    EXPECT_EQ(registry["virtualVoiceCount"], 8);
    EXPECT_EQ(registry["default"]["bank"], 0);
}

TEST_F(TransactionTest, ASecondEditorCarriesPendingChangesOnAndRetiresTheOldHandle) {
    // A read-only pick leaves its handle open; the next invocation has read
    // the pending singers before it asks for its own editor.
    const uint32_t first = DBM_GetEditor();
    CreateVoice(first, 2, kAurora, u"Imported in a pick");
    const uint32_t second = DBM_GetEditor();
    ASSERT_NE(second, 0u);
    ASSERT_NE(second, first);
    EXPECT_EQ(NameAt(2, 1), u"Imported in a pick");

    int32_t program = -1;
    EXPECT_EQ(DBM_CommitEditor(first), vbank4::kBadHandle);
    EXPECT_EQ(DBM_RollBackEditor(first), vbank4::kBadHandle);
    EXPECT_EQ(DBM_CreateVirtualVoice(first, 2, &program, kAurora, u"x"), vbank4::kBadHandle);

    ASSERT_EQ(DBM_RollBackEditor(second), 0);  // the new invocation's Cancel drops them
    EXPECT_FALSE(InfoAt(2, 1));
}

TEST_F(TransactionTest, ReleasingTheLibraryWithAnOpenEditorCommitsNothing) {
    const std::string before = ReadFile(home_ / "store.json");
    const uint32_t editor = DBM_GetEditor();
    CreateVoice(editor, 2, kAurora, u"Never committed");
    ASSERT_EQ(DBM_DeleteVirtualVoice(editor, 0, 0), 0);
    Reload();
    EXPECT_EQ(ReadFile(home_ / "store.json"), before);
    EXPECT_EQ(NameAt(0, 0), u"Morning Choir");
    EXPECT_FALSE(InfoAt(2, 1));
    EXPECT_EQ(DBM_CommitEditor(editor), vbank4::kBadHandle);
}

TEST_F(TransactionTest, CreateHandsOutTheLowestFreeProgram) {
    const uint32_t editor = DBM_GetEditor();
    EXPECT_EQ(CreateVoice(editor, 0, kAurora, u"a"), 3);
    ASSERT_EQ(DBM_DeleteVirtualVoice(editor, 0, 1), 0);
    EXPECT_EQ(CreateVoice(editor, 0, kAurora, u"b"), 1);  // the hole comes first
    EXPECT_EQ(CreateVoice(editor, 0, kAurora, u"c"), 4);
    EXPECT_EQ(CreateVoice(editor, 9, kAurora, u"d"), 0);  // any bank, not only the voice's

    int32_t program = -1;
    EXPECT_EQ(DBM_CreateVirtualVoice(editor, 0, &program, u"VB4S09RETIRE0099", u"x"),
              vbank4::kUnknownVoice);
    EXPECT_EQ(DBM_CreateVirtualVoice(editor, 0, &program, u"vb4s00aurora0001", u"x"),
              vbank4::kUnknownVoice);
    EXPECT_EQ(program, -1);
}

TEST_F(TransactionTest, AFullBankRefusesACreate) {
    const uint32_t editor = DBM_GetEditor();
    for (int32_t expected = 0; expected < 128; ++expected) {
        ASSERT_EQ(CreateVoice(editor, 3, kAurora, u"filler"), expected);
    }
    int32_t program = -7;
    EXPECT_EQ(DBM_CreateVirtualVoice(editor, 3, &program, kAurora, u"one too many"),
              vbank4::kBankFull);
    EXPECT_EQ(program, -7);
    EXPECT_EQ(CreateVoice(editor, 4, kAurora, u"other bank"), 0);
    ASSERT_EQ(DBM_CommitEditor(editor), 0);

    Reload();
    const uint32_t again = DBM_GetEditor();
    EXPECT_EQ(DBM_CreateVirtualVoice(again, 3, &program, kAurora, u"still full"),
              vbank4::kBankFull);
    ASSERT_EQ(DBM_DeleteVirtualVoice(again, 3, 64), 0);
    EXPECT_EQ(CreateVoice(again, 3, kAurora, u"fits again"), 64);
}

TEST_F(TransactionTest, ChangesToAnEmptyPairAreRefused) {
    const uint32_t editor = DBM_GetEditor();
    const DBM_VVOICE_INFO record = Record(0, 50, u"Nowhere", kAurora, u"");
    EXPECT_EQ(DBM_SetVirtualVoiceInfo(editor, &record), kDbmNoVirtualVoice);
    EXPECT_EQ(DBM_DeleteVirtualVoice(editor, 0, 50), kDbmNoVirtualVoice);
    EXPECT_EQ(DBM_SetDefaultVirtualVoice(editor, 0, 50), kDbmNoVirtualVoice);
    EXPECT_FALSE(InfoAt(0, 50));
    EXPECT_EQ(DefaultPair(), (Pair{0, 0}));
}

TEST_F(TransactionTest, DeletingTheDefaultNamesTheFirstRemainingVoice) {
    const uint32_t editor = DBM_GetEditor();
    ASSERT_EQ(DBM_SetDefaultVirtualVoice(editor, 1, 0), 0);
    ASSERT_EQ(DBM_DeleteVirtualVoice(editor, 0, 2), 0);  // not the default: it stays
    EXPECT_EQ(DefaultPair(), (Pair{1, 0}));
    ASSERT_EQ(DBM_DeleteVirtualVoice(editor, 1, 0), 0);
    EXPECT_EQ(DefaultPair(), (Pair{0, 0}));
    for (const Pair& pair : {Pair{0, 0}, Pair{0, 1}, Pair{1, 1}, Pair{2, 0}, Pair{5, 0}}) {
        ASSERT_EQ(DBM_DeleteVirtualVoice(editor, pair.first, pair.second), 0);
    }
    int32_t bank = 0x7FFFFFFF, program = 0x7FFFFFFF;
    EXPECT_EQ(DBM_GetDefaultVirtualVoice(&bank, &program), kDbmNoVirtualVoice);
    EXPECT_EQ(bank, 0x7FFFFFFF);
    ASSERT_EQ(DBM_CommitEditor(editor), 0);
    Reload();
    EXPECT_EQ(VirtualVoiceCount(), 0);
}

TEST_F(TransactionTest, SetInfoKeepsAGivenPrimaryNameAndTheOldOneOfAnUninstalledVoice) {
    const uint32_t editor = DBM_GetEditor();
    DBM_VVOICE_INFO record = Record(0, 0, u"Given", kAurora, u"");
    std::u16string(u"Shown as").copy(record.primaryName, kDbmTextField - 1);
    ASSERT_EQ(DBM_SetVirtualVoiceInfo(editor, &record), 0);
    EXPECT_EQ(std::u16string(InfoAt(0, 0)->primaryName), u"Shown as");

    // A stored voice whose primary voice is no longer installed.
    auto state = vbank4::ParseStore(ReadFile(home_ / "store.json"));
    state.voices[{9, 0}] = {u"Orphan", u"VB4S09RETIRE0099", u"Retired", u"", {}, {}};
    WriteFile(home_ / "store.json", vbank4::SerializeStore(state));
    Reload();
    const uint32_t again = DBM_GetEditor();
    const DBM_VVOICE_INFO orphan = Record(9, 0, u"Orphan edited", u"VB4S09RETIRE0099", u"");
    ASSERT_EQ(DBM_SetVirtualVoiceInfo(again, &orphan), 0);
    EXPECT_EQ(std::u16string(InfoAt(9, 0)->primaryName), u"Retired");
}

TEST_F(TransactionTest, BackupHoldsTheCommittedStateBesideTheStore) {
    const uint32_t editor = DBM_GetEditor();
    CreateVoice(editor, 2, kAurora, u"Pending");
    ASSERT_EQ(DBM_BackupAllVirtualVoice(), 0);
    const auto backup = vbank4::ParseStore(ReadFile(home_ / "store.backup.json"));
    EXPECT_EQ(backup, vbank4::ParseStore(ReadFile(home_ / "store.json")));
    EXPECT_EQ(backup.voices.count({2, 1}), 0u);

    ASSERT_EQ(DBM_CommitEditor(editor), 0);
    ASSERT_EQ(DBM_BackupAllVirtualVoice(), 0);
    EXPECT_EQ(vbank4::ParseStore(ReadFile(home_ / "store.backup.json")).voices.count({2, 1}), 1u);
}

TEST_F(TransactionTest, CommitWithNothingPendingWritesNothing) {
    const auto stamp = std::filesystem::last_write_time(home_ / "store.json");
    const std::string before = ReadFile(home_ / "store.json");
    const uint32_t editor = DBM_GetEditor();
    CreateVoice(editor, 2, kAurora, u"Undone");
    ASSERT_EQ(DBM_DeleteVirtualVoice(editor, 2, 1), 0);
    ASSERT_EQ(DBM_CommitEditor(editor), 0);
    EXPECT_EQ(ReadFile(home_ / "store.json"), before);
    EXPECT_EQ(std::filesystem::last_write_time(home_ / "store.json"), stamp);
}

TEST_F(TransactionTest, FailedWriteLeavesTheTransactionOpenAndTheStoreWhole) {
    const std::string before = ReadFile(home_ / "store.json");
    const uint32_t editor = DBM_GetEditor();
    CreateVoice(editor, 2, kAurora, u"Waits");
    // A directory where the temporary file must go makes the write fail.
    std::filesystem::create_directory(home_ / "store.json.tmp");
    std::filesystem::create_directory(home_ / "store.json.tmp" / "blocker");
    EXPECT_EQ(DBM_CommitEditor(editor), vbank4::kIoError);
    EXPECT_EQ(ReadFile(home_ / "store.json"), before);
    EXPECT_EQ(NameAt(2, 1), u"Waits");

    std::filesystem::remove_all(home_ / "store.json.tmp");
    ASSERT_EQ(DBM_CommitEditor(editor), 0);
    Reload();
    EXPECT_EQ(NameAt(2, 1), u"Waits");
}

}  // namespace
