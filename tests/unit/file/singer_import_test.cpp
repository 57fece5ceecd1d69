// Import: which lines are taken, what the database is given, and how an
// import ends.
#include <gtest/gtest.h>

#include "file/singer_export.h"
#include "file/singer_import.h"
#include "file_test_support.h"

namespace kora {
namespace {

using test::Entry;

constexpr std::u16string_view kOne = u"0123456789ABCDEF";
constexpr std::u16string_view kTwo = u"FEDCBA9876543210";
constexpr std::u16string_view kLoner = u"LONERLONERLONER1";

class ImportTest : public testing::Test {
protected:
    ImportTest() {
        env.voices = {test::Voice(0, u"Voice One", std::u16string(kOne), {10, 11, 12, 13, 14}),
                      test::Voice(1, u"Voice Two", std::u16string(kTwo), {20, 21, 22, 23, 24}),
                      test::Voice(2, u"Loner", std::u16string(kLoner), {30, 31, 32, 33, 34})};
        env.groups = {{std::u16string(kOne), std::u16string(kTwo)}};
        env.mySingers = {Entry(u"Existing", std::u16string(kLoner), {0, 0, 0, 0, 0})};
    }

    ImportOutcome Import(std::string_view singerLines, int count = 1) {
        const std::string text =
            "[general]\nversion=1\n[MySingerList]\ncount=" + std::to_string(count) + "\n" +
            std::string(singerLines);
        return ImportSingers(ReadSingerFile(test::Bytes(text)), env);
    }

    std::vector<LineFate> Fates(const ImportOutcome& outcome) {
        std::vector<LineFate> fates;
        for (const auto& line : outcome.lines) fates.push_back(line.fate);
        return fates;
    }

