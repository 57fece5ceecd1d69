// One ordered record of the calls that the module makes into the database
// and the sequence manager (and of what the dialog stand-in did), so a test
// can assert the order across both.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kora::test {

class CallLog {
public:
    void Add(std::string call) { calls_.push_back(std::move(call)); }
    void Clear() { calls_.clear(); }
    const std::vector<std::string>& Calls() const { return calls_; }

    // The calls with each run of one repeated call shown once as
    // "call x<count>": the 16384 queries of a scan read as one line.
    std::vector<std::string> Collapsed() const;

    // The collapsed calls from the first one that starts with `prefix` on;
    // empty when none does.
    std::vector<std::string> From(std::string_view prefix) const;

    // How many calls start with `prefix`.
    int Count(std::string_view prefix) const;

private:
    std::vector<std::string> calls_;
};

// An ASCII rendering of a UTF-16 text for the log (other units as '?').
std::string Narrow(std::u16string_view text);

}  // namespace kora::test
