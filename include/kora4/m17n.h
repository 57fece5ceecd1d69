// The host's multilingual-text module, as the Singer Editor reads it.
//
// The host owns the object; the module only reads it, on the user-interface
// thread, while no dialog of the module is open the host must not change it.
#pragma once

#include <cstdint>

class LumiM17NModule {
public:
    // Windows language identifier; 1041 is Japanese.
    virtual uint32_t LanguageId() const = 0;
    // The localized text for a key (the decimal text of a resource number,
    // compared exactly), or null when the map has no entry. An empty text is
    // an entry. The text is owned by the module and stays valid while it lives.
    virtual const char16_t* Lookup(const char16_t* key) const = 0;

protected:
    ~LumiM17NModule() = default;
};
