#include "text_file_module.h"

#include <algorithm>
#include <charconv>

#include "standins/file_io.h"
#include "standins/utf.h"

namespace kora::hosts {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsDecimal(std::string_view text) {
    if (text.starts_with('-')) text.remove_prefix(1);
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::optional<TextFileModule> TextFileModule::Parse(std::string_view utf8, std::string* error) {
    if (utf8.starts_with(kByteOrderMark)) utf8.remove_prefix(kByteOrderMark.size());
    TextFileModule module;
    int lineNumber = 0;
    while (!utf8.empty()) {
        const std::size_t end = utf8.find('\n');
        std::string_view line = utf8.substr(0, end);
        utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
        ++lineNumber;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (Trim(line).empty() || Trim(line).starts_with('#')) continue;

        const std::size_t equals = line.find('=');
        const std::string_view key = Trim(line.substr(0, equals));
        const std::string_view text =
            equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
        uint32_t language = 0;
        if (equals != std::string_view::npos && key == "language" &&
            std::from_chars(Trim(text).data(), Trim(text).data() + Trim(text).size(), language)
                    .ec == std::errc()) {
            module.languageId_ = language;
        } else if (equals != std::string_view::npos && IsDecimal(key)) {
            module.texts_[standins::Utf8ToUtf16(key)] = standins::Utf8ToUtf16(text);
        } else {
            if (error != nullptr)
                *error = "line " + std::to_string(lineNumber) + ": " + std::string(line);
            return std::nullopt;
        }
    }
    return module;
}

std::optional<TextFileModule> TextFileModule::Load(const std::filesystem::path& path,
                                                   std::string* error) {
    const standins::ReadResult file = standins::ReadWholeFile(path);
    if (file.status != standins::ReadStatus::kOk) {
        if (error != nullptr) *error = "cannot read " + path.string();
        return std::nullopt;
    }
    return Parse(file.bytes, error);
}

const char16_t* TextFileModule::Lookup(const char16_t* key) const {
    if (key == nullptr) return nullptr;
    const auto found = texts_.find(std::u16string_view(key));
    return found == texts_.end() ? nullptr : found->second.c_str();
}

}  // namespace kora::hosts
