// The verdicts of one run of the test host: every check prints one line,
// "ok" or "FAIL", and the run fails when any check failed.
#pragma once

#include <string>

namespace kora::testhost {

class Checks {
public:
    // Returns `passed`, so a failed precondition can stop the scenario.
    bool Expect(bool passed, const std::string& what);
    bool ExpectEqual(const std::wstring& actual, const std::wstring& expected,
                     const std::string& what);
    bool ExpectEqual(long long actual, long long expected, const std::string& what);
    int failures() const { return failures_; }
    int count() const { return count_; }

private:
    int failures_ = 0;
    int count_ = 0;
};

// UTF-8 of a wide text, for the log.
std::string Narrow(const std::wstring& text);

}  // namespace kora::testhost
