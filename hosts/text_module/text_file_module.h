// A multilingual-text module read from a UTF-8 text file, as a host would
// hand its own to the module:
//
//   # comment
//   language=1041
//   101=Singer Editor in another language
//
// Each other line is a number, "=", and the text for that number, taken as
// it stands up to the end of the line (blanks included). Keys are kept as
// written and matched exactly, as the module looks them up.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "kora4/m17n.h"

namespace kora::hosts {

class TextFileModule final : public LumiM17NModule {
public:
    // Nothing, with `error` set to the line at fault, when a line is neither
    // blank, a comment, nor "key=text" with a decimal key (or "language").
    static std::optional<TextFileModule> Parse(std::string_view utf8, std::string* error);
    static std::optional<TextFileModule> Load(const std::filesystem::path& path,
                                              std::string* error);

    uint32_t LanguageId() const override { return languageId_; }
    const char16_t* Lookup(const char16_t* key) const override;

    std::size_t Size() const { return texts_.size(); }

private:
    uint32_t languageId_ = 1033;  // English (United States) until the file says otherwise
    std::map<std::u16string, std::u16string, std::less<>> texts_;
};

}  // namespace kora::hosts
