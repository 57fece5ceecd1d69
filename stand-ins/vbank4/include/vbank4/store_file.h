// store.json as this process last read or wrote it.
//
// A commit appends one line with what it changed, so that it costs what
// changed; once the lines would outgrow the document, the commit writes the
// whole store anew instead (write-new, flush, replace). Whether another
// process has written since is told by comparing the first and the last
// bytes known and the length, without reading the store again.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "vbank4/store.h"

namespace vbank4 {

class StoreFile {
public:
    enum class Load { kOk, kUnreadable, kInvalid };

    explicit StoreFile(std::filesystem::path path) : path_(std::move(path)) {}

    // Reads the whole file and knows it from then on. A missing file is an
    // empty store; a file larger than standins::kMaxFileBytes is kInvalid.
    Load Read(StoreState& state);

    // True when the file is still what this process knows: the same bytes,
    // followed at most by a commit line that a crash cut short.
    bool IsAsKnown() const;

    // Writes the commit of `changes` onto `before`, the state the file holds.
    // The file must be as known (the caller holds the lock).
    bool Commit(const StoreState& before, const StoreChanges& changes);

    // Makes `backup` hold the known state: appends the commit lines it lacks
    // when it holds the beginning of the store, else copies the store whole.
    // `known` is written when the store is missing or not as known.
    bool BackupTo(const std::filesystem::path& backup, const StoreState& known) const;

private:
    void Know(std::string_view bytes, const StoreLayout& layout);
    void KnowAppended(std::string_view bytes);

    std::filesystem::path path_;
    bool exists_ = false;
    std::uint64_t documentEnd_ = 0;
    std::uint64_t validEnd_ = 0;  // the known bytes end here
    std::string head_;            // the first known bytes
    std::string tail_;            // the last known bytes
};

}  // namespace vbank4
