// TrakManager and RecordingTrakManager: the sequence manager's answers, what
// they do to the sequence, the record of calls and refusals on demand.
#include <gtest/gtest.h>

#include "temp_folder.h"
#include "trak4/recording_trak_manager.h"

namespace {

using trak4::RecordingTrakManager;
using trak4::TrakOp;

const std::filesystem::path kSample = std::filesystem::path(TRAK4_SAMPLE_DIR) / "sequence.json";

AxVVoiceParam Params(int32_t base) {
    return {base, base + 1, base + 2, base + 3, base + 4, base + 5};
}

class TrakManagerTest : public ::testing::Test {
protected:
    int32_t Insert(int32_t bank, int32_t program, const char16_t* primaryId = u"P",
                   const char16_t* secondaryId = u"", const char16_t* name = u"n",
                   const AxVVoiceParam& primary = {}, const AxVVoiceParam& secondary = {}) {
        return manager_.vvoiceInsertVVoiceV4(bank, program, primaryId, secondaryId, name, primary,
                                             secondary);
    }
    trak4::TrakManager manager_{trak4::LoadSequence(kSample)};
};

TEST_F(TrakManagerTest, VoicesAreReadThroughTheirAccessors) {
    IAxVVoice* voice = manager_.vvoiceGetVVoice(0, 0);
    ASSERT_NE(voice, nullptr);
    EXPECT_EQ((std::pair{voice->GetBank(), voice->GetProgram()}), (std::pair{0, 0}));
    EXPECT_EQ(std::u16string(voice->GetName()), u"Lead");
    EXPECT_EQ(std::u16string(voice->GetPrimaryVoiceId()), u"VB4S00AURORA0001");
    EXPECT_EQ(std::u16string(voice->GetSecondaryVoiceId()), u"VB4S00ELODIE0003");
    EXPECT_EQ(std::vector<int32_t>(voice->GetPrimaryParams(), voice->GetPrimaryParams() + 5),
              (std::vector<int32_t>{10, 20, 15, -5, 0}));
    EXPECT_EQ(std::vector<int32_t>(voice->GetSecondaryParams(), voice->GetSecondaryParams() + 6),
              (std::vector<int32_t>{25, 10, 0, -10, 3, -15}));
    EXPECT_EQ(std::u16string(manager_.vvoiceGetVVoice(0, 3)->GetSecondaryVoiceId()), u"");
    EXPECT_EQ(manager_.vvoiceGetVVoice(0, 1), nullptr);
    EXPECT_EQ(manager_.vvoiceGetVVoice(-1, 0), nullptr);
    EXPECT_EQ(manager_.vvoiceGetVVoice(0, 128), nullptr);
    EXPECT_EQ(manager_.fileGetCurrentFilePath(), kSample.u16string());
    EXPECT_EQ(trak4::TrakManager().fileGetCurrentFilePath(), u"");
}

TEST_F(TrakManagerTest, InsertUpdateAndRemoveRefuseBadArgumentsAndChangeNothing) {
    const AxVVoiceParam bad{0, 0, 128, 0, 0, 0};
    EXPECT_EQ(Insert(128, 0), 0);
    EXPECT_EQ(Insert(0, -1), 0);
    EXPECT_EQ(Insert(0, 9, nullptr), 0);
    EXPECT_EQ(Insert(0, 9, u""), 0);
    EXPECT_EQ(Insert(0, 9, u"P", nullptr), 0);
    EXPECT_EQ(Insert(0, 9, u"P", u"", nullptr), 0);
    EXPECT_EQ(Insert(0, 9, u"P", u"", u"n", bad), 0);
    EXPECT_EQ(Insert(0, 9, u"P", u"", u"n", {}, bad), 0);
    EXPECT_EQ(Insert(0, 0, u"P", u"", u"Over"), 0);  // occupied
    EXPECT_EQ(manager_.vvoiceUpdateVVoiceV4(0, 0, nullptr, u"", {}, {}), 0);
    EXPECT_EQ(manager_.vvoiceUpdateVVoiceV4(0, 0, u"n", nullptr, {}, {}), 0);
    EXPECT_EQ(manager_.vvoiceUpdateVVoiceV4(0, 0, u"n", u"", bad, {}), 0);
    EXPECT_EQ(manager_.vvoiceUpdateVVoiceV4(0, 1, u"Nobody", u"", {}, {}), 0);
    EXPECT_EQ(manager_.vvoiceRemoveVVoice(0, 128), 0);
    EXPECT_TRUE(trak4::SameContent(manager_.Document(), trak4::LoadSequence(kSample)));
}

TEST_F(TrakManagerTest, ChangesReachTheVoicesAndTheSavedDocument) {
    ASSERT_EQ(Insert(0, 1, u"VB4S00SAKURA0004", u"", u"New", Params(1), Params(-6)), 1);
    EXPECT_EQ(manager_.vvoiceGetVVoice(0, 1)->GetSecondaryParams()[5], -1);
    IAxVVoice* before = manager_.vvoiceGetVVoice(0, 0);
    ASSERT_EQ(manager_.vvoiceUpdateVVoiceV4(0, 0, u"Lead II", u"", Params(-3), Params(4)), 1);
    EXPECT_EQ(manager_.vvoiceGetVVoice(0, 0), before);  // an earlier pointer reads the new values
    EXPECT_EQ(std::u16string(before->GetName()), u"Lead II");
    EXPECT_EQ(std::u16string(before->GetPrimaryVoiceId()), u"VB4S00AURORA0001");  // kept
    EXPECT_EQ(std::u16string(before->GetSecondaryVoiceId()), u"");
    EXPECT_EQ(before->GetPrimaryParams()[0], -3);
    EXPECT_EQ(before->GetSecondaryParams()[5], 9);
    ASSERT_EQ(manager_.vvoiceRemoveVVoice(2, 1), 1);
    EXPECT_EQ(manager_.vvoiceGetVVoice(2, 1), nullptr);
    EXPECT_EQ(manager_.vvoiceRemoveVVoice(2, 1), 1);   // already empty
    EXPECT_EQ(manager_.vvoiceRemoveVVoice(9, 99), 1);  // never held anything
    EXPECT_EQ(manager_.VoiceCount(), 6u);
    EXPECT_EQ(Insert(2, 1, u"P", u"", u"Reuse"), 1);

    testing_support::TempFolder folder;
    trak4::SequenceDocument document = manager_.Document();
    trak4::SaveSequence(document, folder / "saved.json");
    const trak4::TrakManager reopened(trak4::LoadSequence(folder / "saved.json"));
    EXPECT_EQ(std::u16string(reopened.vvoiceGetVVoice(0, 0)->GetName()), u"Lead II");
    EXPECT_EQ(reopened.fileGetCurrentFilePath(), (folder / "saved.json").u16string());
    EXPECT_TRUE(trak4::SameContent(reopened.Document(), manager_.Document()));
}

TEST_F(TrakManagerTest, LibraryTableIsReplacedWholeOrNotAtAll) {
    AxVVoiceLibTable table;
    table[{7, 7}] = {7, 7, u"VB4S00AURORA0001", u"", u"Only", {}, {}};
    ASSERT_EQ(manager_.sysReplaceVVoiceLibTable(table), 1);
    AxVVoiceLibTable mismatched = table;
    mismatched[{8, 8}] = {8, 9, u"VB4S00AURORA0001", u"", u"Wrong key", {}, {}};
    EXPECT_EQ(manager_.sysReplaceVVoiceLibTable(mismatched), 0);
    AxVVoiceLibTable outside;
    outside[{128, 0}] = {128, 0, u"VB4S00AURORA0001", u"", u"Outside", {}, {}};
    EXPECT_EQ(manager_.sysReplaceVVoiceLibTable(outside), 0);
    EXPECT_TRUE(trak4::SameLibTable(manager_.LibraryTable(), table));
    ASSERT_EQ(manager_.sysReplaceVVoiceLibTable({}), 1);
    EXPECT_TRUE(manager_.LibraryTable().empty());
}

TEST(RecordingTrakManager, RecordsEveryCallInOrderWithItsArguments) {
    RecordingTrakManager manager(trak4::LoadSequence(kSample));
    manager.vvoiceInitializeUpdateContext();
    manager.vvoiceGetVVoice(0, 0);
    manager.vvoiceInsertVVoiceV4(3, 4, u"VB4S00SAKURA0004", u"VB4S00ELODIE0003", u"Ins", Params(1),
                                 Params(2));
    manager.vvoiceUpdateVVoiceV4(0, 0, u"Upd", nullptr, Params(3), Params(4));
    manager.vvoiceRemoveVVoice(9, 9);
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
                            TrakOp::kRemove,
                            TrakOp::kReplaceLibTable,
                            TrakOp::kGetFilePath,
                            TrakOp::kNotifyObservers,
                            TrakOp::kNotifyObservers};
    ASSERT_EQ(calls.size(), std::size(order));
    for (std::size_t i = 0; i < calls.size(); ++i) EXPECT_EQ(calls[i].op, order[i]) << i;
    EXPECT_EQ(calls[1].result, 1);  // a voice was handed out
    const auto& insert = calls[2];
    EXPECT_EQ((std::pair{insert.bank, insert.program}), (std::pair{3, 4}));
    EXPECT_EQ(insert.primaryId, u"VB4S00SAKURA0004");
    EXPECT_EQ(insert.secondaryId, u"VB4S00ELODIE0003");
    EXPECT_EQ(insert.name, u"Ins");
    EXPECT_TRUE(trak4::SameParams(insert.primary, Params(1)));
    EXPECT_TRUE(trak4::SameParams(insert.secondary, Params(2)));
    EXPECT_EQ(insert.result, 1);
    EXPECT_EQ(calls[3].name, u"Upd");
    EXPECT_EQ(calls[3].result, 0);  // the null secondary id was refused by the manager itself
    EXPECT_FALSE(calls[3].refused);
    EXPECT_EQ(calls[4].result, 1);
    EXPECT_TRUE(trak4::SameLibTable(calls[5].table, table));
    EXPECT_EQ(calls[6].name, kSample.u16string());
    EXPECT_EQ(manager.UpdateContextCount(), 1);
    EXPECT_EQ(manager.NotifyCount(), 2);
}

