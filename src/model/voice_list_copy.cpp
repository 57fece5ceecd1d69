#include "model/voice_list_copy.h"

#include <algorithm>
#include <string>

#include "model/text_compare.h"

namespace kora {
namespace {

constexpr DbmVoiceEntry kEndMarker{nullptr, nullptr, nullptr, 0};

std::size_t Length(const char16_t* text) {
    return text == nullptr ? 0 : std::char_traits<char16_t>::length(text);
}

std::size_t CopiedEntryCount(const DbmVoiceList& source) {
    if (source.entries == nullptr || source.count <= 0) return 0;
    const auto limit = static_cast<std::size_t>(source.count);
    std::size_t n = 0;
    while (n < limit && source.entries[n].extra != nullptr && source.entries[n].name != nullptr) {
        ++n;
    }
    return n;
}

// Copies `text` (null: empty) to `cursor`, terminated; returns the copy.
const char16_t* Store(const char16_t* text, char16_t*& cursor) {
    const std::size_t length = Length(text);
    const char16_t* stored = cursor;
    std::copy_n(text == nullptr ? u"" : text, length, cursor);
    cursor[length] = u'\0';
    cursor += length + 1;
    return stored;
}

}  // namespace

VoiceListCopy::VoiceListCopy() : entries_{kEndMarker} {}

VoiceListCopy::VoiceListCopy(const DbmVoiceList* source) {
    const std::size_t count = source == nullptr ? 0 : CopiedEntryCount(*source);
    std::size_t units = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const DbmVoiceEntry& e = source->entries[i];
        units += Length(e.extra) + Length(e.voiceId) + Length(e.name) + 3;
    }
    texts_ = std::make_unique<char16_t[]>(units == 0 ? 1 : units);
    entries_.reserve(count + 1);
    char16_t* cursor = texts_.get();
    for (std::size_t i = 0; i < count; ++i) {
        const DbmVoiceEntry& e = source->entries[i];
        DbmVoiceEntry copy{};
        copy.extra = Store(e.extra, cursor);
        copy.voiceId = Store(e.voiceId, cursor);
        copy.name = Store(e.name, cursor);
        copy.bank = e.bank;
        entries_.push_back(copy);
    }
    entries_.push_back(kEndMarker);
}

int32_t VoiceListCopy::Count() const {
    return entries_.empty() ? 0 : static_cast<int32_t>(entries_.size() - 1);
}

const DbmVoiceEntry* VoiceListCopy::Entries() const {
    return entries_.empty() ? &kEndMarker : entries_.data();
}

std::optional<VoiceListItem> VoiceListCopy::Entry(int32_t index) const {
    if (index < 0 || index >= Count()) return std::nullopt;
    const DbmVoiceEntry& e = entries_[static_cast<std::size_t>(index)];
    return VoiceListItem{e.extra, e.name, e.bank, e.voiceId};
}

void VoiceListCopy::SortForDisplay() {
    if (entries_.size() < 2) return;
    std::sort(entries_.begin(), entries_.end() - 1,
              [](const DbmVoiceEntry& a, const DbmVoiceEntry& b) {
                  if (a.bank != b.bank) return a.bank < b.bank;
                  return CompareNames(a.name, b.name) < 0;
              });
}

}  // namespace kora
