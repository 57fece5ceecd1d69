#include "vbank4/database.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#include "standins/file_io.h"
#include "standins/json_fields.h"
#include "vbank4/results.h"

namespace vbank4 {
namespace {

using standins::ReadStatus;

// How long a write waits for another process's write to finish.
constexpr std::chrono::milliseconds kLockTimeout{5000};

uint32_t g_lastHandle = 0;

uint32_t NextHandle() {
    if (++g_lastHandle == 0) ++g_lastHandle;
    return g_lastHandle;
}

template <std::size_t N>
void CopyText(std::u16string_view text, char16_t (&field)[N]) {
    const std::size_t n = std::min(text.size(), N - 1);
    std::copy_n(text.data(), n, field);
    field[n] = u'\0';
}

bool IsVoiceId(std::u16string_view id) { return id.size() == kVoiceIdLength; }

}  // namespace

std::optional<std::u16string_view> BoundedText(const char16_t* text, std::size_t capacity) {
    if (text == nullptr) return std::nullopt;
    const std::size_t limit = std::min(capacity, kMaxTextUnits + 1);
    for (std::size_t i = 0; i < limit; ++i) {
        if (text[i] == u'\0') return std::u16string_view(text, i);
    }
    return std::nullopt;
}

Database::Database(std::filesystem::path folder, Catalog catalog, StoreState committed)
    : folder_(std::move(folder)), catalog_(std::move(catalog)), committed_(std::move(committed)) {
    voiceEntries_.reserve(catalog_.voices.size() + 1);
    for (const CatalogVoice& voice : catalog_.voices) {
        voiceEntries_.push_back(
            {voice.extra.c_str(), voice.voiceId.c_str(), voice.name.c_str(), voice.bank});
    }
    voiceEntries_.push_back({nullptr, nullptr, nullptr, 0});
    voiceList_.count = static_cast<int32_t>(catalog_.voices.size());
    voiceList_.entries = voiceEntries_.data();
}

Database::~Database() = default;

int32_t Database::Open(const std::filesystem::path& folder, std::unique_ptr<Database>& out) {
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_directory(folder, error)) return kInitNoDataFolder;

    const standins::ReadResult catalogFile = standins::ReadWholeFile(folder / kCatalogFile);
    if (catalogFile.status == ReadStatus::kTooLarge) return kInitCatalogInvalid;
    if (catalogFile.status != ReadStatus::kOk) return kInitCatalogMissing;
    Catalog catalog;
    try {
        catalog = ParseCatalog(catalogFile.bytes);
    } catch (const standins::FormatError&) {
        return kInitCatalogInvalid;
    }

    StoreState store;
    const standins::ReadResult storeFile = standins::ReadWholeFile(folder / kStoreFile);
    if (storeFile.status == ReadStatus::kFailed || storeFile.status == ReadStatus::kTooLarge) {
        return kInitStoreInvalid;
    }
    if (storeFile.status == ReadStatus::kOk) {
        try {
            store = ParseStore(storeFile.bytes);
        } catch (const standins::FormatError&) {
            return kInitStoreInvalid;
        }
    }
    out.reset(new Database(folder, std::move(catalog), std::move(store)));
    return kOk;
}

int32_t Database::VoiceParameters(std::u16string_view voiceId, int32_t* out6) const {
    const CatalogVoice* voice = catalog_.Find(voiceId);
    if (voice == nullptr) return kUnknownVoice;
    std::copy(voice->defaults.begin(), voice->defaults.end(), out6);
    out6[5] = 0;
    return kOk;
}

void Database::XSynthGroups(XSynthGroupList& out) const {
    XSynthGroupList groups;
    groups.reserve(catalog_.groups.size());
    for (const CatalogGroup& group : catalog_.groups) {
        groups.push_back({group.name, group.memberIds});
    }
    out.swap(groups);
}

