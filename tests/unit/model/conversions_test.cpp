#include "model/conversions.h"

#include "model/text_field.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace kora {
namespace {

const InstalledVoiceList kVoices{
    {0, u"Alto", {1, 2, 3, 4, 5}, u"VoiceAltoABCDEF0"},
    {1, u"Bass", {6, 7, 8, 9, 10}, u"VoiceBassABCDEF1"},
};

// The record as the database lays it out: little-endian, by byte offset.
class RecordImage {
public:
    RecordImage() : bytes_(2132, 0) {}
    void PutInt(std::size_t offset, int32_t value) {
        const auto u = static_cast<uint32_t>(value);
        for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<uint8_t>(u >> (8 * i));
    }
    void PutText(std::size_t offset, std::u16string_view text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            bytes_[offset + 2 * i] = static_cast<uint8_t>(text[i] & 0xFF);
            bytes_[offset + 2 * i + 1] = static_cast<uint8_t>(text[i] >> 8);
        }
    }
    void Fill(std::size_t offset, std::size_t size, uint8_t value) {
        std::memset(bytes_.data() + offset, value, size);
    }
    DBM_VVOICE_INFO Record() const {
        DBM_VVOICE_INFO info;
        static_assert(sizeof info == 2132);
        std::memcpy(&info, bytes_.data(), sizeof info);
        return info;
    }

private:
    std::vector<uint8_t> bytes_;
};

TEST(SingerFromDbmInfo, ReadsEveryFieldAtItsOffset) {
    RecordImage image;
    image.PutInt(0, 7);
    image.PutInt(4, 42);
    for (int i = 0; i < 5; ++i) image.PutInt(8 + 4 * i, -10 - i);
    image.PutText(28, u"Alto display");
    image.PutText(548, u"My singer");
    image.PutText(1068, u"VoiceAltoABCDEF0");
    image.PutText(1588, u"voicebassabcdef1");
    for (int i = 0; i < 6; ++i) image.PutInt(2108 + 4 * i, 100 + i);

    const SingerEntry s = SingerFromDbmInfo(image.Record(), kVoices);
    EXPECT_EQ(s.bank, 7);
    EXPECT_EQ(s.program, 42);
    EXPECT_EQ(s.primaryParams, (std::array<int32_t, 5>{-10, -11, -12, -13, -14}));
    EXPECT_EQ(s.primaryName, u"Alto display");  // the record's, not looked up
    EXPECT_EQ(s.name, u"My singer");
    EXPECT_EQ(s.primaryId, u"VoiceAltoABCDEF0");
    EXPECT_EQ(s.secondaryId, u"voicebassabcdef1");
    EXPECT_EQ(s.secondaryName, u"Bass");  // looked up without regard to case
    EXPECT_EQ(s.secondaryParams, (std::array<int32_t, 6>{100, 101, 102, 103, 104, 105}));
    EXPECT_EQ(s.state, kStateLoaded);
}

TEST(SingerFromDbmInfo, SecondaryNameIsDashWhenNoneOrNotInstalled) {
    RecordImage image;
    image.PutText(1068, u"VoiceAltoABCDEF0");
    SingerEntry s = SingerFromDbmInfo(image.Record(), kVoices);
    EXPECT_EQ(s.secondaryId, u"");
    EXPECT_EQ(s.secondaryName, u"-");

    image.PutText(1588, u"GoneVoice0000000");
    s = SingerFromDbmInfo(image.Record(), kVoices);
    EXPECT_EQ(s.secondaryId, u"GoneVoice0000000");
    EXPECT_EQ(s.secondaryName, u"-");
}

TEST(SingerFromDbmInfo, UnterminatedTextStopsAtItsField) {
    RecordImage image;
    image.Fill(548, 520, 0x41);    // the name: 260 units of U+4141, no terminator
    image.PutText(1068, u"Next");  // the following field must not run into it
    const SingerEntry s = SingerFromDbmInfo(image.Record(), kVoices);
    EXPECT_EQ(s.name, std::u16string(260, u'\u4141'));
    EXPECT_EQ(s.primaryId, u"Next");
}

