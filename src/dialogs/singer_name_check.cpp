#include "dialogs/singer_name_check.h"

#include <algorithm>

namespace kora::dialogs {
namespace {

bool IsTrimmed(char16_t unit) { return unit == u' ' || unit == u'\t' || unit == u'\u3000'; }
bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

bool IsControlUnit(char16_t unit) { return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F); }

SingerNameVerdict CheckSingerName(std::u16string_view name) {
    if (name.empty()) return SingerNameVerdict::Empty;
    if (std::all_of(name.begin(), name.end(), IsTrimmed)) return SingerNameVerdict::Invalid;
    for (size_t i = 0; i < name.size(); ++i) {
        // Only a real pair is passed over whole: a lone high surrogate must
        // not hide the unit after it.
        if (IsHighSurrogate(name[i]) && i + 1 < name.size() && IsLowSurrogate(name[i + 1])) {
            ++i;
        } else if (IsControlUnit(name[i])) {
            return SingerNameVerdict::Invalid;
        }
    }
    return SingerNameVerdict::Ok;
}

}  // namespace kora::dialogs
