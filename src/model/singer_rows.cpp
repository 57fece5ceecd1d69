#include "model/singer_rows.h"

#include <algorithm>
#include <string>

#include "model/text_compare.h"

namespace kora {
namespace {

// The parameter shown `offset` columns after a voice's first (BRE) column.
std::size_t ParamAt(int offset) {
    return static_cast<std::size_t>(kBRE) + static_cast<std::size_t>(offset);
}

// Longest name that numbering may produce: what the edit dialog accepts.
constexpr std::size_t kMaxCopyNameLength = 255;

std::u16string Folded(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded) c = FoldCase(c);
    return folded;
}

// "%d".
std::u16string Decimal(int32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

bool BeginsWith(std::u16string_view name, std::u16string_view prefix) {
    return name.size() >= prefix.size() && EqualsIgnoreCase(name.substr(0, prefix.size()), prefix);
}

// Visits rows from `start` to the end, then from the top to `start` when
// wrapping; the first row `matches` accepts, or -1.
template <class Matches>
int Search(int count, int start, bool wrap, Matches matches) {
    start = std::clamp(start, 0, count);
    for (int row = start; row < count; ++row) {
        if (matches(row)) return row;
    }
    if (!wrap) return -1;
    for (int row = 0; row < start; ++row) {
        if (matches(row)) return row;
    }
    return -1;
}

}  // namespace

SingerRows::SingerRows(std::vector<SingerEntry>& entries) : entries_(entries) { Reset(); }

void SingerRows::Reset() {
    states_ = {};
    foldedNames_.clear();
    for (const SingerEntry& entry : entries_) CountName(entry.name, 1);
}

void SingerRows::CountName(const std::u16string& name, int delta) {
    const auto [slot, inserted] = foldedNames_.try_emplace(Folded(name), 0);
    slot->second += delta;
    if (slot->second <= 0) foldedNames_.erase(slot);
}

int SingerRows::Insert(int row, SingerEntry entry) {
    if (row < 0) return -1;
    row = std::min(row, RowCount());
    CountName(entry.name, 1);
    entries_.insert(entries_.begin() + row, std::move(entry));
    ShiftForInsert(states_, row);
    return row;
}

bool SingerRows::Remove(int row) {
    if (!IsRow(row)) return false;
    CountName(Entry(row).name, -1);
    entries_.erase(entries_.begin() + row);
    ShiftForRemove(states_, row);
    return true;
}

bool SingerRows::Replace(int row, SingerEntry entry) {
    if (!IsRow(row)) return false;
    CountName(Entry(row).name, -1);
    CountName(entry.name, 1);
    entries_[static_cast<std::size_t>(row)] = std::move(entry);
    return true;
}

uint32_t SingerRows::ItemData(int row) const {
    return IsRow(row) ? PackPair(Entry(row).bank, Entry(row).program) : 0;
}

int SingerRows::FindName(std::u16string_view text, bool partial, int start, bool wrap) const {
    return Search(RowCount(), start, wrap, [&](int row) {
        return partial ? BeginsWith(Entry(row).name, text)
                       : EqualsIgnoreCase(Entry(row).name, text);
    });
}

int SingerRows::FindItemData(uint32_t data, int start, bool wrap) const {
    return Search(RowCount(), start, wrap, [&](int row) { return ItemData(row) == data; });
}

int SingerRows::FindPair(int32_t bank, int32_t program) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const SingerEntry& e) {
        return e.bank == bank && e.program == program;
    });
    return found == entries_.end() ? -1 : static_cast<int>(found - entries_.begin());
}

bool SingerRows::HasName(std::u16string_view name) const {
    return foldedNames_.contains(Folded(name));
}

std::u16string SingerRows::NumberedCopyName(const std::u16string& source) const {
    for (int32_t n = 2;; ++n) {
        std::u16string candidate = source + u" (" + Decimal(n) + u")";
        if (candidate.size() > kMaxCopyNameLength) return source;
        if (!HasName(candidate)) return candidate;
    }
}

std::u16string SingerRows::SingerText(const SingerEntry& singer, int column) {
    switch (column) {
        case 0:
            return singer.name;
        case 1:
            return singer.primaryName;
        case 2:
        case 3:
        case 4:
        case 5:
            return Decimal(singer.primaryParams[ParamAt(column - 2)]);
        case 6:
            return singer.secondaryName;
        case 7:
        case 8:
        case 9:
        case 10:
            return Decimal(singer.secondaryParams[ParamAt(column - 7)]);
        case 11:
            return Decimal(singer.secondaryParams[kVOL]);
        default:
            return {};
    }
}

std::u16string ActiveRows::Text(int row, int column) const {
    return IsRow(row) ? SingerText(Entry(row), column) : std::u16string();
}

bool MyRows::IsMarked(int row) const {
    return IsRow(row) && Entry(row).bank == default_.bank && Entry(row).program == default_.program;
}

std::u16string MyRows::Text(int row, int column) const {
    if (!IsRow(row)) return {};
    if (column == kMarkColumn) return IsMarked(row) ? u"*" : u"";
    return SingerText(Entry(row), column - 1);
}

}  // namespace kora
