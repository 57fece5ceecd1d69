// Texts of the module's string table, replaced by the host's text for the
// same number when the host handed over its multilingual-text module.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "ui/format_text.h"

// <windows.h> renames LoadString; this class keeps its own name.
#ifdef LoadString
#undef LoadString
#endif

class LumiM17NModule;

namespace kora::ui {

// The key of a number in the host's map: its "%d" text.
std::u16string TextKey(int32_t number);

// The host's text for a number, or null when `module` is null or its map has
// no entry (an empty text is an entry).
const char16_t* LookUpText(const LumiM17NModule* module, int32_t number);

// Replaces *target by the text of the module-wide text module for `id`, even
// by an empty one. False only for a null target.
bool TranslateString(std::u16string* target, uint32_t id);

class CLumiM17NString : public std::u16string {
public:
    CLumiM17NString() = default;
    explicit CLumiM17NString(std::u16string text) : std::u16string(std::move(text)) {}

    // Loads the string `id` of the module's own table and translates it when
    // a text module is set. False when the table has no such string; the
    // text then stays as it was.
    bool LoadString(uint32_t id);

    // Formats the (translated) string `id` with `args` (see format_text.h).
    // A host text that does not fit the arguments is passed over for the
    // module's own text; a missing string gives an empty text.
    template <class... Args>
    void Format(uint32_t id, const Args&... args) {
        const std::array<FormatArg, sizeof...(Args)> list{FormatArg(args)...};
        FormatArgs(id, list);
    }
    void FormatArgs(uint32_t id, std::span<const FormatArg> args);
};

}  // namespace kora::ui
