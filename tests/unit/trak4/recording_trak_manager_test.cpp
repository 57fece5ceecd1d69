// RecordingTrakManager: the record of calls, and refusals on demand.
#include <gtest/gtest.h>

#include "trak4/recording_trak_manager.h"

namespace {

using trak4::RecordingTrakManager;
using trak4::TrakOp;

const std::filesystem::path kSample = std::filesystem::path(TRAK4_SAMPLE_DIR) / "sequence.json";

AxVVoiceParam Params(int32_t base) {
    return {base, base + 1, base + 2, base + 3, base + 4, base + 5};
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
    table[{1, 1}] = {1, 1, u"VB4S00AURORA0001", u"", u"Lib", Params(0), Params(0)};
    manager.sysReplaceVVoiceLibTable(table);
    manager.fileGetCurrentFilePath();
    manager.vvoiceNotifyObserversOfUpdates();

    const auto& calls = manager.Calls();
    ASSERT_EQ(calls.size(), 8u);
    const TrakOp order[] = {TrakOp::kInitializeUpdateContext,
                            TrakOp::kGetVVoice,
                            TrakOp::kInsert,
                            TrakOp::kUpdate,
                            TrakOp::kRemove,
                            TrakOp::kReplaceLibTable,
                            TrakOp::kGetFilePath,
                            TrakOp::kNotifyObservers};
    for (std::size_t i = 0; i < calls.size(); ++i) EXPECT_EQ(calls[i].op, order[i]) << i;

    EXPECT_EQ(calls[1].result, 1);  // a voice was handed out
    const auto& insert = calls[2];
    EXPECT_EQ(insert.bank, 3);
    EXPECT_EQ(insert.program, 4);
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
    EXPECT_EQ(manager.NotifyCount(), 1);
}

TEST(RecordingTrakManager, RefusesTheChosenCallAndLeavesTheSequenceAlone) {
    RecordingTrakManager manager;
    manager.RefuseCall(TrakOp::kInsert, 2);
    const auto insert = [&](int32_t program) {
        return manager.vvoiceInsertVVoiceV4(0, program, u"P", u"", u"n", Params(0), Params(0));
    };
    EXPECT_EQ(insert(0), 1);
    EXPECT_EQ(insert(1), 0);
    EXPECT_EQ(insert(2), 1);
    EXPECT_NE(manager.vvoiceGetVVoice(0, 0), nullptr);
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
}

TEST(RecordingTrakManager, LookupsCanBeCountedWithoutBeingRecorded) {
    RecordingTrakManager manager(trak4::LoadSequence(kSample));
    manager.RecordLookups(false);
    int found = 0;
    for (int32_t bank = 0; bank < 128; ++bank) {
        for (int32_t program = 0; program < 128; ++program) {
            found += manager.vvoiceGetVVoice(bank, program) != nullptr ? 1 : 0;
        }
    }
    manager.vvoiceRemoveVVoice(0, 0);
    EXPECT_EQ(found, 6);
    EXPECT_EQ(manager.CountOf(TrakOp::kGetVVoice), 16384);
    ASSERT_EQ(manager.Calls().size(), 1u);
    EXPECT_EQ(manager.Calls()[0].op, TrakOp::kRemove);
}

}  // namespace