SingerEntry SampleSinger() {
    SingerEntry s;
    s.bank = 3;
    s.program = 9;
    s.name = u"Mix";
    s.primaryId = u"VoiceAltoABCDEF0";
    s.primaryName = u"Alto";
    s.primaryParams = {1, -2, 3, -4, 5};
    s.secondaryId = u"VoiceBassABCDEF1";
    s.secondaryName = u"Bass";
    s.secondaryParams = {-6, 7, -8, 9, -10, 11};
    s.state = kStateAdded;
    return s;
}

void ExpectParams(const AxVVoiceParam& p, std::array<int32_t, 6> v) {
    EXPECT_EQ((std::array<int32_t, 6>{p.BRE, p.BRI, p.CLE, p.GEN, p.AUX, p.VOL}), v);
}

TEST(TrakParams, PrimarySetEndsWithZeroVolume) {
    const TrakParams params = TrakParamsFromSinger(SampleSinger());
    ExpectParams(params.primary, {1, -2, 3, -4, 5, 0});
    ExpectParams(params.secondary, {-6, 7, -8, 9, -10, 11});
}

TEST(VVoiceLib, CarriesPairIdsNameAndBothSets) {
    const AxVVoiceLib lib = VVoiceLibFromSinger(SampleSinger());
    EXPECT_EQ(lib.bank, 3);
    EXPECT_EQ(lib.program, 9);
    EXPECT_EQ(lib.primaryId, u"VoiceAltoABCDEF0");
    EXPECT_EQ(lib.secondaryId, u"VoiceBassABCDEF1");
    EXPECT_EQ(lib.name, u"Mix");
    ExpectParams(lib.primary, {1, -2, 3, -4, 5, 0});
    ExpectParams(lib.secondary, {-6, 7, -8, 9, -10, 11});
}

TEST(DbmInfoFromSinger, ZeroFilledRecordWithoutPrimaryDisplayName) {
    DBM_VVOICE_INFO info;
    std::memset(&info, 0xAB, sizeof info);
    EXPECT_TRUE(DbmInfoFromSinger(SampleSinger(), info));
    EXPECT_EQ(info.bank, 3);
    EXPECT_EQ(info.program, 9);
    EXPECT_EQ(info.primaryParams[4], 5);
    EXPECT_EQ(info.secondaryParams[5], 11);
    EXPECT_EQ(ReadField(info.primaryName), u"");
    EXPECT_EQ(info.primaryName[259], u'\0');
    EXPECT_EQ(ReadField(info.name), u"Mix");
    EXPECT_EQ(info.name[100], u'\0');
    EXPECT_EQ(ReadField(info.primaryVoiceId), u"VoiceAltoABCDEF0");
    EXPECT_EQ(ReadField(info.secondaryVoiceId), u"VoiceBassABCDEF1");
    // Round trip through the database's record.
    const SingerEntry back = SingerFromDbmInfo(info, kVoices);
    EXPECT_EQ(back.name, u"Mix");
    EXPECT_EQ(back.primaryParams, SampleSinger().primaryParams);
    EXPECT_EQ(back.secondaryParams, SampleSinger().secondaryParams);
}

TEST(DbmInfoFromSinger, OverLongNameIsCutAtItsFieldAndReported) {
    SingerEntry s = SampleSinger();
    s.name.assign(400, u'n');
    DBM_VVOICE_INFO info;
    EXPECT_FALSE(DbmInfoFromSinger(s, info));
    EXPECT_EQ(ReadField(info.name), std::u16string(259, u'n'));
    EXPECT_EQ(ReadField(info.primaryVoiceId), u"VoiceAltoABCDEF0");  // the next field is intact
}

// A voice object of the sequence with fixed answers.
class FakeVVoice final : public IAxVVoice {
public:
    int32_t Reserved0() const override { return 0; }
    int32_t Reserved1() const override { return 0; }
    int32_t Reserved2() const override { return 0; }
    int32_t Reserved3() const override { return 0; }
    int32_t Reserved4() const override { return 0; }
    int32_t GetBank() const override { return bank; }
    int32_t GetProgram() const override { return program; }
    const char16_t* GetPrimaryVoiceId() const override { return primaryId; }
    const char16_t* GetSecondaryVoiceId() const override { return secondaryId; }
    const char16_t* GetName() const override { return name; }
    const int32_t* GetPrimaryParams() const override { return primary; }
    const int32_t* GetSecondaryParams() const override { return secondary; }

