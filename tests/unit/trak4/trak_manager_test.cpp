// TrakManager and RecordingTrakManager: the sequence manager's answers, what
// they do to the sequence, the record of calls and refusals on demand.
#include <gtest/gtest.h>

#include "temp_folder.h"
#include "trak4/recording_trak_manager.h"

namespace {

using trak4::TrakOp;
const std::filesystem::path kSample = std::filesystem::path(TRAK4_SAMPLE_DIR) / "sequence.json";
const AxVVoiceParam kBad{0, 0, 128, 0, 0, 0};

auto Fields(const IAxVVoice* v) {
    return std::tuple(v->GetBank(), v->GetProgram(), std::u16string(v->GetName()),
                      std::u16string(v->GetPrimaryVoiceId()),
                      std::u16string(v->GetSecondaryVoiceId()),
                      std::vector(v->GetPrimaryParams(), v->GetPrimaryParams() + 5),
                      std::vector(v->GetSecondaryParams(), v->GetSecondaryParams() + 6));
}

TEST(TrakManager, AnswersRefusalsAndChangesThatReachTheSavedDocument) {
    trak4::TrakManager manager(trak4::LoadSequence(kSample));
    IAxVVoice* lead = manager.vvoiceGetVVoice(0, 0);
    ASSERT_NE(lead, nullptr);
    EXPECT_EQ(Fields(lead),
              std::tuple(0, 0, u"Lead", u"VB4S00AURORA0001", u"VB4S00ELODIE0003",
                         std::vector{10, 20, 15, -5, 0}, std::vector{25, 10, 0, -10, 3, -15}));
    EXPECT_EQ(manager.vvoiceGetVVoice(0, 1), nullptr);
    EXPECT_EQ(manager.vvoiceGetVVoice(0, 128), nullptr);
    EXPECT_EQ(manager.fileGetCurrentFilePath(), kSample.u16string());
    EXPECT_EQ(trak4::TrakManager().fileGetCurrentFilePath(), u"");
    const auto insert = [&](int32_t bank, int32_t program, const char16_t* primaryId = u"P",
                            const char16_t* secondaryId = u"", const char16_t* name = u"n",
                            const AxVVoiceParam& primary = {},
                            const AxVVoiceParam& secondary = {}) {
        return manager.vvoiceInsertVVoiceV4(bank, program, primaryId, secondaryId, name, primary,
                                            secondary);
    };
    for (const int32_t refused :
         {insert(128, 0), insert(0, -1), insert(0, 9, nullptr), insert(0, 9, u""),
          insert(0, 9, u"P", u"", nullptr), insert(0, 9, u"P", u"", u"n", {}, kBad),
          insert(0, 0, u"P", u"", u"Over"),  // occupied
          manager.vvoiceUpdateVVoiceV4(0, 0, nullptr, u"", {}, {}),
          manager.vvoiceUpdateVVoiceV4(0, 0, u"n", u"", kBad, {}),
          manager.vvoiceUpdateVVoiceV4(0, 1, u"Nobody", u"", {}, {}),
          manager.vvoiceRemoveVVoice(0, 128)}) {
        EXPECT_EQ(refused, 0);
    }
    EXPECT_TRUE(trak4::SameContent(manager.Document(), trak4::LoadSequence(kSample)));

    ASSERT_EQ(
        insert(0, 1, u"VB4S00SAKURA0004", u"", u"New", {1, 2, 3, 4, 5, 6}, {0, 0, 0, 0, 0, -1}), 1);
    ASSERT_EQ(manager.vvoiceUpdateVVoiceV4(0, 0, u"Lead II", u"", {-3, 0, 0, 0, 0, 0},
                                           {0, 0, 0, 0, 0, 9}),
              1);
    // An earlier pointer reads the new values; the primary voice stays.
    EXPECT_EQ(Fields(lead), std::tuple(0, 0, u"Lead II", u"VB4S00AURORA0001", u"",
                                       std::vector{-3, 0, 0, 0, 0}, std::vector{0, 0, 0, 0, 0, 9}));
    ASSERT_EQ(manager.vvoiceRemoveVVoice(2, 1), 1);
    EXPECT_EQ(manager.vvoiceGetVVoice(2, 1), nullptr);
    EXPECT_EQ(manager.vvoiceRemoveVVoice(2, 1), 1);   // already empty
    EXPECT_EQ(manager.vvoiceRemoveVVoice(9, 99), 1);  // never held anything
    EXPECT_EQ(manager.VoiceCount(), 6u);
    testing_support::TempFolder folder;
    trak4::SequenceDocument document = manager.Document();
    trak4::SaveSequence(document, folder / "saved.json");
    const trak4::TrakManager reopened(trak4::LoadSequence(folder / "saved.json"));
    EXPECT_EQ(reopened.fileGetCurrentFilePath(), (folder / "saved.json").u16string());
    EXPECT_TRUE(trak4::SameContent(reopened.Document(), manager.Document()));
    EXPECT_EQ(reopened.vvoiceGetVVoice(0, 1)->GetSecondaryParams()[5], -1);

    AxVVoiceLibTable table, mismatched, outside;
    table[{7, 7}] = {7, 7, u"VB4S00AURORA0001", u"", u"Only", {}, {}};
    mismatched[{8, 8}] = {8, 9, u"VB4S00AURORA0001", u"", u"Wrong key", {}, {}};
    outside[{128, 0}] = {128, 0, u"VB4S00AURORA0001", u"", u"Outside", {}, {}};
    ASSERT_EQ(manager.sysReplaceVVoiceLibTable(table), 1);
    EXPECT_EQ(manager.sysReplaceVVoiceLibTable(mismatched), 0);
    EXPECT_EQ(manager.sysReplaceVVoiceLibTable(outside), 0);
    EXPECT_TRUE(trak4::SameLibTable(manager.LibraryTable(), table));  // whole or not at all
}

TEST(RecordingTrakManager, RecordsEveryCallInOrderAndRefusesTheChosenOnes) {
    trak4::RecordingTrakManager manager(trak4::LoadSequence(kSample));
    manager.vvoiceInitializeUpdateContext();
    manager.vvoiceGetVVoice(0, 0);
    manager.vvoiceInsertVVoiceV4(3, 4, u"VB4S00SAKURA0004", u"VB4S00ELODIE0003", u"Ins", {1}, {2});
    manager.vvoiceUpdateVVoiceV4(0, 0, u"Upd", nullptr, {}, {});
    AxVVoiceLibTable table;
    table[{1, 1}] = {1, 1, u"VB4S00AURORA0001", u"", u"Lib", {}, {}};
    manager.sysReplaceVVoiceLibTable(table);
    manager.fileGetCurrentFilePath();
    manager.vvoiceNotifyObserversOfUpdates();
    manager.vvoiceNotifyObserversOfUpdates();
    const auto& calls = manager.Calls();
    const TrakOp order[] = {TrakOp::kInitializeUpdateContext,
                            TrakOp::kGetVVoice,
                            TrakOp::kInsert,
                            TrakOp::kUpdate,
                            TrakOp::kReplaceLibTable,
                            TrakOp::kGetFilePath,
                            TrakOp::kNotifyObservers,
                            TrakOp::kNotifyObservers};
    ASSERT_EQ(calls.size(), std::size(order));
    for (std::size_t i = 0; i < calls.size(); ++i) EXPECT_EQ(calls[i].op, order[i]) << i;
    EXPECT_EQ(calls[1].result, 1);  // a voice was handed out
    EXPECT_EQ(
        std::tuple(calls[2].bank, calls[2].program, calls[2].primaryId, calls[2].secondaryId,
                   calls[2].name, calls[2].primary.BRE, calls[2].secondary.BRE, calls[2].result),
        std::tuple(3, 4, u"VB4S00SAKURA0004", u"VB4S00ELODIE0003", u"Ins", 1, 2, 1));
    EXPECT_EQ(std::tuple(calls[3].name, calls[3].result, calls[3].refused),
              std::tuple(u"Upd", 0, false));
    EXPECT_TRUE(trak4::SameLibTable(calls[4].table, table));
    EXPECT_EQ(calls[5].name, kSample.u16string());
    EXPECT_EQ(manager.UpdateContextCount(), 1);
    EXPECT_EQ(manager.NotifyCount(), 2);

    manager.RefuseCall(TrakOp::kInsert, 3);  // counts from the first insert
    for (const int32_t program : {10, 11, 12}) {
        EXPECT_EQ(manager.vvoiceInsertVVoiceV4(0, program, u"P", u"", u"n", {}, {}),
                  program == 11 ? 0 : 1);
    }
    EXPECT_EQ(manager.vvoiceGetVVoice(0, 11), nullptr);
    EXPECT_TRUE(manager.CallsOf(TrakOp::kInsert).at(2).refused);
    manager.RefuseAll(TrakOp::kRemove);
    manager.RefuseAll(TrakOp::kGetVVoice);
    manager.RefuseAll(TrakOp::kReplaceLibTable);
    EXPECT_EQ(manager.vvoiceRemoveVVoice(0, 0), 0);
    EXPECT_EQ(manager.vvoiceGetVVoice(0, 0), nullptr);
    EXPECT_EQ(manager.sysReplaceVVoiceLibTable({}), 0);
    manager.ClearRefusals();
    EXPECT_NE(manager.vvoiceGetVVoice(0, 0), nullptr);  // the refused remove changed nothing

    manager.RecordLookups(false);  // lookups counted without being recorded
    const std::size_t recorded = manager.Calls().size();
    const int lookups = manager.CountOf(TrakOp::kGetVVoice);
    for (int32_t program = 0; program < 128; ++program) manager.vvoiceGetVVoice(0, program);
    EXPECT_EQ(manager.Calls().size(), recorded);
    EXPECT_EQ(manager.CountOf(TrakOp::kGetVVoice), lookups + 128);
}

}  // namespace
