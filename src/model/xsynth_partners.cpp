#include "model/xsynth_partners.h"

#include <algorithm>

namespace kora {

std::set<std::u16string> CollectXSynthPartners(const XSynthGroupList& groups,
                                               const std::u16string& voiceId) {
    std::set<std::u16string> partners;
    for (const XSynthGroup& group : groups) {
        const auto& members = group.memberIds;
        if (std::find(members.begin(), members.end(), voiceId) != members.end()) {
            partners.insert(members.begin(), members.end());
        }
    }
    partners.erase(voiceId);
    return partners;
}

}  // namespace kora
