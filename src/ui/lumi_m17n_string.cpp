#include "ui/lumi_m17n_string.h"

#include "kora4/m17n.h"
#include "ui/text_module_slot.h"
#include "ui/toolkit.h"

namespace kora::ui {

std::u16string TextKey(int32_t number) { return DecimalText(number); }

const char16_t* LookUpText(const LumiM17NModule* module, int32_t number) {
    if (!module) return nullptr;
    const std::u16string key = TextKey(number);
    return module->Lookup(key.c_str());
}

bool TranslateString(std::u16string* target, uint32_t id) {
    if (!target) return false;
    // Ids are keyed as "%d" prints them: as signed numbers.
    if (const char16_t* text = LookUpText(TextModuleSlot(), static_cast<int32_t>(id))) {
        *target = text;
    }
    return true;
}

bool CLumiM17NString::LoadString(uint32_t id) {
    std::optional<std::u16string> text = LoadStringResource(id);
    if (!text) return false;
    assign(*text);
    if (TextModuleSlot()) return TranslateString(this, id);
    return true;
}

void CLumiM17NString::FormatArgs(uint32_t id, std::span<const FormatArg> args) {
    CLumiM17NString format;
    format.LoadString(id);
    std::optional<std::u16string> text = FormatWith(format, args);
    if (!text) {
        if (std::optional<std::u16string> own = LoadStringResource(id)) {
            text = FormatWith(*own, args);
        }
    }
    assign(text.value_or(std::u16string()));
}

}  // namespace kora::ui
