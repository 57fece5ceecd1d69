// The voice database as the tool uses it: bound by the module's own binding,
// each call made through the module's guarded call, loaded the way the
// editor invocation loads it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "api/module_context.h"
#include "editor/editor_session.h"
#include "kora4/vbank4.h"
#include "model/records.h"
#include "model/voice_lookup.h"

namespace kora::singers {

class VoiceDatabase {
public:
    // Loads the library and runs DBM_Init; throws ToolError (kExitDatabase)
    // when either fails. `label` names the library in messages.
    VoiceDatabase(const std::filesystem::path& library, const std::string& label);
    VoiceDatabase(const VoiceDatabase&) = delete;
    VoiceDatabase& operator=(const VoiceDatabase&) = delete;
    // Rolls back an edit still open, then DBM_Delete; the library goes with
    // the binding.
    ~VoiceDatabase();

    // The installed voices with their defaults, in the database's order; a
    // list that is inconsistent or a failed call throws.
    InstalledVoiceList LoadInstalledVoices() const;
    XSynthGroupList LoadXSynthGroups() const;
    // Every virtual voice of the 128 by 128 pairs, in singer order.
    std::vector<SingerEntry> LoadMySingers(const InstalledVoiceList& voices) const;

    // Backs the store up and opens the editing transaction; throws on failure.
    void BeginEdit();
    // The editor's own creation of a My singer (editor::CreateMySinger);
    // false without an open edit.
    bool CreateMySinger(DBM_VVOICE_INFO& record);
    // DBM_CommitEditor, then DBM_UpdateUserRegistory; throws on failure.
    void Commit();
    // Drops every change of the open edit; false when the database refused.
    bool RollBack();

private:
    api::ModuleContext context_;
    editor::EditorSession session_;  // editorHandle 0: no edit open
    bool pending_ = false;           // changes made since the last commit or roll back
};

}  // namespace kora::singers
