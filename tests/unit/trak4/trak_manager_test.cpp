// TrakManager: the sequence manager's answers and what they do to the sequence.
#include <gtest/gtest.h>

#include "temp_folder.h"
#include "trak4/trak_manager.h"

namespace {

const std::filesystem::path kSample = std::filesystem::path(TRAK4_SAMPLE_DIR) / "sequence.json";

AxVVoiceParam Params(int32_t base) {
    return {base, base + 1, base + 2, base + 3, base + 4, base + 5};
}

class TrakManagerTest : public ::testing::Test {
protected:
    trak4::TrakManager manager_{trak4::LoadSequence(kSample)};
};

TEST_F(TrakManagerTest, VoicesAreReadThroughTheirAccessors) {
    IAxVVoice* voice = manager_.vvoiceGetVVoice(0, 0);
    ASSERT_NE(voice, nullptr);
    EXPECT_EQ(voice->GetBank(), 0);
    EXPECT_EQ(voice->GetProgram(), 0);
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

TEST_F(TrakManagerTest, InsertFillsAnEmptyPairAndRefusesAnOccupiedOne) {
    ASSERT_EQ(manager_.vvoiceInsertVVoiceV4(0, 1, u"VB4S00SAKURA0004", u"", u"New", Params(1),
                                            Params(-6)),
              1);
    const IAxVVoice* voice = manager_.vvoiceGetVVoice(0, 1);
    ASSERT_NE(voice, nullptr);
    EXPECT_EQ(std::u16string(voice->GetName()), u"New");
    EXPECT_EQ(voice->GetSecondaryParams()[5], -1);

    EXPECT_EQ(manager_.vvoiceInsertVVoiceV4(0, 0, u"VB4S00SAKURA0004", u"", u"Over", Params(0),
                                            Params(0)),
              0);
    EXPECT_EQ(std::u16string(manager_.vvoiceGetVVoice(0, 0)->GetName()), u"Lead");
    EXPECT_EQ(manager_.VoiceCount(), 7u);
}

TEST_F(TrakManagerTest, InsertAndUpdateRefuseBadArguments) {
    const AxVVoiceParam bad{0, 0, 128, 0, 0, 0};
    EXPECT_EQ(manager_.vvoiceInsertVVoiceV4(128, 0, u"P", u"", u"n", Params(0), Params(0)), 0);
    EXPECT_EQ(manager_.vvoiceInsertVVoiceV4(0, -1, u"P", u"", u"n", Params(0), Params(0)), 0);
    EXPECT_EQ(manager_.vvoiceInsertVVoiceV4(0, 9, nullptr, u"", u"n", Params(0), Params(0)), 0);
    EXPECT_EQ(manager_.vvoiceInsertVVoiceV4(0, 9, u"", u"", u"n", Params(0), Params(0)), 0);
    EXPECT_EQ(manager_.vvoiceInsertVVoiceV4(0, 9, u"P", nullptr, u"n", Params(0), Params(0)), 0);
    EXPECT_EQ(manager_.vvoiceInsertVVoiceV4(0, 9, u"P", u"", nullptr, Params(0), Params(0)), 0);
    EXPECT_EQ(manager_.vvoiceInsertVVoiceV4(0, 9, u"P", u"", u"n", bad, Params(0)), 0);
    EXPECT_EQ(manager_.vvoiceInsertVVoiceV4(0, 9, u"P", u"", u"n", Params(0), bad), 0);
    EXPECT_EQ(manager_.vvoiceUpdateVVoiceV4(0, 0, nullptr, u"", Params(0), Params(0)), 0);
    EXPECT_EQ(manager_.vvoiceUpdateVVoiceV4(0, 0, u"n", nullptr, Params(0), Params(0)), 0);
    EXPECT_EQ(manager_.vvoiceUpdateVVoiceV4(0, 0, u"n", u"", bad, Params(0)), 0);
    EXPECT_EQ(manager_.vvoiceRemoveVVoice(0, 128), 0);
    EXPECT_TRUE(trak4::SameContent(manager_.Document(), trak4::LoadSequence(kSample)));
}

TEST_F(TrakManagerTest, UpdateKeepsThePrimaryVoiceAndTheObject) {
    IAxVVoice* before = manager_.vvoiceGetVVoice(0, 0);
    ASSERT_EQ(manager_.vvoiceUpdateVVoiceV4(0, 0, u"Lead II", u"", Params(-3), Params(4)), 1);
    IAxVVoice* after = manager_.vvoiceGetVVoice(0, 0);
    EXPECT_EQ(after, before);  // a pointer handed out earlier reads the new values
    EXPECT_EQ(std::u16string(after->GetName()), u"Lead II");
    EXPECT_EQ(std::u16string(after->GetPrimaryVoiceId()), u"VB4S00AURORA0001");
    EXPECT_EQ(std::u16string(after->GetSecondaryVoiceId()), u"");
    EXPECT_EQ(after->GetPrimaryParams()[0], -3);
    EXPECT_EQ(after->GetSecondaryParams()[5], 9);

    EXPECT_EQ(manager_.vvoiceUpdateVVoiceV4(0, 1, u"Nobody", u"", Params(0), Params(0)), 0);
    EXPECT_EQ(manager_.vvoiceGetVVoice(0, 1), nullptr);
}

TEST_F(TrakManagerTest, RemoveEmptiesThePairAndSucceedsOnAnEmptyOne) {
    ASSERT_EQ(manager_.vvoiceRemoveVVoice(2, 1), 1);
    EXPECT_EQ(manager_.vvoiceGetVVoice(2, 1), nullptr);
    EXPECT_EQ(manager_.vvoiceRemoveVVoice(2, 1), 1);   // already empty
    EXPECT_EQ(manager_.vvoiceRemoveVVoice(9, 99), 1);  // never held anything
    EXPECT_EQ(manager_.VoiceCount(), 5u);
    // The pair can be reused at once.
    EXPECT_EQ(manager_.vvoiceInsertVVoiceV4(2, 1, u"P", u"", u"Reuse", Params(0), Params(0)), 1);
}

TEST_F(TrakManagerTest, LibraryTableIsReplacedWholeOrNotAtAll) {
    AxVVoiceLibTable table;
    table[{7, 7}] = {7, 7, u"VB4S00AURORA0001", u"", u"Only", Params(0), Params(0)};
    ASSERT_EQ(manager_.sysReplaceVVoiceLibTable(table), 1);
    EXPECT_TRUE(trak4::SameLibTable(manager_.LibraryTable(), table));

    AxVVoiceLibTable mismatched = table;
    mismatched[{8, 8}] = {8, 9, u"VB4S00AURORA0001", u"", u"Wrong key", Params(0), Params(0)};
    EXPECT_EQ(manager_.sysReplaceVVoiceLibTable(mismatched), 0);
    AxVVoiceLibTable outside;
    outside[{128, 0}] = {128, 0, u"VB4S00AURORA0001", u"", u"Outside", Params(0), Params(0)};
    EXPECT_EQ(manager_.sysReplaceVVoiceLibTable(outside), 0);
    EXPECT_TRUE(trak4::SameLibTable(manager_.LibraryTable(), table));

    ASSERT_EQ(manager_.sysReplaceVVoiceLibTable({}), 1);
    EXPECT_TRUE(manager_.LibraryTable().empty());
}

TEST_F(TrakManagerTest, NotificationCallsAreCounted) {
    manager_.vvoiceInitializeUpdateContext();
    manager_.vvoiceNotifyObserversOfUpdates();
    manager_.vvoiceNotifyObserversOfUpdates();
    EXPECT_EQ(manager_.UpdateContextCount(), 1);
    EXPECT_EQ(manager_.NotifyCount(), 2);
}

TEST_F(TrakManagerTest, ChangesReachTheSavedDocument) {
    testing_support::TempFolder folder;
    ASSERT_EQ(manager_.vvoiceRemoveVVoice(0, 3), 1);
    ASSERT_EQ(manager_.vvoiceInsertVVoiceV4(1, 5, u"VB4S01SOREN_0006", u"", u"Søren solo",
                                            Params(2), Params(0)),
              1);
    trak4::SequenceDocument document = manager_.Document();
    trak4::SaveSequence(document, folder / "saved.json");

    const trak4::TrakManager reopened(trak4::LoadSequence(folder / "saved.json"));
    EXPECT_EQ(reopened.vvoiceGetVVoice(0, 3), nullptr);
    ASSERT_NE(reopened.vvoiceGetVVoice(1, 5), nullptr);
    EXPECT_EQ(std::u16string(reopened.vvoiceGetVVoice(1, 5)->GetName()), u"Søren solo");
    EXPECT_EQ(reopened.fileGetCurrentFilePath(), (folder / "saved.json").u16string());
    EXPECT_TRUE(trak4::SameContent(reopened.Document(), manager_.Document()));
}

}  // namespace
