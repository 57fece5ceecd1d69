#include "editor/run_editor.h"

#include "api/module_context.h"
#include "editor/apply_steps.h"
#include "editor/load_steps.h"
#include "kora4/kora4.h"
#include "kora4/trak4.h"

namespace kora::editor {
namespace {

// The load steps in their order; the first failure ends the load, before
// any window is shown.
uint32_t Load(EditorSession& session) {
    for (uint32_t (*step)(EditorSession&) :
         {LoadInstalledVoices, LoadActiveSingers, LoadMySingers, BackupDatabase, TakeEditor}) {
        if (const uint32_t status = step(session); status != kora4::kOk) return status;
    }
    return kora4::kOk;
}

// The sequence manager hears of the updates however the steps between end,
// an exception included.
class UpdateContext {
public:
    explicit UpdateContext(CAxTrakManagerIF& trak) : trak_(trak) {
        trak_.vvoiceInitializeUpdateContext();
    }
    ~UpdateContext() {
        try {
            trak_.vvoiceNotifyObserversOfUpdates();
        } catch (...) {
            // Nothing may leave a destructor; the steps' status stands.
        }
    }
    UpdateContext(const UpdateContext&) = delete;
    UpdateContext& operator=(const UpdateContext&) = delete;

private:
    CAxTrakManagerIF& trak_;
};

uint32_t Finish(EditorSession& session, EditorDialog& dialog) {
    UpdateContext update(*session.trakManager);
    if (const uint32_t status = ApplyActiveChanges(session, dialog); status != kora4::kOk) {
        RollBackDatabase(session);
        return status;
    }
    if (const uint32_t status = CommitDatabase(session); status != kora4::kOk) {
        RestoreSequence(session);
        return status;
    }
    if (const uint32_t status = ReplaceLibraryTable(session, dialog); status != kora4::kOk) {
        RestoreSequence(session);
        return status;
    }
    return kora4::kOk;
}

}  // namespace

uint32_t RunEditor(EditorDialog& dialog, const api::ModuleContext& context,
                   CAxTrakManagerIF* trakManager, uint32_t initialSelection) {
    if (trakManager == nullptr) return kora4::kNoTrakManager;
    EditorSession& session = dialog.Session();
    session.context = &context;
    session.trakManager = trakManager;
    if (const uint32_t status = Load(session); status != kora4::kOk) return status;
    session.initialSelection = initialSelection;

    if (dialog.RunModal() != DialogEnding::Ok) return RollBackDatabase(session);
    return Finish(session, dialog);
}

uint32_t RunEditorReadOnly(EditorDialog& dialog, const api::ModuleContext& context,
                           CAxTrakManagerIF* trakManager, int32_t* outBank, int32_t* outProgram) {
    if (trakManager == nullptr) return kora4::kNoTrakManager;
    if (outBank == nullptr) return kora4::kNoBankPointer;
    if (outProgram == nullptr) return kora4::kNoProgramPointer;
    EditorSession& session = dialog.Session();
    session.context = &context;
    session.trakManager = trakManager;
    session.readOnly = true;
    if (const uint32_t status = Load(session); status != kora4::kOk) return status;

    switch (dialog.RunModal()) {
        case DialogEnding::Ok:
            // Written also when out of range, so the host sees what came back.
            *outBank = session.pickedBank;
            *outProgram = session.pickedProgram;
            return IsValidPair(session.pickedBank, session.pickedProgram) ? kora4::kOk
                                                                          : kora4::kPickOutOfRange;
        case DialogEnding::Cancel:
            return kora4::kPickCancelled;
        case DialogEnding::Other:
            break;
    }
    return kora4::kPickEndedOtherwise;
}

}  // namespace kora::editor
