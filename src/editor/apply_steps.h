// Making the edits of a Singer Editor closed with OK lasting: the Active
// changes go into the sequence, the database transaction is committed, and
// the sequence's library table is replaced by the My list. RestoreSequence
// undoes the first when one of the others fails.
#pragma once

#include <cstdint>

#include "editor/editor_session.h"

namespace kora::editor {

// 0, kSequenceUpdateRefused, kSequenceInsertRefused, kSequenceRemoveRefused
// or kOtherFailure (no Active singer left); a failure is shown to the user.
// Changes made before a failure stay until RestoreSequence.
uint32_t ApplyActiveChanges(EditorSession& session, EditorDialog& dialog);

// Commits only when My Singers changed: 0 or kDatabaseFailed.
uint32_t CommitDatabase(EditorSession& session);

// 0, kLibraryTableRefused (shown to the user) or kOtherFailure for an empty
// My list.
uint32_t ReplaceLibraryTable(EditorSession& session, EditorDialog& dialog);

// Puts the sequence's Active singers back as they were loaded, undoing
// what ApplyActiveChanges did, all of it or the part done before it
// failed; shows nothing.
uint32_t RestoreSequence(EditorSession& session);

}  // namespace kora::editor
