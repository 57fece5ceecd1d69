// Conversions of singers between the editor's records, the voice database's
// record and the sequence manager's voice objects and parameter sets.
#pragma once

#include <optional>
#include <string_view>

#include "kora4/trak4.h"
#include "kora4/vbank4.h"
#include "model/records.h"
#include "model/voice_lookup.h"

namespace kora {

// A My singer as the database gives it. The texts are read only up to the
// end of their fields; secondaryName is looked up in `voices`.
SingerEntry SingerFromDbmInfo(const DBM_VVOICE_INFO& info, const InstalledVoiceList& voices);

// A singer just added to either list: both names looked up in `voices`
// (without regard to case), the parameter sets as given.
SingerEntry AddedSinger(const InstalledVoiceList& voices, int32_t bank, int32_t program,
                        const std::u16string& name, const std::u16string& primaryId,
                        const std::u16string& secondaryId, const AxVVoiceParam& primary,
                        const AxVVoiceParam& secondary);

// An Active singer as the sequence gives it; nothing when its primary voice
// is not installed (exact id), since such a voice is not loaded at all. A
// null text reads as empty and a null parameter set as zeros.
std::optional<SingerEntry> SingerFromVVoice(const IAxVVoice& voice,
                                            const InstalledVoiceList& voices);

// A singer's two parameter sets as the sequence manager and the database
// record take them: the primary set ends with a VOL of 0.
struct SingerParams {
    AxVVoiceParam primary;
    AxVVoiceParam secondary;
};
SingerParams ParamsOf(const SingerEntry& singer);
SingerParams ParamsOf(const DBM_VVOICE_INFO& info);

AxVVoiceLib VVoiceLibFromSinger(const SingerEntry& singer);

// The values the singer edit dialog shows and sets: BRE, BRI, CLE and GEN,
// and VOL of the secondary set. AUX and the primary VOL are never shown, so
// SetShownValues leaves them and ShownValues gives them as 0.
void SetShownValues(int32_t* values, const AxVVoiceParam& params, bool withVolume);
AxVVoiceParam ShownValues(const int32_t* values, bool withVolume);

// What a database record for one singer is made of.
struct SingerRecordSource {
    int32_t bank = 0;
    int32_t program = 0;
    std::u16string_view name;
    std::u16string_view primaryId;
    std::u16string_view primaryName;  // the primary voice's display name; may stay empty
    std::u16string_view secondaryId;
    SingerParams params;  // BRE..AUX of the primary set, all six of the secondary
};

// What a caller does with a name longer than the record holds: keep as much
// as fits (a cut name still names the singer), or refuse the record.
enum class LongName { Cut, Refuse };

enum class RecordFill { Filled, NameTooLong, NameHasNull, TextTooLong };

// Fills `record`, zeroed first, from `source`; no text runs past its field.
// A voice id or display name that does not fit would name another voice, so
// it is refused (TextTooLong) under either rule. LongName::Cut cuts a long
// name, never inside a surrogate pair. LongName::Refuse refuses it
// (NameTooLong), and also refuses a null unit in any text, which would end
// that text early in the record (NameHasNull for the name, else
// TextTooLong). A record that is not Filled must not be used.
RecordFill FillDbmRecord(DBM_VVOICE_INFO& record, const SingerRecordSource& source, LongName rule);

}  // namespace kora
