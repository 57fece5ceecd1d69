#include "editor/run_editor.h"

#include "api/module_context.h"
#include "editor/apply_steps.h"
#include "editor/guarded_trak_manager.h"
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

// A step that throws has failed: the invocation goes on as after any other
// failure of that step, so nothing of it reaches the host but the status.
template <class Step>
uint32_t Run(Step&& step) noexcept {
    try {
        return step();
    } catch (...) {
        return kora4::kOtherFailure;
    }
}

uint32_t Finish(EditorSession& session, EditorDialog& dialog) {
    UpdateContext update(*session.trakManager);
    if (const uint32_t status = Run([&] { return ApplyActiveChanges(session, dialog); });
        status != kora4::kOk) {
        // The database and the sequence both go back: the host never keeps
        // half of the Active changes without the My ones.
        Run([&] { return RollBackDatabase(session); });
        Run([&] { return RestoreSequence(session); });
        return status;
    }
    if (const uint32_t status = Run([&] { return CommitDatabase(session); });
        status != kora4::kOk) {
        Run([&] { return RestoreSequence(session); });
        return status;
    }
    if (const uint32_t status = Run([&] { return ReplaceLibraryTable(session, dialog); });
        status != kora4::kOk) {
        Run([&] { return RestoreSequence(session); });
        return status;
    }
    return kora4::kOk;
}

DialogEnding RunDialog(EditorDialog& dialog) {
    try {
        return dialog.RunModal();
    } catch (...) {
        return DialogEnding::Other;
    }
}

// Every call of the invocation reaches the host's sequence manager through
// the guard; the session is handed back the host's own pointer at the end.
class GuardedSequence {
public:
    GuardedSequence(EditorSession& session, CAxTrakManagerIF& host)
        : session_(session), host_(host), guarded_(host) {
        session_.trakManager = &guarded_;
    }
    ~GuardedSequence() { session_.trakManager = &host_; }
    GuardedSequence(const GuardedSequence&) = delete;
    GuardedSequence& operator=(const GuardedSequence&) = delete;

private:
    EditorSession& session_;
    CAxTrakManagerIF& host_;
    GuardedTrakManager guarded_;
};

}  // namespace

uint32_t RunEditor(EditorDialog& dialog, const api::ModuleContext& context,
                   CAxTrakManagerIF* trakManager, uint32_t initialSelection) {
    if (trakManager == nullptr) return kora4::kNoTrakManager;
    EditorSession& session = dialog.Session();
    session.context = &context;
    GuardedSequence sequence(session, *trakManager);
    if (const uint32_t status = Load(session); status != kora4::kOk) return status;
    session.initialSelection = initialSelection;

    switch (RunDialog(dialog)) {
        case DialogEnding::Ok:
            return Finish(session, dialog);
        case DialogEnding::Cancel:
            return RollBackDatabase(session);
        case DialogEnding::Other:
            break;
    }
    // The dialog could not be shown, or ended by an exception: whatever it
    // did to the database goes, and the host learns that it failed rather
    // than that the user cancelled.
    RollBackDatabase(session);
    return kora4::kOtherFailure;
}

uint32_t RunEditorReadOnly(EditorDialog& dialog, const api::ModuleContext& context,
                           CAxTrakManagerIF* trakManager, int32_t* outBank, int32_t* outProgram) {
    if (trakManager == nullptr) return kora4::kNoTrakManager;
    if (outBank == nullptr) return kora4::kNoBankPointer;
    if (outProgram == nullptr) return kora4::kNoProgramPointer;
    EditorSession& session = dialog.Session();
    session.context = &context;
    GuardedSequence sequence(session, *trakManager);
    session.readOnly = true;
    if (const uint32_t status = Load(session); status != kora4::kOk) return status;

    switch (RunDialog(dialog)) {
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
