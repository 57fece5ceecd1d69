// Which installed voices may be blended with a given one.
#pragma once

#include <set>
#include <string>

#include "kora4/vbank4.h"

namespace kora {

// Every member of every group that lists `voiceId` (compared exactly),
// without repeats and without `voiceId` itself. A voice in no group has no
// partners.
std::set<std::u16string> CollectXSynthPartners(const XSynthGroupList& groups,
                                               const std::u16string& voiceId);

}  // namespace kora