int32_t Database::VirtualVoiceInfo(Pair pair, DBM_VVOICE_INFO& out) const {
    if (!InRange(pair)) return kInvalidArgument;
    const auto it = View().voices.find(pair);
    if (it == View().voices.end()) return kNoVirtualVoice;
    const VirtualVoice& voice = it->second;
    out = DBM_VVOICE_INFO{};
    out.bank = pair.first;
    out.program = pair.second;
    std::copy(voice.primaryParams.begin(), voice.primaryParams.end(), out.primaryParams);
    CopyText(voice.primaryName, out.primaryName);
    CopyText(voice.name, out.name);
    CopyText(voice.primaryVoiceId, out.primaryVoiceId);
    CopyText(voice.secondaryVoiceId, out.secondaryVoiceId);
    std::copy(voice.secondaryParams.begin(), voice.secondaryParams.end(), out.secondaryParams);
    return kOk;
}

int32_t Database::DefaultVirtualVoice(int32_t& bank, int32_t& program) const {
    if (!View().defaultVoice) return kNoVirtualVoice;
    bank = View().defaultVoice->first;
    program = View().defaultVoice->second;
    return kOk;
}

int32_t Database::WriteLocked(const char* file, const std::string& bytes) {
    const auto lock = standins::FileLock::Acquire(PathOf(kLockFile), kLockTimeout);
    if (!lock) return kIoError;
    return standins::WriteFileAtomically(PathOf(file), bytes) ? kOk : kIoError;
}

int32_t Database::Backup() { return WriteLocked(kBackupFile, SerializeStore(committed_)); }

uint32_t Database::OpenEditor() {
    const uint32_t handle = NextHandle();
    if (editor_) {
        editor_->handle = handle;
    } else {
        editor_ = Editor{handle, committed_};
    }
    return handle;
}

int32_t Database::CheckEditor(uint32_t editor) const {
    return editor_ && editor != 0 && editor == editor_->handle ? kOk : kBadHandle;
}

int32_t Database::Create(uint32_t editor, int32_t bank, int32_t& program,
                         std::u16string_view voiceId, std::u16string_view name) {
    if (const int32_t r = CheckEditor(editor); r != kOk) return r;
    if (!InRange(bank) || name.size() > kMaxTextUnits) return kInvalidArgument;
    const CatalogVoice* voice = catalog_.Find(voiceId);
    if (voice == nullptr) return kUnknownVoice;
    auto& voices = editor_->view.voices;
    int32_t free = 0;
    while (free <= 127 && voices.count({bank, free}) != 0) ++free;
    if (free > 127) return kBankFull;
    VirtualVoice created;
    created.name = name;
    created.primaryVoiceId = voiceId;
    created.primaryName = voice->name;
    created.primaryParams = voice->defaults;
    voices.emplace(Pair{bank, free}, std::move(created));
    program = free;
    return kOk;
}

int32_t Database::SetInfo(uint32_t editor, const DBM_VVOICE_INFO& info) {
    if (const int32_t r = CheckEditor(editor); r != kOk) return r;
    const Pair pair{info.bank, info.program};
    const auto name = BoundedText(info.name, kDbmTextField);
    const auto primaryName = BoundedText(info.primaryName, kDbmTextField);
    const auto primaryId = BoundedText(info.primaryVoiceId, kDbmTextField);
    const auto secondaryId = BoundedText(info.secondaryVoiceId, kDbmTextField);
    if (!InRange(pair) || !name || !primaryName || !primaryId || !secondaryId ||
        !IsVoiceId(*primaryId) || !(secondaryId->empty() || IsVoiceId(*secondaryId)) ||
        !std::all_of(std::begin(info.primaryParams), std::end(info.primaryParams), IsParam) ||
        !std::all_of(std::begin(info.secondaryParams), std::end(info.secondaryParams), IsParam)) {
        return kInvalidArgument;
    }
    const auto it = editor_->view.voices.find(pair);
    if (it == editor_->view.voices.end()) return kNoVirtualVoice;

    VirtualVoice voice;
    voice.name = *name;
    voice.primaryVoiceId = *primaryId;
    voice.primaryName = *primaryName;
    // Writers leave the display name empty; the catalog knows it, and a voice
    // that is no longer installed keeps the name it had.
    if (voice.primaryName.empty()) {
        if (const CatalogVoice* installed = catalog_.Find(voice.primaryVoiceId)) {
            voice.primaryName = installed->name;
        } else if (it->second.primaryVoiceId == voice.primaryVoiceId) {
            voice.primaryName = it->second.primaryName;
        }
    }
    voice.secondaryVoiceId = *secondaryId;
    std::copy(std::begin(info.primaryParams), std::end(info.primaryParams),
              voice.primaryParams.begin());
    std::copy(std::begin(info.secondaryParams), std::end(info.secondaryParams),
              voice.secondaryParams.begin());
    it->second = std::move(voice);
    return kOk;
}

