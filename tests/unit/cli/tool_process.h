// Runs a program as a child process with its own environment and captures
// its exit code, standard output and standard error.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace kora::test {

struct ProcessResult {
    int exitCode = -1;  // -1: did not run or did not exit normally
    std::string out;
    std::string err;
};

inline std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// `environment` adds to (or replaces in) this process's environment; an
// empty value removes the variable. Output goes through files in `scratch`.
inline ProcessResult RunProcess(const std::filesystem::path& program,
                                const std::vector<std::string>& args,
                                const std::map<std::string, std::string>& environment,
                                const std::filesystem::path& scratch) {
    std::string command = "env";
    for (const auto& [name, value] : environment)
        command +=
            value.empty() ? " -u " + ShellQuoted(name) : " " + ShellQuoted(name + "=" + value);
    command += " " + ShellQuoted(program.string());
    for (const std::string& arg : args) command += " " + ShellQuoted(arg);
    const auto outPath = scratch / "process.out", errPath = scratch / "process.err";
    command += " >" + ShellQuoted(outPath.string()) + " 2>" + ShellQuoted(errPath.string());
    const int status = std::system(command.c_str());
    const auto readAll = [](const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    return {status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1, readAll(outPath),
            readAll(errPath)};
}

}  // namespace kora::test
