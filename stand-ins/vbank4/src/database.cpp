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

std::size_t PairIndex(int32_t bank, int32_t program) {
    return static_cast<std::size_t>(bank) * 128 + static_cast<std::size_t>(program);
}

}  // namespace

std::optional<std::u16string_view> BoundedText(const char16_t* text, std::size_t capacity) {
    if (text == nullptr) return std::nullopt;
    const std::size_t limit = std::min(capacity, kMaxTextUnits + 1);
    for (std::size_t i = 0; i < limit; ++i) {
        if (text[i] == u'\0') return std::u16string_view(text, i);
    }
    return std::nullopt;
}

Database::Database(std::filesystem::path folder, Catalog catalog, StoreState committed,
                   StoreFile store)
    : folder_(std::move(folder)),
      catalog_(std::move(catalog)),
      committed_(std::move(committed)),
      store_(std::move(store)) {
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

    StoreState committed;
    StoreFile store(folder / kStoreFile);
    if (store.Read(committed) != StoreFile::Load::kOk) return kInitStoreInvalid;
    out.reset(new Database(folder, std::move(catalog), std::move(committed), std::move(store)));
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

const VirtualVoice* Database::Find(Pair pair) const {
    if (editor_) {
        const auto changed = editor_->changes.find(pair);
        if (changed != editor_->changes.end()) {
            return changed->second ? &*changed->second : nullptr;
        }
    }
    const auto it = committed_.voices.find(pair);
    return it == committed_.voices.end() ? nullptr : &it->second;
}

std::optional<Pair> Database::DefaultOfView() const {
    return editor_ && editor_->defaultVoice ? *editor_->defaultVoice : committed_.defaultVoice;
}

std::optional<Pair> Database::FirstPairOfView() const {
    std::optional<Pair> first;
    for (const auto& [pair, voice] : editor_->changes) {
        if (voice) {
            first = pair;
            break;
        }
    }
    for (const auto& entry : committed_.voices) {
        if (first && entry.first >= *first) break;
        const auto changed = editor_->changes.find(entry.first);
        if (changed == editor_->changes.end() || changed->second) return entry.first;
    }
    return first;
}

int32_t Database::VirtualVoiceInfo(Pair pair, DBM_VVOICE_INFO& out) const {
    if (!InRange(pair)) return kInvalidArgument;
    const VirtualVoice* voice = Find(pair);
    if (voice == nullptr) return kNoVirtualVoice;
    out = DBM_VVOICE_INFO{};
    out.bank = pair.first;
    out.program = pair.second;
    std::copy(voice->primaryParams.begin(), voice->primaryParams.end(), out.primaryParams);
    CopyText(voice->primaryName, out.primaryName);
    CopyText(voice->name, out.name);
    CopyText(voice->primaryVoiceId, out.primaryVoiceId);
    CopyText(voice->secondaryVoiceId, out.secondaryVoiceId);
    std::copy(voice->secondaryParams.begin(), voice->secondaryParams.end(), out.secondaryParams);
    return kOk;
}

int32_t Database::DefaultVirtualVoice(int32_t& bank, int32_t& program) const {
    const std::optional<Pair> pair = DefaultOfView();
    if (!pair) return kNoVirtualVoice;
    bank = pair->first;
    program = pair->second;
    return kOk;
}

int32_t Database::Backup() {
    const auto lock = standins::FileLock::Acquire(PathOf(kLockFile), kLockTimeout);
    if (!lock) return kIoError;
    return store_.BackupTo(PathOf(kBackupFile), committed_) ? kOk : kIoError;
}

uint32_t Database::OpenEditor() {
    const uint32_t handle = NextHandle();
    if (editor_) {
        editor_->handle = handle;
    } else {
        editor_ = Editor{handle, {}, {}, {}, {}};
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
    const std::optional<int32_t> free = LowestFreeProgram(bank);
    if (!free) return kBankFull;
    VirtualVoice created;
    created.name = name;
    created.primaryVoiceId = voiceId;
    created.primaryName = voice->name;
    created.primaryParams = voice->defaults;
    editor_->changes.insert_or_assign(Pair{bank, *free}, std::move(created));
    editor_->used.set(PairIndex(bank, *free));
    program = *free;
    return kOk;
}

std::optional<int32_t> Database::LowestFreeProgram(int32_t bank) {
    auto& used = editor_->used;
    const auto known = static_cast<std::size_t>(bank);
    if (!editor_->known.test(known)) {
        for (int32_t program = 0; program <= 127; ++program) {
            used.reset(PairIndex(bank, program));  // bits of an earlier transaction
        }
        const Pair first{bank, 0};
        const Pair end{bank + 1, 0};
        for (auto it = committed_.voices.lower_bound(first);
             it != committed_.voices.end() && it->first < end; ++it) {
            if (InRange(it->first.second)) used.set(PairIndex(bank, it->first.second));
        }
        for (auto it = editor_->changes.lower_bound(first);
             it != editor_->changes.end() && it->first < end; ++it) {
            if (InRange(it->first.second)) {
                used.set(PairIndex(bank, it->first.second), it->second.has_value());
            }
        }
        editor_->known.set(known);
    }
    for (int32_t program = 0; program <= 127; ++program) {
        if (!used.test(PairIndex(bank, program))) return program;
    }
    return std::nullopt;
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
    const VirtualVoice* stored = Find(pair);
    if (stored == nullptr) return kNoVirtualVoice;

    VirtualVoice voice;
    voice.name = *name;
    voice.primaryVoiceId = *primaryId;
    voice.primaryName = *primaryName;
    // Writers leave the display name empty; the catalog knows it, and a voice
    // that is no longer installed keeps the name it had.
    if (voice.primaryName.empty()) {
        if (const CatalogVoice* installed = catalog_.Find(voice.primaryVoiceId)) {
            voice.primaryName = installed->name;
        } else if (stored->primaryVoiceId == voice.primaryVoiceId) {
            voice.primaryName = stored->primaryName;
        }
    }
    voice.secondaryVoiceId = *secondaryId;
    std::copy(std::begin(info.primaryParams), std::end(info.primaryParams),
              voice.primaryParams.begin());
    std::copy(std::begin(info.secondaryParams), std::end(info.secondaryParams),
              voice.secondaryParams.begin());
    editor_->changes.insert_or_assign(pair, std::move(voice));
    return kOk;
}

int32_t Database::Delete(uint32_t editor, Pair pair) {
    if (const int32_t r = CheckEditor(editor); r != kOk) return r;
    if (!InRange(pair)) return kInvalidArgument;
    if (Find(pair) == nullptr) return kNoVirtualVoice;
    editor_->changes.insert_or_assign(pair, std::nullopt);
    editor_->used.reset(PairIndex(pair.first, pair.second));
    // The default moves to the first remaining virtual voice, so that a
    // database with voices keeps naming one.
    if (DefaultOfView() == pair) editor_->defaultVoice = FirstPairOfView();
    return kOk;
}

int32_t Database::SetDefault(uint32_t editor, Pair pair) {
    if (const int32_t r = CheckEditor(editor); r != kOk) return r;
    if (!InRange(pair)) return kInvalidArgument;
    if (Find(pair) == nullptr) return kNoVirtualVoice;
    editor_->defaultVoice = pair;
    return kOk;
}

StoreChanges Database::Pending() const {
    StoreChanges changes;
    changes.revision = committed_.revision + 1;
    for (const auto& [pair, voice] : editor_->changes) {
        const auto it = committed_.voices.find(pair);
        if (!voice) {
            if (it != committed_.voices.end()) changes.deleted.push_back(pair);
        } else if (it == committed_.voices.end() || it->second != *voice) {
            changes.stored.emplace(pair, *voice);
        }
    }
    changes.defaultVoice = DefaultOfView();
    return changes;
}

int32_t Database::Commit(uint32_t editor) {
    if (const int32_t r = CheckEditor(editor); r != kOk) return r;
    const StoreChanges changes = Pending();
    if (changes.Empty() && changes.defaultVoice == committed_.defaultVoice) {
        editor_->changes.clear();
        editor_->defaultVoice.reset();
        editor_->known.reset();
        return kOk;
    }

    const auto lock = standins::FileLock::Acquire(PathOf(kLockFile), kLockTimeout);
    if (!lock) return kIoError;
    // Another process may have committed since this state was read; writing
    // over it would lose its changes without a word.
    if (!store_.IsAsKnown()) return kStoreChanged;
    if (!store_.Commit(committed_, changes)) return kIoError;
    ApplyChanges(committed_, changes);
    editor_->changes.clear();
    editor_->defaultVoice.reset();
    editor_->known.reset();
    return kOk;
}

void Database::ReloadCommitted() {
    if (store_.IsAsKnown()) return;
    StoreFile current(PathOf(kStoreFile));
    StoreState loaded;
    // A damaged store leaves what this process knows to be whole.
    if (current.Read(loaded) != StoreFile::Load::kOk) return;
    committed_ = std::move(loaded);
    store_ = std::move(current);
}

int32_t Database::RollBack(uint32_t editor) {
    if (const int32_t r = CheckEditor(editor); r != kOk) return r;
    // The next edit starts from what is lasting now, including other
    // processes' commits.
    ReloadCommitted();
    editor_->changes.clear();
    editor_->defaultVoice.reset();
    editor_->known.reset();
    return kOk;
}

int32_t Database::UpdateUserRegistry(uint32_t editor) {
    if (const int32_t r = CheckEditor(editor); r != kOk) return r;
    const auto lock = standins::FileLock::Acquire(PathOf(kLockFile), kLockTimeout);
    if (!lock) return kIoError;
    // The registry follows the store on disk: after another process's later
    // commit, this process's older state must not replace what it recorded.
    StoreState onDisk;
    const StoreState* state = &committed_;
    if (!store_.IsAsKnown()) {
        StoreFile current(PathOf(kStoreFile));
        if (current.Read(onDisk) != StoreFile::Load::kOk) return kIoError;
        state = &onDisk;
    }
    return standins::WriteFileAtomically(PathOf(kRegistryFile), SerializeRegistry(*state))
               ? kOk
               : kIoError;
}

}  // namespace vbank4
