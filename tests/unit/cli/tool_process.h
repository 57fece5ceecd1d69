// Runs a program as a child process with its own environment and captures
// its exit code, standard output and standard error.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace kora::test {

struct ProcessResult {
    int exitCode = -1;  // -1: did not run or did not exit normally
    std::string out;
    std::string err;
};

// `environment` adds to (or replaces in) this process's environment; an
// empty value removes the variable. Output goes through files in `scratch`.
inline ProcessResult RunProcess(const std::filesystem::path& program,
                                const std::vector<std::string>& args,
                                const std::map<std::string, std::string>& environment,
                                const std::filesystem::path& scratch) {
    std::vector<std::string> argTexts{program.string()}, envTexts;
    argTexts.insert(argTexts.end(), args.begin(), args.end());
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        if (!environment.count(text.substr(0, text.find('=')))) envTexts.push_back(text);
    }
    for (const auto& [name, value] : environment) {
        if (!value.empty()) envTexts.push_back(name + "=" + value);
    }
    const auto pointers = [](std::vector<std::string>& texts) {
        std::vector<char*> result;
        for (std::string& text : texts) result.push_back(text.data());
        result.push_back(nullptr);
        return result;
    };
    std::vector<char*> argv = pointers(argTexts), envp = pointers(envTexts);
    const auto outPath = scratch / "process.out";
    const auto errPath = scratch / "process.err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ProcessResult result;
    if (spawned != 0) return result;
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    const auto readAll = [](const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    result.out = readAll(outPath);
    result.err = readAll(errPath);
    return result;
}

}  // namespace kora::test
