// Conversions of singers between the editor's records, the voice database's
// record and the sequence manager's voice objects and parameter sets.
#pragma once

#include <optional>

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

// The two parameter sets the sequence manager takes for a singer: the
// primary set ends with a VOL of 0.
struct TrakParams {
    AxVVoiceParam primary;
    AxVVoiceParam secondary;
};
TrakParams TrakParamsFromSinger(const SingerEntry& singer);

AxVVoiceLib VVoiceLibFromSinger(const SingerEntry& singer);

// The values the singer edit dialog shows and sets: BRE, BRI, CLE and GEN,
// and VOL of the secondary set. AUX and the primary VOL are never shown, so
// SetShownValues leaves them and ShownValues gives them as 0.
void SetShownValues(int32_t* values, const AxVVoiceParam& params, bool withVolume);
AxVVoiceParam ShownValues(const int32_t* values, bool withVolume);

// The database record for a singer: zero-filled, then the pair, both
// parameter sets, the name and both voiceIds; the primary display name
// stays empty. No text runs past its field: a text that does not fit is cut
// and the result is false, so the caller can refuse or accept the cut.
bool DbmInfoFromSinger(const SingerEntry& singer, DBM_VVOICE_INFO& out);

}  // namespace kora