TEST(RecordingTrakManager, RefusesTheChosenCallsAndCountsUnrecordedLookups) {
    RecordingTrakManager manager;
    manager.RefuseCall(TrakOp::kInsert, 2);
    for (const int32_t program : {0, 1, 2}) {
        EXPECT_EQ(manager.vvoiceInsertVVoiceV4(0, program, u"P", u"", u"n", {}, {}),
                  program == 1 ? 0 : 1);
    }
    EXPECT_EQ(manager.vvoiceGetVVoice(0, 1), nullptr);
    const auto inserts = manager.CallsOf(TrakOp::kInsert);
    ASSERT_EQ(inserts.size(), 3u);
    EXPECT_TRUE(inserts[1].refused);
    EXPECT_FALSE(inserts[2].refused);

    manager.RefuseAll(TrakOp::kRemove);
    manager.RefuseAll(TrakOp::kGetVVoice);
    manager.RefuseAll(TrakOp::kReplaceLibTable);
    EXPECT_EQ(manager.vvoiceRemoveVVoice(0, 0), 0);
    EXPECT_EQ(manager.vvoiceGetVVoice(0, 0), nullptr);
    EXPECT_EQ(manager.sysReplaceVVoiceLibTable({}), 0);
    manager.ClearRefusals();
    EXPECT_NE(manager.vvoiceGetVVoice(0, 0), nullptr);  // the refused remove changed nothing
    EXPECT_EQ(manager.VoiceCount(), 2u);

    manager.RecordLookups(false);
    const std::size_t recorded = manager.Calls().size();
    const int lookups = manager.CountOf(TrakOp::kGetVVoice);
    int found = 0;
    for (int32_t bank = 0; bank < 128; ++bank) {
        for (int32_t program = 0; program < 128; ++program) {
            found += manager.vvoiceGetVVoice(bank, program) != nullptr ? 1 : 0;
        }
    }
    EXPECT_EQ(found, 2);
    EXPECT_EQ(manager.Calls().size(), recorded);
    EXPECT_EQ(manager.CountOf(TrakOp::kGetVVoice), lookups + 16384);
}

}  // namespace
