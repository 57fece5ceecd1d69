// Import: which lines are taken, what the database is given, and how an
// import ends.
#include <gtest/gtest.h>

#include "file/singer_export.h"
#include "file/singer_import.h"
#include "file_test_support.h"
#include "temp_folder.h"

namespace kora {
namespace {

using test::Entry;
using F = LineFate;
using Params5 = std::array<int32_t, 5>;
using Params6 = std::array<int32_t, 6>;

const std::u16string kOne = u"0123456789ABCDEF";
const std::u16string kTwo = u"FEDCBA9876543210";
const std::u16string kLoner = u"LONERLONERLONER1";
const std::string kOne8 = EncodeUtf8(kOne);

std::string Line(std::string_view name, std::string_view primary, std::string_view rest) {
    return "\"" + std::string(name) + "\"=" + std::string(primary) + std::string(rest) + "\n";
}

class ImportTest : public testing::Test {
protected:
    ImportTest() {
        env.voices = {{0, u"Voice One", {10, 11, 12, 13, 14}, kOne},
                      {1, u"Voice Two", {20, 21, 22, 23, 24}, kTwo},
                      {2, u"Loner", {30, 31, 32, 33, 34}, kLoner},
                      {3, std::u16string(300, u'v'), {}, u"LONGNAMELONGNAME"}};
        env.groups = {{kOne, kTwo}};
        env.mySingers = {Entry(u"Existing", kLoner, {0, 0, 0, 0, 0})};
    }
    ImportOutcome Import(std::string_view singerLines) {
        return ImportSingers(
            ReadSingerFile(test::Bytes("[general]\nversion=1\n[MySingerList]\ncount=1\n" +
                                       std::string(singerLines))),
            env);
    }
    static std::vector<LineFate> Fates(const ImportOutcome& outcome) {
        std::vector<LineFate> fates;
        for (const auto& line : outcome.lines) fates.push_back(line.fate);
        return fates;
    }
    test::FakeImportEnvironment env;
};

TEST_F(ImportTest, FillsTheRecordAndTheEntryFromTheLineAndTheVoice) {
    const auto outcome = Import(Line("Alto", kOne8, ",1,2,3,4," + EncodeUtf8(kTwo) + ",5,6,7,8,9"));
    EXPECT_EQ(outcome.ending, ImportEnding::Finished);
    EXPECT_EQ(outcome.taken, 1);
    EXPECT_EQ(outcome.lines[0].secondary, SecondaryFate::Kept);
    ASSERT_EQ(env.created.size(), 1u);
    const DBM_VVOICE_INFO& r = env.created[0];
    EXPECT_EQ(std::tuple(r.bank, std::u16string(r.name), std::u16string(r.primaryName),
                         std::u16string(r.primaryVoiceId), std::u16string(r.secondaryVoiceId),
                         std::to_array(r.primaryParams), std::to_array(r.secondaryParams)),
              std::tuple(0, u"Alto", u"Voice One", kOne, kTwo, Params5{1, 2, 3, 4, 0},
                         Params6{5, 6, 7, 8, 0, 9}));
    EXPECT_EQ(env.mySingers[1].primaryParams, (Params5{1, 2, 3, 4, 14}));  // AUX: default
    EXPECT_EQ(env.mySingers[1].secondaryParams, (Params6{5, 6, 7, 8, 24, 9}));
}

TEST_F(ImportTest, AMissingOrInvalidFieldKeepsTheVoiceDefault) {
    ASSERT_EQ(
        Import(Line("Short", kOne8, "") + Line("Mixed", EncodeUtf8(kTwo), ",128,,+5, 7 ")).taken,
        2);
    EXPECT_EQ(env.mySingers[1].primaryParams, (Params5{10, 11, 12, 13, 14}));
    EXPECT_TRUE(env.mySingers[1].secondaryId.empty());
    EXPECT_EQ(env.mySingers[1].secondaryParams, Params6{});
    EXPECT_EQ(env.mySingers[2].primaryParams, (Params5{20, 21, 5, 7, 24}));
    EXPECT_EQ(env.mySingers[2].bank, 1);
}

TEST_F(ImportTest, DropsASecondarySingerThatIsNotInstalledOrNoPartner) {
    const auto outcome =
        Import(Line("Gone", kOne8, ",1,2,3,4,NOTINSTALLED0000,5,6,7,8,9") +
               Line("Stranger", kOne8, ",1,2,3,4," + EncodeUtf8(kLoner) + ",5,6,7,8,9") +
               Line("Self", kOne8, ",1,2,3,4," + kOne8 + ",5,6,7,8,9"));
    ASSERT_EQ(outcome.taken, 3);
    EXPECT_EQ(outcome.lines[0].secondary, SecondaryFate::NotInstalled);
    EXPECT_EQ(outcome.lines[1].secondary, SecondaryFate::NotPartner);
    EXPECT_EQ(outcome.lines[2].secondary, SecondaryFate::NotPartner);
    for (const auto& record : env.created) EXPECT_EQ(record.secondaryVoiceId[0], u'\0');
    // Not installed: the set stays 0. No partner: that voice's defaults stay,
    // its fields are not read, VOL is 0.
    EXPECT_EQ(env.mySingers[1].secondaryParams, Params6{});
    EXPECT_EQ(env.mySingers[2].secondaryParams, (Params6{30, 31, 32, 33, 34, 0}));
    EXPECT_EQ(std::to_array(env.created[1].secondaryParams), (Params6{30, 31, 32, 33, 0, 0}));
    EXPECT_EQ(env.mySingers[3].secondaryParams, (Params6{10, 11, 12, 13, 14, 0}));
}

TEST_F(ImportTest, PassesOverLinesItCannotTake) {
    const std::string name259(259, 'n');
    const auto outcome =
        Import("not quoted\n\"OnlyName\"=\n" + Line("", kOne8, ",1") +  // lone quotation mark
               Line("Case", "0123456789abcdef", ",1") + Line("First", kOne8, ",1,2,3,4") +
               Line("Second", kOne8, ",1,2,3,4") + Line("Existing", kOne8, ",9,9,9,9") +
               Line("Copy", EncodeUtf8(kLoner), ",0,0,0,0") + "\"=" + kOne8 + ",1\n" +
               Line(name259, kOne8, ",5") + Line(std::string(260, 'n'), kOne8, ",6") +
               Line(std::string(200000, 'h'), kOne8, ",7") +
               Line(std::string(258, 'p') + "\xF0\x9F\x8E\xB5", kOne8, ",8") +  // 260 units
               Line(std::string("nu\0ll", 5), kOne8, ",9") + Line("A", "LONGNAMELONGNAME", ",1"));
    EXPECT_EQ(outcome.ending, ImportEnding::Finished);
    EXPECT_EQ(
        Fates(outcome),
        (std::vector<LineFate>{F::FewerThanTwoFields, F::FewerThanTwoFields, F::FewerThanTwoFields,
                               F::PrimaryNotInstalled, F::Taken, F::Duplicate, F::Taken,
                               F::Duplicate, F::EmptyName, F::Taken, F::NameTooLong, F::NameTooLong,
                               F::NameTooLong, F::NameHasNull, F::TextTooLong}));
    EXPECT_EQ(outcome.taken, 3);
    ASSERT_EQ(env.created.size(), 3u);
    EXPECT_EQ(std::u16string(env.created[2].name).size(), 259u);
    EXPECT_EQ(env.created[2].name[259], u'\0');
}

TEST_F(ImportTest, ADatabaseRefusalStopsTheImportAndKeepsEarlierSingers) {
    env.refuseAt = 5;
    std::string lines;
    for (int k = 1; k <= 7; ++k)
        lines += Line("S" + std::to_string(k), kOne8, "," + std::to_string(k));
    const auto outcome = Import(lines + "[general]\n");
    EXPECT_EQ(outcome.ending, ImportEnding::DatabaseRefused);  // not the later fault
    EXPECT_FALSE(outcome.fault);
    EXPECT_EQ(outcome.taken, 4);
    ASSERT_EQ(outcome.lines.size(), 5u);
    EXPECT_EQ(outcome.lines.back().fate, F::RefusedByDatabase);
    EXPECT_EQ(outcome.lines.back().lineNumber, 9);
    EXPECT_EQ(env.mySingers.size(), 5u);
    EXPECT_EQ(env.mySingers.back().name, u"S4");
}

TEST_F(ImportTest, AStructuralFaultAfterThreeSingersKeepsThem) {
    const auto outcome =
        Import(Line("A", kOne8, ",1") + Line("B", kOne8, ",2") + Line("C", kOne8, ",3") +
               "[MySingerList]\n" + Line("D", kOne8, ",4"));
    EXPECT_EQ(outcome.ending, ImportEnding::StructuralFault);
    ASSERT_TRUE(outcome.fault);
    EXPECT_EQ(outcome.fault->lineNumber, 8);
    EXPECT_EQ(outcome.fault->reason, ReadFaultReason::ListRepeated);
    EXPECT_EQ(outcome.taken, 3);
    EXPECT_EQ(env.mySingers.size(), 4u);

    const auto empty = ImportSingers(ReadSingerFile(test::Bytes("[general]\nversion=1\n")), env);
    EXPECT_EQ(empty.ending, ImportEnding::Finished);
    EXPECT_TRUE(empty.lines.empty());
    testing_support::TempFolder folder;
    const auto absent = ImportSingerFile((folder / "absent.dat").u16string(), env);
    EXPECT_EQ(absent.ending, ImportEnding::FileUnreadable);
    EXPECT_EQ(ImportSingerFile(folder.path().u16string(), env).ending,
              ImportEnding::FileUnreadable);
    // A file beyond the size limit is not read at all (a sparse one here).
    const auto huge = folder / "huge.dat";
    testing_support::WriteFile(
        huge, "[general]\nversion=1\n[MySingerList]\ncount=1\n" + Line("Z", kOne8, ",1"));
    std::filesystem::resize_file(huge, kSingerFileByteLimit + 1);
    EXPECT_EQ(ImportSingerFile(huge.u16string(), env).ending, ImportEnding::FileUnreadable);
    EXPECT_EQ(env.mySingers.size(), 4u);
}

TEST_F(ImportTest, ExportThenImportPassesOverEveryDuplicate) {
    env.mySingers = {Entry(u"With \"partner\"", kOne, {1, 2, 3, 4, 77}, kTwo, {5, 6, 7, 8, 66, 9}),
                     Entry(u"Solo", kTwo, {-127, 127, 0, 0, 1}),
                     Entry(u"Ends with \\", kLoner, {0, 0, 0, 0, 0}),
                     // No secondary singer but stored secondary values: the line's
                     // secondary set stays 0, so this one comes back as a new singer.
                     Entry(u"Leftovers", kOne, {1, 1, 1, 1, 1}, u"", {3, 0, 0, 0, 0, 0})};
    testing_support::TempFolder folder;
    const std::u16string path = (folder / "round.dat").u16string();
    ASSERT_EQ(ExportSingerFile(path, env.mySingers, test::FakeExportEnvironment()),
              ExportResult::Written);
    const auto outcome = ImportSingerFile(path, env);
    EXPECT_EQ(outcome.ending, ImportEnding::Finished);
    EXPECT_EQ(Fates(outcome),
              (std::vector<LineFate>{F::Duplicate, F::Duplicate, F::Duplicate, F::Taken}));
    ASSERT_EQ(env.mySingers.size(), 5u);
    EXPECT_EQ(env.mySingers[4].secondaryParams, Params6{});
}

TEST(IsDuplicateMySinger, ComparesVoicesAndShownValuesOnly) {
    SingerEntry entry = Entry(u"N", u"P", {1, 2, 3, 4, 5}, u"S", {6, 7, 8, 9, 10, 11});
    entry.bank = 3;
    const std::vector<SingerEntry> list = {entry};
    const AxVVoiceParam primary{1, 2, 3, 4, -50, -60};   // AUX and VOL ignored
    const AxVVoiceParam secondary{6, 7, 8, 9, -70, 11};  // AUX ignored
    EXPECT_TRUE(IsDuplicateMySinger(list, u"P", primary, u"S", secondary));
    EXPECT_FALSE(IsDuplicateMySinger({}, u"P", primary, u"S", secondary));
    EXPECT_FALSE(IsDuplicateMySinger(list, u"p", primary, u"S", secondary));
    EXPECT_FALSE(IsDuplicateMySinger(list, u"P", primary, u"", secondary));
    for (const auto member : {&AxVVoiceParam::BRE, &AxVVoiceParam::BRI, &AxVVoiceParam::CLE,
                              &AxVVoiceParam::GEN, &AxVVoiceParam::VOL}) {
        AxVVoiceParam p = primary, s = secondary;
        ++(p.*member);
        ++(s.*member);
        // A louder primary set is still a duplicate: the primary set has no volume.
        EXPECT_EQ(IsDuplicateMySinger(list, u"P", p, u"S", secondary),
                  member == &AxVVoiceParam::VOL);
        EXPECT_FALSE(IsDuplicateMySinger(list, u"P", primary, u"S", s));
    }
    EXPECT_TRUE(IsDuplicateMySinger({Entry(u"M", u"P", {1, 2, 3, 4, 0})}, u"P", primary, u"",
                                    AxVVoiceParam{}));
}

}  // namespace
}  // namespace kora
