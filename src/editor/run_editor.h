// The two editor invocations behind the dialog exports. The caller builds
// the dialog; its session is loaded here, before it is shown.
#pragma once

#include <cstdint>

#include "editor/editor_session.h"

namespace kora::api {
struct ModuleContext;
}

namespace kora::editor {

// Loads, runs the dialog, and after OK applies the Active changes, commits
// and replaces the library table (restoring the sequence when the last two
// fail); after any other ending rolls the database back.
uint32_t RunEditor(EditorDialog& dialog, const api::ModuleContext& context,
                   CAxTrakManagerIF* trakManager, uint32_t initialSelection);

// Loads and runs the dialog read-only; after OK the picked Active pair goes
// to the out-values. Nothing is applied, committed or rolled back.
uint32_t RunEditorReadOnly(EditorDialog& dialog, const api::ModuleContext& context,
                           CAxTrakManagerIF* trakManager, int32_t* outBank, int32_t* outProgram);

}  // namespace kora::editor
