#include "model/text_compare.h"

#include <algorithm>

namespace kora {
namespace {

constexpr bool In(char16_t c, char16_t first, char16_t last) { return c >= first && c <= last; }

// Runs where an upper-case letter and its lower-case partner alternate.
constexpr char16_t FoldEvenUpper(char16_t c) { return (c % 2 == 0) ? char16_t(c + 1) : c; }
constexpr char16_t FoldOddUpper(char16_t c) { return (c % 2 == 1) ? char16_t(c + 1) : c; }

char16_t FoldLatinExtended(char16_t c) {
    if (In(c, 0x0100, 0x012F) || In(c, 0x0132, 0x0137) || In(c, 0x014A, 0x0177)) {
        return FoldEvenUpper(c);
    }
    if (In(c, 0x0139, 0x0148) || In(c, 0x0179, 0x017E)) return FoldOddUpper(c);
    if (c == 0x0178) return 0x00FF;
    if (c == 0x017F) return u's';
    // Letters with a title-case form: DZ, Dz, dz and the like.
    if (c == 0x01C4 || c == 0x01C5) return 0x01C6;
    if (c == 0x01C7 || c == 0x01C8) return 0x01C9;
    if (c == 0x01CA || c == 0x01CB) return 0x01CC;
    if (c == 0x01F1 || c == 0x01F2) return 0x01F3;
    if (In(c, 0x01CD, 0x01DC)) return FoldOddUpper(c);
    if (In(c, 0x01DE, 0x01EF) || In(c, 0x01F8, 0x021F) || In(c, 0x0222, 0x0233) ||
        In(c, 0x0246, 0x024F)) {
        return FoldEvenUpper(c);
    }
    return c;
}

char16_t FoldGreek(char16_t c) {
    if (c == 0x0386) return 0x03AC;
    if (In(c, 0x0388, 0x038A)) return char16_t(c + 0x25);
    if (c == 0x038C) return 0x03CC;
    if (c == 0x038E || c == 0x038F) return char16_t(c + 0x3F);
    if (In(c, 0x0391, 0x03AB) && c != 0x03A2) return char16_t(c + 0x20);
    if (c == 0x03C2) return 0x03C3;  // final sigma
    if (In(c, 0x03D8, 0x03EF)) return FoldEvenUpper(c);
    return c;
}

char16_t FoldCyrillic(char16_t c) {
    if (In(c, 0x0400, 0x040F)) return char16_t(c + 0x50);
    if (In(c, 0x0410, 0x042F)) return char16_t(c + 0x20);
    if (In(c, 0x0460, 0x0481) || In(c, 0x048A, 0x04BF) || In(c, 0x04D0, 0x052F)) {
        return FoldEvenUpper(c);
    }
    if (c == 0x04C0) return 0x04CF;
    if (In(c, 0x04C1, 0x04CE)) return FoldOddUpper(c);
    return c;
}

}  // namespace

char16_t FoldCase(char16_t c) {
    if (c < 0x80) return In(c, u'A', u'Z') ? char16_t(c + 0x20) : c;
    if (In(c, 0x00C0, 0x00DE) && c != 0x00D7) return char16_t(c + 0x20);
    if (c == 0x00B5) return 0x03BC;  // micro sign folds to mu
    if (In(c, 0x0100, 0x024F)) return FoldLatinExtended(c);
    if (In(c, 0x0370, 0x03FF)) return FoldGreek(c);
    if (In(c, 0x0400, 0x052F)) return FoldCyrillic(c);
    if (In(c, 0x1E00, 0x1E95) || In(c, 0x1EA0, 0x1EFF)) return FoldEvenUpper(c);
    if (c == 0x1E9E) return 0x00DF;  // capital sharp s
    if (In(c, 0xFF21, 0xFF3A)) return char16_t(c + 0x20);
    return c;
}

bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && CompareIgnoreCase(a, b) == 0;
}

int CompareIgnoreCase(std::u16string_view a, std::u16string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char16_t fa = FoldCase(a[i]);
        const char16_t fb = FoldCase(b[i]);
        if (fa != fb) return fa < fb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

int CompareOrdinal(std::u16string_view a, std::u16string_view b) {
    const int result = a.compare(b);
    return (result > 0) - (result < 0);
}

int CompareNames(std::u16string_view a, std::u16string_view b) {
    const int folded = CompareIgnoreCase(a, b);
    return folded != 0 ? folded : CompareOrdinal(a, b);
}

}  // namespace kora
