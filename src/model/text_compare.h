// Letter-case rules for UTF-16 texts: the one place that decides what
// "without regard to case" means for names and voice ids.
//
// Folding is simple (one code unit to one code unit) and maps to lower case,
// as the platform's case-insensitive comparison does: ASCII, Latin-1, Latin
// Extended-A, the regular pairs of Latin Extended-B and Latin Extended
// Additional, Greek, Cyrillic and the fullwidth Latin letters. Every other
// code unit, surrogates included, compares as it is. Locale-specific rules
// (dotted and dotless I) and expansions (sharp s to "ss") are left out.
#pragma once

#include <string_view>

namespace kora {

// The lower-case partner of `c` under the folding above, or `c` itself.
char16_t FoldCase(char16_t c);

bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b);

// Three-way comparisons: negative, zero or positive as a sorts before, with
// or after b. Code units compare as unsigned values.
int CompareIgnoreCase(std::u16string_view a, std::u16string_view b);
int CompareOrdinal(std::u16string_view a, std::u16string_view b);

// Names sort without regard to case first; names equal that way sort by
// code unit, so "Alto" comes before "alto".
int CompareNames(std::u16string_view a, std::u16string_view b);

}  // namespace kora
