// Runs a program as a child process with its own environment and captures
// its exit code, standard output and standard error.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace kora::test {

struct ProcessResult {
    int exitCode = -1;  // -1: did not run or did not exit normally
    std::string out;
    std::string err;
};

// `environment` adds to (or replaces in) this process's environment; an
// empty value removes the variable. Output goes through files in `scratch`.
ProcessResult RunProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& environment,
                         const std::filesystem::path& scratch);

}  // namespace kora::test
