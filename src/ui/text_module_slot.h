// The module-wide slot of the host's multilingual-text module.
//
// KORA_SetLumiM17NModule writes it; single strings read it each time they
// are loaded. Null: every text comes from the module's own resources.
#pragma once

class LumiM17NModule;

namespace kora::ui {

inline const LumiM17NModule*& TextModuleSlot() {
    static const LumiM17NModule* slot = nullptr;
    return slot;
}

}  // namespace kora::ui
