// The installed voices and cross-synthesis groups: catalog.json.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vbank4 {

inline constexpr std::size_t kVoiceIdLength = 16;
// Longest text that fits a 260-unit record field with its terminator.
inline constexpr std::size_t kMaxTextUnits = 259;

struct CatalogVoice {
    std::u16string voiceId;             // exactly 16 units, unique
    std::u16string name;                // display name, not empty
    int32_t bank = 0;                   // 0..127
    std::array<int32_t, 5> defaults{};  // BRE, BRI, CLE, GEN, AUX
    std::u16string extra;
};

struct CatalogGroup {
    std::u16string name;
    std::vector<std::u16string> memberIds;  // may name voices that are not installed
};

struct Catalog {
    std::vector<CatalogVoice> voices;
    std::vector<CatalogGroup> groups;

    // Exact comparison, letter case included.
    const CatalogVoice* Find(std::u16string_view voiceId) const;
};

// Throws standins::FormatError when the text is not a valid catalog.
Catalog ParseCatalog(std::string_view json);
std::string SerializeCatalog(const Catalog& catalog);

}  // namespace vbank4