int32_t Database::Delete(uint32_t editor, Pair pair) {
    if (const int32_t r = CheckEditor(editor); r != kOk) return r;
    if (!InRange(pair)) return kInvalidArgument;
    StoreState& view = editor_->view;
    if (view.voices.erase(pair) == 0) return kNoVirtualVoice;
    // The default moves to the first remaining virtual voice, so that a
    // database with voices keeps naming one.
    if (view.defaultVoice == pair) {
        view.defaultVoice.reset();
        if (!view.voices.empty()) view.defaultVoice = view.voices.begin()->first;
    }
    return kOk;
}

int32_t Database::SetDefault(uint32_t editor, Pair pair) {
    if (const int32_t r = CheckEditor(editor); r != kOk) return r;
    if (!InRange(pair)) return kInvalidArgument;
    if (editor_->view.voices.count(pair) == 0) return kNoVirtualVoice;
    editor_->view.defaultVoice = pair;
    return kOk;
}

int32_t Database::Commit(uint32_t editor) {
    if (const int32_t r = CheckEditor(editor); r != kOk) return r;
    StoreState next = editor_->view;
    next.revision = committed_.revision;
    if (next == committed_) return kOk;

    const auto lock = standins::FileLock::Acquire(PathOf(kLockFile), kLockTimeout);
    if (!lock) return kIoError;
    // Another process may have committed since this state was read; writing
    // over it would lose its changes without a word.
    uint64_t onDisk = 0;
    const standins::ReadResult current = standins::ReadWholeFile(PathOf(kStoreFile));
    if (current.status == ReadStatus::kFailed) return kIoError;
    if (current.status == ReadStatus::kOk) {
        try {
            onDisk = ParseStore(current.bytes).revision;
        } catch (const standins::FormatError&) {
            return kStoreChanged;
        }
    }
    if (onDisk != committed_.revision) return kStoreChanged;

    next.revision = committed_.revision + 1;
    if (!standins::WriteFileAtomically(PathOf(kStoreFile), SerializeStore(next))) return kIoError;
    committed_ = next;
    editor_->view = std::move(next);
    return kOk;
}

void Database::ReloadCommitted() {
    const standins::ReadResult current = standins::ReadWholeFile(PathOf(kStoreFile));
    if (current.status != ReadStatus::kOk) return;
    try {
        StoreState loaded = ParseStore(current.bytes);
        if (loaded.revision != committed_.revision) committed_ = std::move(loaded);
    } catch (const standins::FormatError&) {
        // Keep what this process knows to be whole.
    }
}

int32_t Database::RollBack(uint32_t editor) {
    if (const int32_t r = CheckEditor(editor); r != kOk) return r;
    // The next edit starts from what is lasting now, including other
    // processes' commits.
    ReloadCommitted();
    editor_->view = committed_;
    return kOk;
}

int32_t Database::UpdateUserRegistry(uint32_t editor) {
    if (const int32_t r = CheckEditor(editor); r != kOk) return r;
    return WriteLocked(kRegistryFile, SerializeRegistry(committed_));
}

}  // namespace vbank4
