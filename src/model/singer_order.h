// The order of both singer lists at load.
#pragma once

#include <vector>

#include "model/records.h"

namespace kora {

// Bank ascending, then name without regard to case, then name by code unit.
// The program is no key: singers equal in bank and name keep no particular
// order.
bool SingerOrder(const SingerEntry& a, const SingerEntry& b);

void SortSingers(std::vector<SingerEntry>& singers);

}  // namespace kora
