// Singers from and to the database's record, the sequence's voices and sets.
#include "model/conversions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "model/text_field.h"

namespace kora {
namespace {

using P5 = std::array<int32_t, 5>;
using P6 = std::array<int32_t, 6>;

const InstalledVoiceList kVoices{{0, u"Alto", {1, 2, 3, 4, 5}, u"VoiceAltoABCDEF0"},
                                 {1, u"Bass", {6, 7, 8, 9, 10}, u"VoiceBassABCDEF1"}};

P6 Values(const AxVVoiceParam& p) { return {p.BRE, p.BRI, p.CLE, p.GEN, p.AUX, p.VOL}; }

auto Fields(const SingerEntry& s) {
    return std::tuple(s.bank, s.program, s.name, s.primaryId, s.primaryName, s.primaryParams,
                      s.secondaryId, s.secondaryName, s.secondaryParams, s.state);
}

// The record as the database lays it out: little-endian, by byte offset.
struct RecordImage {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(2132, 0);
    void Put(std::size_t offset, std::initializer_list<int32_t> values, int size = 4) {
        for (const int32_t value : values) {
            for (int i = 0; i < size; ++i)
                bytes[offset++] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
        }
    }
    void PutText(std::size_t offset, std::u16string_view text) {
        for (const char16_t c : text) Put(offset, {c}, 2), offset += 2;
    }
    SingerEntry Singer() const {
        DBM_VVOICE_INFO info;
        static_assert(sizeof info == 2132);
        std::memcpy(&info, bytes.data(), sizeof info);
        return SingerFromDbmInfo(info, kVoices);
    }
};

TEST(SingerFromDbmInfo, ReadsEveryFieldAtItsOffset) {
    RecordImage image;
    image.Put(0, {7, 42, -10, -11, -12, -13, -14});
    image.PutText(28, u"Alto display");
    image.PutText(548, u"My singer");
    image.PutText(1068, u"VoiceAltoABCDEF0");
    image.Put(2108, {100, 101, 102, 103, 104, 105});
    EXPECT_EQ(image.Singer().secondaryName, u"-");  // no secondary voice
    image.PutText(1588, u"GoneVoice0000000");
    EXPECT_EQ(image.Singer().secondaryName, u"-");  // not installed
    image.PutText(1588, u"voicebassabcdef1");
    // The record's primary name, not looked up; the secondary one looked up
    // without regard to case.
    EXPECT_EQ(Fields(image.Singer()),
              std::tuple(7, 42, u"My singer", u"VoiceAltoABCDEF0", u"Alto display",
                         P5{-10, -11, -12, -13, -14}, u"voicebassabcdef1", u"Bass",
                         P6{100, 101, 102, 103, 104, 105}, kStateLoaded));
    std::fill(image.bytes.begin() + 548, image.bytes.begin() + 1068, 0x41);  // unterminated
    image.PutText(1068, std::u16string(u"Next\0", 5));
    EXPECT_EQ(image.Singer().name, std::u16string(260, u'\u4141'));
    EXPECT_EQ(image.Singer().primaryId, u"Next");
}

SingerEntry Mix() {
    SingerEntry s;
    s.bank = 3;
    s.program = 9;
    s.name = u"Mix";
    s.primaryId = u"VoiceAltoABCDEF0";
    s.primaryParams = {1, -2, 3, -4, 5};
    s.secondaryId = u"VoiceBassABCDEF1";
    s.secondaryParams = {-6, 7, -8, 9, -10, 11};
    return s;
}

TEST(Conversions, SetsForTheSequenceAndTheDatabaseRecord) {
    const SingerParams params = ParamsOf(Mix());
    EXPECT_EQ(Values(params.primary), (P6{1, -2, 3, -4, 5, 0}));  // no primary volume
    EXPECT_EQ(Values(params.secondary), (P6{-6, 7, -8, 9, -10, 11}));
    const AxVVoiceLib lib = VVoiceLibFromSinger(Mix());
    EXPECT_EQ(std::tuple(lib.bank, lib.program, lib.primaryId, lib.secondaryId, lib.name,
                         Values(lib.primary), Values(lib.secondary)),
              std::tuple(3, 9, u"VoiceAltoABCDEF0", u"VoiceBassABCDEF1", u"Mix",
                         P6{1, -2, 3, -4, 5, 0}, P6{-6, 7, -8, 9, -10, 11}));

    DBM_VVOICE_INFO info;
    std::memset(&info, 0xAB, sizeof info);
    const SingerEntry mix = Mix();
    SingerRecordSource source{mix.bank, mix.program,     mix.name,     mix.primaryId,
                              u"",      mix.secondaryId, ParamsOf(mix)};
    EXPECT_EQ(FillDbmRecord(info, source, LongName::Refuse), RecordFill::Filled);
    EXPECT_EQ(info.primaryName[259], u'\0');
    EXPECT_EQ(info.name[100], u'\0');  // zero-filled
    SingerEntry back = Mix();
    back.secondaryName = u"Bass";
    EXPECT_EQ(Fields(SingerFromDbmInfo(info, kVoices)), Fields(back));
    EXPECT_EQ(Values(ParamsOf(info).primary), (P6{1, -2, 3, -4, 5, 0}));

    // A long name is cut or refused as the caller chooses; a voice id never is cut.
    const std::u16string longName(400, u'n');
    source.name = longName;
    EXPECT_EQ(FillDbmRecord(info, source, LongName::Refuse), RecordFill::NameTooLong);
    EXPECT_EQ(FillDbmRecord(info, source, LongName::Cut), RecordFill::Filled);
    EXPECT_EQ(ReadField(info.name), std::u16string(259, u'n'));
    EXPECT_EQ(ReadField(info.primaryVoiceId), u"VoiceAltoABCDEF0");  // the next field is intact
    source.name = std::u16string_view(u"N\0ull", 5);
    EXPECT_EQ(FillDbmRecord(info, source, LongName::Refuse), RecordFill::NameHasNull);
    source.name = u"Mix";
    source.secondaryId = longName;
    EXPECT_EQ(FillDbmRecord(info, source, LongName::Cut), RecordFill::TextTooLong);

    const SingerEntry added =
        AddedSinger(kVoices, 2, 40, u"Mine", u"voicealtoabcdef0", u"GoneVoice0000000",
                    {1, -2, 3, -4, 5, 99}, {1, -2, 3, -4, 5, -6});
    EXPECT_EQ(Fields(added),
              std::tuple(2, 40, u"Mine", u"voicealtoabcdef0", u"Alto", P5{1, -2, 3, -4, 5},
                         u"GoneVoice0000000", u"-", P6{1, -2, 3, -4, 5, -6}, kStateAdded));
}

}  // namespace
}  // namespace kora
