// A host text module for tests (a language and texts by key), and a scope
// that hands it to the module-wide slot and clears the slot afterwards.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>

#include "kora4/m17n.h"
#include "ui/text_module_slot.h"

namespace kora::ui::test {

class MapTextModule final : public LumiM17NModule {
public:
    using Entry = std::pair<std::u16string, std::u16string>;
    explicit MapTextModule(std::initializer_list<Entry> texts, uint32_t language = 1033)
        : texts_(texts.begin(), texts.end()), language_(language) {}

    uint32_t LanguageId() const override { return language_; }
    const char16_t* Lookup(const char16_t* key) const override {
        ++lookups;
        auto found = key ? texts_.find(key) : texts_.end();
        return found == texts_.end() ? nullptr : found->second.c_str();
    }
    mutable int lookups = 0;

private:
    std::map<std::u16string, std::u16string> texts_;
    uint32_t language_;
};

struct TextModuleScope {
    explicit TextModuleScope(const LumiM17NModule* module) { TextModuleSlot() = module; }
    ~TextModuleScope() { TextModuleSlot() = nullptr; }
    TextModuleScope(const TextModuleScope&) = delete;
};

}  // namespace kora::ui::test
