// The demo's working folder: copies of the bundled sample sequence and
// sample voice database, so the samples themselves stay as shipped.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kora::demo {

struct Workspace {
    std::filesystem::path sequence;  // the sequence document the demo opens and saves
    std::filesystem::path database;  // the voice database folder (VBANK4_HOME)
};

inline constexpr const char* kSequenceFileName = "Demo Song.json";

// Copies `samples`/sequence.json and `samples`/vbank4/{catalog,store}.json
// into `work` (the database into `work`/vbank4) where they are missing, or
// always when `reset` is set, which also drops the files the database wrote
// beside them. Nothing, with `error`
// set, when a sample is missing or a copy fails.
std::optional<Workspace> PrepareWorkspace(const std::filesystem::path& samples,
                                          const std::filesystem::path& work, bool reset,
                                          std::string* error);

}  // namespace kora::demo
