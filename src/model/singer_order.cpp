#include "model/singer_order.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <string>
#include <utility>

#include "model/text_compare.h"

namespace kora {

bool SingerOrder(const SingerEntry& a, const SingerEntry& b) {
    if (a.bank != b.bank) return a.bank < b.bank;
    return CompareNames(a.name, b.name) < 0;
}

// SingerOrder with each name folded once rather than at every comparison,
// and row numbers moved rather than whole entries: the same comparisons in
// the same order, so the same permutation as sorting the entries with it.
void SortSingers(std::vector<SingerEntry>& singers) {
    std::vector<std::u16string> folded;
    folded.reserve(singers.size());
    for (const SingerEntry& singer : singers) {
        std::u16string key(singer.name);
        for (char16_t& c : key) c = FoldCase(c);
        folded.push_back(std::move(key));
    }
    std::vector<std::size_t> order(singers.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t i, std::size_t j) {
        if (singers[i].bank != singers[j].bank) return singers[i].bank < singers[j].bank;
        if (const int c = folded[i].compare(folded[j]); c != 0) return c < 0;
        return singers[i].name.compare(singers[j].name) < 0;
    });
    std::vector<SingerEntry> sorted;
    sorted.reserve(singers.size());
    for (const std::size_t row : order) sorted.push_back(std::move(singers[row]));
    singers.swap(sorted);
}

}  // namespace kora
