#include "model/conversions.h"

#include <algorithm>
#include <cstring>

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

TrakParams TrakParamsFromSinger(const SingerEntry& singer) {
    return TrakParams{ToParam(singer.primaryParams.data(), singer.primaryParams.size()),
                      ToParam(singer.secondaryParams.data(), singer.secondaryParams.size())};
}

AxVVoiceLib VVoiceLibFromSinger(const SingerEntry& singer) {
    const TrakParams params = TrakParamsFromSinger(singer);
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

bool DbmInfoFromSinger(const SingerEntry& singer, DBM_VVOICE_INFO& out) {
    std::memset(&out, 0, sizeof out);
    out.bank = singer.bank;
    out.program = singer.program;
    std::copy_n(singer.primaryParams.begin(), 5, out.primaryParams);
    std::copy_n(singer.secondaryParams.begin(), 6, out.secondaryParams);
    bool fits = CopyToField(out.name, singer.name);
    fits = CopyToField(out.primaryVoiceId, singer.primaryId) && fits;
    fits = CopyToField(out.secondaryVoiceId, singer.secondaryId) && fits;
    return fits;
}

}  // namespace kora
