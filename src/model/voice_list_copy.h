// An owned deep copy of the database's installed-voice list, handed to the
// singer edit dialog; it stays valid however the database's list changes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "kora4/vbank4.h"

namespace kora {

struct VoiceListItem {
    std::u16string_view extra;
    std::u16string_view name;
    int32_t bank = 0;
    std::u16string_view voiceId;
};

class VoiceListCopy {
public:
    // An empty list: no entries, only the end marker.
    VoiceListCopy();
    // Copies the entries from the start up to the first one without `extra`.
    // The copy also ends at the list's end marker (an entry without a name)
    // and after `count` entries, so a malformed list is never read past
    // either. A missing voiceId is copied as an empty text. Null: empty.
    explicit VoiceListCopy(const DbmVoiceList* source);

    VoiceListCopy(VoiceListCopy&&) noexcept = default;
    VoiceListCopy& operator=(VoiceListCopy&&) noexcept = default;
    VoiceListCopy(const VoiceListCopy&) = delete;
    VoiceListCopy& operator=(const VoiceListCopy&) = delete;
    ~VoiceListCopy() = default;

    // A moved-from copy is empty.
    int32_t Count() const;

    // Entry `index`, or nothing unless 0 <= index < Count().
    std::optional<VoiceListItem> Entry(int32_t index) const;

    // Count() + 1 entries in the database's layout, texts in the copy's own
    // storage; the last one is all null and 0.
    const DbmVoiceEntry* Entries() const;

    // The order in which the edit dialog offers voices: bank ascending, then
    // name without regard to case, then name by code unit.
    void SortForDisplay();

private:
    std::unique_ptr<char16_t[]> texts_;  // every text, each null-terminated
    std::vector<DbmVoiceEntry> entries_;
};

}  // namespace kora
