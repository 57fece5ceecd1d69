#include "model/singer_order.h"

#include <algorithm>

#include "model/text_compare.h"

namespace kora {

bool SingerOrder(const SingerEntry& a, const SingerEntry& b) {
    if (a.bank != b.bank) return a.bank < b.bank;
    return CompareNames(a.name, b.name) < 0;
}

void SortSingers(std::vector<SingerEntry>& singers) {
    std::sort(singers.begin(), singers.end(), SingerOrder);
}

}  // namespace kora
