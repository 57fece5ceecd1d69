#include "call_log.h"

#include <algorithm>

namespace kora::test {

std::vector<std::string> CallLog::Collapsed() const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < calls_.size();) {
        std::size_t end = i + 1;
        while (end < calls_.size() && calls_[end] == calls_[i]) ++end;
        out.push_back(end - i == 1 ? calls_[i] : calls_[i] + " x" + std::to_string(end - i));
        i = end;
    }
    return out;
}

std::vector<std::string> CallLog::From(std::string_view prefix) const {
    std::vector<std::string> all = Collapsed();
    const auto first = std::find_if(
        all.begin(), all.end(), [&](const std::string& call) { return call.starts_with(prefix); });
    return std::vector<std::string>(first, all.end());
}

int CallLog::Count(std::string_view prefix) const {
    return static_cast<int>(std::count_if(
        calls_.begin(), calls_.end(), [&](const std::string& c) { return c.starts_with(prefix); }));
}

std::string Narrow(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

}  // namespace kora::test