    int32_t bank = 5;
    int32_t program = 6;
    const char16_t* primaryId = u"VoiceAltoABCDEF0";
    const char16_t* secondaryId = u"VOICEBASSABCDEF1";
    const char16_t* name = u"Active one";
    const int32_t* primary = kPrimary;
    const int32_t* secondary = kSecondary;

    static constexpr int32_t kPrimary[5] = {10, 20, 30, 40, 50};
    static constexpr int32_t kSecondary[6] = {-1, -2, -3, -4, -5, -6};
};

TEST(AddedSinger, LooksUpBothNamesAndTakesTheSetsAsGiven) {
    AxVVoiceParam primary{};
    primary.BRE = 1;
    primary.BRI = -2;
    primary.CLE = 3;
    primary.GEN = -4;
    primary.AUX = 5;
    primary.VOL = 99;  // the primary set has no volume of its own
    AxVVoiceParam secondary = primary;
    secondary.VOL = -6;
    const SingerEntry s = AddedSinger(kVoices, 2, 40, u"Mine", u"voicealtoabcdef0",
                                      u"GoneVoice0000000", primary, secondary);
    EXPECT_EQ(s.bank, 2);
    EXPECT_EQ(s.program, 40);
    EXPECT_EQ(s.name, u"Mine");
    EXPECT_EQ(s.primaryId, u"voicealtoabcdef0");
    EXPECT_EQ(s.primaryName, u"Alto");
    EXPECT_EQ(s.secondaryName, u"-");
    EXPECT_EQ(s.primaryParams, (std::array<int32_t, 5>{1, -2, 3, -4, 5}));
    EXPECT_EQ(s.secondaryParams, (std::array<int32_t, 6>{1, -2, 3, -4, 5, -6}));
    EXPECT_EQ(s.state, kStateAdded);
}

TEST(SingerFromVVoice, TakesWhatTheVoiceGivesAndNamesFromInstalledVoices) {
    const FakeVVoice voice;
    const auto s = SingerFromVVoice(voice, kVoices);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->bank, 5);
    EXPECT_EQ(s->program, 6);
    EXPECT_EQ(s->name, u"Active one");
    EXPECT_EQ(s->primaryId, u"VoiceAltoABCDEF0");
    EXPECT_EQ(s->primaryName, u"Alto");
    EXPECT_EQ(s->primaryParams, (std::array<int32_t, 5>{10, 20, 30, 40, 50}));
    EXPECT_EQ(s->secondaryId, u"VOICEBASSABCDEF1");
    EXPECT_EQ(s->secondaryName, u"Bass");
    EXPECT_EQ(s->secondaryParams, (std::array<int32_t, 6>{-1, -2, -3, -4, -5, -6}));
    EXPECT_EQ(s->state, kStateLoaded);
}

TEST(SingerFromVVoice, PrimaryVoiceMustBeInstalledWithItsExactId) {
    FakeVVoice voice;
    voice.primaryId = u"VOICEALTOABCDEF0";
    EXPECT_FALSE(SingerFromVVoice(voice, kVoices).has_value());
    voice.primaryId = u"NotInstalled0000";
    EXPECT_FALSE(SingerFromVVoice(voice, kVoices).has_value());
    voice.primaryId = nullptr;
    EXPECT_FALSE(SingerFromVVoice(voice, kVoices).has_value());
}

TEST(SingerFromVVoice, NullTextsAndSetsReadAsEmptyAndZero) {
    FakeVVoice voice;
    voice.secondaryId = nullptr;
    voice.name = nullptr;
    voice.primary = nullptr;
    voice.secondary = nullptr;
    const auto s = SingerFromVVoice(voice, kVoices);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->name, u"");
    EXPECT_EQ(s->secondaryId, u"");
    EXPECT_EQ(s->secondaryName, u"-");
    EXPECT_EQ(s->primaryParams, (std::array<int32_t, 5>{}));
    EXPECT_EQ(s->secondaryParams, (std::array<int32_t, 6>{}));
}

}  // namespace
}  // namespace kora
