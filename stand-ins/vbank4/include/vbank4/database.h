// The voice database behind the vbank4 entry points: the catalog, the
// committed store, and at most one editing transaction.
//
// The transaction holds what it changed on top of the committed store ("the
// view"); every read answers from the view while a transaction is open, so an
// editor reads back what it has done. Committing writes the changes to
// store.json crash-safely and keeps the transaction open (with nothing
// pending) under the same handle, since DBM_UpdateUserRegistory follows with
// that handle. Rolling back drops the changes. Opening, committing and
// rolling back cost what changed, not the size of the store.
//
// A second DBM_GetEditor while a transaction is open carries the pending
// changes on under a new handle and retires the old one. The module leaves
// its handle open after a read-only pick; a later invocation has already read
// the view (including changes made in that pick, such as an import) before
// it asks for its editor, so dropping those changes then would leave it
// showing singers the database no longer has. Its own Cancel drops them.
#pragma once

#include <bitset>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "kora4/vbank4.h"
#include "vbank4/catalog.h"
#include "vbank4/store.h"
#include "vbank4/store_file.h"

namespace vbank4 {

class Database {
public:
    static constexpr const char* kCatalogFile = "catalog.json";
    static constexpr const char* kStoreFile = "store.json";
    static constexpr const char* kBackupFile = "store.backup.json";
    static constexpr const char* kRegistryFile = "registry.json";
    static constexpr const char* kLockFile = "store.lock";

    // Loads catalog.json and store.json from `folder`. Answers kOk and sets
    // `out`, or one of the kInit... codes.
    static int32_t Open(const std::filesystem::path& folder, std::unique_ptr<Database>& out);

    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database();

    // Reads (from the view).
    DbmVoiceList* VoiceList() { return &voiceList_; }
    int32_t VoiceParameters(std::u16string_view voiceId, int32_t* out6) const;
    void XSynthGroups(XSynthGroupList& out) const;
    int32_t VirtualVoiceInfo(Pair pair, DBM_VVOICE_INFO& out) const;
    int32_t DefaultVirtualVoice(int32_t& bank, int32_t& program) const;

    // Brings the backup beside the store up to the committed state.
    int32_t Backup();

    // The editing transaction. Handles are never 0 and never reused within
    // a process.
    uint32_t OpenEditor();
    bool IsEditor(uint32_t editor) const { return CheckEditor(editor) == 0; }
    int32_t Create(uint32_t editor, int32_t bank, int32_t& program, std::u16string_view voiceId,
                   std::u16string_view name);
    int32_t SetInfo(uint32_t editor, const DBM_VVOICE_INFO& info);
    int32_t Delete(uint32_t editor, Pair pair);
    int32_t SetDefault(uint32_t editor, Pair pair);
    int32_t Commit(uint32_t editor);
    int32_t RollBack(uint32_t editor);
    int32_t UpdateUserRegistry(uint32_t editor);

    std::filesystem::path PathOf(const char* file) const { return folder_ / file; }

private:
    struct Editor {
        uint32_t handle = 0;
        std::map<Pair, std::optional<VirtualVoice>> changes;  // nullopt: deleted
        std::optional<std::optional<Pair>> defaultVoice;      // set when changed
        // The view's pairs of the banks in `known`: a bank's are read from
        // both maps at its first Create and then kept by Create and Delete,
        // so that finding a free program tests bits rather than looking up
        // every program of the bank in both maps.
        std::bitset<std::size_t{128} * 128> used;
        std::bitset<128> known;
    };

    Database(std::filesystem::path folder, Catalog catalog, StoreState committed, StoreFile store);
    int32_t CheckEditor(uint32_t editor) const;
    const VirtualVoice* Find(Pair pair) const;  // in the view
    std::optional<Pair> DefaultOfView() const;
    std::optional<Pair> FirstPairOfView() const;
    std::optional<int32_t> LowestFreeProgram(int32_t bank);
    StoreChanges Pending() const;
    void ReloadCommitted();

    std::filesystem::path folder_;
    Catalog catalog_;
    std::vector<DbmVoiceEntry> voiceEntries_;  // point into catalog_, which never changes
    DbmVoiceList voiceList_{};
    StoreState committed_;
    StoreFile store_;  // what this process knows of store.json
    std::optional<Editor> editor_;
};

// The folder named by VBANK4_HOME, else the per-user default
// (%APPDATA%\vbank4; $XDG_DATA_HOME/vbank4 or ~/.local/share/vbank4).
std::optional<std::filesystem::path> DataFolder();

// Reads a text of at most 259 units that ends within `capacity` units
// (a 260-unit record field or a caller's string); nullopt otherwise.
std::optional<std::u16string_view> BoundedText(const char16_t* text, std::size_t capacity);

}  // namespace vbank4
