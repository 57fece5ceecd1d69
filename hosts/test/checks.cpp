#include "checks.h"

#include <windows.h>

#include <cstdio>

namespace kora::testhost {

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

bool Checks::Expect(bool passed, const std::string& what) {
    ++count_;
    if (!passed) ++failures_;
    std::printf("%s %s\n", passed ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    return passed;
}

bool Checks::ExpectEqual(const std::wstring& actual, const std::wstring& expected,
                         const std::string& what) {
    if (actual == expected) return Expect(true, what);
    return Expect(false,
                  what + ": got \"" + Narrow(actual) + "\", expected \"" + Narrow(expected) + "\"");
}

bool Checks::ExpectEqual(long long actual, long long expected, const std::string& what) {
    if (actual == expected) return Expect(true, what);
    return Expect(
        false, what + ": got " + std::to_string(actual) + ", expected " + std::to_string(expected));
}

}  // namespace kora::testhost
