// Loading one editor invocation, before any window exists, and rolling the
// database back after Cancel. Each step answers a status (0 for success).
#pragma once

#include <cstdint>
#include <optional>

#include "editor/editor_session.h"

namespace kora::editor {

// The installed voices and their default parameters, in the database's
// order: kDatabaseFailed when a database call fails or a default lies outside
// -127..127, kVoiceListInconsistent when the list is malformed.
uint32_t LoadInstalledVoices(EditorSession& session);

// The sequence's virtual voices over the whole pair space, in singer order;
// a voice whose primary voice is not installed is left out and never
// touched. Always 0.
uint32_t LoadActiveSingers(EditorSession& session);

// The database's virtual voices over the whole pair space, in singer order.
uint32_t LoadMySingers(EditorSession& session);

// Where LoadMySingers stopped: the pair it asked for and what the database
// answered (nothing when the entry point is not bound).
struct MySingerLoadFailure {
    int32_t bank = 0;
    int32_t program = 0;
    std::optional<int32_t> result;
};

// LoadMySingers for callers that explain a failure.
uint32_t LoadMySingersWithFailure(EditorSession& session, MySingerLoadFailure& failure);

uint32_t BackupDatabase(EditorSession& session);

// Opens the database's editing transaction; its handle goes to editorHandle.
uint32_t TakeEditor(EditorSession& session);

uint32_t RollBackDatabase(EditorSession& session);

}  // namespace kora::editor
