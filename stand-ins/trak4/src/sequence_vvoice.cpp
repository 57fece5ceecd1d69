#include "trak4/sequence_vvoice.h"

namespace trak4 {

void SequenceVVoice::Assign(const SequenceVoice& voice) {
    voice_ = voice;
    const AxVVoiceParam& p = voice.primary;
    const AxVVoiceParam& s = voice.secondary;
    primary_ = {p.BRE, p.BRI, p.CLE, p.GEN, p.AUX, p.VOL};
    secondary_ = {s.BRE, s.BRI, s.CLE, s.GEN, s.AUX, s.VOL};
}

}  // namespace trak4
