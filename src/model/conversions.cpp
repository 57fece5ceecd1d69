#include "model/conversions.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "model/text_field.h"

namespace kora {
namespace {

std::u16string TextOrEmpty(const char16_t* text) { return text == nullptr ? u"" : text; }

template <std::size_t N>
std::array<int32_t, N> ParamsOrZeros(const int32_t* values) {
    std::array<int32_t, N> params{};
    if (values != nullptr) std::copy_n(values, N, params.begin());
    return params;
}

AxVVoiceParam ToParam(const int32_t* values, std::size_t count) {
    int32_t six[6] = {};
    std::copy_n(values, std::min<std::size_t>(count, 6), six);
    return AxVVoiceParam{six[kBRE], six[kBRI], six[kCLE], six[kGEN], six[kAUX], six[kVOL]};
}

bool HasNull(std::u16string_view text) { return text.find(u'\0') != std::u16string_view::npos; }

}  // namespace

void SetShownValues(int32_t* values, const AxVVoiceParam& params, bool withVolume) {
    values[kBRE] = params.BRE;
    values[kBRI] = params.BRI;
    values[kCLE] = params.CLE;
    values[kGEN] = params.GEN;
    if (withVolume) values[kVOL] = params.VOL;
}

AxVVoiceParam ShownValues(const int32_t* values, bool withVolume) {
    return AxVVoiceParam{
        values[kBRE], values[kBRI], values[kCLE], values[kGEN], 0, withVolume ? values[kVOL] : 0};
}

SingerEntry AddedSinger(const InstalledVoiceList& voices, int32_t bank, int32_t program,
                        const std::u16string& name, const std::u16string& primaryId,
                        const std::u16string& secondaryId, const AxVVoiceParam& primary,
                        const AxVVoiceParam& secondary) {
    SingerEntry entry;
    entry.bank = bank;
    entry.program = program;
    entry.name = name;
    entry.primaryId = primaryId;
    entry.primaryName = InstalledVoiceName(voices, primaryId);
    entry.primaryParams = {primary.BRE, primary.BRI, primary.CLE, primary.GEN, primary.AUX};
    entry.secondaryId = secondaryId;
    entry.secondaryName = InstalledVoiceName(voices, secondaryId);
    entry.secondaryParams = {secondary.BRE, secondary.BRI, secondary.CLE,
                             secondary.GEN, secondary.AUX, secondary.VOL};
    entry.state = kStateAdded;
    return entry;
}

SingerEntry SingerFromDbmInfo(const DBM_VVOICE_INFO& info, const InstalledVoiceList& voices) {
    SingerEntry singer;
    singer.bank = info.bank;
    singer.program = info.program;
    singer.name = ReadField(info.name);
    singer.primaryId = ReadField(info.primaryVoiceId);
    singer.primaryName = ReadField(info.primaryName);
    std::copy_n(info.primaryParams, singer.primaryParams.size(), singer.primaryParams.begin());
    singer.secondaryId = ReadField(info.secondaryVoiceId);
    singer.secondaryName = InstalledVoiceName(voices, singer.secondaryId);
    std::copy_n(info.secondaryParams, singer.secondaryParams.size(),
                singer.secondaryParams.begin());
    singer.state = kStateLoaded;
    return singer;
}

std::optional<SingerEntry> SingerFromVVoice(const IAxVVoice& voice,
                                            const InstalledVoiceList& voices) {
    SingerEntry singer;
    singer.primaryId = TextOrEmpty(voice.GetPrimaryVoiceId());
    const InstalledVoice* primary = FindInstalledVoice(voices, singer.primaryId);
    if (primary == nullptr) return std::nullopt;
    singer.bank = voice.GetBank();
    singer.program = voice.GetProgram();
    singer.name = TextOrEmpty(voice.GetName());
    singer.primaryName = primary->name;
    singer.primaryParams = ParamsOrZeros<5>(voice.GetPrimaryParams());
    singer.secondaryId = TextOrEmpty(voice.GetSecondaryVoiceId());
    singer.secondaryName = InstalledVoiceName(voices, singer.secondaryId);
    singer.secondaryParams = ParamsOrZeros<6>(voice.GetSecondaryParams());
    singer.state = kStateLoaded;
    return singer;
}

SingerParams ParamsOf(const SingerEntry& singer) {
    return SingerParams{ToParam(singer.primaryParams.data(), singer.primaryParams.size()),
                        ToParam(singer.secondaryParams.data(), singer.secondaryParams.size())};
}

SingerParams ParamsOf(const DBM_VVOICE_INFO& info) {
    return SingerParams{ToParam(info.primaryParams, std::size(info.primaryParams)),
                        ToParam(info.secondaryParams, std::size(info.secondaryParams))};
}

AxVVoiceLib VVoiceLibFromSinger(const SingerEntry& singer) {
    const SingerParams params = ParamsOf(singer);
    AxVVoiceLib lib;
    lib.bank = singer.bank;
    lib.program = singer.program;
    lib.primaryId = singer.primaryId;
    lib.secondaryId = singer.secondaryId;
    lib.name = singer.name;
    lib.primary = params.primary;
    lib.secondary = params.secondary;
    return lib;
}

RecordFill FillDbmRecord(DBM_VVOICE_INFO& record, const SingerRecordSource& source, LongName rule) {
    std::memset(&record, 0, sizeof record);
    const bool refuse = rule == LongName::Refuse;
    if (refuse && HasNull(source.name)) return RecordFill::NameHasNull;
    if (!CopyToField(record.name, source.name) && refuse) return RecordFill::NameTooLong;
    if (refuse &&
        (HasNull(source.primaryName) || HasNull(source.primaryId) || HasNull(source.secondaryId))) {
        return RecordFill::TextTooLong;
    }
    if (!CopyToField(record.primaryName, source.primaryName) ||
        !CopyToField(record.primaryVoiceId, source.primaryId) ||
        !CopyToField(record.secondaryVoiceId, source.secondaryId)) {
        return RecordFill::TextTooLong;
    }
    record.bank = source.bank;
    record.program = source.program;
    const AxVVoiceParam& p = source.params.primary;
    const AxVVoiceParam& s = source.params.secondary;
    const int32_t primary[] = {p.BRE, p.BRI, p.CLE, p.GEN, p.AUX};
    const int32_t secondary[] = {s.BRE, s.BRI, s.CLE, s.GEN, s.AUX, s.VOL};
    std::copy_n(primary, std::size(primary), record.primaryParams);
    std::copy_n(secondary, std::size(secondary), record.secondaryParams);
    return RecordFill::Filled;
}

}  // namespace kora
