#include "vbank4/store_file.h"

#include <algorithm>
#include <optional>

#include "standins/file_io.h"
#include "standins/json_fields.h"

namespace vbank4 {
namespace {

using standins::FileReader;
using standins::ReadStatus;

// How many of the first and of the last known bytes are compared with the
// disk. The first ones hold the revision of the document; the last ones the
// last commit line.
constexpr std::size_t kEdge = 4096;
// The commit lines may grow to the size of the document, and at least to
// this, before a commit writes the whole store anew: each byte of a commit
// is then written at most three times, and a read costs at most twice the
// document.
constexpr std::uint64_t kMinLines = 8192;

bool SameBytes(const FileReader& a, const FileReader& b, std::uint64_t at, std::size_t length) {
    const auto x = a.ReadAt(at, length);
    const auto y = b.ReadAt(at, length);
    return x && y && *x == *y;
}

// The file holds `head` from its start and `tail` up to `end`, and after
// that at most a line without its line end.
bool Holds(const FileReader& file, const std::string& head, const std::string& tail,
           std::uint64_t end) {
    const std::uint64_t size = file.Size();
    if (size < end || size - end > standins::kMaxFileBytes || file.ReadAt(0, head.size()) != head ||
        file.ReadAt(end - tail.size(), tail.size()) != tail) {
        return false;
    }
    const auto beyond = file.ReadAt(end, static_cast<std::size_t>(size - end));
    return beyond && beyond->find('\n') == std::string::npos;
}

}  // namespace

StoreFile::Load StoreFile::Read(StoreState& state) {
    const standins::ReadResult file = standins::ReadWholeFile(path_);
    switch (file.status) {
        case ReadStatus::kOk:
            break;
        case ReadStatus::kMissing:
            state = {};
            *this = StoreFile(path_);
            return Load::kOk;
        case ReadStatus::kTooLarge:
            return Load::kInvalid;
        case ReadStatus::kFailed:
            return Load::kUnreadable;
    }
    try {
        StoreLayout layout;
        state = ParseStore(file.bytes, &layout);
        Know(file.bytes, layout);
    } catch (const standins::FormatError&) {
        return Load::kInvalid;
    }
    return Load::kOk;
}

void StoreFile::Know(std::string_view bytes, const StoreLayout& layout) {
    exists_ = true;
    documentEnd_ = layout.documentEnd;
    validEnd_ = layout.validEnd;
    const std::size_t edge = std::min(kEdge, layout.validEnd);
    head_ = bytes.substr(0, edge);
    tail_ = bytes.substr(layout.validEnd - edge, edge);
}

void StoreFile::KnowAppended(std::string_view bytes) {
    validEnd_ += bytes.size();
    if (head_.size() < kEdge) head_ += bytes.substr(0, kEdge - head_.size());
    tail_ += bytes;
    if (tail_.size() > kEdge) tail_.erase(0, tail_.size() - kEdge);
}

bool StoreFile::IsAsKnown() const {
    std::optional<FileReader> file;
    const ReadStatus status = FileReader::Open(path_, file);
    if (status == ReadStatus::kMissing) return !exists_;
    return status == ReadStatus::kOk && exists_ && Holds(*file, head_, tail_, validEnd_);
}

bool StoreFile::Commit(const StoreState& before, const StoreChanges& changes) {
    if (exists_) {
        std::string line = SerializeChanges(changes);
        if (tail_.empty() || tail_.back() != '\n') line.insert(0, 1, '\n');
        // The whole file stays readable: within the size any reader takes.
        if (validEnd_ - documentEnd_ + line.size() <= std::max(documentEnd_, kMinLines) &&
            validEnd_ + line.size() <= standins::kMaxFileBytes) {
            if (!standins::AppendToFile(path_, validEnd_, line)) return false;
            KnowAppended(line);
            return true;
        }
    }
    StoreState after = before;
    ApplyChanges(after, changes);
    const std::string bytes = SerializeStore(after);
    if (!standins::WriteFileAtomically(path_, bytes)) return false;
    Know(bytes, {bytes.size(), bytes.size()});
    return true;
}

bool StoreFile::BackupTo(const std::filesystem::path& backup, const StoreState& known) const {
    std::optional<FileReader> store;
    if (!exists_ || FileReader::Open(path_, store) != ReadStatus::kOk ||
        !Holds(*store, head_, tail_, validEnd_)) {
        return standins::WriteFileAtomically(backup, SerializeStore(known));
    }
    std::optional<FileReader> copy;
    if (FileReader::Open(backup, copy) == ReadStatus::kOk) {
        const std::uint64_t have = copy->Size();
        const std::size_t edge = static_cast<std::size_t>(std::min<std::uint64_t>(kEdge, have));
        if (have > 0 && have <= validEnd_ && SameBytes(*copy, *store, 0, edge) &&
            SameBytes(*copy, *store, have - edge, edge)) {
            // The backup is an earlier state of this store, perhaps with a
            // line cut short: what it lacks follows it in the store.
            if (have == validEnd_) return true;
            const auto missing = store->ReadAt(have, static_cast<std::size_t>(validEnd_ - have));
            return missing && standins::AppendToFile(backup, have, *missing);
        }
    }
    const auto bytes = store->ReadAt(0, static_cast<std::size_t>(validEnd_));
    return bytes && standins::WriteFileAtomically(backup, *bytes);
}

}  // namespace vbank4
