// What the singer edit dialog asks of the dialog it is opened over: the
// defaults of an installed voice and the voices it may be blended with. The
// edit dialog finds it by casting its owner window to this interface.
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string>

namespace kora::dialogs {

class SingerDlgOwner {
public:
    // The five defaults (BRE, BRI, CLE, GEN, AUX) of the first installed
    // voice whose id equals `voiceId` exactly; false when none does.
    virtual bool FindVoiceDefaults(const std::u16string& voiceId,
                                   std::array<int32_t, 5>& defaults) const = 0;
    // Empties `partners`, then fills it with every member of every
    // cross-synthesis group that lists `voiceId` (exactly), but `voiceId`.
    virtual void CollectXSynthPartners(const std::u16string& voiceId,
                                       std::set<std::u16string>& partners) const = 0;

protected:
    ~SingerDlgOwner() = default;
};

}  // namespace kora::dialogs