    test::FakeImportEnvironment env;
};

std::string Line(std::string_view name, std::u16string_view primary, std::string_view rest) {
    return "\"" + std::string(name) + "\"=" + test::Utf8(primary) + std::string(rest) + "\n";
}

TEST_F(ImportTest, FillsTheRecordAndTheEntryFromTheLineAndTheVoice) {
    const auto outcome = Import(Line("Alto", kOne, ",1,2,3,4," + test::Utf8(kTwo) + ",5,6,7,8,9"));
    EXPECT_EQ(outcome.ending, ImportEnding::Finished);
    EXPECT_EQ(ImportMessageId(outcome.ending), 33);
    EXPECT_EQ(outcome.taken, 1);
    ASSERT_EQ(env.created.size(), 1u);
    const DBM_VVOICE_INFO& record = env.created[0];
    EXPECT_EQ(record.bank, 0);
    EXPECT_EQ(std::u16string(record.name), u"Alto");
    EXPECT_EQ(std::u16string(record.primaryName), u"Voice One");
    EXPECT_EQ(std::u16string(record.primaryVoiceId), kOne);
    EXPECT_EQ(std::u16string(record.secondaryVoiceId), kTwo);
    EXPECT_EQ(std::vector<int32_t>(record.primaryParams, record.primaryParams + 5),
              (std::vector<int32_t>{1, 2, 3, 4, 0}));
    EXPECT_EQ(std::vector<int32_t>(record.secondaryParams, record.secondaryParams + 6),
              (std::vector<int32_t>{5, 6, 7, 8, 0, 9}));
    const SingerEntry& entry = env.mySingers.back();
    EXPECT_EQ(entry.primaryParams, (std::array<int32_t, 5>{1, 2, 3, 4, 14}));  // AUX: default
    EXPECT_EQ(entry.secondaryParams, (std::array<int32_t, 6>{5, 6, 7, 8, 24, 9}));
    EXPECT_EQ(outcome.lines[0].secondary, SecondaryFate::Kept);
}

TEST_F(ImportTest, AMissingOrInvalidFieldKeepsTheVoiceDefault) {
    const auto outcome = Import(Line("Short", kOne, "") + Line("Mixed", kTwo, ",128,,+5, 7 "));
    ASSERT_EQ(outcome.taken, 2);
    EXPECT_EQ(env.mySingers[1].primaryParams, (std::array<int32_t, 5>{10, 11, 12, 13, 14}));
    EXPECT_TRUE(env.mySingers[1].secondaryId.empty());
    EXPECT_EQ(env.mySingers[1].secondaryParams, (std::array<int32_t, 6>{}));
    EXPECT_EQ(env.mySingers[2].primaryParams, (std::array<int32_t, 5>{20, 21, 5, 7, 24}));
    EXPECT_EQ(env.mySingers[2].bank, 1);
}

TEST_F(ImportTest, DropsASecondarySingerThatIsNotInstalledOrNoPartner) {
    const auto outcome =
        Import(Line("Gone", kOne, ",1,2,3,4,NOTINSTALLED0000,5,6,7,8,9") +
               Line("Stranger", kOne, ",1,2,3,4," + test::Utf8(kLoner) + ",5,6,7,8,9") +
               Line("Self", kOne, ",1,2,3,4," + test::Utf8(kOne) + ",5,6,7,8,9"));
    ASSERT_EQ(outcome.taken, 3);
    EXPECT_EQ(outcome.lines[0].secondary, SecondaryFate::NotInstalled);
    EXPECT_EQ(outcome.lines[1].secondary, SecondaryFate::NotPartner);
    EXPECT_EQ(outcome.lines[2].secondary, SecondaryFate::NotPartner);
    for (const auto& record : env.created) EXPECT_EQ(record.secondaryVoiceId[0], u'\0');
    // Not installed: the set stays 0. No partner: that voice's defaults stay,
    // its fields are not read, VOL is 0.
    EXPECT_EQ(env.mySingers[1].secondaryParams, (std::array<int32_t, 6>{}));
    EXPECT_EQ(env.mySingers[2].secondaryParams, (std::array<int32_t, 6>{30, 31, 32, 33, 34, 0}));
    EXPECT_EQ(
        std::vector<int32_t>(env.created[1].secondaryParams, env.created[1].secondaryParams + 6),
        (std::vector<int32_t>{30, 31, 32, 33, 0, 0}));
    EXPECT_EQ(env.mySingers[3].secondaryParams, (std::array<int32_t, 6>{10, 11, 12, 13, 14, 0}));
}

TEST_F(ImportTest, PassesOverLinesItCannotTake) {
    const auto outcome = Import(
        "not quoted\n"
        "\"OnlyName\"=\n" +
        Line("", kOne, ",1") +                     // lone quotation mark: empty name
        Line("Case", u"0123456789abcdef", ",1") +  // voiceId differs in case
        Line("First", kOne, ",1,2,3,4") + Line("Second", kOne, ",1,2,3,4") +
        Line("Existing", kOne, ",9,9,9,9") +  // same name, other values: taken
        Line("Copy", kLoner, ",0,0,0,0"));    // equals the existing singer
    EXPECT_EQ(outcome.ending, ImportEnding::Finished);
    EXPECT_EQ(Fates(outcome),
              (std::vector<LineFate>{LineFate::FewerThanTwoFields, LineFate::FewerThanTwoFields,
                                     LineFate::FewerThanTwoFields, LineFate::PrimaryNotInstalled,
                                     LineFate::Taken, LineFate::Duplicate, LineFate::Taken,
                                     LineFate::Duplicate}));
    EXPECT_EQ(outcome.taken, 2);
    EXPECT_EQ(env.mySingers.size(), 3u);
}

TEST_F(ImportTest, AnEmptyNameWithFieldsIsPassedOver) {
    const auto outcome = Import("\"=" + test::Utf8(kOne) + ",1\n");
    EXPECT_EQ(Fates(outcome), std::vector<LineFate>{LineFate::EmptyName});
    EXPECT_TRUE(env.created.empty());
}

TEST_F(ImportTest, NamesThatDoNotFitTheRecordArePassedOver) {
    const std::string longest(259, 'n');
    const std::string tooLong(260, 'n');
    const std::string huge(200000, 'h');
    // 258 units and a surrogate pair: 260 units, one over.
    const std::string pairAtEnd = std::string(258, 'p') + "\xF0\x9F\x8E\xB5";
    const auto outcome =
        Import(Line(longest, kOne, ",1") + Line(tooLong, kOne, ",2") + Line(huge, kOne, ",3") +
               Line(pairAtEnd, kOne, ",4") + Line(std::string("nu\0ll", 5), kOne, ",5"));
    EXPECT_EQ(Fates(outcome),
              (std::vector<LineFate>{LineFate::Taken, LineFate::NameTooLong, LineFate::NameTooLong,
                                     LineFate::NameTooLong, LineFate::NameHasNull}));
    ASSERT_EQ(env.created.size(), 1u);
    EXPECT_EQ(std::u16string(env.created[0].name).size(), 259u);
    EXPECT_EQ(env.created[0].name[259], u'\0');
}

TEST_F(ImportTest, AVoiceNameThatDoesNotFitIsPassedOver) {
    env.voices[0].name = std::u16string(300, u'v');
    const auto outcome = Import(Line("A", kOne, ",1"));
    EXPECT_EQ(Fates(outcome), std::vector<LineFate>{LineFate::TextTooLong});
    EXPECT_TRUE(env.created.empty());
}

TEST_F(ImportTest, ADatabaseRefusalStopsTheImportAndKeepsEarlierSingers) {
    env.refuseAt = 5;
    std::string lines;
    for (int k = 1; k <= 7; ++k)
        lines += Line("S" + std::to_string(k), kOne, "," + std::to_string(k));
    const auto outcome = Import(lines);
    EXPECT_EQ(outcome.ending, ImportEnding::DatabaseRefused);
    EXPECT_EQ(ImportMessageId(outcome.ending), 7);
    EXPECT_EQ(outcome.taken, 4);
    ASSERT_EQ(outcome.lines.size(), 5u);
    EXPECT_EQ(outcome.lines.back().fate, LineFate::RefusedByDatabase);
    EXPECT_EQ(outcome.lines.back().lineNumber, 9);
    EXPECT_EQ(env.mySingers.size(), 5u);
    EXPECT_EQ(env.mySingers.back().name, u"S4");
}

TEST_F(ImportTest, ARefusalBeforeAStructuralFaultIsReportedAsTheRefusal) {
    env.refuseAt = 1;
    const auto outcome = Import(Line("A", kOne, ",1") + "[general]\n");
    EXPECT_EQ(outcome.ending, ImportEnding::DatabaseRefused);
    EXPECT_FALSE(outcome.fault);
}

TEST_F(ImportTest, AStructuralFaultAfterThreeSingersKeepsThem) {
    const auto outcome = Import(Line("A", kOne, ",1") + Line("B", kOne, ",2") +
                                Line("C", kOne, ",3") + "[MySingerList]\n" + Line("D", kOne, ",4"));
    EXPECT_EQ(outcome.ending, ImportEnding::StructuralFault);
    EXPECT_EQ(ImportMessageId(outcome.ending), 35);
    ASSERT_TRUE(outcome.fault);
    EXPECT_EQ(outcome.fault->lineNumber, 8);
    EXPECT_EQ(outcome.fault->reason, ReadFaultReason::ListRepeated);
    EXPECT_EQ(outcome.taken, 3);
    EXPECT_EQ(env.mySingers.size(), 4u);
}

TEST_F(ImportTest, FilesWithoutSingerLinesFinish) {
    for (const char* text : {"", "[general]\nversion=1\n"}) {
        const auto outcome = ImportSingers(ReadSingerFile(test::Bytes(text)), env);
        EXPECT_EQ(outcome.ending, ImportEnding::Finished);
        EXPECT_TRUE(outcome.lines.empty());
    }
}

TEST_F(ImportTest, AFileThatCannotBeReadEndsWithTheReadFailure) {
    test::ScratchFolder folder;
    const auto outcome = ImportSingerFile(folder.Path16("absent.dat"), env);
    EXPECT_EQ(outcome.ending, ImportEnding::FileUnreadable);
    EXPECT_EQ(ImportMessageId(outcome.ending), 35);
    EXPECT_EQ(ImportSingerFile(folder.Path16(""), env).ending, ImportEnding::FileUnreadable);
}

class NoExportEnvironmentGaps final : public ExportEnvironment {
public:
    std::optional<std::u16string> HostExecutablePath() const override { return u"host.exe"; }
    std::optional<std::u16string> ModulePath() const override { return u"kora4.dll"; }
    std::optional<ModuleFileVersion> ModuleVersion(const std::u16string&) const override {
        return ModuleFileVersion{4, 3, 0, 1};
    }
};

TEST_F(ImportTest, ExportThenImportPassesOverEveryDuplicate) {
    env.mySingers = {
        Entry(u"With \"partner\"", std::u16string(kOne), {1, 2, 3, 4, 77}, std::u16string(kTwo),
              {5, 6, 7, 8, 66, 9}),
        Entry(u"Solo", std::u16string(kTwo), {-127, 127, 0, 0, 1}),
        Entry(u"Ends with \\", std::u16string(kLoner), {0, 0, 0, 0, 0}),
        // No secondary singer but stored secondary values: the line's
        // secondary set stays 0, so this one comes back as a new singer.
        Entry(u"Leftovers", std::u16string(kOne), {1, 1, 1, 1, 1}, u"", {3, 0, 0, 0, 0, 0}),
    };
    test::ScratchFolder folder;
    ASSERT_EQ(
        ExportSingerFile(folder.Path16("round.dat"), env.mySingers, NoExportEnvironmentGaps()),
        ExportResult::Written);
    const auto outcome = ImportSingerFile(folder.Path16("round.dat"), env);
    EXPECT_EQ(outcome.ending, ImportEnding::Finished);
    EXPECT_EQ(Fates(outcome), (std::vector<LineFate>{LineFate::Duplicate, LineFate::Duplicate,
                                                     LineFate::Duplicate, LineFate::Taken}));
    ASSERT_EQ(env.mySingers.size(), 5u);
    EXPECT_EQ(env.mySingers[4].name, u"Leftovers");
    EXPECT_EQ(env.mySingers[4].secondaryParams, (std::array<int32_t, 6>{}));
}

TEST(IsDuplicateMySinger, ComparesVoicesAndShownValuesOnly) {
    SingerEntry entry = Entry(u"N", u"P", {1, 2, 3, 4, 5}, u"S", {6, 7, 8, 9, 10, 11});
    entry.bank = 3;
    entry.program = 4;
    const std::vector<SingerEntry> list = {entry};
    const AxVVoiceParam primary{1, 2, 3, 4, -50, -60};   // AUX and VOL ignored
    const AxVVoiceParam secondary{6, 7, 8, 9, -70, 11};  // AUX ignored
    EXPECT_TRUE(IsDuplicateMySinger(list, u"P", primary, u"S", secondary));
    EXPECT_FALSE(IsDuplicateMySinger({}, u"P", primary, u"S", secondary));
    EXPECT_FALSE(IsDuplicateMySinger(list, u"p", primary, u"S", secondary));
    EXPECT_FALSE(IsDuplicateMySinger(list, u"P", primary, u"", secondary));
    for (int k = 0; k < 4; ++k) {
        AxVVoiceParam p = primary;
        AxVVoiceParam s = secondary;
        int32_t* pv[] = {&p.BRE, &p.BRI, &p.CLE, &p.GEN};
        int32_t* sv[] = {&s.BRE, &s.BRI, &s.CLE, &s.GEN};
        ++*pv[k];
        EXPECT_FALSE(IsDuplicateMySinger(list, u"P", p, u"S", secondary)) << k;
        ++*sv[k];
        EXPECT_FALSE(IsDuplicateMySinger(list, u"P", primary, u"S", s)) << k;
    }
    AxVVoiceParam louder = secondary;
    ++louder.VOL;
    EXPECT_FALSE(IsDuplicateMySinger(list, u"P", primary, u"S", louder));
    SingerEntry none = Entry(u"M", u"P", {1, 2, 3, 4, 0});
    EXPECT_TRUE(IsDuplicateMySinger({none}, u"P", primary, u"", AxVVoiceParam{}));
}

}  // namespace
}  // namespace kora
